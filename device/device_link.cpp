// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/device_link.h"

#include "device/frame_codec.h"
#include "device/lenient_str_to_int.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int BlockCount = 3;
constexpr std::uint8_t RegistersPerBlock = 10;
constexpr int ReadReplyCrcOffset = 23;   // CRC over bytes 0..22, then hi at 23, lo at 24
constexpr int ReadReplyDataOffset = 3;
constexpr std::size_t ReadReplyLength = 25;
constexpr int WriteExpiryTicks = 3;      // a write pending for more ticks than this expires

// Registers mirrored from the device: 0..12, 14, 15 and 20..24.
constexpr std::array<bool, DeviceLink::RegisterCount> KeptRegisters = [] {
    std::array<bool, DeviceLink::RegisterCount> kept{};
    for (int n = 0; n < DeviceLink::RegisterCount; ++n)
        kept[static_cast<std::size_t>(n)] = n <= 12 || n == 14 || n == 15 || (n >= 20 && n <= 24);
    return kept;
}();

} // namespace

DeviceLink::DeviceLink(DeviceLinkHost& host) : host_(host) {}

bool DeviceLink::IsKeptRegister(int number)
{
    return number >= 0 && number < RegisterCount && KeptRegisters[static_cast<std::size_t>(number)];
}

std::optional<std::uint16_t> DeviceLink::KnobValue(double position)
{
    if (!std::isfinite(position)) return std::nullopt;
    double rounded = std::round(position);   // halves away from zero
    if (std::fabs(position - std::trunc(position)) == 0.5 && std::fmod(rounded, 2.0) != 0.0)
        rounded -= std::copysign(1.0, position);   // ties go to the even neighbour
    // fmod is exact, so this is the true low 16 bits of the integer, whatever its size.
    double low = std::fmod(rounded, 65536.0);
    if (low < 0) low += 65536.0;
    return static_cast<std::uint16_t>(low);
}

std::optional<std::uint8_t> DeviceLink::StationAddress() const
{
    const std::int32_t address = LenientStrToInt(host_.StationAddressText());
    if (address < 1 || address > 255) return std::nullopt;
    return static_cast<std::uint8_t>(address);
}

void DeviceLink::AdvanceBlockIfDone()
{
    if (replyBuffer_[BlockDoneByte] != 1) return;
    // While an earlier request for the done block is still in flight, its answer may yet
    // come: asking for the next block now would leave a reply that could answer either.
    if (inFlight_.OutstandingReads() > 0) return;
    int next = replyBuffer_[BlockIndexByte] + 1;
    if (next >= BlockCount) next = 0;
    replyBuffer_[BlockIndexByte] = static_cast<std::uint8_t>(next);
    replyBuffer_[BlockDoneByte] = 0;
}

void DeviceLink::Timer1Timer()
{
    inFlight_.Expire(host_.MonotonicMs());
    AdvanceBlockIfDone();
    // A read still unanswered at the next tick means the device has stopped
    // answering; the lamp must not keep showing stale values as live.
    if (readAwaitingReply_) host_.SetCommunicationLamp(false);

    if (host_.CommunicationTicked() && !writePending_) {
        // A done block that could not move on waits for its requests in flight.
        if (replyBuffer_[BlockDoneByte] == 1) return;
        const auto start = static_cast<std::uint8_t>(replyBuffer_[BlockIndexByte] * RegistersPerBlock);
        SendReadRequest(start, RegistersPerBlock);
    } else {
        readAwaitingReply_ = false;
        host_.SetCommunicationLamp(false);
    }
}

void DeviceLink::SendReadRequest(std::uint8_t start, std::uint8_t count)
{
    const auto address = StationAddress();
    if (!address) {
        // No valid station: never fall back to the broadcast address.
        readAwaitingReply_ = false;
        host_.SetCommunicationLamp(false);
        return;
    }
    const RequestFrame frame = BuildReadRequest(*address, start, count);
    if (host_.SendData(frame.data(), static_cast<std::uint16_t>(frame.size()))) {
        inFlight_.Add({RequestInFlight::Kind::Read, start / RegistersPerBlock, frame, host_.MonotonicMs()});
        readAwaitingReply_ = true;
    } else {
        // Nothing went out (the port is closed): no reply can come.
        readAwaitingReply_ = false;
        host_.SetCommunicationLamp(false);
    }
    host_.Pause(ReadPauseMs);
}

bool DeviceLink::SendWriteRequest()
{
    const auto address = StationAddress();
    if (!address) return false;
    const RequestFrame frame =
        BuildWriteRequest(*address, pendingWrite_.Register, pendingWrite_.ValueHi, pendingWrite_.ValueLo);
    const bool sent = host_.SendData(frame.data(), static_cast<std::uint16_t>(frame.size()));
    if (sent) inFlight_.Add({RequestInFlight::Kind::Write, 0, frame, host_.MonotonicMs()});
    host_.Pause(WritePauseMs);
    return sent;
}

