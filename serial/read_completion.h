// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/comm_timeouts.h"

#include <chrono>
#include <cstddef>
#include <optional>

// Decides when one read of the receive buffer is complete:
// - the buffer is full (kReadBufferSize bytes);
// - ReadIntervalTimeout > 0, at least one byte is in, and the line has been
//   quiet that long since the last byte;
// - a total timeout (multiplier x buffer size + constant) is set and has
//   passed since the read started. A read that times out empty is simply
//   started again, so a quiet line never ends reception.
class TReadCompletion {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kReadBufferSize = 2048;

    void Start(Clock::time_point now);
    void OnBytes(Clock::time_point now) { lastByte_ = now; }

    bool IsComplete(Clock::time_point now, std::size_t count, const TCommTimeouts& timeouts) const;

    // The earliest moment the read may complete by time alone; nothing if
    // only more bytes can complete it.
    std::optional<Clock::time_point> Deadline(std::size_t count, const TCommTimeouts& timeouts) const;

private:
    Clock::time_point start_{};
    Clock::time_point lastByte_{};
};
