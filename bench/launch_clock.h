// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The clock of the start-up measurements: whoever launches a measured program puts the
// launch moment in the environment variable CONSOLE_LAUNCH_NS (CLOCK_REALTIME
// nanoseconds), and the program measures its phases from there. Header-only, so that
// the bare reference program can use it without linking any of the console's code.

#include <cstdint>
#include <cstdlib>
#include <ctime>

inline std::int64_t RealtimeNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The launch moment from CONSOLE_LAUNCH_NS, or `fallback` when it is missing or not a
// positive number.
inline std::int64_t LaunchNs(std::int64_t fallback)
{
    const char* text = std::getenv("CONSOLE_LAUNCH_NS");
    if (text == nullptr)
        return fallback;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    return (end != text && *end == '\0' && value > 0) ? value : fallback;
}
