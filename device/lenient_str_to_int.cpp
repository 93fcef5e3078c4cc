// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/lenient_str_to_int.h"

#include <cstddef>

namespace {

constexpr std::uint64_t MagnitudeCap = 2147483648ULL;   // |INT32_MIN|

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    return value < base ? value : -1;
}

// Position after an optional hexadecimal prefix at pos, and the base it selects.
std::size_t SkipRadixPrefix(std::string_view text, std::size_t pos, int& base)
{
    base = 10;
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
        base = 16;
        return pos + 1;
    }
    if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        return pos + 2;
    }
    return pos;
}

} // namespace

std::int32_t LenientStrToInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }

    int base = 10;
    pos = SkipRadixPrefix(text, pos, base);

    std::uint64_t magnitude = 0;   // kept at or below MagnitudeCap, so it never overflows
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) break;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > MagnitudeCap) magnitude = MagnitudeCap;
    }

    const bool wholeTextRead = pos == text.size();
    if (negative && wholeTextRead)
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    return static_cast<std::int32_t>(magnitude >= MagnitudeCap ? MagnitudeCap - 1 : magnitude);
}
