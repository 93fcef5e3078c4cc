// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lenient integer reading of operator-typed text (station address, baud rate).

#include <cstdint>
#include <optional>
#include <string_view>

// Skips leading blanks (space, tab), takes an optional "-" or "+", then decimal digits,
// or hexadecimal digits after a "$", "x", "X", "0x" or "0X" prefix. Reading stops at the
// first character that does not fit; the value read so far is returned, and a leading
// "-" is applied only when the whole text was read. Text without leading digits gives 0.
// It never fails. Values beyond the 32-bit range saturate: the magnitude is capped at
// 2147483647 (2147483648 when negated), so a long run of digits gives INT32_MAX or
// INT32_MIN and never wraps round to a small number.
std::int32_t LenientStrToInt(std::string_view text);

// The same reading, accepted only when the whole text (blanks around it allowed) is one
// number with at least one digit and nothing left over: "12", " 0x10 ", "$1F". Text
// such as "12abc", "1O", "0x" or "" gives nothing.
std::optional<std::int32_t> WholeTextToInt(std::string_view text);
