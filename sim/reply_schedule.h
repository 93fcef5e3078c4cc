// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes the simulator has yet to send and when: the chunks of each reply at their
// due times. A queueing device sends its replies strictly in the order of the requests,
// each no earlier than the end of the one before. What waits to be sent is bounded: a
// master that stops reading cannot make the simulator grow; replies beyond the bound
// are dropped, as a device with a full output buffer would.

#include "sim/fault_injector.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class ReplySchedule {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t MaxQueuedBytes = 64 * 1024;

    explicit ReplySchedule(bool inOrder) : inOrder_(inOrder) {}

    // Schedules the chunks of one reply to a request received at requestAt. False, and
    // nothing scheduled, when that would pass MaxQueuedBytes.
    bool Add(Clock::time_point requestAt, std::vector<ScheduledChunk> chunks);

    bool Empty() const { return pending_.empty(); }
    Clock::time_point NextDue() const { return pending_.front().due; }
    const std::vector<std::uint8_t>& FrontBytes() const { return pending_.front().bytes; }
    // count bytes of the front chunk went out; the chunk leaves when all have.
    void Sent(std::size_t count);

    std::size_t QueuedBytes() const { return queuedBytes_; }
    std::size_t RepliesDropped() const { return dropped_; }

private:
    struct Pending {
        Clock::time_point due;
        std::vector<std::uint8_t> bytes;
    };
    void Insert(Clock::time_point due, std::vector<std::uint8_t> bytes);

    bool inOrder_;
    std::deque<Pending> pending_;   // ordered by due time
    std::size_t queuedBytes_ = 0;
    std::size_t dropped_ = 0;
    Clock::time_point lastReplyEnd_{};
};
