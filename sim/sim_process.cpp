// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_process.h"

#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int StartTimeoutMs = 10'000;
constexpr auto StopGrace = std::chrono::seconds(5);

bool IsExecutable(const std::string& path) { return !path.empty() && ::access(path.c_str(), X_OK) == 0; }

std::string DirectoryOfSelf()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return ".";
    std::string path(buffer, static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string MakeLogPath()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/softstarter-sim-log-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return {};
    ::close(fd);
    return pattern;
}

} // namespace

SimulatorProcess::~SimulatorProcess() { Stop(); }

std::string SimulatorProcess::ExecutablePath()
{
    if (const char* dir = std::getenv("CONSOLE_BINARY_DIR"); dir && *dir) {
        const std::string path = std::string(dir) + "/sim/softstarter-sim";
        if (IsExecutable(path)) return path;
    }
#ifdef SOFTSTARTER_SIM_BUILT_AT
    if (IsExecutable(SOFTSTARTER_SIM_BUILT_AT)) return SOFTSTARTER_SIM_BUILT_AT;
#endif
    const std::string self = DirectoryOfSelf();
    for (const std::string& path : {self + "/softstarter-sim", self + "/../sim/softstarter-sim"})
        if (IsExecutable(path)) return path;
    return {};
}

bool SimulatorProcess::Start(const std::vector<std::string>& args)
{
    Stop();
    const std::string executable = ExecutablePath();
    logPath_ = MakeLogPath();
    if (executable.empty() || logPath_.empty()) return false;

    std::vector<std::string> argv{executable};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.insert(argv.end(), {"--log-requests", logPath_});
    std::vector<char*> cargv;
    for (auto& arg : argv) cargv.push_back(arg.data());
    cargv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return false;
    pid_ = ::fork();
    if (pid_ < 0) {
        ::close(out[0]);
        ::close(out[1]);
        return false;
    }
    if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execv(cargv[0], cargv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    const bool ok = ReadFirstLine(out[0], StartTimeoutMs);
    ::close(out[0]);   // the simulator writes nothing after its first line
    if (!ok) Stop();
    return ok;
}

bool SimulatorProcess::ReadFirstLine(int fd, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string line;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        char c = 0;
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;   // exited before naming its terminal
        if (c == '\n') break;
        line.push_back(c);
    }
    devicePath_ = line;
    return !devicePath_.empty();
}

std::string SimulatorProcess::ReadRequestLog() const
{
    std::ifstream log(logPath_);
    std::ostringstream text;
    text << log.rdbuf();
    return text.str();
}

bool SimulatorProcess::Running()
{
    if (pid_ <= 0) return false;
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
        exitStatus_ = status;
        pid_ = -1;
        return false;
    }
    return true;
}

void SimulatorProcess::Stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + StopGrace;
        while (Running() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &exitStatus_, 0);
            pid_ = -1;
        }
    }
    if (!logPath_.empty()) ::unlink(logPath_.c_str());
    logPath_.clear();
    devicePath_.clear();
}
