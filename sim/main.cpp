// SPDX-License-Identifier: GPL-3.0-or-later
// softstarter-sim: a Modbus RTU soft starter on a pseudo-terminal.

#include "sim/fault_injector.h"
#include "sim/modbus_slave.h"
#include "sim/pseudo_terminal.h"
#include "sim/reply_schedule.h"
#include "sim/rtu_framer.h"
#include "sim/sim_options.h"
#include "sim/simulator_loop.h"
#include "sim/softstarter_model.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

// SIGTERM, SIGINT and SIGHUP end the loop; they are blocked except while it sleeps,
// so a stop request can never slip in between the check and the sleep.
void InstallStopHandlers()
{
    struct sigaction action{};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(sig, &action, nullptr);
        sigaddset(&blocked, sig);
    }
    sigprocmask(SIG_BLOCK, &blocked, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

std::FILE* OpenRequestLog(const std::string& path)
{
    if (path.empty()) return nullptr;
    if (path == "-") return stderr;
    return std::fopen(path.c_str(), "a");
}

constexpr auto SilentIntervalFloor = std::chrono::microseconds(4000);

} // namespace

int main(int argc, char** argv)
{
    const SimOptionsResult parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "softstarter-sim: " << parsed.error << "\n" << SimUsage();
        return 2;
    }
    const SimOptions& options = parsed.options;
    if (options.help) {
        std::cout << SimUsage();
        return 0;
    }

    InstallStopHandlers();
    PseudoTerminal terminal;
    if (!terminal.Open() || (!options.linkPath.empty() && !terminal.Link(options.linkPath))) {
        std::cerr << "softstarter-sim: " << terminal.Error() << "\n";
        return 1;
    }
    std::FILE* requestLog = OpenRequestLog(options.requestLogPath);
    if (!options.requestLogPath.empty() && !requestLog) {
        std::cerr << "softstarter-sim: cannot open request log " << options.requestLogPath << "\n";
        return 1;
    }

    SoftStarterModel model;
    for (const auto& [reg, value] : options.presets) model.Preset(reg, value);
    ModbusSlave slave(model, options.address);
    RtuFramer framer(RtuFramer::SilentIntervalFor(options.baud, SilentIntervalFloor));
    FaultInjector faults(options.faults);
    ReplySchedule schedule(options.queueReplies);
    slave.RejectReadsOfBlock(options.rejectBlock);

    std::cout << terminal.SlavePath() << std::endl;   // the first line: where to connect

    SimulatorLoop loop(terminal.MasterFd(), model, slave, framer, faults, schedule, requestLog, stopRequested,
                       [&terminal] { return terminal.UnreadByClient(); });
    if (options.expectLine) {
        const ExpectedLine expected = *options.expectLine;
        loop.AnswerOnlyWhen([&terminal, expected] { return TerminalMatches(terminal.MasterFd(), expected); });
    }
    const SimulatorLoop::Ending ending = loop.Run();
    terminal.Close();
    if (requestLog && requestLog != stderr) std::fclose(requestLog);
    if (ending == SimulatorLoop::Ending::LineError) {
        std::cerr << "softstarter-sim: terminal failed\n";
        return 1;
    }
    return 0;
}
