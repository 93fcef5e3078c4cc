// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One decoded reply of block 0 as the trend keeps it, and the events marked on the trend.

#include <algorithm>
#include <array>
#include <cstdint>

struct TrendSample {
    std::int64_t atMs = 0;               // the link's monotonic time of the reply's arrival
    std::uint16_t outputTenths = 0;      // register 4: output, tenths of a percent
    std::uint16_t currentTenths = 0;     // register 5: current, tenths of an ampere
    std::uint16_t temperatureC = 0;      // register 6: degrees Celsius
    std::uint16_t runState = 0;          // register 0: bit 0 set while running
    std::uint16_t alarms = 0;            // register 7: alarm bits 0-8
    std::int32_t roundTripMs = 0;        // from the read it answers: that read went out at atMs - roundTripMs

    bool Running() const { return (runState & 1u) != 0; }

    // The sample a decoded block 0 carries.
    static TrendSample FromBlock0(std::int64_t atMs, std::int64_t roundTripMs, const std::array<std::uint16_t, 10>& registers)
    {
        const auto roundTrip = static_cast<std::int32_t>(std::clamp<std::int64_t>(roundTripMs, 0, 3'600'000));
        return {atMs, registers[4], registers[5], registers[6], registers[0], registers[7], roundTrip};
    }
};

enum class TrendMarkerKind {
    RunCommand,     // the operator's run command went out
    StopCommand,    // the operator's stop command went out
    MotorStarted,   // the device's run state went from stopped to running
    MotorStopped,   // and back
    AlarmRose,      // an alarm bit went from clear to set
};

struct TrendMarker {
    std::int64_t atMs = 0;
    TrendMarkerKind kind = TrendMarkerKind::RunCommand;
    int alarmBit = -1;   // AlarmRose: 0..8
};
