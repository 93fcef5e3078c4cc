// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulator's event loop on a terminal file descriptor: frames requests, answers
// them through the slave logic, sends the (possibly faulty) replies on schedule, and
// moves the model on. It sleeps in ppoll until a byte arrives, a reply is due, a
// request's silent interval ends or the model's next step, never spinning.

#include "sim/fault_injector.h"
#include "sim/modbus_slave.h"
#include "sim/reply_schedule.h"
#include "sim/rtu_framer.h"
#include "sim/softstarter_model.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class SimulatorLoop {
public:
    using Clock = std::chrono::steady_clock;

    // requestLog may be null. stopFlag is set by a signal handler to end the loop.
    // unreadByClient tells how many written bytes the client has not read yet.
    SimulatorLoop(int fd, SoftStarterModel& model, ModbusSlave& slave, RtuFramer& framer,
                  FaultInjector& faults, ReplySchedule& schedule, std::FILE* requestLog,
                  const volatile std::sig_atomic_t& stopFlag, std::function<std::size_t()> unreadByClient);

    // Runs until stopped, the line fails, or the injected close; returns why.
    enum class Ending { Stopped, InjectedClose, LineError };
    Ending Run();

    // Requests are answered only while this holds (the line is set as the device's);
    // the others are logged and ignored.
    void AnswerOnlyWhen(std::function<bool()> lineMatches) { lineMatches_ = std::move(lineMatches); }

private:
    void AdvanceModel(Clock::time_point now);
    bool SendDue(Clock::time_point now);
    bool OutputWaiting(Clock::time_point now) const;
    bool ReadLine(Clock::time_point now);
    void HandleFrame(const std::vector<std::uint8_t>& frame, Clock::time_point now);
    int PollTimeoutMs(Clock::time_point now) const;
    void LogRequest(const std::vector<std::uint8_t>& frame);
    bool ReadyToClose(Clock::time_point now);

    int fd_;
    SoftStarterModel& model_;
    ModbusSlave& slave_;
    RtuFramer& framer_;
    FaultInjector& faults_;
    ReplySchedule& schedule_;
    std::FILE* requestLog_;
    const volatile std::sig_atomic_t& stopFlag_;
    Clock::time_point lastAdvance_;
    std::function<std::size_t()> unreadByClient_;
    bool closing_ = false;            // the injected close: send what is queued, then end
    std::optional<Clock::time_point> lastReplySent_;   // set once closing and all is sent
    bool requestAfterClosing_ = false;
    std::function<bool()> lineMatches_;
};
