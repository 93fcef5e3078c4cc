// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Another process holding a serial device as the console does (opened exclusively),
// until this object goes.

#include "platform/serial/serial_device.h"

#include <sys/wait.h>
#include <unistd.h>

#include <string>

class PortHolderProcess {
public:
    explicit PortHolderProcess(const std::string& path)
    {
        int ready[2];
        if (pipe(ready) != 0) return;
        if (pipe(stop_) != 0) {
            ::close(ready[0]);
            ::close(ready[1]);
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(stop_[1]);   // else the child's own copy keeps the pipe from ever closing
            auto port = platform::SerialDevice::Open(path);
            const char answer = port ? 'y' : 'n';
            (void)!write(ready[1], &answer, 1);
            char unused;
            (void)!read(stop_[0], &unused, 1);   // returns when the parent closes its end
            _exit(0);
        }
        ::close(ready[1]);
        ::close(stop_[0]);
        char answer = 0;
        held_ = pid_ > 0 && read(ready[0], &answer, 1) == 1 && answer == 'y';
        ::close(ready[0]);
    }
    ~PortHolderProcess()
    {
        if (stop_[1] >= 0) ::close(stop_[1]);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    PortHolderProcess(const PortHolderProcess&) = delete;
    PortHolderProcess& operator=(const PortHolderProcess&) = delete;

    bool Held() const { return held_; }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    bool held_ = false;
    int stop_[2] = {-1, -1};
};
