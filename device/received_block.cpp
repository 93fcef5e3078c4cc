// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/received_block.h"

#include "device/frame_codec.h"

namespace {

constexpr std::uint8_t ExceptionBit = 0x80;
constexpr std::uint8_t ReadReplyByteCount = 20;

bool ValidFrame(std::span<const std::uint8_t> block, std::size_t length)
{
    return block.size() >= length && HasValidCrc(block.data(), length);
}

bool IsReadReply(std::span<const std::uint8_t> block)
{
    return block.size() >= ReceivedBlock::ReadReplyLength && block[1] == ReadHoldingRegistersFunction &&
           block[2] == ReadReplyByteCount && ValidFrame(block, ReceivedBlock::ReadReplyLength);
}

bool IsExceptionReply(std::span<const std::uint8_t> block)
{
    return block.size() >= ReceivedBlock::ExceptionReplyLength && (block[1] & ExceptionBit) != 0 &&
           ValidFrame(block, ReceivedBlock::ExceptionReplyLength);
}

bool IsWriteFrame(std::span<const std::uint8_t> block)
{
    return block.size() >= ReceivedBlock::WriteFrameLength && block[1] == WriteSingleRegisterFunction &&
           ValidFrame(block, ReceivedBlock::WriteFrameLength);
}

// The length a frame of this function would have from the polled station.
std::size_t ExpectedLength(std::uint8_t function)
{
    if (function == ReadHoldingRegistersFunction) return ReceivedBlock::ReadReplyLength;
    if (function == WriteSingleRegisterFunction) return ReceivedBlock::WriteFrameLength;
    return ReceivedBlock::ExceptionReplyLength;
}

bool IsLinkFunction(std::uint8_t function)
{
    const auto plain = static_cast<std::uint8_t>(function & ~ExceptionBit);
    return plain == ReadHoldingRegistersFunction || plain == WriteSingleRegisterFunction;
}

} // namespace

ReceivedBlock ClassifyBlock(std::span<const std::uint8_t> block, std::optional<std::uint8_t> polledStation)
{
    ReceivedBlock result;
    if (block.size() < 2) return result;   // too short to say whose it is: noise
    result.station = block[0];
    if (IsReadReply(block)) {
        result.shape = ReceivedBlock::Shape::ReadReply;
        result.length = ReceivedBlock::ReadReplyLength;
        for (std::size_t i = 0; i < result.registers.size(); ++i)
            result.registers[i] = static_cast<std::uint16_t>((block[3 + 2 * i] << 8) | block[4 + 2 * i]);
        return result;
    }
    if (IsWriteFrame(block)) {
        result.shape = ReceivedBlock::Shape::WriteFrame;
        result.length = ReceivedBlock::WriteFrameLength;
        return result;
    }
    if (IsExceptionReply(block)) {
        result.shape = ReceivedBlock::Shape::ExceptionReply;
        result.length = ReceivedBlock::ExceptionReplyLength;
        result.function = block[1];
        result.exceptionCode = block[2];
        return result;
    }
    if (polledStation && block[0] == *polledStation && IsLinkFunction(block[1])) {
        result.shape = ReceivedBlock::Shape::Damaged;
        result.damage = block.size() < ExpectedLength(block[1]) ? DamageKind::Incomplete : DamageKind::CrcError;
        return result;
    }
    result.station = 0;
    return result;
}
