// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/serial/line_events.h"
#include "serial/port_thread_context.h"
#include "serial/read_completion.h"

#include <array>
#include <cstdint>
#include <thread>

// Collects received bytes and line events of an open port and posts them to
// the component's notify mailbox: one MSG_COMM_DATA per completed read,
// MSG_COMM_ERROR / MSG_COMM_MODEM for line events, MSG_COMM_HANGUP (once, then
// the thread ends) when the device fails or goes away. Ends silently when the
// close event is signalled.
class TReadThread {
public:
    explicit TReadThread(const TPortThreadContext& context) : context_(context) {}
    ~TReadThread();  // joins
    TReadThread(const TReadThread&) = delete;
    TReadThread& operator=(const TReadThread&) = delete;

    void Start();  // throws std::system_error when no thread can be created
    void Join();

private:
    using Clock = TReadCompletion::Clock;
    static constexpr auto kLineEventPeriod = std::chrono::milliseconds(40);

    void Execute();
    bool WaitAndRead();
    bool ReadAvailable();
    bool CompleteIfDue(Clock::time_point now);
    bool Deliver();
    bool CheckLineEvents();
    bool EndWithHangup();
    std::optional<Clock::time_point> NextWake() const;

    TPortThreadContext context_;
    std::thread thread_;
    std::array<std::uint8_t, TReadCompletion::kReadBufferSize> buffer_{};
    std::size_t count_ = 0;
    TReadCompletion completion_;
    platform::LineEventTracker lineEvents_;
    bool hasLineEvents_ = true;
    Clock::time_point nextLineCheck_{};
};
