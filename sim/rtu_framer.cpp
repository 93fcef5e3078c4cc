// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/rtu_framer.h"

#include <algorithm>

RtuFramer::RtuFramer(std::chrono::microseconds silentInterval) : silentInterval_(silentInterval) {}

std::chrono::microseconds RtuFramer::SilentIntervalFor(int baud, std::chrono::microseconds floor)
{
    if (baud <= 0) return floor;
    const auto interval = std::chrono::microseconds(static_cast<long long>(3.5 * 11 * 1'000'000.0 / baud));
    return std::max(interval, floor);
}

std::size_t RtuFramer::FixedRequestLength(std::uint8_t function)
{
    return function >= 1 && function <= 6 ? 8 : 0;
}

std::vector<RtuFramer::Frame> RtuFramer::Feed(const std::uint8_t* data, std::size_t count, Clock::time_point now)
{
    std::vector<Frame> frames;
    if (auto ended = Expire(now)) frames.push_back(std::move(*ended));
    for (std::size_t i = 0; i < count; ++i) {
        pending_.push_back(data[i]);
        const std::size_t fixed = pending_.size() >= 2 ? FixedRequestLength(pending_[1]) : 0;
        if ((fixed != 0 && pending_.size() == fixed) || pending_.size() == MaxFrameLength) {
            frames.push_back(std::move(pending_));
            pending_.clear();
        }
    }
    if (count > 0) lastByte_ = now;
    return frames;
}

std::optional<RtuFramer::Frame> RtuFramer::Expire(Clock::time_point now)
{
    if (pending_.empty() || now - lastByte_ < silentInterval_) return std::nullopt;
    Frame frame = std::move(pending_);
    pending_.clear();
    return frame;
}

std::optional<RtuFramer::Clock::time_point> RtuFramer::Deadline() const
{
    if (pending_.empty()) return std::nullopt;
    return lastByte_ + silentInterval_;
}
