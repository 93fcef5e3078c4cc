// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Faults the simulator can put on the line, for testing masters: corrupted CRCs,
// split, late, noisy or oversize replies, silence, and a device that disappears; each
// either on every reply (or every Nth) or at random with a given probability from a
// seeded sequence, so a run with the same options and seed is the same run.

#include <cstdint>
#include <random>
#include <vector>

struct FaultOptions {
    int corruptCrcEvery = 0;     // corrupt the CRC of every Nth reply (0: never)
    int splitPauseMs = -1;       // send each reply in two parts this far apart (<0: whole)
    bool neverReply = false;     // judge and carry out requests, but never answer
    int replyDelayMs = 0;        // answer this late
    int noiseBytes = 0;          // bytes of noise sent before each reply
    int closeAfterReplies = 0;   // close the terminal after this many replies (0: never)
    int oversizeBytes = 0;       // make each reply this long (0: normal length)
    bool oversizeGarbage = false; // oversize reply of noise instead of the reply padded with zeros
    int noiseLeadMs = -1;        // send the noise bytes this long after the request, apart (<0: just before the reply)
    // Random faults, in percent of replies, drawn from a sequence seeded with seed.
    int splitPercent = 0;        // in two halves FaultPauseMs apart
    int strayPercent = 0;        // a stray 0xFF byte FaultPauseMs after the reply
    int crcPercent = 0;          // CRC corrupted
    int silencePercent = 0;      // no reply at all (the request is still carried out)
    unsigned seed = 1;
};

// One piece of a reply and when to send it, in milliseconds after the request.
struct ScheduledChunk {
    int delayMs = 0;
    std::vector<std::uint8_t> bytes;
    bool apartFromReply = false;   // line noise: not held back behind queued replies
};

class FaultInjector {
public:
    // Random splits and stray bytes come this far apart: longer than a master's usual
    // quiet time of 100 ms, so each piece reaches it as a block of its own.
    static constexpr int FaultPauseMs = 150;

    explicit FaultInjector(const FaultOptions& options);

    // Turns a reply into the chunks that go on the wire (none if the device is silent).
    std::vector<ScheduledChunk> Shape(std::vector<std::uint8_t> reply);

    // True once the configured number of replies has been shaped: close after sending.
    bool ShouldClose() const;

    int RepliesShaped() const { return replies_; }

private:
    std::vector<std::uint8_t> Noise(int count);
    bool Chance(int percent);
    std::vector<ScheduledChunk> Timed(std::vector<std::uint8_t> reply, bool split, bool stray);

    FaultOptions options_;
    int replies_ = 0;
    std::uint32_t noiseState_ = 0x2545F491u;
    std::mt19937 random_;
};
