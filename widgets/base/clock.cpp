// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/clock.h"

#include <QDateTime>
#include <atomic>

namespace {

// Days from 1899-12-30 (day 0 of the day count) to 1970-01-01.
constexpr double kUnixEpochDays = 25569.0;

std::atomic<bool> controlled{false};
std::atomic<double> controlledDays{0.0};

}  // namespace

double TiClock::Now()
{
    if (controlled)
        return controlledDays;
    return kUnixEpochDays + static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / MillisecondsPerDay;
}

void TiClock::SetControlledTime(double days)
{
    controlledDays = days;
    controlled = true;
}

void TiClock::AdvanceMilliseconds(double milliseconds)
{
    controlledDays = controlledDays + milliseconds / MillisecondsPerDay;
}

void TiClock::ReleaseControlledTime() { controlled = false; }

bool TiClock::IsControlled() { return controlled; }

TiControlledClock::TiControlledClock(double days) { TiClock::SetControlledTime(days); }

TiControlledClock::~TiControlledClock() { TiClock::ReleaseControlledTime(); }
