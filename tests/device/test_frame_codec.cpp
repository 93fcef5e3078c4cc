// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/frame_codec.h"
#include "device/lenient_str_to_int.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

std::uint16_t ReflectedCrcOfSingleByte(std::uint8_t byte)
{
    std::uint16_t c = byte;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? static_cast<std::uint16_t>((c >> 1) ^ 0xA001) : static_cast<std::uint16_t>(c >> 1);
    return c;
}

std::vector<std::uint8_t> Bytes(const RequestFrame& frame) { return {frame.begin(), frame.end()}; }

} // namespace

TEST(FrameCodec, CrcTablesMatchReflectedPolynomial)
{
    for (int i = 0; i < 256; ++i) {
        const std::uint16_t c = ReflectedCrcOfSingleByte(static_cast<std::uint8_t>(i));
        EXPECT_EQ(CrcHiTable[i], c & 0xFF) << "entry " << i;
        EXPECT_EQ(CrcLoTable[i], c >> 8) << "entry " << i;
    }
    EXPECT_EQ(CrcHiTable[1], 0xC1);
    EXPECT_EQ(CrcLoTable[4], 0xC3);
}

TEST(FrameCodec, Crc16ReferenceValues)
{
    EXPECT_EQ(Crc16(nullptr, 0), 0xFFFF);
    const std::string digits = "123456789";
    EXPECT_EQ(Crc16(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()), 0x374B);
    const std::uint8_t request[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A};
    EXPECT_EQ(Crc16(request, sizeof request), 0xC5CD);

    const auto framed = WithCrc({0x01, 0x03, 0x00, 0x00, 0x00, 0x0A});
    EXPECT_TRUE(HasValidCrc(framed.data(), framed.size()));
    auto corrupted = framed;
    corrupted[3] ^= 0x01;
    EXPECT_FALSE(HasValidCrc(corrupted.data(), corrupted.size()));
    EXPECT_FALSE(HasValidCrc(framed.data(), 2));
}

TEST(FrameCodec, RequestFrames)
{
    EXPECT_EQ(Bytes(BuildReadRequest(1, 0, 10)), (std::vector<std::uint8_t>{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}));
    EXPECT_EQ(Bytes(BuildReadRequest(1, 10, 10)), (std::vector<std::uint8_t>{0x01, 0x03, 0x00, 0x0A, 0x00, 0x0A, 0xE5, 0xCF}));
    EXPECT_EQ(Bytes(BuildReadRequest(1, 20, 10)), (std::vector<std::uint8_t>{0x01, 0x03, 0x00, 0x14, 0x00, 0x0A, 0x85, 0xC9}));
    EXPECT_EQ(Bytes(BuildWriteRequest(1, 0, 0, 1)), (std::vector<std::uint8_t>{0x01, 0x06, 0x00, 0x00, 0x00, 0x01, 0x48, 0x0A}));
    EXPECT_EQ(Bytes(BuildWriteRequest(1, 1, 0x01, 0x5E)), (std::vector<std::uint8_t>{0x01, 0x06, 0x00, 0x01, 0x01, 0x5E, 0x58, 0x62}));
}

TEST(FrameCodec, HexTextRoundTripAndLooseInput)
{
    const auto frame = BuildReadRequest(0xAB, 20, 10);
    const std::string text = BytesToHexText(frame.data(), frame.size());
    EXPECT_EQ(text.substr(0, 12), "AB030014000A");
    EXPECT_EQ(text.size(), 16u);
    EXPECT_EQ(HexTextToBytes(text), Bytes(frame));

    EXPECT_EQ(HexTextToBytes("01 03 0A"), (std::vector<std::uint8_t>{0x01, 0x03, 0x0A}));
    EXPECT_EQ(HexTextToBytes("1G2"), (std::vector<std::uint8_t>{0x01, 0x02}));
    EXPECT_TRUE(HexTextToBytes("").empty());
    EXPECT_TRUE(HexTextToBytes("ghij -- zz").empty());
    EXPECT_EQ(HexTextToBytes("ff00"), (std::vector<std::uint8_t>{0xFF, 0x00}));
    // pairs at fixed steps of two from where the skip stopped
    EXPECT_EQ(HexTextToBytes("abc"), (std::vector<std::uint8_t>{0xAB, 0x0C}));
    EXPECT_EQ(HexTextToBytes("A"), (std::vector<std::uint8_t>{0x0A}));
}

TEST(LenientStrToInt, ReadsWhatTheOperatorTypes)
{
    EXPECT_EQ(LenientStrToInt("255"), 255);
    EXPECT_EQ(LenientStrToInt("300"), 300);
    EXPECT_EQ(LenientStrToInt(""), 0);
    EXPECT_EQ(LenientStrToInt("12ab"), 12);
    EXPECT_EQ(LenientStrToInt("$1F"), 0x1F);
    EXPECT_EQ(LenientStrToInt("0x1f"), 0x1F);
    EXPECT_EQ(LenientStrToInt("X10"), 16);
    EXPECT_EQ(LenientStrToInt("   42"), 42);
    EXPECT_EQ(LenientStrToInt("+7"), 7);
    EXPECT_EQ(LenientStrToInt("-7"), -7);
    EXPECT_EQ(LenientStrToInt("-$10"), -16);
    // the sign applies only when the whole text was read
    EXPECT_EQ(LenientStrToInt("-7 "), 7);
    EXPECT_EQ(LenientStrToInt("-12ab"), 12);
}

TEST(LenientStrToInt, GarbageAndHugeTextsGiveDefinedValues)
{
    EXPECT_EQ(LenientStrToInt("abc"), 0);
    EXPECT_EQ(LenientStrToInt("-"), 0);
    EXPECT_EQ(LenientStrToInt("$"), 0);
    EXPECT_EQ(LenientStrToInt("0x"), 0);
    EXPECT_EQ(LenientStrToInt("\xff\xfe\x01"), 0);
    EXPECT_EQ(LenientStrToInt(std::string_view("1\0" "2", 3)), 1);
    EXPECT_EQ(LenientStrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(LenientStrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(LenientStrToInt("2147483648"), INT32_MAX);
    // saturates instead of wrapping: 2^32 + 1 must not read as station 1
    EXPECT_EQ(LenientStrToInt("4294967297"), INT32_MAX);
    EXPECT_EQ(LenientStrToInt(std::string(5000, '9')), INT32_MAX);
    EXPECT_EQ(LenientStrToInt("-" + std::string(5000, '9')), INT32_MIN);
    EXPECT_EQ(LenientStrToInt("$" + std::string(100, 'F')), INT32_MAX);
    EXPECT_EQ(LenientStrToInt(std::string(300, '9') + "x"), INT32_MAX);
}
