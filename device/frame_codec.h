// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Modbus RTU frame codec: CRC-16, the function 03 / 06 request layouts and the
// hex text conversion used to show and re-read frames.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Entry i of CrcHiTable is the low byte, entry i of CrcLoTable the high byte, of the
// reflected CRC-16 (polynomial 0xA001, zero start register) of the single byte i.
extern const std::array<std::uint8_t, 256> CrcHiTable;
extern const std::array<std::uint8_t, 256> CrcLoTable;

// Modbus CRC-16 (start 0xFFFF, reflected 0xA001, no final XOR), returned as
// (hi << 8) | lo where hi is the byte sent first on the wire. Empty input gives 0xFFFF.
std::uint16_t Crc16(const std::uint8_t* data, std::size_t count);

// Each byte as two upper-case hexadecimal digits, concatenated.
std::string BytesToHexText(const std::uint8_t* bytes, std::size_t count);

// Reads hexadecimal digit pairs from text, skipping any character that is not a hex
// digit before a pair; a lone digit followed by a non-digit gives a byte of its own.
std::vector<std::uint8_t> HexTextToBytes(std::string_view text);

constexpr std::size_t RequestFrameLength = 8;
using RequestFrame = std::array<std::uint8_t, RequestFrameLength>;

constexpr std::uint8_t ReadHoldingRegistersFunction = 0x03;
constexpr std::uint8_t WriteSingleRegisterFunction = 0x06;

// Function 03 request: address, 03, 00, start, 00, count, CRC (2 bytes).
RequestFrame BuildReadRequest(std::uint8_t address, std::uint8_t start, std::uint8_t count);

// Function 06 request: address, 06, 00, register, value hi, value lo, CRC (2 bytes).
RequestFrame BuildWriteRequest(std::uint8_t address, std::uint8_t reg, std::uint8_t hi, std::uint8_t lo);

// Appends the CRC of data[0..count) to make a complete frame (used by the simulator too).
std::vector<std::uint8_t> WithCrc(std::vector<std::uint8_t> frame);

// True when the last two bytes of frame are the CRC of the bytes before them.
bool HasValidCrc(const std::uint8_t* frame, std::size_t length);
