// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/diagnostics_session.h"

#include "app/diagnostics/diagnostics_window.h"
#include "app/form1.h"

#include <chrono>

DiagnosticsSession::DiagnosticsSession(TForm1& form)
    : QObject(&form), recorder_([this](const TrafficEntry& entry) { Record(entry); }, SystemWallClockMs)
{
    form.Link().AddObserver(&statistics_);
    form.Link().AddObserver(&recorder_);
    connect(&form, &TForm1::PortOpened, this, [this] { statistics_.Reset(); });
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
