// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/traffic_log.h"

#include <algorithm>

TrafficLog::TrafficLog(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void TrafficLog::Add(const TrafficEntry& entry)
{
    if (entries_.size() >= capacity_) {
        entries_.pop_front();
        ++pushedOut_;
    }
    entries_.push_back(entry);
    ++added_;
}

void TrafficLog::Clear()
{
    // A deque keeps its blocks after clear(); swapping with an empty one returns them.
    std::deque<TrafficEntry>().swap(entries_);
    added_ = 0;
    pushedOut_ = 0;
}
