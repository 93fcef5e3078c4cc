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
// A write pending for more display ticks than this expires: it holds polling back for
// 1.5 to 2 s, longer than a read's reply window (one poll period).
constexpr int WriteExpiryTicks = 3;

// Registers mirrored from the device: 0..12, 14, 15 and 20..24.
constexpr std::array<bool, DeviceLink::RegisterCount> KeptRegisters = [] {
    std::array<bool, DeviceLink::RegisterCount> kept{};
    for (int n = 0; n < DeviceLink::RegisterCount; ++n)
        kept[static_cast<std::size_t>(n)] = n <= 12 || n == 14 || n == 15 || (n >= 20 && n <= 24);
    return kept;
}();

std::uint16_t WordAt(const std::uint8_t* bytes, std::size_t at)
{
    return static_cast<std::uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

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
    const auto address = WholeTextToInt(host_.StationAddressText());
    if (!address || *address < 1 || *address > 255) return std::nullopt;
    return static_cast<std::uint8_t>(*address);
}

void DeviceLink::AddObserver(LinkObserver* observer)
{
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void DeviceLink::RemoveObserver(LinkObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

template <typename Event>
void DeviceLink::Notify(void (LinkObserver::*method)(const Event&), const Event& event)
{
    for (LinkObserver* observer : observers_) (observer->*method)(event);
}

void DeviceLink::SetLamp(bool lit)
{
    host_.SetCommunicationLamp(lit);
    if (lit == lampLit_) return;
    lampLit_ = lit;
    Notify(&LinkObserver::LampChanged, LampChangedEvent{host_.MonotonicMs(), lit});
}

void DeviceLink::GiveUpPastHorizon(std::int64_t nowMs)
{
    for (const RequestInFlight& request : inFlight_.GiveUpPastHorizon(nowMs)) {
        RequestGivenUpEvent event{nowMs, LinkRequestKind::Read, request.block, -1, 0, request.sentAtMs};
        if (request.kind == RequestInFlight::Kind::Write) {
            event = {nowMs, LinkRequestKind::Write, -1, request.frame[3], WordAt(request.frame.data(), 4), request.sentAtMs};
        }
        Notify(&LinkObserver::RequestGivenUp, event);
    }
}

void DeviceLink::AdvanceBlockIfDone()
{
    // While a read for the current block might still be answered, asking for another
    // block would leave a reply that could answer either.
    if (inFlight_.OutstandingReads() > 0) return;
    if (followBlock0_) {
        replyBuffer_[BlockIndexByte] = 0;
        replyBuffer_[BlockDoneByte] = 0;
        return;
    }
    if (replyBuffer_[BlockDoneByte] != 1) return;
    int next = replyBuffer_[BlockIndexByte] + 1;
    if (next >= BlockCount) next = 0;
    replyBuffer_[BlockIndexByte] = static_cast<std::uint8_t>(next);
    replyBuffer_[BlockDoneByte] = 0;
}

void DeviceLink::SetFollowBlock0(bool on)
{
    followBlock0_ = on;
    // The first read goes out at once when nothing might still be answered.
    if (on) FollowUpWithNextRead();
}

bool DeviceLink::FollowReadWithinReplyWindow(std::int64_t nowMs) const
{
    return followBlock0_ && readAwaitingReply_ && nowMs - lastReadSentMs_ < FollowReplyWindowMs;
}

void DeviceLink::FollowUpWithNextRead()
{
    AdvanceBlockIfDone();
    if (!followBlock0_ || !host_.CommunicationTicked() || writePending_) return;
    if (replyBuffer_[BlockDoneByte] == 1 || inFlight_.OutstandingReads() > 0) return;
    SendReadRequest(0, RegistersPerBlock);
}

void DeviceLink::Timer1Timer()
{
    const std::int64_t now = host_.MonotonicMs();
    GiveUpPastHorizon(now);
    // Following the start, a read sent just before this tick still has its reply window.
    if (FollowReadWithinReplyWindow(now)) return;
    AdvanceBlockIfDone();
    // A read still unanswered at the next tick means the device has stopped
    // answering; the lamp must not keep showing stale values as live.
    if (readAwaitingReply_) SetLamp(false);

    if (host_.CommunicationTicked() && !writePending_) {
        // A done block that could not move on waits for its reads in flight.
        if (replyBuffer_[BlockDoneByte] == 1 || !inFlight_.HasRoomForRead()) return;
        const auto start = static_cast<std::uint8_t>(replyBuffer_[BlockIndexByte] * RegistersPerBlock);
        SendReadRequest(start, RegistersPerBlock);
    } else {
        readAwaitingReply_ = false;
        SetLamp(false);
    }
}

void DeviceLink::SendReadRequest(std::uint8_t start, std::uint8_t count)
{
    const auto address = StationAddress();
    if (!address) {
        // No valid station: never fall back to the broadcast address.
        readAwaitingReply_ = false;
        SetLamp(false);
        return;
    }
    const RequestFrame frame = BuildReadRequest(*address, start, count);
    const std::int64_t now = host_.MonotonicMs();
    const bool sent = host_.SendData(frame.data(), static_cast<std::uint16_t>(frame.size()));
    const int block = start / RegistersPerBlock;
    Notify(&LinkObserver::RequestSent, RequestSentEvent{now, LinkRequestKind::Read, block, -1, 0, frame, sent});
    if (sent) {
        inFlight_.Add({RequestInFlight::Kind::Read, block, frame, now});
        lastStation_ = *address;
        readAwaitingReply_ = true;
        lastReadSentMs_ = now;
    } else {
        // Nothing went out (the port is closed): no reply can come.
        readAwaitingReply_ = false;
        SetLamp(false);
    }
    host_.Pause(ReadPauseMs);
}

bool DeviceLink::SendWriteRequest()
{
    const auto address = StationAddress();
    if (!address) return false;
    const RequestFrame frame =
        BuildWriteRequest(*address, pendingWrite_.Register, pendingWrite_.ValueHi, pendingWrite_.ValueLo);
    const std::int64_t now = host_.MonotonicMs();
    const bool sent = host_.SendData(frame.data(), static_cast<std::uint16_t>(frame.size()));
    Notify(&LinkObserver::RequestSent, RequestSentEvent{now, LinkRequestKind::Write, -1, pendingWrite_.Register,
                                                        WordAt(frame.data(), 4), frame, sent});
    if (sent) {
        inFlight_.Add({RequestInFlight::Kind::Write, 0, frame, now});
        lastStation_ = *address;
        awaitedWrite_ = frame;
    }
    host_.Pause(WritePauseMs);
    return sent;
}

void DeviceLink::Comm1ReceiveData(const void* Buffer, std::uint16_t BufferLength)
{
    // The frame area holds 255 bytes; anything longer is cut so it cannot reach
    // the poll state bytes that follow it.
    const std::size_t length = Buffer ? std::min<std::size_t>(BufferLength, FrameAreaSize) : 0;
    if (length > 0) std::memcpy(replyBuffer_.data(), Buffer, length);

    const std::int64_t now = host_.MonotonicMs();
    const std::span<const std::uint8_t> delivered(static_cast<const std::uint8_t*>(Buffer), Buffer ? BufferLength : 0u);
    Notify(&LinkObserver::BlockReceived, BlockReceivedEvent{now, delivered});
    GiveUpPastHorizon(now);

    JudgeFrames(std::span<const std::uint8_t>(replyBuffer_.data(), length), delivered, now);
    ClearFrameArea();
    if (followBlock0_) FollowUpWithNextRead();
}

void DeviceLink::JudgeFrames(std::span<const std::uint8_t> frameArea, std::span<const std::uint8_t> delivered,
                             std::int64_t now)
{
    // The leading frame (or the noise the block is) always gets a verdict; each frame that
    // follows a frame gets one of its own, and whatever else follows is let go, shown with
    // the last verdict.
    std::size_t at = 0;
    ReceivedBlock block = ClassifyBlock(frameArea, lastStation_);
    for (;;) {
        const auto rest = frameArea.subspan(at);
        std::optional<ReceivedBlock> next;
        if (block.IsFrame()) {
            ReceivedBlock after = ClassifyBlock(rest.subspan(block.length), lastStation_);
            if (after.IsFrame()) next = after;
        }
        BlockJudgedEvent event;
        event.atMs = now;
        event.station = block.station;
        event.bytes = delivered.subspan(at, next ? block.length : delivered.size() - at);
        JudgeBlock(block, rest, event);
        Notify(&LinkObserver::BlockJudged, event);
        if (!next) return;
        at += block.length;
        block = *next;
    }
}

void DeviceLink::JudgeBlock(const ReceivedBlock& block, std::span<const std::uint8_t> bytes, BlockJudgedEvent& event)
{
    using Shape = ReceivedBlock::Shape;
    if (block.IsFrame() && FromOtherStation(block.station)) {
        AnswersNothing({}, event);
        event.reason = UnansweredReason::OtherStation;
        return;
    }
    switch (block.shape) {
    case Shape::ReadReply: JudgeReadReply(block, event); return;
    case Shape::WriteFrame: JudgeWriteFrame(bytes, event); return;
    case Shape::ExceptionReply: JudgeException(block, event); return;
    case Shape::Damaged:
    case Shape::Noise:
        // No valid frame answers nothing: its request may still get its real reply.
        ++replyCounts_.Rejected;
        event.verdict = block.shape == Shape::Damaged ? BlockVerdict::Damaged : BlockVerdict::Noise;
        event.damage = block.damage;
        SetLamp(false);
        return;
    }
}

bool DeviceLink::FromOtherStation(std::uint8_t station) const
{
    // A station no request went to (any recent one, the one last polled or the one
    // chosen now) cannot be answering this link: its values are another device's.
    return !inFlight_.AnyRequestTo(station) && lastStation_ != station && StationAddress() != station;
}

std::optional<std::int64_t> DeviceLink::NewestCandidateSentAt(std::uint8_t station, std::uint8_t function,
                                                              const RequestFrame* echo) const
{
    std::optional<std::int64_t> newest;
    for (const RequestInFlight& request : inFlight_.Requests()) {
        const bool candidate = echo ? request.frame == *echo
                                    : request.Station() == station && request.frame[1] == function;
        if (candidate) newest = request.sentAtMs;   // the table is in the order of sending
    }
    return newest;
}

void DeviceLink::JudgeReadReply(const ReceivedBlock& block, BlockJudgedEvent& event)
{
    const auto newest = NewestCandidateSentAt(block.station, ReadHoldingRegistersFunction, nullptr);
    const ReplyMatch match = inFlight_.MatchReadReply(block.station);
    if (match.outcome != ReplyMatch::Outcome::Answered) {
        AnswersNothing(match, event);
        return;
    }
    event.verdict = BlockVerdict::Decoded;
    event.block = match.request.block;
    event.roundTripMs = event.atMs - match.request.sentAtMs;
    event.newestRoundTripMs = event.atMs - newest.value_or(match.request.sentAtMs);
    event.registers = block.registers;
    DecodeAnswer(match.request.block, block.registers);
}

void DeviceLink::JudgeWriteFrame(std::span<const std::uint8_t> bytes, BlockJudgedEvent& event)
{
    RequestFrame frame{};
    std::copy_n(bytes.begin(), frame.size(), frame.begin());
    const auto newest = NewestCandidateSentAt(0, 0, &frame);
    const ReplyMatch match = inFlight_.MatchWriteEcho(frame);
    if (match.outcome != ReplyMatch::Outcome::Answered) {
        AnswersNothing(match, event);
        return;
    }
    event.verdict = BlockVerdict::WriteEcho;
    event.roundTripMs = event.atMs - match.request.sentAtMs;
    event.newestRoundTripMs = event.atMs - newest.value_or(match.request.sentAtMs);
    event.reg = frame[3];
    event.value = WordAt(frame.data(), 4);
    if (awaitedWrite_ == frame) {
        writePending_ = false;
        awaitedWrite_.reset();
    }
}

void DeviceLink::JudgeException(const ReceivedBlock& block, BlockJudgedEvent& event)
{
    const auto function = static_cast<std::uint8_t>(block.function & 0x7F);
    const auto newest = NewestCandidateSentAt(block.station, function, nullptr);
    const ReplyMatch match = inFlight_.MatchException(block.station, function);
    if (match.outcome != ReplyMatch::Outcome::Answered) {
        AnswersNothing(match, event);
        return;
    }
    ++replyCounts_.Exceptions;
    event.verdict = BlockVerdict::ExceptionReply;
    event.roundTripMs = event.atMs - match.request.sentAtMs;
    event.newestRoundTripMs = event.atMs - newest.value_or(match.request.sentAtMs);
    event.function = block.function;
    event.exceptionCode = block.exceptionCode;
    // The device refused the request: nothing to show as live, but it has answered.
    SetLamp(false);
    if (match.request.kind == RequestInFlight::Kind::Read) {
        event.block = match.request.block;
        readAwaitingReply_ = false;
        if (match.request.block == replyBuffer_[BlockIndexByte]) replyBuffer_[BlockDoneByte] = 1;
    } else if (awaitedWrite_ == match.request.frame) {
        writePending_ = false;
        awaitedWrite_.reset();
    }
}

void DeviceLink::AnswersNothing(const ReplyMatch& match, BlockJudgedEvent& event)
{
    ++replyCounts_.Dropped;
    event.verdict = BlockVerdict::Unanswered;
    switch (match.outcome) {
    case ReplyMatch::Outcome::Ambiguous: event.reason = UnansweredReason::Ambiguous; break;
    case ReplyMatch::Outcome::LateBeyondHorizon: event.reason = UnansweredReason::LateBeyondHorizon; break;
    default: event.reason = UnansweredReason::NoRequestInFlight; break;
    }
    SetLamp(false);
}

void DeviceLink::DecodeAnswer(int block, const BlockRegisters& registers)
{
    ++replyCounts_.Decoded;
    readAwaitingReply_ = false;
    SetLamp(true);
    DecodeBlock(block, registers);
    // Only the answer for the block being polled moves the cycle on; an earlier
    // block's late answer still carries that block's true values.
    if (block == replyBuffer_[BlockIndexByte]) replyBuffer_[BlockDoneByte] = 1;
    if (block == 2) host_.SetMemo12Text("0");   // no register feeds this display value
}

void DeviceLink::DecodeBlock(int block, const BlockRegisters& registers)
{
    for (int i = 0; i < RegistersPerBlock; ++i) {
        const int number = block * RegistersPerBlock + i;
        if (IsKeptRegister(number)) registerState_[static_cast<std::size_t>(number)] = registers[static_cast<std::size_t>(i)];
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
        // The write stays in flight until the horizon, so its late echo is still known.
        writePending_ = false;
        replyBuffer_[WriteWaitTicksByte] = 0;
    }
}

void DeviceLink::IssueWrite(std::uint8_t reg, std::uint16_t value)
{
    writePending_ = true;
    replyBuffer_[WriteWaitTicksByte] = 0;   // a new write waits its full time
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
