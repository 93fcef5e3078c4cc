// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record of one motor start and its figures.
//
// The start is the operator's run command when one went out after the read whose reply
// last showed the motor stopped; otherwise it is the arrival of the first sample that shows
// it running (then the start is known only to within one sampling period). The ramp ends
// at the arrival of the first sample at full output (100.0 %), so the ramp time is late
// by up to one sampling period: three seconds in the usual cycle, the device's reply
// time while following the start.

#include "app/trend/trend_sample.h"

#include <cstdint>
#include <optional>
#include <vector>

enum class RecordEnd {
    Running,       // the record is still being taken
    FullOutput,    // output held at full for the hold time
    MotorStopped,  // the motor stopped (before or after reaching full output)
    TooLong,       // full output never held within the longest record
};

struct StartRecord {
    int number = 0;                    // 1, 2, ... in the session
    std::int64_t startMs = 0;          // see above
    bool startFromCommand = false;     // the start is the operator's run command
    std::int64_t endMs = 0;            // the last sample's arrival
    RecordEnd end = RecordEnd::Running;
    std::vector<TrendSample> samples;  // from a few seconds before the start to the end
};

struct RecordFigures {
    std::optional<std::int64_t> rampTimeMs;             // start to the first sample at full output
    std::optional<std::uint16_t> currentAtRampEndTenths;
    std::uint16_t peakCurrentTenths = 0;                // highest current from the start on
    std::int64_t peakCurrentAtMs = 0;                   // when it was first seen
    int temperatureRiseC = 0;                           // last sample's less the one before the start
};

constexpr std::uint16_t FullOutputTenths = 1000;

RecordFigures FiguresOf(const StartRecord& record);
