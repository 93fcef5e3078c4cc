// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Invariant checks for fuzz targets: a violated invariant prints why and aborts, so
// libFuzzer records the input as a crash.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, message)                                                       \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "invariant violated: %s (%s:%d)\n", message, __FILE__, __LINE__); \
            std::abort();                                                                    \
        }                                                                                    \
    } while (0)
