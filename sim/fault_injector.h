// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Faults the simulator can put on the line, for testing masters: corrupted CRCs,
// split, late, noisy or oversize replies, silence, and a device that disappears.

#include <cstdint>
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
};

// One piece of a reply and when to send it, in milliseconds after the request.
struct ScheduledChunk {
    int delayMs = 0;
    std::vector<std::uint8_t> bytes;
};

class FaultInjector {
public:
    explicit FaultInjector(const FaultOptions& options);

    // Turns a reply into the chunks that go on the wire (none if the device is silent).
    std::vector<ScheduledChunk> Shape(std::vector<std::uint8_t> reply);

    // True once the configured number of replies has been shaped: close after sending.
    bool ShouldClose() const;

    int RepliesShaped() const { return replies_; }

private:
    std::vector<std::uint8_t> Noise(int count);

    FaultOptions options_;
    int replies_ = 0;
    std::uint32_t noiseState_ = 0x2545F491u;
};
