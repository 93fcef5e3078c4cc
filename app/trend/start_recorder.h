// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the motor's starts in the samples and keeps a record of each (see start_record.h).
// A record starts when a sample shows the motor running after one that showed it
// stopped, with the samples of the few seconds before; it ends when the output has been
// at full for the hold time, when the motor stops, or after the longest record. The last
// ten records are kept.

#include "app/trend/start_record.h"
#include "app/trend/trend_history.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

class StartRecorder {
public:
    static constexpr std::int64_t BeforeStartMs = 5000;
    static constexpr std::int64_t FullOutputHoldMs = 3000;
    static constexpr std::int64_t LongestRecordMs = 120'000;
    static constexpr std::size_t KeptRecords = 10;
    static constexpr std::size_t MaxSamplesPerRecord = 4096;

    enum class Change { None, Started, Ended };

    // A new sample; `history` holds the samples before it (the few seconds before a start
    // come from there).
    Change AddSample(const TrendSample& sample, const TrendHistory& history);

    // The operator's run command went out at this time.
    void RunCommandSent(std::int64_t atMs);

    // Time moves on without a sample (a request went out): ends a record past the longest.
    Change AdvanceTo(std::int64_t nowMs);

    bool Recording() const { return current_.has_value(); }
    const std::optional<StartRecord>& Current() const { return current_; }
    // Finished records, oldest first.
    const std::deque<StartRecord>& Records() const { return records_; }

private:
    void Begin(const TrendSample& sample, const TrendHistory& history);
    bool Ends(const TrendSample& sample);
    void Finish(RecordEnd end);

    std::optional<TrendSample> previous_;
    std::optional<std::int64_t> runCommandMs_;
    std::optional<std::int64_t> fullOutputSinceMs_;
    std::optional<StartRecord> current_;
    std::deque<StartRecord> records_;
    int started_ = 0;
};
