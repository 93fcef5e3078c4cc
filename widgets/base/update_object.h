// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The shared timer that issues repaints a widget held back by its frame-rate
// throttle: once a second it repaints every registered widget whose repaint is
// pending, whose update bracket is closed and whose frame interval has passed.
// The timer runs only while some widget has a repaint pending: a widget that holds
// one back wakes it, and a tick that finds none pending lets it sleep, so a window
// whose widgets do not throttle costs no wake-ups.

#include <QObject>
#include <QTimer>
#include <vector>

// What the update object asks of a widget.
class TiUpdateClient {
public:
    virtual bool IsUpdateBracketOpen() const = 0;  // whether the widget holds its repaints in an update bracket
    virtual bool IsRepaintPending() const = 0;  // whether the widget waits for a repaint
    virtual int GetUpdateFrameRate() const = 0;  // the most repaints per second the widget wants
    virtual double GetLastRepaintTime() const = 0;  // time of the widget's last repaint, in days
    virtual void RepaintNow() = 0;  // repaints the widget now

protected:
    ~TiUpdateClient() = default;
};

// The shared timer that issues the repaints the widgets' frame-rate throttle held back.
class TiUpdateObject : public QObject {
    Q_OBJECT

public:
    // The one instance, created on first use and freed when the application ends.
    static TiUpdateObject& Instance();
    // The instance if it exists and the application has not ended, else null.
    static TiUpdateObject* InstanceIfAlive();

    void AddComponent(TiUpdateClient* component);  // registers a widget
    void RemoveComponent(TiUpdateClient* component);  // unregisters a widget (its destructor does)

    // Starts the timer, unless it runs already or no widget is registered; called when
    // a widget holds back a repaint.
    void Wake();

    // One timer tick (public so tests need not wait a second).
    void Tick();
    bool IsTimerActive() const { return timer_.isActive(); }  // whether the timer runs
    int ComponentCount() const { return static_cast<int>(components_.size()); }  // number of registered widgets

private:
    TiUpdateObject();

    QTimer timer_;
    std::vector<TiUpdateClient*> components_;
};
