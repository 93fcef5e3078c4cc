// SPDX-License-Identifier: GPL-3.0-or-later
// Start records from sample sequences: when a record starts and ends, its figures, and
// the bounds on what the trend keeps.
#include "app/trend/start_recorder.h"
#include "app/trend/trend_history.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// A sample: time, run state, output and current in tenths, temperature.
TrendSample At(std::int64_t ms, bool running, int output, int current = 0, int temperature = 25)
{
    return {ms, static_cast<std::uint16_t>(output), static_cast<std::uint16_t>(current),
            static_cast<std::uint16_t>(temperature), static_cast<std::uint16_t>(running ? 1 : 0), 0};
}

struct Step {
    std::int64_t ms;
    bool running;
    int output;
    int current;
    int temperature;
    bool runCommand = false;   // a run command goes out at `ms` instead of a sample
    int roundTripMs = 0;       // the sample answers a read sent this long before it came
};

// Stopped at 0, 3, 6 s; a start at 7 s whose ramp (ten seconds, 30 % to 100 %) is read
// every second; full output held from 17 s.
std::vector<Step> RampReadEverySecond(bool withCommand)
{
    std::vector<Step> steps{{0, false, 0, 0, 25}, {3000, false, 0, 0, 25}, {6000, false, 0, 0, 25}};
    if (withCommand) steps.push_back({7000, false, 0, 0, 0, true});
    for (int s = 0; s <= 13; ++s) {
        const int output = std::min(1000, 300 + 70 * s);
        steps.push_back({7200 + 1000 * s, true, output, output / 2 + (s == 4 ? 300 : 0), 25 + s});
    }
    return steps;
}

struct RecordRow {
    std::string name;
    std::vector<Step> steps;
    std::int64_t advanceToMs = -1;          // time moves on after the steps (a request went out)
    int records;                            // finished records
    bool recording;                         // one still running
    std::int64_t startMs = 0;
    bool fromCommand = false;
    RecordEnd end = RecordEnd::Running;
    std::optional<std::int64_t> rampMs{};
    int peakCurrent = 0;
    std::int64_t peakAtMs = 0;
    std::optional<int> currentAtRampEnd{};
    int temperatureRise = 0;
    std::size_t samples = 0;
};

class StartRecords : public ::testing::TestWithParam<RecordRow> {};

TEST_P(StartRecords, StartEndAndFiguresFollowTheSamples)
{
    const RecordRow& row = GetParam();
    TrendHistory history;
    StartRecorder recorder;
    int started = 0, ended = 0;
    for (const Step& step : row.steps) {
        if (step.runCommand) {
            recorder.RunCommandSent(step.ms);
            continue;
        }
        TrendSample sample = At(step.ms, step.running, step.output, step.current, step.temperature);
        sample.roundTripMs = step.roundTripMs;
        const auto change = recorder.AddSample(sample, history);
        history.Add(sample);
        started += change == StartRecorder::Change::Started;
        ended += change == StartRecorder::Change::Ended;
    }
    if (row.advanceToMs >= 0) ended += recorder.AdvanceTo(row.advanceToMs) == StartRecorder::Change::Ended;

    ASSERT_EQ(static_cast<int>(recorder.Records().size()), row.records);
    EXPECT_EQ(recorder.Recording(), row.recording);
    EXPECT_EQ(started, row.records + (row.recording ? 1 : 0));
    EXPECT_EQ(ended, row.records);
    if (row.records == 0 && !row.recording) return;
    const StartRecord& record = row.recording ? *recorder.Current() : recorder.Records().back();
    EXPECT_EQ(record.startMs, row.startMs);
    EXPECT_EQ(record.startFromCommand, row.fromCommand);
    EXPECT_EQ(record.end, row.end);
    EXPECT_EQ(record.samples.size(), row.samples);
    const RecordFigures figures = FiguresOf(record);
    EXPECT_EQ(figures.rampTimeMs, row.rampMs);
    EXPECT_EQ(figures.peakCurrentTenths, row.peakCurrent);
    EXPECT_EQ(figures.peakCurrentAtMs, row.peakAtMs);
    EXPECT_EQ(figures.currentAtRampEndTenths ? std::optional<int>(*figures.currentAtRampEndTenths) : std::nullopt,
              row.currentAtRampEnd);
    EXPECT_EQ(figures.temperatureRiseC, row.temperatureRise);
}

