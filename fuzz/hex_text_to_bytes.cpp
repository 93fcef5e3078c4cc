// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the hex text conversion every request passes through.
#include "device/frame_codec.h"
#include "fuzz/fuzz_check.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::uint8_t> bytes = HexTextToBytes(text);

    std::size_t digits = 0;
    for (char c : text) digits += std::isxdigit(static_cast<unsigned char>(c)) ? 1 : 0;
    FUZZ_CHECK(bytes.size() <= digits, "more bytes than hex digits");
    FUZZ_CHECK(bytes.size() >= (digits + 1) / 2, "fewer bytes than digit pairs");

    // Any bytes survive the trip through their hex text unchanged (as every request does).
    const std::string hex = BytesToHexText(data, size);
    FUZZ_CHECK(hex.size() == 2 * size, "hex text is not two digits per byte");
    FUZZ_CHECK(HexTextToBytes(hex) == std::vector<std::uint8_t>(data, data + size), "round trip changed the bytes");
    return 0;
}
