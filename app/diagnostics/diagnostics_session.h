// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the diagnostics window shows, kept for as long as the main window lives: the
// link statistics (counted all the time and reset when the port is opened) and the
// traffic history (recorded only while the window is open). Both observe the main
// window's device link and never touch the line.

#include "app/diagnostics/link_statistics.h"
#include "app/diagnostics/traffic_log.h"
#include "app/diagnostics/traffic_recorder.h"

#include <QObject>

#include <cstdint>
#include <functional>

class DeviceLink;
class QWidget;

class DiagnosticsSession : public QObject {
    Q_OBJECT

public:
    // Observes the link from now on, until the session goes; it must go before the link.
    DiagnosticsSession(DeviceLink& link, QObject* parent);
    ~DiagnosticsSession() override;

    // The counters start again from nothing (the port has been opened).
    void ResetStatistics() { statistics_.Reset(); }

    const LinkStatistics& Statistics() const { return statistics_; }
    const TrafficLog& Log() const { return log_; }
    void ClearLog() { log_.Clear(); }

    // Records traffic while on; told by the window as it is shown and hidden.
    void SetMonitoring(bool on) { recorder_.SetEnabled(on); }
    bool Monitoring() const { return recorder_.Enabled(); }

    // Told of every line recorded, after it is in the log (the window's view).
    std::function<void(const TrafficEntry&)> OnEntry;

    // The link's clock now (the block ages are measured on it).
    static std::int64_t LinkNowMs();

    // The diagnostics window on this session (the menu owns it).
    QWidget* MakeWindow();

private:
    void Record(const TrafficEntry& entry);

    DeviceLink& link_;
    LinkStatistics statistics_;
    TrafficLog log_;
    TrafficRecorder recorder_;
};
