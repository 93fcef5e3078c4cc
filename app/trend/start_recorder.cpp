// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/start_recorder.h"

void StartRecorder::RunCommandSent(std::int64_t atMs)
{
    runCommandMs_ = atMs;
}

StartRecorder::Change StartRecorder::AddSample(const TrendSample& sample, const TrendHistory& history)
{
    if (previous_ && sample.atMs < previous_->atMs) return Change::None;   // never backwards
    const bool started = previous_ && !previous_->Running() && sample.Running();
    Change change = Change::None;
    if (started && !current_) {
        Begin(sample, history);
        change = Change::Started;
    } else if (current_) {
        if (current_->samples.size() < MaxSamplesPerRecord) current_->samples.push_back(sample);
        current_->endMs = sample.atMs;
        if (Ends(sample)) change = Change::Ended;
    }
    previous_ = sample;
    return change;
}

void StartRecorder::Begin(const TrendSample& sample, const TrendHistory& history)
{
    StartRecord record;
    record.number = ++started_;
    // The run command counts as the start only if it went out after the read that last
    // found the motor stopped.
    const std::int64_t stoppedReadMs = previous_->atMs - previous_->roundTripMs;
    record.startFromCommand = runCommandMs_ && *runCommandMs_ >= stoppedReadMs && *runCommandMs_ <= sample.atMs;
    record.startMs = record.startFromCommand ? *runCommandMs_ : sample.atMs;
    record.samples = history.Between(record.startMs - BeforeStartMs, sample.atMs);
    record.samples.push_back(sample);
    record.endMs = sample.atMs;
    fullOutputSinceMs_.reset();
    current_ = std::move(record);
    Ends(sample);
}

bool StartRecorder::Ends(const TrendSample& sample)
{
    if (!sample.Running()) {
        Finish(RecordEnd::MotorStopped);
        return true;
    }
    if (sample.outputTenths < FullOutputTenths) {
        fullOutputSinceMs_.reset();
    } else if (!fullOutputSinceMs_) {
        fullOutputSinceMs_ = sample.atMs;
    } else if (sample.atMs - *fullOutputSinceMs_ >= FullOutputHoldMs) {
        Finish(RecordEnd::FullOutput);
        return true;
    }
    if (sample.atMs - current_->startMs >= LongestRecordMs) {
        Finish(RecordEnd::TooLong);
        return true;
    }
    return false;
}

StartRecorder::Change StartRecorder::AdvanceTo(std::int64_t nowMs)
{
    if (!current_ || nowMs - current_->startMs < LongestRecordMs) return Change::None;
    Finish(RecordEnd::TooLong);
    return Change::Ended;
}

void StartRecorder::Finish(RecordEnd end)
{
    current_->end = end;
    records_.push_back(std::move(*current_));
    current_.reset();
    if (records_.size() > KeptRecords) records_.pop_front();
}
