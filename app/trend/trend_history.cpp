// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/trend_history.h"

#include <algorithm>

void TrendHistory::Add(const TrendSample& sample)
{
    if (!samples_.empty() && sample.atMs < samples_.back().atMs) return;
    samples_.push_back(sample);
    if (samples_.size() > SampleCapacity) samples_.pop_front();
}

void TrendHistory::AddMarker(const TrendMarker& marker)
{
    if (!markers_.empty() && marker.atMs < markers_.back().atMs) return;
    markers_.push_back(marker);
    if (markers_.size() > MarkerCapacity) markers_.pop_front();
}

std::vector<TrendSample> TrendHistory::Between(std::int64_t fromMs, std::int64_t toMs) const
{
    const auto byTime = [](const TrendSample& s, std::int64_t t) { return s.atMs < t; };
    const auto first = std::lower_bound(samples_.begin(), samples_.end(), fromMs, byTime);
    const auto last = std::lower_bound(first, samples_.end(), toMs, byTime);
    return {first, last};
}

std::size_t TrendHistory::MemoryBytes() const
{
    return samples_.size() * sizeof(TrendSample) + markers_.size() * sizeof(TrendMarker);
}
