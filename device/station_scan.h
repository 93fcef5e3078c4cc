// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a device on a line whose settings are unknown: a plan of tries (each baud
// rate, each frame format, each station address in a range) and the state machine
// that walks it. Every try is one function 03 read of block 0 (registers 0-9); the scan
// never builds any other request, so it can never write. A station counts as found when
// a valid reply (a read reply or an exception reply to function 03) comes from a station
// tried on the current line settings.
//
// The driver owns the port and the clock: it calls Next() whenever it is woken and acts
// on the step (change the line, send the request, sleep until wakeAtMs), and hands every
// received block to Received(). Plain C++, no waiting of its own.

#include "device/frame_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct ScanPlan {
    static constexpr std::uint8_t HighestStation = 247;   // 248..255 are reserved

    std::vector<std::uint32_t> bauds;
    std::vector<std::string> formats;   // the line's frame formats, by name ("8_E_1")
    std::uint8_t firstAddress = 1;
    std::uint8_t lastAddress = HighestStation;
    int answerWaitMs = 100;   // how long a device may take to answer, after the request is out
    int quietMs = 30;         // the receiver's quiet time that ends a block
    bool stopAtFirst = false;

    // A plan with at least one baud rate and format and an address range within 1..247.
    bool Valid() const;
    std::size_t TryCount() const;
    // The longest a try waits at this baud rate: the request and a reply on the line at
    // eleven bits a character, the device's answer time and the receiver's quiet time.
    int TryWaitMs(std::uint32_t baud) const;
    // How long the whole range takes at one baud rate (all formats) with no station found.
    double SecondsAt(std::uint32_t baud) const;
};

struct ScanTry {
    std::size_t index = 0;
    std::uint32_t baud = 0;
    std::string format;
    std::uint8_t address = 0;
};

struct FoundStation {
    std::uint8_t address = 0;
    std::uint32_t baud = 0;
    std::string format;
    bool exception = false;           // it answered with an exception reply
    std::uint8_t exceptionCode = 0;
    std::int64_t roundTripMs = -1;    // -1 when the reply came after its own try
};

class StationScan {
public:
    enum class Action { SetLine, Send, Wait, Finished };
    struct Step {
        Action action = Action::Finished;
        ScanTry attempt;               // SetLine, Send: the try (its line settings)
        RequestFrame request{};        // Send
        std::int64_t wakeAtMs = 0;     // Send, Wait: when to call Next() again at the latest
    };

    explicit StationScan(ScanPlan plan);

    Step Next(std::int64_t nowMs);
    void Received(std::span<const std::uint8_t> bytes, std::int64_t nowMs);
    void Cancel();

    const ScanPlan& Plan() const { return plan_; }
    std::size_t TriesDone() const { return next_; }
    bool Finished() const { return finished_; }
    bool Cancelled() const { return cancelled_; }
    const std::vector<FoundStation>& Found() const { return found_; }
    ScanTry TryAt(std::size_t index) const;

private:
    std::size_t LineOf(std::size_t index) const;
    bool TriedOnThisLine(std::uint8_t station) const;
    void Record(const FoundStation& station);
    void Finish();

    ScanPlan plan_;
    std::size_t next_ = 0;              // the try to send next (tries before it are done)
    std::size_t lineSet_ = SIZE_MAX;    // the line settings the driver has applied
    bool awaiting_ = false;             // try next_ has been sent and waits for its reply
    std::int64_t sentAtMs_ = 0;
    std::int64_t deadlineMs_ = 0;
    bool finished_ = false;
    bool cancelled_ = false;
    std::vector<FoundStation> found_;
};
