// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one clock of the widget library: current date and time as a day count
// with fraction (days since 1899-12-30, as a double). Repaint throttling and
// the knob's wheel filter read it; tests install a controlled time.

class TiClock {
public:
    static double Now();

    // Test control: while a controlled time is installed, Now() returns it.
    static void SetControlledTime(double days);
    static void AdvanceMilliseconds(double milliseconds);
    static void ReleaseControlledTime();
    static bool IsControlled();

    static constexpr double MillisecondsPerDay = 86400000.0;
};

// Installs a controlled time for its lifetime (starting at `days`, default a
// fixed date) and restores the real clock afterwards.
class TiControlledClock {
public:
    explicit TiControlledClock(double days = 46000.5);
    ~TiControlledClock();
    TiControlledClock(const TiControlledClock&) = delete;
    TiControlledClock& operator=(const TiControlledClock&) = delete;

    void Advance(double milliseconds) { TiClock::AdvanceMilliseconds(milliseconds); }
    double Now() const { return TiClock::Now(); }
};
