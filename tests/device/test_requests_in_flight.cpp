// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/requests_in_flight.h"

#include <gtest/gtest.h>

namespace {

RequestInFlight Read(int block, std::int64_t at)
{
    return {RequestInFlight::Kind::Read, block, BuildReadRequest(1, static_cast<std::uint8_t>(block * 10), 10), at};
}

RequestInFlight Write(std::uint8_t value, std::int64_t at)
{
    return {RequestInFlight::Kind::Write, 0, BuildWriteRequest(1, 1, 0, value), at};
}

} // namespace

TEST(RequestsInFlight, ReadRepliesMatchInOrderAndOnlyUnambiguously)
{
    RequestsInFlight inFlight;
    EXPECT_EQ(inFlight.MatchReadReply(0), std::nullopt);   // nothing outstanding

    inFlight.Add(Read(0, 0));
    inFlight.Add(Read(0, 1000));
    EXPECT_EQ(inFlight.MatchReadReply(1200), 0);
    inFlight.Add(Read(1, 2000));
    EXPECT_EQ(inFlight.MatchReadReply(2200), std::nullopt);   // block 0 or 1: dropped
    EXPECT_EQ(inFlight.OutstandingReads(), 1u);               // the oldest was taken as answered
    EXPECT_EQ(inFlight.MatchReadReply(2300), 1);
    EXPECT_EQ(inFlight.OutstandingReads(), 0u);

    // a write between reads does not make a read reply ambiguous
    inFlight.Add(Read(2, 3000));
    inFlight.Add(Write(5, 3100));
    EXPECT_EQ(inFlight.MatchReadReply(3200), 2);
    EXPECT_EQ(inFlight.OutstandingWrites(), 1u);
}

TEST(RequestsInFlight, ExpiryCapacityAndAClockGoingBack)
{
    RequestsInFlight inFlight;
    inFlight.Add(Read(0, 0));
    inFlight.Expire(RequestsInFlight::ReplyExpiryMs);   // exactly at the limit: kept
    EXPECT_EQ(inFlight.OutstandingReads(), 1u);
    inFlight.Expire(-50000);                           // clock went back: nothing expires
    EXPECT_EQ(inFlight.OutstandingReads(), 1u);
    EXPECT_EQ(inFlight.MatchReadReply(RequestsInFlight::ReplyExpiryMs + 1), std::nullopt);
    EXPECT_EQ(inFlight.OutstandingReads(), 0u);

    for (int i = 0; i < 20; ++i) inFlight.Add(Read(i % 3, 10 + i));
    EXPECT_EQ(inFlight.OutstandingReads(), RequestsInFlight::Capacity);
}

TEST(RequestsInFlight, EchoMatchesItsWriteAndForgetsOlderWrites)
{
    RequestsInFlight inFlight;
    inFlight.Add(Write(1, 0));
    inFlight.Add(Read(0, 10));
    inFlight.Add(Write(2, 20));
    inFlight.Add(Write(3, 30));
    const RequestFrame echo2 = BuildWriteRequest(1, 1, 0, 2);
    EXPECT_FALSE(inFlight.MatchWriteEcho(echo2.data(), echo2.size() - 1, 40));   // cut short
    EXPECT_FALSE(inFlight.MatchWriteEcho(nullptr, 8, 40));
    const RequestFrame other = BuildWriteRequest(1, 1, 0, 9);
    EXPECT_FALSE(inFlight.MatchWriteEcho(other.data(), other.size(), 40));
    EXPECT_TRUE(inFlight.MatchWriteEcho(echo2.data(), echo2.size(), 40));
    EXPECT_EQ(inFlight.OutstandingWrites(), 1u);   // write 1 forgotten, write 3 still awaited
    EXPECT_EQ(inFlight.OutstandingReads(), 1u);
    EXPECT_FALSE(inFlight.MatchWriteEcho(echo2.data(), echo2.size(), 50));
    inFlight.ForgetWrites();
    EXPECT_EQ(inFlight.OutstandingWrites(), 0u);
    EXPECT_EQ(inFlight.OutstandingReads(), 1u);

    // a damaged block answers the oldest request, of either kind
    inFlight.Add(Write(4, 60));
    inFlight.MatchDamagedBlock(70);
    EXPECT_EQ(inFlight.OutstandingReads(), 0u);
    EXPECT_EQ(inFlight.OutstandingWrites(), 1u);
    inFlight.MatchDamagedBlock(80);
    inFlight.MatchDamagedBlock(90);   // nothing left: nothing happens
    EXPECT_EQ(inFlight.OutstandingWrites(), 0u);
}
