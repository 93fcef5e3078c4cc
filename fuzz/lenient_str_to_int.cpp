// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the lenient reading of operator-typed numbers (station address, baud rate).
#include "device/lenient_str_to_int.h"
#include "fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

// The value of a text made only of blanks, an optional sign and decimal digits, with
// the magnitude saturated as documented; false for any other text.
bool PlainDecimal(std::string_view text, std::int64_t& value)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), std::int64_t{1} << 40);
    }
    value = negative ? -std::min<std::int64_t>(magnitude, 2147483648LL) : std::min<std::int64_t>(magnitude, 2147483647LL);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int32_t value = LenientStrToInt(text);

    std::int64_t expected = 0;
    if (PlainDecimal(text, expected)) FUZZ_CHECK(value == expected, "plain decimal text read wrongly");

    // A text read from the start with no sign keeps its value when a character that can
    // continue no number follows it.
    if (!text.empty() && text.front() >= '1' && text.front() <= '9') {
        const std::string longer = std::string(text) + "#";
        FUZZ_CHECK(LenientStrToInt(longer) == value, "a trailing stop character changed the value");
    }
    return 0;
}
