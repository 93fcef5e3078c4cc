// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The requests the link has sent and not yet seen answered, each with its send time.
//
// A Modbus read reply names no register, and the three polled blocks have replies of
// the same length, so a reply cannot say which request it answers. A device answers
// its requests one after another in the order they came, so replies are matched to
// the requests in flight in that order:
//  - Every request that went out is kept with its send time (read: the block it asked
//    for; write: the frame sent, which the device echoes).
//  - A request still unanswered ReplyExpiryMs after it went out is taken as lost and
//    forgotten. So is the oldest one when more than Capacity are outstanding.
//  - A read reply answers the oldest outstanding read. A request the device never
//    received gets no reply, so the reply might also answer any later read, and no
//    timing tells the two apart. So the poll cycle asks for the next block only once no
//    read is outstanding, which keeps every read in flight on the same block, and a
//    reply is decoded only when every outstanding read asks for the same block;
//    otherwise it is dropped undecoded (its oldest read still taken as answered)
//    rather than put one block's values into another block's registers.
//  - A write echo answers the oldest outstanding write with the same bytes; older
//    writes are forgotten with it.
//  - A block that is neither (a reply damaged on the line, noise) is taken as the answer
//    to the oldest outstanding request: the device answers each request once, so this
//    keeps the requests in flight in step with the replies. Should the guess be wrong,
//    the one-block rule above keeps it harmless.
//  - A reply that arrives when no request of its kind is outstanding is dropped.

#include "device/frame_codec.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

struct RequestInFlight {
    enum class Kind { Read, Write };
    Kind kind = Kind::Read;
    int block = 0;              // reads: the polled block 0..2
    RequestFrame frame{};       // the bytes sent
    std::int64_t sentAtMs = 0;  // monotonic milliseconds
};

class RequestsInFlight {
public:
    static constexpr std::int64_t ReplyExpiryMs = 3000;
    static constexpr std::size_t Capacity = 8;

    void Add(const RequestInFlight& request);

    // Forgets requests sent more than ReplyExpiryMs before nowMs.
    void Expire(std::int64_t nowMs);

    // A read reply arrived at nowMs: the block to decode it as, or empty when no read
    // is outstanding or the block it answers is ambiguous.
    std::optional<int> MatchReadReply(std::int64_t nowMs);

    // True if frame[0..length) begins with the bytes of an outstanding write (its echo).
    bool MatchWriteEcho(const std::uint8_t* frame, std::size_t length, std::int64_t nowMs);

    // A damaged block arrived at nowMs: forgets the oldest outstanding request.
    void MatchDamagedBlock(std::int64_t nowMs);

    // Forgets every outstanding write (the link stopped waiting for its echo).
    void ForgetWrites();

    std::size_t OutstandingReads() const;
    std::size_t OutstandingWrites() const;

private:
    std::deque<RequestInFlight> requests_;
};
