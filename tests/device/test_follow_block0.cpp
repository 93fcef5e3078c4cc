// SPDX-License-Identifier: GPL-3.0-or-later
// Following the start: block 0 alone, one read at a time, the next after the reply or
// after the reply window, never while a read of another block might still be answered,
// and the usual rotation again once it is switched off.
#include "device/device_link.h"
#include "tests/support/fake_link_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace fake_link_host;

class FollowBlock0Test : public ::testing::Test {
protected:
    FakeHost host;
    DeviceLink link{host};

    void Deliver(const Frame& frame) { link.Comm1ReceiveData(frame.data(), static_cast<std::uint16_t>(frame.size())); }
    void Answer(std::uint16_t first, std::int64_t afterMs = 30)
    {
        host.nowMs += afterMs;
        Deliver(ReadReply(1, Sequence(first)));
    }
    void Tick(std::int64_t afterMs = 1000)
    {
        host.nowMs += afterMs;
        link.Timer1Timer();
    }
    // The block each read sent so far asked for (-1 for anything else).
    std::vector<int> Blocks() const
    {
        std::vector<int> blocks;
        for (const Frame& f : host.sent) blocks.push_back(f.at(1) == 0x03 ? f.at(3) / 10 : -1);
        return blocks;
    }
};

} // namespace

TEST_F(FollowBlock0Test, ReadsBlock0AgainAsSoonAsEachReplyIsIn)
{
    link.SetFollowBlock0(true);
    EXPECT_EQ(host.sent.size(), 1u);   // the first read at once
    for (int i = 0; i < 5; ++i) Answer(static_cast<std::uint16_t>(100 * i));
    EXPECT_EQ(Blocks(), std::vector<int>(6, 0));   // and one after each reply
    EXPECT_EQ(link.Register(0), 400u);
    EXPECT_TRUE(host.lamp);
    // A tick inside the reply window of the read in flight sends nothing.
    Tick(100);
    EXPECT_EQ(host.sent.size(), 6u);
    EXPECT_TRUE(host.lamp);
}

TEST_F(FollowBlock0Test, ALostReplyWaitsForTheReplyWindowAndUnlightsTheLamp)
{
    link.SetFollowBlock0(true);
    Answer(1);
    ASSERT_EQ(host.sent.size(), 2u);
    Tick(DeviceLink::FollowReplyWindowMs - 40);   // still within the window
    EXPECT_EQ(host.sent.size(), 2u);
    Tick(1000);
    EXPECT_EQ(host.sent.size(), 3u);
    EXPECT_FALSE(host.lamp);
    // Both reads ask for block 0, so a reply to either is decoded as block 0.
    Answer(7);
    EXPECT_EQ(link.Register(0), 7u);
    EXPECT_EQ(host.sent.size(), 3u);   // the other read might still be answered: no new one
    Answer(9);
    EXPECT_EQ(link.Register(0), 9u);
    EXPECT_EQ(host.sent.size(), 4u);
}

TEST_F(FollowBlock0Test, WaitsForTheReadOfAnotherBlockThenSwitchesOffBackToTheRotation)
{
    Tick();
    Answer(0);
    Tick();   // block 1 asked for
    link.SetFollowBlock0(true);
    Tick();   // block 1 still unanswered: asked again, never block 0 beside it
    Answer(1000);
    Answer(1000);   // the second read of block 1 answered: now block 0, at once
    Answer(5);
    link.SetFollowBlock0(false);
    Answer(6);     // the last follow read answered: nothing sent after it
    Tick();
    Answer(1500);
    Tick();
    Answer(2000);
    Tick();
    EXPECT_EQ(Blocks(), (std::vector<int>{0, 1, 1, 0, 0, 1, 2, 0}));
    EXPECT_FALSE(link.FollowingBlock0());
}

TEST_F(FollowBlock0Test, AWriteHoldsTheReadsBackUntilItsEcho)
{
    link.SetFollowBlock0(true);
    link.SwitchChange("RUN");   // the operator's write goes out at once, as always
    Answer(1);                  // the read before it is answered: the write still waits
    EXPECT_EQ(Blocks(), (std::vector<int>{0, -1}));
    host.nowMs += 20;
    const Frame echo = host.sent.back();
    Deliver(echo);
    EXPECT_EQ(Blocks(), (std::vector<int>{0, -1, 0}));
}

TEST_F(FollowBlock0Test, NothingIsSentUntickedAndNoiseOrDamageSendsNoExtraRead)
{
    host.ticked = false;
    link.SetFollowBlock0(true);
    Tick();
    EXPECT_TRUE(host.sent.empty());
    host.ticked = true;
    Tick();
    Frame damaged = ReadReply(1, Sequence(3));
    damaged.back() ^= 0x01;
    host.nowMs += 30;
    Deliver(damaged);
    Deliver({0xFF});
    EXPECT_EQ(host.sent.size(), 1u);
}
