// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Matches received replies to the requests the link sent.
//
// A Modbus read reply names no register, and the three polled blocks have replies of
// the same length, so a reply cannot say which request it answers. The matcher keeps
// one invariant:
//
//   A reply is decoded as block B only when every request that might still be
//   answered asked for block B.
//
// "Might still be answered" is every request sent less than HorizonMs ago that has not
// been answered: requests whose reply window passed, requests whose reply came damaged,
// and writes whose wait expired all stay in the table until the horizon. What the
// matching assumes of the device, and nothing more: it answers a request at most once,
// in the order the requests came (a device handles one request at a time; a gateway or
// device server that queues requests answers them in order), and it answers within the
// horizon or never. Then:
//  - A valid read reply from station S answers one of the reads in flight to S. It is
//    decoded only when all of them asked for the same block; otherwise it is reported
//    ambiguous and decoded as nothing. Either way the oldest of them is taken as
//    answered: whichever it truly answered, the reads left over include every read
//    that may still get a reply.
//  - An exception reply (function | 0x80) answers a request of that function in flight
//    to its station the same way, and is decoded as nothing.
//  - A write echo answers the oldest write in flight with exactly those bytes. Since the
//    device answers in order, every request sent before that write has had its answer
//    or never will: they leave the table with it.
//  - A block that is no valid frame (noise, a damaged reply, half of a split reply)
//    answers nothing and leaves every request in the table: its real reply may follow.
//  - A reply with no request to answer is dropped.
// The poll cycle (DeviceLink) asks for the next block only once no read is in flight,
// so every read in flight asks for the block being polled and replies stay unambiguous.
//
// The horizon, 10 s, is ten poll periods and several times the slowest answer seen of a
// device behind a slow gateway (3.5 s); a sound device answers within some tens of
// milliseconds. Its cost: a read that never gets a reply (lost on the line, answered
// damaged) holds the cycle on its block for at most 10 s after it was sent. A device
// that answers later than the horizon breaks the assumption: its reply would be taken
// for a later request, which may ask for another block, so such a device gives wrong
// values. The link reports a reply that comes when only given-up requests could have
// asked for it as late beyond the horizon.

#include "device/frame_codec.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

struct RequestInFlight {
    enum class Kind { Read, Write };
    Kind kind = Kind::Read;
    int block = 0;              // reads: the polled block 0..2
    RequestFrame frame{};       // the bytes sent; frame[0] is the station
    std::int64_t sentAtMs = 0;  // monotonic milliseconds

    std::uint8_t Station() const { return frame[0]; }
};

// What the matcher made of a reply.
struct ReplyMatch {
    enum class Outcome { Answered, Ambiguous, NoRequest, LateBeyondHorizon };
    Outcome outcome = Outcome::NoRequest;
    RequestInFlight request{};   // Answered, Ambiguous: the request taken as answered
};

class RequestsInFlight {
public:
    static constexpr std::int64_t HorizonMs = 10000;
    // Bounds on the table. Reads come at most one per poll tick, so a 1 s poll keeps
    // about eleven within the horizon; when the reads are full the link sends none
    // (forgetting one would break the invariant). A write beyond its bound forgets the
    // oldest write, which is harmless: its echo then matches nothing and answers nothing.
    static constexpr std::size_t ReadCapacity = 256;
    static constexpr std::size_t WriteCapacity = 64;
    static constexpr std::size_t GivenUpMemory = 16;   // given-up requests remembered to name late replies

    bool HasRoomForRead() const { return OutstandingReads() < ReadCapacity; }
    // False (nothing added) for a read when the reads are full.
    bool Add(const RequestInFlight& request);

    // Gives up the requests sent more than HorizonMs before nowMs and returns them, in
    // the order they were sent. A clock that went backwards gives up nothing.
    std::vector<RequestInFlight> GiveUpPastHorizon(std::int64_t nowMs);

    // A valid read reply from this station: answered (decode it as request.block),
    // ambiguous, or matching nothing.
    ReplyMatch MatchReadReply(std::uint8_t station);

    // A valid exception reply to a request of this function (without the 0x80 bit).
    ReplyMatch MatchException(std::uint8_t station, std::uint8_t function);

    // A valid function 06 frame: the echo of the oldest write in flight with these bytes.
    ReplyMatch MatchWriteEcho(const RequestFrame& frame);

    // True if some request in flight went to this station (a reply from elsewhere
    // answers nothing).
    bool AnyRequestTo(std::uint8_t station) const;

    std::size_t OutstandingReads() const;
    std::size_t OutstandingWrites() const;
    const std::deque<RequestInFlight>& Requests() const { return requests_; }

private:
    ReplyMatch TakeOldestOf(std::uint8_t station, std::uint8_t function);
    ReplyMatch NothingToAnswer(std::uint8_t station, std::uint8_t function, const RequestFrame* echo);

    std::deque<RequestInFlight> requests_;   // in the order they were sent
    std::deque<RequestInFlight> givenUp_;    // the last few given up, oldest first
};
