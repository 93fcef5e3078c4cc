// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// A one-way stop signal for worker threads: once signalled it stays signalled,
// and its descriptor (an eventfd) stays readable, so every poll() that includes
// it returns at once.
class CloseEvent {
public:
    CloseEvent();
    ~CloseEvent();
    CloseEvent(const CloseEvent&) = delete;
    CloseEvent& operator=(const CloseEvent&) = delete;

    bool IsValid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Signal();
    bool IsSignalled() const;

private:
    int fd_;
};

}  // namespace platform
