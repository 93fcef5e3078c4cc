// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/traffic_recorder.h"

#include <chrono>

namespace {

TrafficKind KindOf(BlockVerdict verdict)
{
    switch (verdict) {
    case BlockVerdict::Decoded: return TrafficKind::Decoded;
    case BlockVerdict::WriteEcho: return TrafficKind::WriteEcho;
    case BlockVerdict::ExceptionReply: return TrafficKind::Exception;
    case BlockVerdict::Damaged: return TrafficKind::Damaged;
    case BlockVerdict::Unanswered: return TrafficKind::Unanswered;
    case BlockVerdict::Noise: break;
    }
    return TrafficKind::Noise;
}

}  // namespace

std::int64_t SystemWallClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

TrafficRecorder::TrafficRecorder(Sink sink, WallClock wallClock)
    : sink_(std::move(sink)), wallClock_(std::move(wallClock))
{
}

void TrafficRecorder::SetEnabled(bool enabled)
{
    enabled_ = enabled;
}

TrafficEntry TrafficRecorder::NewEntry(TrafficKind kind) const
{
    TrafficEntry entry;
    entry.kind = kind;
    entry.wallMs = wallClock_();
    return entry;
}

void TrafficRecorder::RequestSent(const RequestSentEvent& event)
{
    if (!enabled_) return;
    TrafficEntry entry = NewEntry(event.kind == LinkRequestKind::Read ? TrafficKind::ReadRequest : TrafficKind::WriteRequest);
    entry.KeepBytes(event.bytes);
    entry.sent = event.sent;
    entry.requestKind = event.kind;
    entry.block = event.block;
    entry.reg = event.reg;
    entry.value = event.value;
    sink_(entry);
}

void TrafficRecorder::BlockJudged(const BlockJudgedEvent& event)
{
    if (!enabled_) return;
    TrafficEntry entry = NewEntry(KindOf(event.verdict));
    entry.KeepBytes(event.bytes);
    entry.block = event.block;
    entry.reg = event.reg;
    entry.value = event.value;
    entry.roundTripMs = event.roundTripMs;
    entry.newestRoundTripMs = event.newestRoundTripMs;
    entry.station = event.station;
    entry.function = event.function;
    entry.exceptionCode = event.exceptionCode;
    entry.damage = event.damage;
    entry.reason = event.reason;
    sink_(entry);
}

void TrafficRecorder::RequestGivenUp(const RequestGivenUpEvent& event)
{
    if (!enabled_) return;
    TrafficEntry entry = NewEntry(TrafficKind::GivenUp);
    entry.requestKind = event.kind;
    entry.block = event.block;
    entry.reg = event.reg;
    entry.value = event.value;
    entry.roundTripMs = event.atMs - event.sentAtMs;
    sink_(entry);
}
