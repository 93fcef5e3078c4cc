// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/wall_clock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

WallClockAnchor WallClockAnchor::Now()
{
    using namespace std::chrono;
    WallClockAnchor anchor;
    anchor.monotonicMs = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    anchor.epochMs = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(FloorDiv(anchor.epochMs, 1000));
    std::tm local{};
    if (localtime_r(&seconds, &local)) anchor.utcOffsetSeconds = static_cast<int>(local.tm_gmtoff);
    return anchor;
}

std::string WallClockAnchor::Iso8601(std::int64_t monotonicMs) const
{
    return Iso8601Local(EpochMsOf(monotonicMs), utcOffsetSeconds);
}

std::string Iso8601Local(std::int64_t epochMs, int utcOffsetSeconds)
{
    const std::int64_t localMs = epochMs + std::int64_t{utcOffsetSeconds} * 1000;
    const std::time_t seconds = static_cast<std::time_t>(FloorDiv(localMs, 1000));
    const int millis = static_cast<int>(localMs - std::int64_t{seconds} * 1000);
    std::tm t{};
    gmtime_r(&seconds, &t);
    const int offsetMinutes = std::abs(utcOffsetSeconds) / 60;
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, millis, utcOffsetSeconds < 0 ? '-' : '+',
                  offsetMinutes / 60, offsetMinutes % 60);
    return text;
}
