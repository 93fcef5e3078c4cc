// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs softstarter-sim as a child process for tests and scripts: starts it, learns its
// terminal path from its first line of output, reads its request log, and stops it.

#include <string>
#include <sys/types.h>
#include <vector>

class SimulatorProcess {
public:
    SimulatorProcess() = default;
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts the simulator with these arguments (a request log option is added) and
    // waits up to ten seconds for its device path. False if it could not be started.
    bool Start(const std::vector<std::string>& args);

    const std::string& DevicePath() const { return devicePath_; }

    // Every request frame the simulator received so far, as hex text, one per line.
    std::string ReadRequestLog() const;

    // True while the simulator process has not exited.
    bool Running();

    // Ends the simulator (SIGTERM, then SIGKILL after a grace period) and reaps it.
    void Stop();

    // The wait status of the last simulator reaped (see waitpid), -1 if none yet.
    int ExitStatus() const { return exitStatus_; }

    // Where the executable is looked for: ${CONSOLE_BINARY_DIR}/sim/softstarter-sim,
    // else next to the running program or in ../sim from it.
    static std::string ExecutablePath();

private:
    bool ReadFirstLine(int fd, int timeoutMs);

    pid_t pid_ = -1;
    int exitStatus_ = -1;
    std::string devicePath_;
    std::string logPath_;
};
