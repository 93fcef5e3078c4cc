// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend of a console session: it watches the device link from the moment it is made,
// keeps the history and the start records, and switches the link's "follow the start"
// reading on while a record runs, if the operator has chosen it: from the operator's run
// command (the start of a record begun from the console), or else from the first reply
// showing the motor running, to the record's end; a run command that no start follows
// within RunCommandWaitMs switches it off again. It writes nothing to disk and, unless
// following the start is chosen, changes nothing on the line.

#include "app/trend/start_recorder.h"
#include "app/trend/trend_feed.h"
#include "app/trend/trend_history.h"
#include "app/trend/wall_clock.h"

#include <QObject>

class DeviceLink;

class TrendSession : public QObject {
    Q_OBJECT

public:
    static constexpr int RunCommandWaitMs = 5000;

    TrendSession(DeviceLink& link, const WallClockAnchor& clock, QObject* parent = nullptr);
    ~TrendSession() override;

    const TrendHistory& History() const { return history_; }
    const StartRecorder& Recorder() const { return recorder_; }
    const WallClockAnchor& Clock() const { return clock_; }

    // The operator's choice: read block 0 as fast as the device answers while a record runs.
    void SetFollowTheStart(bool on);
    bool FollowTheStart() const { return followChosen_; }

signals:
    void SampleAdded();
    void RecordsChanged();

private:
    void ApplyFollow();

    DeviceLink& link_;
    WallClockAnchor clock_;
    TrendHistory history_;
    StartRecorder recorder_;
    TrendFeed feed_{history_, recorder_};
    bool followChosen_ = false;
    bool runCommandPending_ = false;   // a run command went out and no record has started since
    int runCommands_ = 0;
};
