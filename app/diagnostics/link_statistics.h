// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link's counters since the port was opened, from the device link's events: what
// was sent, what came back and what became of it, the round-trip times and how long
// ago each block's values were last decoded. Registered with the link for as long as
// the main window lives; a handful of additions per event.

#include "device/link_observer.h"

#include <array>
#include <cstdint>
#include <optional>

struct LinkCounters {
    std::uint64_t requests = 0;      // requests the port took
    std::uint64_t notSent = 0;       // requests the port did not take (closed)
    std::uint64_t decoded = 0;       // read replies decoded
    std::uint64_t writeEchoes = 0;   // write echoes that answered a write
    std::uint64_t exceptions = 0;    // exception replies that answered a request
    std::uint64_t crcErrors = 0;     // replies from the polled station that failed their CRC
    std::uint64_t incomplete = 0;    // replies from the polled station cut short
    std::uint64_t unanswered = 0;    // valid replies that answered no request (late ones included)
    std::uint64_t late = 0;          // of those: replies to requests already given up
    std::uint64_t noise = 0;         // blocks that were no reply at all
    std::uint64_t dropped = 0;       // requests given up with no reply within the horizon
};

// Round trips of the replies that could answer one request only; a reply that might
// answer several (after a lost or damaged reply, or behind a device slower than the poll)
// has no single round trip and is counted as uncertain.
struct RoundTrips {
    std::uint64_t count = 0;
    std::uint64_t uncertain = 0;
    std::int64_t lastMs = -1;
    std::int64_t minMs = -1;
    std::int64_t maxMs = -1;
    std::int64_t totalMs = 0;
    double MeanMs() const { return count ? static_cast<double>(totalMs) / static_cast<double>(count) : -1.0; }
};

class LinkStatistics : public LinkObserver {
public:
    static constexpr int BlockCount = 3;

    void Reset();

    const LinkCounters& Counters() const { return counters_; }
    const RoundTrips& RoundTrip() const { return roundTrips_; }
    // How long before nowMs (the link's clock) the block was last decoded; nothing when
    // it has not been since the reset.
    std::optional<std::int64_t> BlockAgeMs(int block, std::int64_t nowMs) const;

    void RequestSent(const RequestSentEvent& event) override;
    void BlockJudged(const BlockJudgedEvent& event) override;
    void RequestGivenUp(const RequestGivenUpEvent& event) override;

private:
    void AddRoundTrip(const BlockJudgedEvent& event);

    LinkCounters counters_;
    RoundTrips roundTrips_;
    std::array<std::optional<std::int64_t>, BlockCount> lastDecodedMs_{};
};
