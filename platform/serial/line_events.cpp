// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/line_events.h"

#include <sys/ioctl.h>

namespace platform {
namespace {

std::uint32_t ErrorFlags(const LineCounters& before, const LineCounters& now)
{
    std::uint32_t flags = 0;
    if (now.bufferOverrun != before.bufferOverrun)
        flags |= kLineErrorReceiveOverflow;
    if (now.overrun != before.overrun)
        flags |= kLineErrorOverrun;
    if (now.parity != before.parity)
        flags |= kLineErrorParity;
    if (now.frame != before.frame)
        flags |= kLineErrorFraming;
    if (now.breaks != before.breaks)
        flags |= kLineErrorBreak;
    return flags;
}

std::uint32_t ModemCodeFromCounters(const LineCounters& before, const LineCounters& now)
{
    std::uint32_t code = 0;
    if (now.carrierDetect != before.carrierDetect)
        code |= kModemCarrierDetectChange;
    if (now.ring != before.ring)
        code |= kModemRing;
    return code;
}

std::uint32_t ModemCodeFromBits(int before, int now)
{
    std::uint32_t code = 0;
    if ((before ^ now) & TIOCM_CD)
        code |= kModemCarrierDetectChange;
    if ((now & TIOCM_RI) && !(before & TIOCM_RI))
        code |= kModemRing;
    return code;
}

}  // namespace

LineEvents LineEventTracker::Update(const std::optional<LineCounters>& counters, const std::optional<int>& modemBits)
{
    LineEvents events;
    if (counters && lastCounters_) {
        events.errorFlags = ErrorFlags(*lastCounters_, *counters);
        events.modemCode = ModemCodeFromCounters(*lastCounters_, *counters);
    }
    // Drivers that do not count modem transitions still show them in the line bits.
    if (modemBits && lastModemBits_)
        events.modemCode |= ModemCodeFromBits(*lastModemBits_, *modemBits);
    if (counters)
        lastCounters_ = counters;
    if (modemBits)
        lastModemBits_ = modemBits;
    return events;
}

}  // namespace platform
