// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Watches the device link and turns what it sees into the trend: a sample from every
// decoded block 0, with the time it arrived; markers for the operator's run and stop
// commands, the run state's changes and every alarm bit that rose; and the start
// records. It sends nothing and never calls back into the link.

#include "app/trend/start_recorder.h"
#include "app/trend/trend_history.h"
#include "device/link_observer.h"

#include <functional>
#include <optional>

class TrendFeed : public LinkObserver {
public:
    TrendFeed(TrendHistory& history, StartRecorder& recorder) : history_(history), recorder_(recorder) {}

    // Told after each new sample, and when a record starts or ends.
    std::function<void()> onSample;
    std::function<void(StartRecorder::Change)> onRecordChange;
    // Told when the operator's run command went out (a start may follow).
    std::function<void()> onRunCommand;

    void RequestSent(const RequestSentEvent& event) override;
    void BlockJudged(const BlockJudgedEvent& event) override;

private:
    void MarkChanges(const TrendSample& sample);
    void Tell(StartRecorder::Change change);

    TrendHistory& history_;
    StartRecorder& recorder_;
    std::optional<TrendSample> last_;
};
