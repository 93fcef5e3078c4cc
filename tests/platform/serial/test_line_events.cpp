// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/line_events.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>

using namespace platform;

TEST(LineEventTracker, CounterChangesBecomeErrorFlagsAndModemCodes)
{
    LineEventTracker tracker;
    LineCounters c;
    c.parity = 7;  // errors before the port was opened are not reported
    c.ring = 3;
    LineEvents e = tracker.Update(c, std::nullopt);
    EXPECT_EQ(e.errorFlags, 0u);
    EXPECT_EQ(e.modemCode, 0u);

    e = tracker.Update(c, std::nullopt);
    EXPECT_EQ(e.errorFlags, 0u) << "no change, no event";

    c.parity++;
    c.frame++;
    e = tracker.Update(c, std::nullopt);
    EXPECT_EQ(e.errorFlags, kLineErrorParity | kLineErrorFraming);
    EXPECT_EQ(e.modemCode, 0u);

    c.overrun++;
    c.bufferOverrun++;
    c.breaks++;
    e = tracker.Update(c, std::nullopt);
    EXPECT_EQ(e.errorFlags, kLineErrorOverrun | kLineErrorReceiveOverflow | kLineErrorBreak);

    c.carrierDetect++;
    EXPECT_EQ(tracker.Update(c, std::nullopt).modemCode, kModemCarrierDetectChange);
    c.ring++;
    EXPECT_EQ(tracker.Update(c, std::nullopt).modemCode, kModemRing);
    c.ring++;
    c.carrierDetect++;
    EXPECT_EQ(tracker.Update(c, std::nullopt).modemCode, 12u);

    // Counters wrap around; a wrap is still a change.
    c.overrun = 0xFFFFFFFFu;
    tracker.Update(c, std::nullopt);
    c.overrun = 0;
    EXPECT_EQ(tracker.Update(c, std::nullopt).errorFlags, kLineErrorOverrun);
}

TEST(LineEventTracker, ModemBitsWithoutCounters)
{
    LineEventTracker tracker;
    EXPECT_EQ(tracker.Update(std::nullopt, TIOCM_CD).modemCode, 0u) << "first sample is the baseline";
    EXPECT_EQ(tracker.Update(std::nullopt, 0).modemCode, kModemCarrierDetectChange);
    EXPECT_EQ(tracker.Update(std::nullopt, TIOCM_CD).modemCode, kModemCarrierDetectChange);
    EXPECT_EQ(tracker.Update(std::nullopt, TIOCM_CD | TIOCM_RI).modemCode, kModemRing);
    EXPECT_EQ(tracker.Update(std::nullopt, TIOCM_CD).modemCode, 0u) << "ring going away is not a ring";
    EXPECT_EQ(tracker.Update(std::nullopt, TIOCM_RI).modemCode, kModemCarrierDetectChange | kModemRing);
    // Other lines (DSR, CTS) do not make modem events.
    EXPECT_EQ(tracker.Update(std::nullopt, TIOCM_RI | TIOCM_DSR | TIOCM_CTS).modemCode, 0u);
}

TEST(LineEventTracker, UnavailableSourcesReportNothing)
{
    LineEventTracker tracker;
    EXPECT_EQ(tracker.Update(std::nullopt, std::nullopt).errorFlags, 0u);
    EXPECT_EQ(tracker.Update(std::nullopt, std::nullopt).modemCode, 0u);

    // A failed sample in between keeps the last good baseline.
    LineCounters c;
    tracker.Update(c, std::nullopt);
    tracker.Update(std::nullopt, std::nullopt);
    c.parity = 1;
    EXPECT_EQ(tracker.Update(c, std::nullopt).errorFlags, kLineErrorParity);
}
