// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/trend_session.h"

#include "device/device_link.h"

#include <QTimer>

TrendSession::TrendSession(DeviceLink& link, const WallClockAnchor& clock, QObject* parent)
    : QObject(parent), link_(link), clock_(clock)
{
    feed_.onSample = [this] { emit SampleAdded(); };
    // The feed is told from inside the link, which must not be called back: the reading
    // mode changes once the link's call has returned.
    feed_.onRecordChange = [this](StartRecorder::Change) {
        runCommandPending_ = false;
        QMetaObject::invokeMethod(this, [this] { ApplyFollow(); }, Qt::QueuedConnection);
        emit RecordsChanged();
    };
    feed_.onRunCommand = [this] {
        runCommandPending_ = true;
        const int command = ++runCommands_;
        QMetaObject::invokeMethod(this, [this] { ApplyFollow(); }, Qt::QueuedConnection);
        QTimer::singleShot(RunCommandWaitMs, this, [this, command] {
            if (command != runCommands_) return;   // a later command waits its own time
            runCommandPending_ = false;
            ApplyFollow();
        });
    };
    link_.AddObserver(&feed_);
}

TrendSession::~TrendSession()
{
    link_.RemoveObserver(&feed_);
    if (followChosen_) link_.SetFollowBlock0(false);
}

void TrendSession::SetFollowTheStart(bool on)
{
    followChosen_ = on;
    ApplyFollow();
}

void TrendSession::ApplyFollow()
{
    // Only the operator's choice turns it on; switching it off is always safe.
    const bool follow = followChosen_ && (recorder_.Recording() || runCommandPending_);
    if (follow != link_.FollowingBlock0()) link_.SetFollowBlock0(follow);
}
