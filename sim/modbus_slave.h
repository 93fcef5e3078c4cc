// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Modbus RTU slave logic of the simulator: judges one request frame and builds the reply.

#include "sim/softstarter_model.h"

#include <cstdint>
#include <optional>
#include <vector>

class ModbusSlave {
public:
    static constexpr std::uint8_t IllegalFunction = 0x01;
    static constexpr std::uint8_t IllegalDataAddress = 0x02;
    static constexpr std::uint8_t IllegalDataValue = 0x03;
    static constexpr int RegistersPerBlock = 10;
    static constexpr std::uint8_t BroadcastAddress = 0;

    ModbusSlave(SoftStarterModel& model, std::uint8_t address);

    // The reply to a complete request frame, or nothing: frames with a bad CRC, for
    // another station, or of a wrong length get no reply; a broadcast write is carried
    // out without a reply.
    std::optional<std::vector<std::uint8_t>> Answer(const std::vector<std::uint8_t>& request);

    std::uint8_t Address() const { return address_; }

    // Reads that start in this block of ten registers (0: 0..9, 1: 10..19, 2: 20..29)
    // get exception 02 instead of their registers; a negative block rejects none.
    void RejectReadsOfBlock(int block) { rejectedBlock_ = block; }

private:
    std::optional<std::vector<std::uint8_t>> ReadHoldingRegisters(const std::vector<std::uint8_t>& request);
    std::optional<std::vector<std::uint8_t>> WriteSingleRegister(const std::vector<std::uint8_t>& request);
    std::vector<std::uint8_t> Exception(std::uint8_t function, std::uint8_t code) const;

    SoftStarterModel& model_;
    std::uint8_t address_;
    int rejectedBlock_ = -1;
};
