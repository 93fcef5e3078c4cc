// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/link_statistics.h"

#include <algorithm>

void LinkStatistics::Reset()
{
    counters_ = {};
    roundTrips_ = {};
    lastDecodedMs_ = {};
}

std::optional<std::int64_t> LinkStatistics::BlockAgeMs(int block, std::int64_t nowMs) const
{
    if (block < 0 || block >= BlockCount) return std::nullopt;
    const auto& last = lastDecodedMs_[static_cast<std::size_t>(block)];
    if (!last) return std::nullopt;
    return std::max<std::int64_t>(0, nowMs - *last);
}

void LinkStatistics::RequestSent(const RequestSentEvent& event)
{
    ++(event.sent ? counters_.requests : counters_.notSent);
}

void LinkStatistics::AddRoundTrip(const BlockJudgedEvent& event)
{
    const std::int64_t ms = event.roundTripMs;
    if (ms < 0) return;
    if (event.newestRoundTripMs >= 0 && event.newestRoundTripMs != ms) {
        ++roundTrips_.uncertain;
        return;
    }
    roundTrips_.lastMs = ms;
    roundTrips_.minMs = roundTrips_.count ? std::min(roundTrips_.minMs, ms) : ms;
    roundTrips_.maxMs = std::max(roundTrips_.maxMs, ms);
    roundTrips_.totalMs += ms;
    ++roundTrips_.count;
}

void LinkStatistics::BlockJudged(const BlockJudgedEvent& event)
{
    switch (event.verdict) {
    case BlockVerdict::Decoded:
        ++counters_.decoded;
        AddRoundTrip(event);
        if (event.block >= 0 && event.block < BlockCount) lastDecodedMs_[static_cast<std::size_t>(event.block)] = event.atMs;
        return;
    case BlockVerdict::WriteEcho:
        ++counters_.writeEchoes;
        AddRoundTrip(event);
        return;
    case BlockVerdict::ExceptionReply:
        ++counters_.exceptions;
        AddRoundTrip(event);
        return;
    case BlockVerdict::Damaged:
        ++(event.damage == DamageKind::Incomplete ? counters_.incomplete : counters_.crcErrors);
        return;
    case BlockVerdict::Unanswered:
        ++counters_.unanswered;
        if (event.reason == UnansweredReason::LateBeyondHorizon) ++counters_.late;
        return;
    case BlockVerdict::Noise:
        ++counters_.noise;
        return;
    }
}

void LinkStatistics::RequestGivenUp(const RequestGivenUpEvent&)
{
    ++counters_.dropped;
}
