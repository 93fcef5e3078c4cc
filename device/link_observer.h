// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What happens on the device link, told as it happens to whoever watches it (a traffic
// monitor, link statistics, a trend of the motor's start). Every event carries the
// link's monotonic time in milliseconds. An observer sees each request that went out,
// each block that came in with what the link made of it, each request given up and
// each change of the communication lamp, so it never needs to parse bytes itself.
// Byte spans are valid only during the call. Observers run on the link's thread and
// must not call back into the link.

#include <array>
#include <cstdint>
#include <span>

enum class LinkRequestKind { Read, Write };

struct RequestSentEvent {
    std::int64_t atMs = 0;
    LinkRequestKind kind = LinkRequestKind::Read;
    int block = -1;                        // reads: the block asked for, 0..2
    int reg = -1;                          // writes: the register written
    std::uint16_t value = 0;               // writes: the value written
    std::span<const std::uint8_t> bytes;   // the frame handed to the port
    bool sent = false;                     // the port took the bytes
};

struct BlockReceivedEvent {
    std::int64_t atMs = 0;
    std::span<const std::uint8_t> bytes;   // the block as the port delivered it
};

// What a received block turned out to be.
enum class BlockVerdict {
    Decoded,          // a read reply, decoded into the registers of `block`
    WriteEcho,        // the echo of a write in flight
    ExceptionReply,   // the device refused a request in flight (nothing decoded)
    Damaged,          // began like a reply from the polled station, but failed its check
    Unanswered,       // a valid reply that answered no request (see UnansweredReason)
    Noise,            // not a reply at all: stray bytes, the tail of a split reply
};

enum class DamageKind { None, CrcError, Incomplete };

enum class UnansweredReason {
    None,
    LateBeyondHorizon,   // its request was already given up
    Ambiguous,           // it might answer requests for different blocks
    NoRequestInFlight,   // nothing of its kind was asked of that station
    OtherStation,        // it came from a station no request went to
};

struct BlockJudgedEvent {
    std::int64_t atMs = 0;
    BlockVerdict verdict = BlockVerdict::Noise;
    int block = -1;                           // Decoded, and ExceptionReply to a read
    std::int64_t roundTripMs = -1;            // Decoded, WriteEcho, ExceptionReply: from the request it answers
    // Decoded, WriteEcho, ExceptionReply: from the newest request it might have answered.
    // Equal to roundTripMs when only one request could be answered; when several could
    // (after a lost or damaged reply, or behind a device slower than the poll), the true
    // round trip lies between the two.
    std::int64_t newestRoundTripMs = -1;
    std::array<std::uint16_t, 10> registers{};   // Decoded: the block's ten registers as the reply carries them
    int reg = -1;                             // WriteEcho
    std::uint16_t value = 0;                  // WriteEcho
    std::uint8_t function = 0;                // ExceptionReply: function code with the 0x80 bit
    std::uint8_t exceptionCode = 0;           // ExceptionReply
    std::uint8_t station = 0;                 // every verdict but Noise: the reply's address byte
    DamageKind damage = DamageKind::None;     // Damaged
    UnansweredReason reason = UnansweredReason::None;   // Unanswered
    // The bytes this verdict is about, valid during the call: its frame, or the whole block
    // when that is no frame. A block holding replies back to back gets a verdict for each,
    // and the last one also shows whatever followed them.
    std::span<const std::uint8_t> bytes;
};

struct RequestGivenUpEvent {
    std::int64_t atMs = 0;
    LinkRequestKind kind = LinkRequestKind::Read;
    int block = -1;                // reads
    int reg = -1;                  // writes
    std::uint16_t value = 0;       // writes
    std::int64_t sentAtMs = 0;
};

struct LampChangedEvent {
    std::int64_t atMs = 0;
    bool lit = false;
};

class LinkObserver {
public:
    virtual ~LinkObserver() = default;
    virtual void RequestSent(const RequestSentEvent&) {}
    virtual void BlockReceived(const BlockReceivedEvent&) {}
    virtual void BlockJudged(const BlockJudgedEvent&) {}
    virtual void RequestGivenUp(const RequestGivenUpEvent&) {}
    virtual void LampChanged(const LampChangedEvent&) {}
};
