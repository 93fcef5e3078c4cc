// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/trend_feed.h"

namespace {

constexpr int AlarmBits = 9;
constexpr int RunStateRegister = 0;

} // namespace

void TrendFeed::RequestSent(const RequestSentEvent& event)
{
    if (event.kind == LinkRequestKind::Write && event.reg == RunStateRegister && event.sent) {
        const bool run = (event.value & 1u) != 0;
        history_.AddMarker({event.atMs, run ? TrendMarkerKind::RunCommand : TrendMarkerKind::StopCommand, -1});
        if (run) {
            recorder_.RunCommandSent(event.atMs);
            if (onRunCommand) onRunCommand();
        }
    }
    Tell(recorder_.AdvanceTo(event.atMs));
}

void TrendFeed::BlockJudged(const BlockJudgedEvent& event)
{
    if (event.verdict != BlockVerdict::Decoded || event.block != 0) return;
    const TrendSample sample = TrendSample::FromBlock0(event.atMs, event.roundTripMs, event.registers);
    if (last_ && sample.atMs < last_->atMs) return;
    MarkChanges(sample);
    const StartRecorder::Change change = recorder_.AddSample(sample, history_);
    history_.Add(sample);
    last_ = sample;
    if (onSample) onSample();
    Tell(change);
}

void TrendFeed::MarkChanges(const TrendSample& sample)
{
    if (!last_) return;
    if (sample.Running() != last_->Running())
        history_.AddMarker({sample.atMs, sample.Running() ? TrendMarkerKind::MotorStarted : TrendMarkerKind::MotorStopped, -1});
    const unsigned rose = sample.alarms & ~last_->alarms;
    for (int bit = 0; bit < AlarmBits; ++bit)
        if (rose & (1u << bit)) history_.AddMarker({sample.atMs, TrendMarkerKind::AlarmRose, bit});
}

void TrendFeed::Tell(StartRecorder::Change change)
{
    if (change != StartRecorder::Change::None && onRecordChange) onRecordChange(change);
}
