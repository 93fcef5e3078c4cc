// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

// Longer timeouts are cut to this (about 24 days) so deadlines cannot overflow.
constexpr std::uint64_t kLongestTimeoutMs = 0x7FFFFFFF;

// The five port timeouts, in milliseconds.
struct TCommTimeouts {
    std::uint32_t ReadIntervalTimeout = 100;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 0;
    std::uint32_t WriteTotalTimeoutMultiplier = 0;
    std::uint32_t WriteTotalTimeoutConstant = 0;
};

// Settings the port threads read while they run; the main thread changes them
// when a property changes on an open port.
class TLivePortSettings {
public:
    void SetTimeouts(const TCommTimeouts& t)
    {
        readInterval_.store(t.ReadIntervalTimeout);
        readMultiplier_.store(t.ReadTotalTimeoutMultiplier);
        readConstant_.store(t.ReadTotalTimeoutConstant);
        writeMultiplier_.store(t.WriteTotalTimeoutMultiplier);
        writeConstant_.store(t.WriteTotalTimeoutConstant);
    }
    TCommTimeouts Timeouts() const
    {
        return {readInterval_.load(), readMultiplier_.load(), readConstant_.load(), writeMultiplier_.load(),
                writeConstant_.load()};
    }
    void SetStripNulls(bool strip) { stripNulls_.store(strip); }
    bool StripNulls() const { return stripNulls_.load(); }

private:
    std::atomic<std::uint32_t> readInterval_{100};
    std::atomic<std::uint32_t> readMultiplier_{0};
    std::atomic<std::uint32_t> readConstant_{0};
    std::atomic<std::uint32_t> writeMultiplier_{0};
    std::atomic<std::uint32_t> writeConstant_{0};
    std::atomic<bool> stripNulls_{false};
};
