// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/modbus_slave.h"

#include "device/frame_codec.h"

namespace {

constexpr std::size_t FixedRequestLength = 8;

std::uint16_t Word(const std::vector<std::uint8_t>& frame, std::size_t at)
{
    return static_cast<std::uint16_t>((frame[at] << 8) | frame[at + 1]);
}

} // namespace

ModbusSlave::ModbusSlave(SoftStarterModel& model, std::uint8_t address) : model_(model), address_(address) {}

std::optional<std::vector<std::uint8_t>> ModbusSlave::Answer(const std::vector<std::uint8_t>& request)
{
    if (request.size() < 4 || !HasValidCrc(request.data(), request.size())) return std::nullopt;
    const std::uint8_t station = request[0];
    if (station != address_ && station != BroadcastAddress) return std::nullopt;

    std::optional<std::vector<std::uint8_t>> reply;
    switch (request[1]) {
    case ReadHoldingRegistersFunction:
        if (station == BroadcastAddress) return std::nullopt;   // reads are never broadcast
        reply = ReadHoldingRegisters(request);
        break;
    case WriteSingleRegisterFunction: reply = WriteSingleRegister(request); break;
    default: reply = Exception(request[1], IllegalFunction); break;
    }
    if (station == BroadcastAddress) return std::nullopt;
    return reply;
}

std::optional<std::vector<std::uint8_t>> ModbusSlave::ReadHoldingRegisters(const std::vector<std::uint8_t>& request)
{
    if (request.size() != FixedRequestLength) return std::nullopt;
    const int start = Word(request, 2);
    const int count = Word(request, 4);
    // A count outside 1..125 is a bad value; a range outside the registers, a bad address.
    if (count < 1 || count > 125) return Exception(request[1], IllegalDataValue);
    if (start + count > SoftStarterModel::RegisterCount || start / RegistersPerBlock == rejectedBlock_)
        return Exception(request[1], IllegalDataAddress);
    std::vector<std::uint8_t> reply{address_, request[1], static_cast<std::uint8_t>(2 * count)};
    for (int n = start; n < start + count; ++n) {
        const std::uint16_t value = model_.Register(n);
        reply.push_back(static_cast<std::uint8_t>(value >> 8));
        reply.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }
    return WithCrc(std::move(reply));
}

std::optional<std::vector<std::uint8_t>> ModbusSlave::WriteSingleRegister(const std::vector<std::uint8_t>& request)
{
    if (request.size() != FixedRequestLength) return std::nullopt;
    if (!model_.Write(Word(request, 2), Word(request, 4))) return Exception(request[1], IllegalDataAddress);
    return request;   // a write is acknowledged by echoing it
}

std::vector<std::uint8_t> ModbusSlave::Exception(std::uint8_t function, std::uint8_t code) const
{
    return WithCrc({address_, static_cast<std::uint8_t>(function | 0x80), code});
}