std::vector<Step> Concat(std::vector<Step> a, const std::vector<Step>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, StartRecords,
    ::testing::Values(
        // Full output first at 17.2 s, held 3 s at 20.2 s: the record ends there. The
        // samples of the 5 s before the start (3 and 6 s) come along.
        RecordRow{.name = "RunCommandStartsTheRamp", .steps = RampReadEverySecond(true), .records = 1, .recording = false,
                  .startMs = 7000, .fromCommand = true, .end = RecordEnd::FullOutput, .rampMs = 10200, .peakCurrent = 590,
                  .peakAtMs = 11200, .currentAtRampEnd = 500, .temperatureRise = 13, .samples = 2 + 14},
        RecordRow{.name = "StartedAtTheDeviceCountsFromTheFirstRunningSample", .steps = RampReadEverySecond(false),
                  .records = 1, .recording = false, .startMs = 7200, .end = RecordEnd::FullOutput, .rampMs = 10000,
                  .peakCurrent = 590, .peakAtMs = 11200, .currentAtRampEnd = 500, .temperatureRise = 13, .samples = 2 + 14},
        // A command older than the last stopped sample is not this start's.
        RecordRow{.name = "AnEarlierCommandIsNotTheStart",
                  .steps = {{500, false, 0, 0, 25, true}, {1000, false, 0, 0, 25}, {4000, true, 300, 150, 26}},
                  .records = 0, .recording = true, .startMs = 4000, .peakCurrent = 150, .peakAtMs = 4000,
                  .temperatureRise = 1, .samples = 2},
        // A reply to a read sent before the command still shows the motor stopped.
        RecordRow{.name = "AStoppedReplyAfterTheCommandBelongsBeforeTheStart",
                  .steps = {{0, false, 0, 0, 30}, {1000, false, 0, 0, 0, true}, {1100, false, 0, 0, 30, false, 200},
                            {2000, true, 400, 200, 31}, {3000, false, 300, 150, 32}},
                  .records = 1, .recording = false, .startMs = 1000, .fromCommand = true, .end = RecordEnd::MotorStopped,
                  .peakCurrent = 200, .peakAtMs = 2000, .temperatureRise = 2, .samples = 4},
        RecordRow{.name = "FirstSampleAlreadyRunningIsNoStart", .steps = {{0, true, 1000, 500, 60}, {3000, true, 1000, 500, 60}},
                  .records = 0, .recording = false},
        // Output falls back below full before the hold time: the hold starts again.
        RecordRow{.name = "HoldRestartsWhenOutputDips",
                  .steps = {{0, false, 0, 0, 25}, {1000, true, 1000, 500, 25}, {3000, true, 990, 495, 25},
                            {4000, true, 1000, 500, 25}, {6000, true, 1000, 500, 25}, {7000, true, 1000, 500, 25}},
                  .records = 1, .recording = false, .startMs = 1000, .end = RecordEnd::FullOutput, .rampMs = 0,
                  .peakCurrent = 500, .peakAtMs = 1000, .currentAtRampEnd = 500, .samples = 6},
        // Never at full: ended by time passing (requests going out), without a ramp time.
        RecordRow{.name = "NeverAtFullEndsAfterTheLongestRecord",
                  .steps = {{0, false, 0, 0, 25}, {1000, true, 500, 250, 25}, {50'000, true, 600, 300, 40}},
                  .advanceToMs = 1000 + StartRecorder::LongestRecordMs, .records = 1, .recording = false, .startMs = 1000,
                  .end = RecordEnd::TooLong, .peakCurrent = 300, .peakAtMs = 50'000, .temperatureRise = 15, .samples = 3},
        // Two starts: each is its own record.
        RecordRow{.name = "StopAndStartAgainMakesTwoRecords",
                  .steps = Concat(RampReadEverySecond(true), {{30'000, false, 800, 400, 30}, {33'000, false, 0, 0, 29},
                                                              {34'000, false, 0, 0, 0, true}, {34'100, true, 300, 150, 29}}),
                  .records = 1, .recording = true, .startMs = 34'000, .fromCommand = true, .peakCurrent = 150,
                  .peakAtMs = 34'100, .samples = 3}),
    [](const ::testing::TestParamInfo<RecordRow>& info) { return info.param.name; });

TEST(StartRecorder, KeepsTheLastTenRecordsAndBoundsEachRecord)
{
    TrendHistory history;
    StartRecorder recorder;
    std::int64_t t = 0;
    const auto add = [&](bool running, int output, int stepMs = 100) {
        const TrendSample sample = At(t += stepMs, running, output);
        recorder.AddSample(sample, history);
        history.Add(sample);
    };
    for (int start = 0; start < 11; ++start) {
        add(false, 0);
        add(true, 500);
    }
    add(false, 0);
    ASSERT_EQ(recorder.Records().size(), StartRecorder::KeptRecords);
    EXPECT_EQ(recorder.Records().front().number, 2);
    EXPECT_EQ(recorder.Records().back().number, 11);

    // A record of a device answering every 10 ms keeps at most its bound of samples.
    add(true, 500);
    for (std::size_t i = 0; i < StartRecorder::MaxSamplesPerRecord + 50; ++i) add(true, 500, 10);
    ASSERT_TRUE(recorder.Recording());
    EXPECT_EQ(recorder.Current()->samples.size(), StartRecorder::MaxSamplesPerRecord);
}

TEST(TrendHistory, KeepsItsCapacityDropsTheOldestAndNeverGoesBackInTime)
{
    TrendHistory history;
    for (std::size_t i = 0; i < TrendHistory::SampleCapacity + 10; ++i) history.Add(At(static_cast<std::int64_t>(i), false, 0));
    EXPECT_EQ(history.Samples().size(), TrendHistory::SampleCapacity);
    EXPECT_EQ(history.Samples().front().atMs, 10);
    history.Add(At(5, true, 1000));   // older than the newest: ignored
    EXPECT_EQ(history.Samples().back().atMs, static_cast<std::int64_t>(TrendHistory::SampleCapacity + 9));
    for (std::size_t i = 0; i < TrendHistory::MarkerCapacity + 3; ++i)
        history.AddMarker({static_cast<std::int64_t>(i), TrendMarkerKind::AlarmRose, 1});
    EXPECT_EQ(history.Markers().size(), TrendHistory::MarkerCapacity);
    EXPECT_LE(history.MemoryBytes(), 4u * 1024 * 1024);

    const auto between = history.Between(1000, 1003);
    ASSERT_EQ(between.size(), 3u);
    EXPECT_EQ(between.front().atMs, 1000);
    EXPECT_TRUE(history.Between(5000, 1000).empty());
}

} // namespace
