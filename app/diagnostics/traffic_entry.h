// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line of the traffic monitor: a request sent, a block received with what the
// device link made of it, or a request given up. Plain data of fixed size: a line keeps
// at most the first KeptBytes bytes of its frame and the frame's full length.

#include "device/link_observer.h"

#include <array>
#include <cstdint>
#include <span>

enum class TrafficKind {
    ReadRequest,
    WriteRequest,
    Decoded,
    WriteEcho,
    Exception,
    Damaged,
    Unanswered,
    Noise,
    GivenUp,
};

struct TrafficEntry {
    static constexpr std::size_t KeptBytes = 32;

    std::int64_t wallMs = 0;    // milliseconds since the epoch, for the time shown
    TrafficKind kind = TrafficKind::Noise;
    std::array<std::uint8_t, KeptBytes> bytes{};
    std::uint32_t byteCount = 0;   // the frame's full length; min(byteCount, KeptBytes) are kept
    bool sent = true;              // requests: the port took the bytes
    LinkRequestKind requestKind = LinkRequestKind::Read;   // requests and GivenUp
    int block = -1;
    int reg = -1;
    std::uint16_t value = 0;
    std::int64_t roundTripMs = -1;   // Decoded, WriteEcho, Exception; GivenUp: how long it waited
    std::int64_t newestRoundTripMs = -1;   // Decoded, WriteEcho, Exception: from the newest request it might answer
    std::uint8_t station = 0;
    std::uint8_t function = 0;       // Exception: with the 0x80 bit
    std::uint8_t exceptionCode = 0;
    DamageKind damage = DamageKind::None;
    UnansweredReason reason = UnansweredReason::None;

    void KeepBytes(std::span<const std::uint8_t> frame);
    std::span<const std::uint8_t> KeptFrame() const;
};
