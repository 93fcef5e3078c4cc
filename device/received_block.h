// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a block received from the line is, judged by its own bytes alone: a read reply
// of ten registers, a function 06 frame (a write's echo), an exception reply, a reply
// from the polled station that failed its check, or noise. Which request it answers,
// if any, is the matcher's business (RequestsInFlight).
//
// A block is judged from its first byte: bytes before a frame make the whole block noise,
// as the line gives no way to tell where a frame would begin among them. Bytes after a
// complete frame are judged again from there (two replies that came back to back); what
// follows a frame without being one itself (a stray byte, half a reply) is ignored.

#include "device/link_observer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// The ten registers a read reply carries, in the order of their numbers.
using BlockRegisters = std::array<std::uint16_t, 10>;

struct ReceivedBlock {
    enum class Shape { ReadReply, WriteFrame, ExceptionReply, Damaged, Noise };

    static constexpr std::size_t ReadReplyLength = 25;   // address, 03, 20, ten registers, CRC
    static constexpr std::size_t WriteFrameLength = 8;
    static constexpr std::size_t ExceptionReplyLength = 5;   // address, function | 0x80, code, CRC

    Shape shape = Shape::Noise;
    std::size_t length = 0;               // ReadReply, WriteFrame, ExceptionReply: the frame's bytes
    std::uint8_t station = 0;             // the address byte (all shapes but Noise)
    BlockRegisters registers{};           // ReadReply
    std::uint8_t function = 0;            // ExceptionReply: the function code with 0x80 set
    std::uint8_t exceptionCode = 0;       // ExceptionReply
    DamageKind damage = DamageKind::None; // Damaged

    bool IsFrame() const { return shape == Shape::ReadReply || shape == Shape::WriteFrame || shape == Shape::ExceptionReply; }
};

// Judges a block. A block that is no valid frame counts as Damaged only when it begins
// with the polled station's address and a function code the link uses (03, 06 or their
// exception forms); anything else is Noise.
ReceivedBlock ClassifyBlock(std::span<const std::uint8_t> block, std::optional<std::uint8_t> polledStation);
