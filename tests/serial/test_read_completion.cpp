// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/read_completion.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Clock = TReadCompletion::Clock;

TEST(ReadCompletion, IntervalTimeoutCompletesAfterQuietLine)
{
    const TCommTimeouts timeouts;  // 100 ms interval, no totals
    const Clock::time_point t0{};
    TReadCompletion read;
    read.Start(t0);

    EXPECT_FALSE(read.Deadline(0, timeouts)) << "nothing received: only bytes can complete the read";
    EXPECT_FALSE(read.IsComplete(t0 + 1h, 0, timeouts));

    read.OnBytes(t0 + 10ms);
    EXPECT_EQ(read.Deadline(5, timeouts), t0 + 110ms);
    EXPECT_FALSE(read.IsComplete(t0 + 109ms, 5, timeouts));
    EXPECT_TRUE(read.IsComplete(t0 + 110ms, 5, timeouts));

    read.OnBytes(t0 + 60ms);  // a further byte restarts the quiet time
    EXPECT_FALSE(read.IsComplete(t0 + 150ms, 6, timeouts));
    EXPECT_TRUE(read.IsComplete(t0 + 160ms, 6, timeouts));

    EXPECT_TRUE(read.IsComplete(t0 + 61ms, TReadCompletion::kReadBufferSize, timeouts)) << "a full buffer";
}

TEST(ReadCompletion, TotalTimeoutsAndNoInterval)
{
    const Clock::time_point t0{};
    TReadCompletion read;
    read.Start(t0);

    TCommTimeouts none{0, 0, 0, 0, 0};
    read.OnBytes(t0 + 1ms);
    EXPECT_FALSE(read.Deadline(100, none));
    EXPECT_FALSE(read.IsComplete(t0 + 1h, 100, none)) << "without timeouts only a full buffer completes";

    TCommTimeouts total{0, 0, 500, 0, 0};
    EXPECT_EQ(read.Deadline(0, total), t0 + 500ms);
    EXPECT_TRUE(read.IsComplete(t0 + 500ms, 0, total)) << "an empty read times out too";

    TCommTimeouts perByte{0, 1, 0, 0, 0};
    EXPECT_EQ(read.Deadline(0, perByte), t0 + 2048ms) << "multiplier counts the whole buffer";

    TCommTimeouts both{100, 0, 50, 0, 0};
    EXPECT_EQ(read.Deadline(3, both), t0 + 50ms) << "the earlier of interval and total";

    // Huge values must not overflow into an early deadline.
    TCommTimeouts huge{0, 0xFFFFFFFFu, 0xFFFFFFFFu, 0, 0};
    EXPECT_FALSE(read.IsComplete(t0 + 24h, 1, huge));
}
