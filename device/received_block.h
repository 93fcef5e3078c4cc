// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a block received from the line is, judged by its own bytes alone: a read reply
// of ten registers, a function 06 frame (a write's echo), an exception reply, a reply
// from the polled station that failed its check, or noise. Which request it answers,
// if any, is the matcher's business (RequestsInFlight).
//
// Only a block's leading frame counts: bytes after a complete frame in the same block
// (a stray byte, the start of the next reply) are ignored, as the line gives no way to
// tell them apart from the frame's own tail.

#include "device/link_observer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

struct ReceivedBlock {
    enum class Shape { ReadReply, WriteFrame, ExceptionReply, Damaged, Noise };

    static constexpr std::size_t ReadReplyLength = 25;   // address, 03, 20, ten registers, CRC
    static constexpr std::size_t WriteFrameLength = 8;
    static constexpr std::size_t ExceptionReplyLength = 5;   // address, function | 0x80, code, CRC

    Shape shape = Shape::Noise;
    std::uint8_t station = 0;             // the address byte (all shapes but Noise)
    std::array<std::uint16_t, 10> registers{};   // ReadReply
    std::uint8_t function = 0;            // ExceptionReply: the function code with 0x80 set
    std::uint8_t exceptionCode = 0;       // ExceptionReply
    DamageKind damage = DamageKind::None; // Damaged
};

// Judges a block. A block that is no valid frame counts as Damaged only when it begins
// with the polled station's address and a function code the link uses (03, 06 or their
// exception forms); anything else is Noise.
ReceivedBlock ClassifyBlock(std::span<const std::uint8_t> block, std::optional<std::uint8_t> polledStation);
