// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/requests_in_flight.h"

#include <gtest/gtest.h>

namespace {

using Outcome = ReplyMatch::Outcome;

RequestInFlight Read(int block, std::int64_t at, std::uint8_t station = 1)
{
    return {RequestInFlight::Kind::Read, block, BuildReadRequest(station, static_cast<std::uint8_t>(block * 10), 10), at};
}

RequestInFlight Write(std::uint8_t value, std::int64_t at)
{
    return {RequestInFlight::Kind::Write, 0, BuildWriteRequest(1, 1, 0, value), at};
}

} // namespace

TEST(RequestsInFlight, ReadRepliesDecodeOnlyWhenEveryReadInFlightAskedForTheSameBlock)
{
    RequestsInFlight inFlight;
    EXPECT_EQ(inFlight.MatchReadReply(1).outcome, Outcome::NoRequest);

    inFlight.Add(Read(0, 0));
    inFlight.Add(Read(0, 1000));
    ReplyMatch match = inFlight.MatchReadReply(1);
    EXPECT_EQ(match.outcome, Outcome::Answered);
    EXPECT_EQ(match.request.block, 0);
    EXPECT_EQ(match.request.sentAtMs, 0);   // the oldest is taken as answered
    EXPECT_EQ(inFlight.OutstandingReads(), 1u);

    inFlight.Add(Read(1, 2000));   // only a broken cycle mixes blocks: never decoded
    EXPECT_EQ(inFlight.MatchReadReply(1).outcome, Outcome::Ambiguous);
    EXPECT_EQ(inFlight.OutstandingReads(), 1u);
    EXPECT_EQ(inFlight.MatchReadReply(1).request.block, 1);

    // Another station's reads and writes in flight neither answer nor confuse it.
    inFlight.Add(Read(2, 3000));
    inFlight.Add(Read(0, 3050, 7));
    inFlight.Add(Write(5, 3100));
    EXPECT_EQ(inFlight.MatchReadReply(2).outcome, Outcome::NoRequest);
    match = inFlight.MatchReadReply(1);
    EXPECT_EQ(match.outcome, Outcome::Answered);
    EXPECT_EQ(match.request.block, 2);
    EXPECT_EQ(inFlight.OutstandingWrites(), 1u);
    EXPECT_TRUE(inFlight.AnyRequestTo(7));
    EXPECT_FALSE(inFlight.AnyRequestTo(2));
}

TEST(RequestsInFlight, RequestsStayUntilTheHorizonAndLateRepliesAreNamed)
{
    RequestsInFlight inFlight;
    inFlight.Add(Read(0, 0));
    inFlight.Add(Write(9, 500));
    EXPECT_TRUE(inFlight.GiveUpPastHorizon(RequestsInFlight::HorizonMs).empty());   // exactly at it: kept
    EXPECT_TRUE(inFlight.GiveUpPastHorizon(-50000).empty());                       // clock went back
    const auto givenUp = inFlight.GiveUpPastHorizon(RequestsInFlight::HorizonMs + 600);
    ASSERT_EQ(givenUp.size(), 2u);
    EXPECT_EQ(givenUp[0].kind, RequestInFlight::Kind::Read);
    EXPECT_EQ(givenUp[1].kind, RequestInFlight::Kind::Write);

    EXPECT_EQ(inFlight.MatchReadReply(1).outcome, Outcome::LateBeyondHorizon);
    EXPECT_EQ(inFlight.MatchReadReply(1).outcome, Outcome::NoRequest);   // named late once only
    EXPECT_EQ(inFlight.MatchWriteEcho(BuildWriteRequest(1, 1, 0, 8)).outcome, Outcome::NoRequest);
    EXPECT_EQ(inFlight.MatchWriteEcho(BuildWriteRequest(1, 1, 0, 9)).outcome, Outcome::LateBeyondHorizon);
}

TEST(RequestsInFlight, WriteEchoAnswersItsWriteAndSettlesEverythingSentBeforeIt)
{
    RequestsInFlight inFlight;
    inFlight.Add(Write(1, 0));
    inFlight.Add(Read(0, 10));
    inFlight.Add(Write(2, 20));
    inFlight.Add(Read(0, 30));
    inFlight.Add(Write(2, 40));   // the same frame again
    EXPECT_EQ(inFlight.MatchWriteEcho(BuildWriteRequest(1, 1, 0, 7)).outcome, Outcome::NoRequest);
    const ReplyMatch match = inFlight.MatchWriteEcho(BuildWriteRequest(1, 1, 0, 2));
    EXPECT_EQ(match.outcome, Outcome::Answered);
    EXPECT_EQ(match.request.sentAtMs, 20);   // the oldest write with those bytes
    EXPECT_EQ(inFlight.OutstandingReads(), 1u);   // the read sent after it may still be answered
    EXPECT_EQ(inFlight.OutstandingWrites(), 1u);
    EXPECT_EQ(inFlight.MatchWriteEcho(BuildWriteRequest(1, 1, 0, 2)).outcome, Outcome::Answered);
    EXPECT_EQ(inFlight.Requests().size(), 0u);

    // An exception reply answers the oldest request of its function, of its station.
    inFlight.Add(Read(1, 50));
    inFlight.Add(Write(3, 60));
    EXPECT_EQ(inFlight.MatchException(2, ReadHoldingRegistersFunction).outcome, Outcome::NoRequest);
    EXPECT_EQ(inFlight.MatchException(1, WriteSingleRegisterFunction).request.sentAtMs, 60);
    EXPECT_EQ(inFlight.MatchException(1, ReadHoldingRegistersFunction).request.block, 1);
    EXPECT_EQ(inFlight.Requests().size(), 0u);
}

TEST(RequestsInFlight, TableStaysBounded)
{
    RequestsInFlight inFlight;
    for (std::size_t i = 0; i < RequestsInFlight::ReadCapacity; ++i) EXPECT_TRUE(inFlight.Add(Read(0, 0)));
    EXPECT_FALSE(inFlight.HasRoomForRead());
    EXPECT_FALSE(inFlight.Add(Read(0, 0)));   // refused rather than forgetting one
    for (int i = 0; i < 200; ++i) EXPECT_TRUE(inFlight.Add(Write(static_cast<std::uint8_t>(i), i)));
    EXPECT_EQ(inFlight.OutstandingWrites(), RequestsInFlight::WriteCapacity);
    EXPECT_EQ(inFlight.OutstandingReads(), RequestsInFlight::ReadCapacity);
    // the oldest writes went: their echoes answer nothing
    EXPECT_EQ(inFlight.MatchWriteEcho(BuildWriteRequest(1, 1, 0, 0)).outcome, Outcome::NoRequest);
    EXPECT_EQ(inFlight.MatchWriteEcho(BuildWriteRequest(1, 1, 0, 199)).outcome, Outcome::Answered);
}
