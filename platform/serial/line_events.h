// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// Line error flags reported with a receive error.
constexpr std::uint32_t kLineErrorReceiveOverflow = 0x0001;  // input buffer overflow
constexpr std::uint32_t kLineErrorOverrun = 0x0002;          // UART overrun
constexpr std::uint32_t kLineErrorParity = 0x0004;
constexpr std::uint32_t kLineErrorFraming = 0x0008;
constexpr std::uint32_t kLineErrorBreak = 0x0010;

// Modem event codes: carrier-detect change, ring, or both (12).
constexpr std::uint32_t kModemCarrierDetectChange = 8;
constexpr std::uint32_t kModemRing = 4;

// The driver's running counts of line errors and modem-line transitions.
struct LineCounters {
    std::uint32_t frame = 0;
    std::uint32_t overrun = 0;
    std::uint32_t parity = 0;
    std::uint32_t breaks = 0;
    std::uint32_t bufferOverrun = 0;
    std::uint32_t carrierDetect = 0;
    std::uint32_t ring = 0;
};

struct LineEvents {
    std::uint32_t errorFlags = 0;
    std::uint32_t modemCode = 0;
};

// Turns successive samples of the driver's counters and modem-line bits
// (TIOCM_* values) into line events. The first sample of each source only sets
// the baseline; a source that is unavailable contributes nothing.
class LineEventTracker {
public:
    LineEvents Update(const std::optional<LineCounters>& counters, const std::optional<int>& modemBits);

private:
    std::optional<LineCounters> lastCounters_;
    std::optional<int> lastModemBits_;
};

}  // namespace platform
