// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console window against the simulated soft starter with faults on the line. The
// simulator holds constant, distinct registers in every block, so any register showing
// a value other than 0 (not yet read) or the device's own value is a decoding fault.

#include "sim/sim_process.h"
#include "tests/support/console_test_support.h"
#include "tests/support/steady_starter.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <dirent.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace console_faults {

using console_test::ConsoleUnderTest;
using steady_starter::DeviceRegisters;

// Live threads of the serial port (they name themselves comm-reader and comm-writer).
inline int PortThreads()
{
    int count = 0;
    DIR* dir = opendir("/proc/self/task");
    if (!dir) return -1;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string name;
        std::getline(comm, name);
        if (name.rfind("comm-", 0) == 0) ++count;
    }
    closedir(dir);
    return count;
}

class ConsoleFaultRig {
public:
    static constexpr int PollMs = 300;      // the test's poll period (the console's is 1000 ms)
    static constexpr int DisplayMs = 500;

    ConsoleFaultRig() : linkPath_(dir_.filePath(QStringLiteral("starter")).toStdString()) {}

    // Starts the simulator with the constant registers and these fault options, its
    // terminal reachable at the same path every time.
    bool StartSimulator(const std::vector<std::string>& faults)
    {
        std::vector<std::string> args{"--link", linkPath_};
        const std::vector<std::string> presets = steady_starter::PresetOptions();
        args.insert(args.end(), presets.begin(), presets.end());
        args.insert(args.end(), faults.begin(), faults.end());
        return simulator.Start(args);
    }

    // Creates the window on the simulator's path, opens the port and ticks communication.
    // Its own timers are stopped: the rig ticks them itself.
    bool OpenConsole()
    {
        console = std::make_unique<ConsoleUnderTest>(QString::fromStdString(linkPath_));
        if (!console->Open()) return false;
        console->Tick();
        Form().Timer1->stop();
        Form().Timer2->stop();
        return Form().CheckBox2->isChecked();
    }

    TForm1& Form() { return console->form; }
    const std::string& LinkPath() const { return linkPath_; }

    // Checks every register once and notes whether the lamp is lit.
    void CheckNow()
    {
        CheckRegisters();
        if (console->CommunicationLampLit()) lampSeenLit = true;
        else lampSeenUnlit = true;
    }
    DeviceLink& Link() { return console->form.Link(); }

    // Runs the console, a poll every PollMs and a display tick every DisplayMs, until
    // done() holds or the deadline passes; checks the registers at every step.
    bool Drive(const std::function<bool()>& done, int timeoutMs = 15000)
    {
        QElapsedTimer clock;
        clock.start();
        qint64 nextPoll = 0;
        qint64 nextDisplay = DisplayMs;
        while (true) {
            if (clock.elapsed() >= nextPoll) {
                Form().Timer1Timer();
                ++polls;
                nextPoll += PollMs;
            }
            if (clock.elapsed() >= nextDisplay) {
                Form().Timer2Timer();
                nextDisplay += DisplayMs;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            CheckNow();
            if (done()) return true;
            if (clock.elapsed() > timeoutMs) return false;
            QThread::msleep(2);
        }
    }

    // Drives for a number of polls regardless of outcome.
    void DrivePolls(int count)
    {
        const int target = polls + count;
        Drive([&] { return polls >= target; }, count * PollMs * 4 + 5000);
    }

    bool AllRegistersRead() const
    {
        for (int n = 0; n < DeviceLink::RegisterCount; ++n)
            if (console->form.Link().Register(n) != expected_[static_cast<std::size_t>(n)]) return false;
        return true;
    }

    bool NoRegisterRead() const
    {
        for (int n = 0; n < DeviceLink::RegisterCount; ++n)
            if (console->form.Link().Register(n) != 0) return false;
        return true;
    }

    bool PortShownClosed()
    {
        return Form().BitBtn7->text() == TForm1::OpenCaption() && Form().Image20->isHidden() && !Form().Comm1->IsOpen();
    }

    // Number of requests the simulator received so far.
    int RequestsLogged() const
    {
        std::istringstream lines(simulator.ReadRequestLog());
        int count = 0;
        for (std::string line; std::getline(lines, line);) count += line.empty() ? 0 : 1;
        return count;
    }

    SimulatorProcess simulator;
    std::unique_ptr<ConsoleUnderTest> console;
    int polls = 0;
    bool lampSeenLit = false;
    bool lampSeenUnlit = false;
    std::vector<std::string> violations;   // registers seen holding a value the device never sent

private:
    void CheckRegisters()
    {
        for (int n = 0; n < DeviceLink::RegisterCount; ++n) {
            const std::uint32_t value = console->form.Link().Register(n);
            if (value != 0 && value != expected_[static_cast<std::size_t>(n)] && violations.size() < 10)
                violations.push_back("register " + std::to_string(n) + " = " + std::to_string(value));
        }
    }

    QTemporaryDir dir_;
    std::string linkPath_;
    std::array<std::uint32_t, DeviceLink::RegisterCount> expected_ = DeviceRegisters();
};

} // namespace console_faults
