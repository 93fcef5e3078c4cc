// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns the device link's events into traffic monitor lines. It stays registered with
// the link as long as the main window lives and records only while enabled (while the
// monitor is open), so a closed monitor costs one test per event.

#include "app/diagnostics/traffic_entry.h"
#include "device/link_observer.h"

#include <cstdint>
#include <functional>
#include <vector>

class TrafficRecorder : public LinkObserver {
public:
    using Sink = std::function<void(const TrafficEntry&)>;
    using WallClock = std::function<std::int64_t()>;   // milliseconds since the epoch

    TrafficRecorder(Sink sink, WallClock wallClock);

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

    void RequestSent(const RequestSentEvent& event) override;
    void BlockJudged(const BlockJudgedEvent& event) override;
    void RequestGivenUp(const RequestGivenUpEvent& event) override;

private:
    TrafficEntry NewEntry(TrafficKind kind) const;

    Sink sink_;
    WallClock wallClock_;
    bool enabled_ = false;
};

// The wall clock of this machine in milliseconds since the epoch.
std::int64_t SystemWallClockMs();
