// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits the bytes a Modbus RTU slave receives into request frames: a frame ends
// after the silent interval, or as soon as it is complete when its function code
// fixes the request length.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class RtuFramer {
public:
    using Clock = std::chrono::steady_clock;
    using Frame = std::vector<std::uint8_t>;

    explicit RtuFramer(std::chrono::microseconds silentInterval);

    // 3.5 character times of 11 bits at the baud rate, but never less than the floor.
    static std::chrono::microseconds SilentIntervalFor(int baud, std::chrono::microseconds floor);

    // Request length fixed by the function code (8 for functions 1 to 6), or 0 if unknown.
    static std::size_t FixedRequestLength(std::uint8_t function);

    // Takes bytes received at time now; returns the frames they complete.
    std::vector<Frame> Feed(const std::uint8_t* data, std::size_t count, Clock::time_point now);

    // Ends the pending frame if the line has been silent long enough.
    std::optional<Frame> Expire(Clock::time_point now);

    // When the pending frame will end by silence, if bytes are pending.
    std::optional<Clock::time_point> Deadline() const;

    static constexpr std::size_t MaxFrameLength = 256;   // longest RTU frame

private:
    std::chrono::microseconds silentInterval_;
    Frame pending_;
    Clock::time_point lastByte_{};
};
