// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/comm_timeouts.h"

#include <poll.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace platform {
class CloseEvent;
class MainThreadMailbox;
class SerialDevice;
}  // namespace platform

// What the reader and writer threads share with the component. Everything
// pointed to outlives the threads: the component joins them before it lets go
// of any of it.
struct TPortThreadContext {
    platform::SerialDevice* Port = nullptr;
    platform::CloseEvent* CloseEvent = nullptr;
    platform::MainThreadMailbox* NotifyWindow = nullptr;
    const TLivePortSettings* Settings = nullptr;
    std::uint64_t Session = 0;  // tags every posted message with the port session

    bool Post(std::uint32_t number, std::uint32_t first = 0, std::uint32_t second = 0,
              std::unique_ptr<std::uint8_t[]> block = nullptr) const;
    void PostHangup() const;
};

// poll() on the descriptors until the deadline (none: no time limit), with
// sub-millisecond precision. Returns poll's result; EINTR is retried.
int PollUntil(pollfd* fds, nfds_t count, std::optional<std::chrono::steady_clock::time_point> deadline);
