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

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// What the lenient rule reads from text: the value, where reading stopped and whether
// any digit was read.
struct Reading {
    std::int32_t value = 0;
    std::size_t end = 0;
    bool anyDigit = false;
};

Reading Read(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }

    int base = 10;
    pos = SkipRadixPrefix(text, pos, base);

    std::uint64_t magnitude = 0;   // kept at or below MagnitudeCap, so it never overflows
    const std::size_t firstDigit = pos;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) break;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > MagnitudeCap) magnitude = MagnitudeCap;
    }

    Reading reading{0, pos, pos > firstDigit};
    const bool wholeTextRead = pos == text.size();
    if (negative && wholeTextRead)
        reading.value = static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    else
        reading.value = static_cast<std::int32_t>(magnitude >= MagnitudeCap ? MagnitudeCap - 1 : magnitude);
    return reading;
}

} // namespace

std::int32_t LenientStrToInt(std::string_view text) { return Read(text).value; }

std::optional<std::int32_t> WholeTextToInt(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    text = text.substr(0, end);
    const Reading reading = Read(text);
    if (!reading.anyDigit || reading.end != text.size()) return std::nullopt;
    return reading.value;
}
