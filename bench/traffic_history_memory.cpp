// SPDX-License-Identifier: GPL-3.0-or-later
// traffic-history-memory: resident memory of the diagnostics window's traffic history
// over hours of polling. A device link on a simulated line (a read a second, each
// answered) is observed by the diagnostics session with its window shown offscreen; the
// program prints the resident memory before the window, with it empty, after 10 000
// lines (the bound, 5000 s) and at each full simulated hour from 2 to --hours (default 10), then with
// the window closed for as long again.

#include "app/diagnostics/diagnostics_session.h"
#include "app/diagnostics/diagnostics_window.h"
#include "device/device_link.h"
#include "device/frame_codec.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// The line: every request is taken, and the test answers each read at once.
class SimulatedLine : public DeviceLinkHost {
public:
    std::int64_t nowMs = 0;
    bool CommunicationTicked() const override { return true; }
    std::string StationAddressText() const override { return "1"; }
    bool SendData(const std::uint8_t*, std::uint16_t) override { return true; }
    void Pause(int) override {}
    void SetCommunicationLamp(bool) override {}
    void SetMemo12Text(const std::string&) override {}
    void SetMemo13Text(const std::string&) override {}
    std::int64_t MonotonicMs() const override { return nowMs; }
};

std::vector<std::uint8_t> Reply(std::uint16_t seed)
{
    std::vector<std::uint8_t> reply{1, 0x03, 20};
    for (int i = 0; i < 10; ++i) {
        reply.push_back(static_cast<std::uint8_t>(seed >> 8));
        reply.push_back(static_cast<std::uint8_t>(seed + i));
    }
    return WithCrc(reply);
}

// One poll a second for `seconds`: a request and its decoded reply, two lines each.
void Poll(DeviceLink& link, SimulatedLine& line, long seconds)
{
    for (long s = 0; s < seconds; ++s) {
        link.Timer1Timer();
        line.nowMs += 30;
        const auto reply = Reply(static_cast<std::uint16_t>(line.nowMs / 1000));
        link.Comm1ReceiveData(reply.data(), static_cast<std::uint16_t>(reply.size()));
        line.nowMs += 970;
        if (s % 600 == 0) QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
}

void Print(const char* what, const DiagnosticsSession& session, const DiagnosticsWindow& window)
{
    std::printf("%-40s RSS %6ld kB, history %5zu lines, view %5d lines\n", what, ResidentKb(),
                session.Log().Entries().size(), window.TrafficView->blockCount());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    long hours = 10;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--hours") == 0) hours = std::max(1L, std::atol(argv[i + 1]));

    SimulatedLine line;
    DeviceLink link(line);
    DiagnosticsSession session(link, nullptr);
    std::printf("%-40s RSS %6ld kB\n", "before the window", ResidentKb());
    DiagnosticsWindow window(session);
    window.show();
    QCoreApplication::processEvents();
    Print("window shown, empty", session, window);
    Poll(link, line, 5000);
    Print("10 000 lines (the bound)", session, window);
    long elapsed = 5000;   // seconds polled so far
    for (long hour = 2; hour <= hours; ++hour) {
        Poll(link, line, hour * 3600 - elapsed);
        elapsed = hour * 3600;
        Print(("after " + std::to_string(hour) + " h of polling").c_str(), session, window);
    }
    window.hide();
    QCoreApplication::processEvents();
    Print("window closed", session, window);
    Poll(link, line, hours * 3600);
    Print("window closed for as long again", session, window);
    window.show();
    QCoreApplication::processEvents();
    Print("window shown again", session, window);
    std::printf("one history line: %zu bytes\n", sizeof(TrafficEntry));
    return 0;
}
