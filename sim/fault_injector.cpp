// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/fault_injector.h"

#include <algorithm>

FaultInjector::FaultInjector(const FaultOptions& options) : options_(options), random_(options.seed) {}

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

bool FaultInjector::Chance(int percent)
{
    // Always drawn, so one fault's probability does not shift the others' sequence.
    return std::uniform_int_distribution<int>(0, 99)(random_) < percent;
}

std::vector<ScheduledChunk> FaultInjector::Shape(std::vector<std::uint8_t> reply)
{
    if (options_.neverReply) return {};
    ++replies_;
    const bool silent = Chance(options_.silencePercent);
    const bool corrupt = Chance(options_.crcPercent);
    const bool split = Chance(options_.splitPercent);
    const bool stray = Chance(options_.strayPercent);
    if (silent) return {};
    if (((options_.corruptCrcEvery > 0 && replies_ % options_.corruptCrcEvery == 0) || corrupt) && !reply.empty())
        reply.back() ^= 0xFF;
    if (options_.oversizeBytes > 0) {
        if (options_.oversizeGarbage) reply = Noise(options_.oversizeBytes);
        else if (static_cast<int>(reply.size()) < options_.oversizeBytes)
            reply.resize(static_cast<std::size_t>(options_.oversizeBytes), 0);
    }
    std::vector<ScheduledChunk> chunks;
    if (options_.noiseBytes > 0 && options_.noiseLeadMs >= 0) {
        chunks.push_back({options_.noiseLeadMs, Noise(options_.noiseBytes), true});
    } else if (options_.noiseBytes > 0) {
        std::vector<std::uint8_t> noisy = Noise(options_.noiseBytes);
        noisy.insert(noisy.end(), reply.begin(), reply.end());
        reply = std::move(noisy);
    }
    for (auto& chunk : Timed(std::move(reply), split, stray)) chunks.push_back(std::move(chunk));
    return chunks;
}

std::vector<ScheduledChunk> FaultInjector::Timed(std::vector<std::uint8_t> reply, bool split, bool stray)
{
    int at = std::max(0, options_.replyDelayMs);
    int pause = options_.splitPauseMs;
    if (pause < 0 && split) pause = FaultPauseMs;
    std::vector<ScheduledChunk> chunks;
    if (pause < 0 || reply.size() < 2) {
        chunks.push_back({at, std::move(reply)});
    } else {
        const auto half = static_cast<std::ptrdiff_t>(reply.size() / 2);
        chunks.push_back({at, {reply.begin(), reply.begin() + half}});
        at += pause;
        chunks.push_back({at, {reply.begin() + half, reply.end()}});
    }
    if (stray) chunks.push_back({at + FaultPauseMs, {0xFF}});
    return chunks;
}

bool FaultInjector::ShouldClose() const
{
    return options_.closeAfterReplies > 0 && replies_ >= options_.closeAfterReplies;
}
