// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/fault_injector.h"

#include <algorithm>

FaultInjector::FaultInjector(const FaultOptions& options) : options_(options) {}

std::vector<std::uint8_t> FaultInjector::Noise(int count)
{
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < count; ++i) {
        noiseState_ ^= noiseState_ << 13;   // xorshift: cheap, repeatable noise
        noiseState_ ^= noiseState_ >> 17;
        noiseState_ ^= noiseState_ << 5;
        bytes.push_back(static_cast<std::uint8_t>(noiseState_));
    }
    return bytes;
}

std::vector<ScheduledChunk> FaultInjector::Shape(std::vector<std::uint8_t> reply)
{
    if (options_.neverReply) return {};
    ++replies_;
    if (options_.corruptCrcEvery > 0 && replies_ % options_.corruptCrcEvery == 0 && !reply.empty())
        reply.back() ^= 0xFF;
    if (options_.oversizeBytes > 0) {
        if (options_.oversizeGarbage) reply = Noise(options_.oversizeBytes);
        else if (static_cast<int>(reply.size()) < options_.oversizeBytes)
            reply.resize(static_cast<std::size_t>(options_.oversizeBytes), 0);
    }
    if (options_.noiseBytes > 0) {
        std::vector<std::uint8_t> noisy = Noise(options_.noiseBytes);
        noisy.insert(noisy.end(), reply.begin(), reply.end());
        reply = std::move(noisy);
    }
    const int delay = std::max(0, options_.replyDelayMs);
    if (options_.splitPauseMs < 0 || reply.size() < 2) return {{delay, std::move(reply)}};
    const auto half = static_cast<std::ptrdiff_t>(reply.size() / 2);
    return {{delay, {reply.begin(), reply.begin() + half}},
            {delay + options_.splitPauseMs, {reply.begin() + half, reply.end()}}};
}

bool FaultInjector::ShouldClose() const
{
    return options_.closeAfterReplies > 0 && replies_ >= options_.closeAfterReplies;
}
