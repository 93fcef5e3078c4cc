// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend times its samples by the link's monotonic clock; files carry local wall-clock
// time. The mapping is taken once, when the trend begins, with the local offset from UTC
// of that moment, and used for every time from then on: a file's times are never moved
// by a change of the system clock or of daylight saving time during the session.

#include <cstdint>
#include <string>

struct WallClockAnchor {
    std::int64_t monotonicMs = 0;     // a reading of the link's clock...
    std::int64_t epochMs = 0;         // ...and of the wall clock at the same moment (UTC)
    int utcOffsetSeconds = 0;         // local time's offset from UTC at that moment

    // Now, by the steady clock the link uses and the system clock.
    static WallClockAnchor Now();

    std::int64_t EpochMsOf(std::int64_t monotonicMs) const { return epochMs + (monotonicMs - this->monotonicMs); }

    // ISO 8601 local time with milliseconds and offset: 2026-03-14T09:26:53.589+08:00.
    std::string Iso8601(std::int64_t monotonicMs) const;
};

// ISO 8601 of an instant (milliseconds since 1970 UTC) in local time at this offset.
std::string Iso8601Local(std::int64_t epochMs, int utcOffsetSeconds);