void DeviceLink::Comm1ReceiveData(const void* Buffer, std::uint16_t BufferLength)
{
    // The frame area holds 255 bytes; anything longer is cut so it cannot reach
    // the poll state bytes that follow it.
    const std::size_t length = Buffer ? std::min<std::size_t>(BufferLength, FrameAreaSize) : 0;
    if (length > 0) std::memcpy(replyBuffer_.data(), Buffer, length);

    // Each block is matched to the request it answers (see RequestsInFlight).
    const std::int64_t now = host_.MonotonicMs();
    if (IsReadReply(length)) {
        const auto block = inFlight_.MatchReadReply(now);
        if (block) {
            DecodeAnswer(*block);
        } else {
            ++replyCounts_.Dropped;   // no read to answer, or no telling which block it holds
        }
    } else if (inFlight_.MatchWriteEcho(replyBuffer_.data(), length, now)) {
        writePending_ = false;
    } else {
        ++replyCounts_.Rejected;
        inFlight_.MatchDamagedBlock(now);
        host_.SetCommunicationLamp(false);
    }
    ClearFrameArea();
}

bool DeviceLink::IsReadReply(std::size_t length) const
{
    // A shorter block cannot be a read reply. Checking the CRC alone is not enough:
    // any short frame with a valid CRC of its own (a write echo, an exception reply)
    // leaves the CRC register at zero, and the zeroed bytes after it then "match".
    // Bytes after the 25th (noise following the reply in the same block) are ignored.
    if (length < ReadReplyLength) return false;
    if (replyBuffer_[1] != ReadHoldingRegistersFunction || replyBuffer_[2] != 2 * RegistersPerBlock) return false;
    const std::uint16_t crc = Crc16(replyBuffer_.data(), ReadReplyCrcOffset);
    const std::uint16_t received = static_cast<std::uint16_t>(
        (replyBuffer_[ReadReplyCrcOffset] << 8) | replyBuffer_[ReadReplyCrcOffset + 1]);
    return crc == received;
}

void DeviceLink::DecodeAnswer(int block)
{
    ++replyCounts_.Decoded;
    readAwaitingReply_ = false;
    host_.SetCommunicationLamp(true);
    DecodeBlock(block);
    // Only the answer for the block being polled moves the cycle on; an earlier
    // block's late answer still carries that block's true values.
    if (block == replyBuffer_[BlockIndexByte]) replyBuffer_[BlockDoneByte] = 1;
    if (block == 2) host_.SetMemo12Text("0");   // no register feeds this display value
}

void DeviceLink::DecodeBlock(int block)
{
    for (int i = 0; i < RegistersPerBlock; ++i) {
        const int number = block * RegistersPerBlock + i;
        // The kept-register table is read directly rather than through a call to
        // IsKeptRegister: GCC 12.2 at -O1 and above deleted this whole function's call
        // when its loop called that (const) function between the loads and stores.
        if (number < 0 || number >= RegisterCount || !KeptRegisters[static_cast<std::size_t>(number)]) continue;
        const int at = ReadReplyDataOffset + 2 * i;
        registerState_[static_cast<std::size_t>(number)] =
            static_cast<std::uint32_t>(replyBuffer_[at]) * 256u + replyBuffer_[at + 1];
    }
}

void DeviceLink::ClearFrameArea()
{
    std::fill(replyBuffer_.begin(), replyBuffer_.begin() + FrameAreaSize, std::uint8_t{0});
}

void DeviceLink::WriteExpiryStep()
{
    if (!writePending_) {
        replyBuffer_[WriteWaitTicksByte] = 0;
        return;
    }
    ++replyBuffer_[WriteWaitTicksByte];
    if (replyBuffer_[WriteWaitTicksByte] > WriteExpiryTicks) {
        writePending_ = false;
        inFlight_.ForgetWrites();
        replyBuffer_[WriteWaitTicksByte] = 0;
    }
}

void DeviceLink::IssueWrite(std::uint8_t reg, std::uint16_t value)
{
    writePending_ = true;
    pendingWrite_.Register = reg;
    pendingWrite_.ValueHi = static_cast<std::uint8_t>(value >> 8);
    pendingWrite_.ValueLo = static_cast<std::uint8_t>(value & 0xFF);
    if (host_.CommunicationTicked()) SendWriteRequest();
}

void DeviceLink::KnobClick(int registerNumber, double position)
{
    if (registerNumber < 1 || registerNumber > 3) return;   // only the three setting knobs write
    const auto value = KnobValue(position);
    if (!value) return;   // a position that is no number writes nothing
    IssueWrite(static_cast<std::uint8_t>(registerNumber), *value);
}

void DeviceLink::SwitchChange(const std::string& switchCaption)
{
    if (switchCaption == "STOP") {
        IssueWrite(0, 0);
        host_.SetMemo13Text("1111");
    } else if (switchCaption == "RUN") {
        IssueWrite(0, 1);
        host_.SetMemo13Text("3333");
    }
}

std::uint32_t DeviceLink::Register(int number) const
{
    if (number < 0 || number >= RegisterCount) return 0;
    return registerState_[static_cast<std::size_t>(number)];
}

const std::array<std::uint8_t, 258>& DeviceLink::ReplyBuffer() const { return replyBuffer_; }
int DeviceLink::BlockIndex() const { return replyBuffer_[BlockIndexByte]; }
bool DeviceLink::BlockDone() const { return replyBuffer_[BlockDoneByte] == 1; }
int DeviceLink::WriteWaitTicks() const { return replyBuffer_[WriteWaitTicksByte]; }
bool DeviceLink::WritePending() const { return writePending_; }
const PendingWriteContents& DeviceLink::PendingWrite() const { return pendingWrite_; }
