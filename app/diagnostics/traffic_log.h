// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The traffic monitor's history: the last Capacity lines, oldest first. Lines beyond it
// push the oldest out, so hours of polling take no more memory than Capacity lines.

#include "app/diagnostics/traffic_entry.h"

#include <cstddef>
#include <cstdint>
#include <deque>

class TrafficLog {
public:
    static constexpr std::size_t DefaultCapacity = 10000;

    explicit TrafficLog(std::size_t capacity = DefaultCapacity);

    void Add(const TrafficEntry& entry);
    void Clear();

    const std::deque<TrafficEntry>& Entries() const { return entries_; }
    std::size_t Capacity() const { return capacity_; }
    std::uint64_t Added() const { return added_; }          // since the last Clear
    std::uint64_t PushedOut() const { return pushedOut_; }  // lines lost to the bound since the last Clear

private:
    std::size_t capacity_;
    std::deque<TrafficEntry> entries_;
    std::uint64_t added_ = 0;
    std::uint64_t pushedOut_ = 0;
};
