// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/reply_schedule.h"

#include <algorithm>

bool ReplySchedule::Add(Clock::time_point requestAt, std::vector<ScheduledChunk> chunks)
{
    std::size_t bytes = 0;
    for (const auto& chunk : chunks) bytes += chunk.bytes.size();
    if (queuedBytes_ + bytes > MaxQueuedBytes) {
        ++dropped_;
        return false;
    }
    // In order: the reply's first chunk waits for the end of the previous reply, and
    // the rest keep their spacing after it.
    Clock::duration shift{};
    for (const auto& chunk : chunks) {
        if (chunk.apartFromReply) continue;
        const auto due = requestAt + std::chrono::milliseconds(chunk.delayMs);
        if (inOrder_ && due < lastReplyEnd_) shift = lastReplyEnd_ - due;
        break;
    }
    for (auto& chunk : chunks) {
        auto due = requestAt + std::chrono::milliseconds(chunk.delayMs);
        if (!chunk.apartFromReply) {
            due += shift;
            lastReplyEnd_ = std::max(lastReplyEnd_, due);
        }
        Insert(due, std::move(chunk.bytes));
    }
    queuedBytes_ += bytes;
    return true;
}

void ReplySchedule::Insert(Clock::time_point due, std::vector<std::uint8_t> bytes)
{
    const auto at = std::upper_bound(pending_.begin(), pending_.end(), due,
                                     [](Clock::time_point t, const Pending& p) { return t < p.due; });
    pending_.insert(at, Pending{due, std::move(bytes)});
}

void ReplySchedule::Sent(std::size_t count)
{
    std::vector<std::uint8_t>& bytes = pending_.front().bytes;
    count = std::min(count, bytes.size());
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
    queuedBytes_ -= count;
    if (bytes.empty()) pending_.pop_front();
}
