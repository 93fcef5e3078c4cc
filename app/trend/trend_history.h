// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend's samples and markers in time order, with bounded memory: beyond their
// capacity the oldest go. The sample capacity holds more than an hour at the fastest
// rate the link reads block 0 (three and a half hours at ten a second), and four days
// at the usual one read every three seconds.

#include "app/trend/trend_sample.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class TrendHistory {
public:
    static constexpr std::size_t SampleCapacity = 1u << 17;   // 131072 samples of 24 bytes: 3 MiB
    static constexpr std::size_t MarkerCapacity = 4096;

    // A sample or marker older than the newest one kept is ignored: the trend only grows
    // forward in time.
    void Add(const TrendSample& sample);
    void AddMarker(const TrendMarker& marker);

    const std::deque<TrendSample>& Samples() const { return samples_; }
    const std::deque<TrendMarker>& Markers() const { return markers_; }

    // Samples with fromMs <= atMs < toMs, in time order.
    std::vector<TrendSample> Between(std::int64_t fromMs, std::int64_t toMs) const;

    // Bytes the kept samples and markers take (their deques' blocks, roughly).
    std::size_t MemoryBytes() const;

private:
    std::deque<TrendSample> samples_;
    std::deque<TrendMarker> markers_;
};
