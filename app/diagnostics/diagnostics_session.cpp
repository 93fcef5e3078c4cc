// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/diagnostics_session.h"

#include "app/diagnostics/diagnostics_window.h"
#include "device/device_link.h"

#include <chrono>

DiagnosticsSession::DiagnosticsSession(DeviceLink& link, QObject* parent)
    : QObject(parent), link_(link), recorder_([this](const TrafficEntry& entry) { Record(entry); }, SystemWallClockMs)
{
    link_.AddObserver(&statistics_);
    link_.AddObserver(&recorder_);
}

DiagnosticsSession::~DiagnosticsSession()
{
    link_.RemoveObserver(&recorder_);
    link_.RemoveObserver(&statistics_);
}

std::int64_t DiagnosticsSession::LinkNowMs()
{
    // The clock the main window gives the link (DeviceLinkHost::MonotonicMs).
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void DiagnosticsSession::Record(const TrafficEntry& entry)
{
    log_.Add(entry);
    if (OnEntry) OnEntry(entry);
}

QWidget* DiagnosticsSession::MakeWindow()
{
    return new DiagnosticsWindow(*this);
}
