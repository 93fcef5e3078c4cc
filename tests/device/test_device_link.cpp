// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/device_link.h"
#include "device/frame_codec.h"
#include "tests/support/fake_link_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace fake_link_host;

std::uint8_t StartOf(const Frame& request) { return request.at(3); }

Frame Bytes(const RequestFrame& frame) { return {frame.begin(), frame.end()}; }

class DeviceLinkTest : public ::testing::Test {
protected:
    FakeHost host;
    DeviceLink link{host};

    void Deliver(const Frame& frame) { link.Comm1ReceiveData(frame.data(), static_cast<std::uint16_t>(frame.size())); }

    // One poll tick answered by the device with values first, first+1, ...
    void PollAnswered(std::uint16_t first)
    {
        link.Timer1Timer();
        Deliver(ReadReply(1, Sequence(first)));
    }
};

} // namespace

TEST_F(DeviceLinkTest, PollCycleWalksTheBlocksAndDecodesRegisters)
{
    PollAnswered(100);
    PollAnswered(1000);
    PollAnswered(2000);
    EXPECT_EQ(link.Register(20), 2000u);
    PollAnswered(200);
    PollAnswered(300);
    PollAnswered(400);

    ASSERT_EQ(host.sent.size(), 6u);
    const std::vector<std::uint8_t> starts{0, 10, 20, 0, 10, 20};
    for (std::size_t i = 0; i < starts.size(); ++i) {
        EXPECT_EQ(StartOf(host.sent[i]), starts[i]) << "request " << i;
        EXPECT_EQ(host.sent[i], Bytes(BuildReadRequest(1, starts[i], 10)));
    }
    EXPECT_EQ(host.pauses, std::vector<int>(6, DeviceLink::ReadPauseMs));

    for (int r = 0; r <= 9; ++r) EXPECT_EQ(link.Register(r), 200u + r) << "register " << r;
    EXPECT_EQ(link.Register(10), 300u);
    EXPECT_EQ(link.Register(12), 302u);
    EXPECT_EQ(link.Register(13), 0u);   // not kept
    EXPECT_EQ(link.Register(14), 304u);
    EXPECT_EQ(link.Register(15), 305u);
    EXPECT_EQ(link.Register(16), 0u);
    EXPECT_EQ(link.Register(20), 400u);
    EXPECT_EQ(link.Register(24), 404u);
    EXPECT_EQ(link.Register(25), 0u);
    EXPECT_EQ(link.Register(-1), 0u);
    EXPECT_EQ(link.Register(30), 0u);
    EXPECT_TRUE(host.lamp);
    EXPECT_EQ(host.memo12, "0");
    EXPECT_EQ(link.BlockIndex(), 2);
    EXPECT_TRUE(link.BlockDone());
    // the frame area is cleared after each block
    for (int i = 0; i < DeviceLink::FrameAreaSize; ++i) ASSERT_EQ(link.ReplyBuffer()[i], 0) << "byte " << i;
}

TEST_F(DeviceLinkTest, RegisterValuesAboveSignedRangeStayUnsigned)
{
    link.Timer1Timer();
    Deliver(ReadReply(1, {0x8000, 0xFFFF, 65535, 40000, 0, 0, 0, 0x0101, 0, 0}));
    EXPECT_EQ(link.Register(0), 32768u);
    EXPECT_EQ(link.Register(1), 65535u);
    EXPECT_EQ(link.Register(3), 40000u);
    EXPECT_EQ(link.Register(7), 0x0101u);
}

TEST_F(DeviceLinkTest, BadCrcUnlightsLampKeepsStateAndRepeatsBlock)
{
    PollAnswered(100);
    ASSERT_TRUE(host.lamp);

    link.Timer1Timer();
    Frame bad = ReadReply(1, Sequence(500));
    bad[24] ^= 0xFF;
    Deliver(bad);
    EXPECT_FALSE(host.lamp);
    EXPECT_FALSE(link.BlockDone());

    // a reply split in two blocks fails twice
    link.Timer1Timer();
    const Frame good = ReadReply(1, Sequence(500));
    Deliver(Frame(good.begin(), good.begin() + 10));
    Deliver(Frame(good.begin() + 10, good.end()));
    EXPECT_FALSE(host.lamp);

    link.Timer1Timer();
    ASSERT_EQ(host.sent.size(), 4u);
    EXPECT_EQ(StartOf(host.sent[1]), 10);
    EXPECT_EQ(StartOf(host.sent[2]), 10);
    EXPECT_EQ(StartOf(host.sent[3]), 10);
    EXPECT_EQ(link.Register(10), 0u);
    EXPECT_EQ(link.Register(0), 100u);

    // garbage and empty blocks are judged the same way and harm nothing
    Deliver(Frame(7, 0xAA));
    link.Comm1ReceiveData(nullptr, 12);
    link.Comm1ReceiveData(good.data(), 0);
    EXPECT_FALSE(host.lamp);
    EXPECT_EQ(link.BlockIndex(), 1);
    EXPECT_EQ(link.Register(0), 100u);
}

TEST_F(DeviceLinkTest, ValidRepliesFromAnotherStationAnswerNothing)
{
    link.Timer1Timer();
    host.lamp = true;
    for (const Frame& frame : {ReadReply(2, Sequence(5)), WithCrc({0x02, 0x83, 0x02}), Bytes(BuildWriteRequest(2, 1, 0, 5))}) {
        Deliver(frame);
        EXPECT_FALSE(host.lamp);
        EXPECT_FALSE(link.BlockDone());
    }
    EXPECT_EQ(link.Register(9), 0u);
    EXPECT_EQ(link.Replies().Dropped, 3u);
    Deliver(ReadReply(1, Sequence(5)));   // the polled station's reply still answers its read
    EXPECT_EQ(link.Register(9), 14u);
    EXPECT_TRUE(link.BlockDone());
}

TEST_F(DeviceLinkTest, OversizeBlockIsCutBeforeThePollStateBytes)
{
    PollAnswered(100);   // block 0 done
    link.Timer1Timer();  // now polling block 1
    host.address = "";   // further ticks and writes send nothing
    link.SwitchChange("RUN");   // a write pending, counting ticks
    link.WriteExpiryStep();
    ASSERT_EQ(link.WriteWaitTicks(), 1);
    ASSERT_TRUE(link.WritePending());

    // a valid read reply followed by padding, far longer than the frame area: its first
    // 25 bytes answer the outstanding read of block 1
    Frame big = ReadReply(1, Sequence(9));
    big.resize(600, 0xEE);
    Deliver(big);
    EXPECT_EQ(link.BlockIndex(), 1);
    EXPECT_TRUE(link.BlockDone());
    EXPECT_EQ(link.WriteWaitTicks(), 1);
    EXPECT_TRUE(link.WritePending());   // a read reply is no echo of the write
    EXPECT_EQ(link.Register(10), 9u);

    // the same again answers nothing: dropped, registers kept
    big = ReadReply(1, Sequence(700));
    big.resize(600, 0xEE);
    Deliver(big);
    EXPECT_EQ(link.Register(10), 9u);
    EXPECT_EQ(link.Replies().Dropped, 1u);

    Deliver(Frame(65535, 0x07));
    EXPECT_EQ(link.BlockIndex(), 1);
    EXPECT_TRUE(link.BlockDone());
    EXPECT_EQ(link.WriteWaitTicks(), 1);
    EXPECT_EQ(link.ReplyBuffer()[254], 0);
}

TEST_F(DeviceLinkTest, PendingWriteSuspendsPollingForFourDisplayTicks)
{
    link.KnobClick(2, 15.0);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], Bytes(BuildWriteRequest(1, 2, 0, 15)));
    EXPECT_EQ(host.pauses.back(), DeviceLink::WritePauseMs);

    for (int tick = 1; tick <= 3; ++tick) {
        link.WriteExpiryStep();
        link.Timer1Timer();
        EXPECT_TRUE(link.WritePending()) << "display tick " << tick;
        EXPECT_EQ(link.WriteWaitTicks(), tick);
    }
    EXPECT_EQ(host.sent.size(), 1u);
    EXPECT_FALSE(host.lamp);

    link.WriteExpiryStep();   // fourth tick: the write expires
    EXPECT_FALSE(link.WritePending());
    EXPECT_EQ(link.WriteWaitTicks(), 0);
    link.Timer1Timer();
    ASSERT_EQ(host.sent.size(), 2u);
    EXPECT_EQ(host.sent[1], Bytes(BuildReadRequest(1, 0, 10)));
}

TEST_F(DeviceLinkTest, WriteWithCommunicationUntickedSendsNothingButStillPends)
{
    host.ticked = false;
    link.KnobClick(1, 350.0);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(link.WritePending());
    EXPECT_EQ(link.PendingWrite().Register, 1);
    EXPECT_EQ(link.PendingWrite().ValueHi, 0x01);
    EXPECT_EQ(link.PendingWrite().ValueLo, 0x5E);
    host.ticked = true;
    link.Timer1Timer();
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(DeviceLinkTest, ReadReplyAndWriteEchoEachAnswerTheirOwnRequest)
{
    link.Timer1Timer();
    link.KnobClick(3, 20.0);
    Deliver(ReadReply(1, Sequence(100)));   // the read reply in flight answers the read
    EXPECT_TRUE(link.WritePending());
    EXPECT_EQ(link.Register(0), 100u);
    EXPECT_TRUE(link.BlockDone());
    EXPECT_TRUE(host.lamp);

    Deliver(Bytes(BuildWriteRequest(1, 3, 0, 20)));   // the echo ends the write
    EXPECT_FALSE(link.WritePending());
    Deliver(Bytes(BuildWriteRequest(1, 3, 0, 20)));   // a second echo answers nothing
    EXPECT_EQ(link.Replies().Dropped, 1u);
    EXPECT_FALSE(host.lamp);
    EXPECT_EQ(link.Register(0), 100u);
    EXPECT_EQ(link.Register(1), 101u);

    // A second write restarts the wait, and only its own echo ends it.
    link.KnobClick(2, 7.0);
    link.WriteExpiryStep();
    link.WriteExpiryStep();
    link.KnobClick(2, 8.0);
    EXPECT_EQ(link.WriteWaitTicks(), 0);
    Deliver(Bytes(BuildWriteRequest(1, 2, 0, 7)));
    EXPECT_TRUE(link.WritePending());
    Deliver(Bytes(BuildWriteRequest(1, 2, 0, 8)));
    EXPECT_FALSE(link.WritePending());

    // A write whose wait expired stays known: its late echo is recognised as that echo,
    // consumes no read, and every request sent before it is settled with it.
    link.SwitchChange("STOP");
    for (int i = 0; i < 4; ++i) link.WriteExpiryStep();
    ASSERT_FALSE(link.WritePending());
    EXPECT_EQ(link.InFlight().OutstandingWrites(), 1u);
    link.Timer1Timer();   // block 1 now, its read sent after the write
    EXPECT_EQ(host.sent.back(), Bytes(BuildReadRequest(1, 10, 10)));
    Deliver(Bytes(BuildWriteRequest(1, 0, 0, 0)));
    EXPECT_EQ(link.InFlight().OutstandingWrites(), 0u);
    EXPECT_EQ(link.InFlight().OutstandingReads(), 1u);
    EXPECT_EQ(link.Replies().Dropped, 1u);
    Deliver(ReadReply(1, Sequence(1000)));
    EXPECT_EQ(link.Register(10), 1000u);
}

TEST_F(DeviceLinkTest, LateRepliesAreDecodedAsTheBlockTheyAnswer)
{
    // The device answers every request 1.2 s late, after the next tick's request.
    link.Timer1Timer();   // A: block 0
    host.nowMs += 1000;
    link.Timer1Timer();   // B: block 0 again, A unanswered
    EXPECT_FALSE(host.lamp);
    EXPECT_EQ(StartOf(host.sent.back()), 0);
    host.nowMs += 200;
    Deliver(ReadReply(1, Sequence(100)));   // answers A
    EXPECT_EQ(link.Register(0), 100u);
    EXPECT_TRUE(host.lamp);

    // Block 0 is done, but B's answer is still to come: it must not be taken for an
    // answer about block 1, so the cycle waits for it instead of asking for block 1.
    host.nowMs += 800;
    link.Timer1Timer();
    EXPECT_EQ(host.sent.size(), 2u);
    EXPECT_TRUE(host.lamp);
    host.nowMs += 200;
    Deliver(ReadReply(1, Sequence(110)));   // B's answer: block 0's values
    EXPECT_EQ(link.Register(0), 110u);
    for (int r = 10; r <= 15; ++r) EXPECT_EQ(link.Register(r), 0u) << "register " << r;

    host.nowMs += 800;
    link.Timer1Timer();   // C: block 1
    EXPECT_EQ(StartOf(host.sent.back()), 10);
    host.nowMs += 1000;
    link.Timer1Timer();   // D: block 1 again
    EXPECT_EQ(StartOf(host.sent.back()), 10);
    host.nowMs += 200;
    Deliver(ReadReply(1, Sequence(1000)));   // C's answer
    EXPECT_EQ(link.Register(10), 1000u);
    EXPECT_EQ(link.Register(15), 1005u);
    EXPECT_EQ(link.Register(0), 110u);
    EXPECT_EQ(link.Replies().Decoded, 3u);
    EXPECT_EQ(link.Replies().Dropped, 0u);
}

TEST_F(DeviceLinkTest, DamagedOrLostReplyHoldsItsBlockUntilTheHorizon)
{
    // A damaged block answers nothing: the intact reply after it is taken for the
    // first request, and the cycle leaves the block only once the second request can
    // no longer be answered.
    link.Timer1Timer();
    Frame bad = ReadReply(1, Sequence(1));
    bad[23] ^= 0x40;
    Deliver(bad);
    EXPECT_FALSE(host.lamp);
    EXPECT_EQ(link.Replies().Rejected, 1u);
    host.nowMs += 1000;
    link.Timer1Timer();
    Deliver(ReadReply(1, Sequence(100)));
    EXPECT_TRUE(host.lamp);
    EXPECT_EQ(link.Register(0), 100u);
    const std::size_t sent = host.sent.size();
    for (std::int64_t waited = 1000; waited <= RequestsInFlight::HorizonMs; waited += 1000) {
        host.nowMs += 1000;
        link.Timer1Timer();
        ASSERT_EQ(host.sent.size(), sent) << "after " << waited << " ms";
    }
    host.nowMs += 1000;   // the second request is given up: the cycle moves on
    link.Timer1Timer();
    EXPECT_EQ(host.sent.back(), Bytes(BuildReadRequest(1, 10, 10)));
    Deliver(ReadReply(1, Sequence(1000)));
    EXPECT_EQ(link.Register(10), 1000u);
    host.nowMs += 1000;
    link.Timer1Timer();   // and runs at full pace again
    EXPECT_EQ(StartOf(host.sent.back()), 20);
}

TEST_F(DeviceLinkTest, ExceptionReplyAnswersItsRequestDecodesNothingAndTheCycleGoesOn)
{
    PollAnswered(100);
    link.Timer1Timer();   // block 1, which the device refuses
    host.lamp = true;
    Deliver(WithCrc({0x01, 0x83, 0x02}));
    EXPECT_FALSE(host.lamp);
    EXPECT_TRUE(link.BlockDone());
    EXPECT_EQ(link.Register(10), 0u);
    EXPECT_EQ(link.Replies().Exceptions, 1u);
    link.Timer1Timer();
    EXPECT_EQ(StartOf(host.sent.back()), 20);
    Deliver(WithCrc({0x01, 0x83}));   // too short to be one: rejected, block not done
    EXPECT_FALSE(link.BlockDone());
    EXPECT_EQ(link.Replies().Rejected, 1u);

    // An exception to a write answers it and ends its wait.
    link.SwitchChange("RUN");
    Deliver(WithCrc({0x01, 0x86, 0x04}));
    EXPECT_FALSE(link.WritePending());
    EXPECT_EQ(link.Replies().Exceptions, 2u);
}

TEST_F(DeviceLinkTest, RepliesWithNothingOutstandingOrExpiredAreDropped)
{
    Deliver(ReadReply(1, Sequence(100)));   // nothing was asked
    EXPECT_EQ(link.Register(0), 0u);
    EXPECT_FALSE(link.BlockDone());

    link.Timer1Timer();
    host.nowMs += RequestsInFlight::HorizonMs + 1;
    Deliver(ReadReply(1, Sequence(200)));   // too late: the request was given up
    EXPECT_EQ(link.Register(0), 0u);
    EXPECT_EQ(link.Replies().Dropped, 2u);
    EXPECT_EQ(link.InFlight().OutstandingReads(), 0u);

    // a request lost by the device, then one for the same block answered: decoded
    link.Timer1Timer();
    host.nowMs += 1000;
    link.Timer1Timer();
    Deliver(ReadReply(1, Sequence(300)));
    EXPECT_EQ(link.Register(0), 300u);
    EXPECT_TRUE(host.lamp);
    EXPECT_EQ(link.Replies().Decoded, 1u);
}

TEST_F(DeviceLinkTest, FailedSendLeavesNothingInFlight)
{
    host.sendSucceeds = false;
    host.lamp = true;
    link.Timer1Timer();
    EXPECT_FALSE(host.lamp);
    EXPECT_EQ(link.InFlight().OutstandingReads(), 0u);
    link.SwitchChange("RUN");
    EXPECT_EQ(link.InFlight().OutstandingWrites(), 0u);
    EXPECT_TRUE(link.WritePending());   // polling is still held back until it expires
    EXPECT_EQ(host.pauses, (std::vector<int>{DeviceLink::ReadPauseMs, DeviceLink::WritePauseMs}));
    Deliver(ReadReply(1, Sequence(5)));
    EXPECT_EQ(link.Register(0), 0u);
}

TEST_F(DeviceLinkTest, ShortFramesWithTheirOwnValidCrcAreNotReadReplies)
{
    PollAnswered(100);
    ASSERT_TRUE(host.lamp);
    // Such frames leave the CRC register at zero and the cleared bytes after them
    // would otherwise match; they must not be decoded as registers.
    const std::vector<Frame> shortFrames{
        Bytes(BuildWriteRequest(1, 3, 0, 20)),
        WithCrc({0x01, 0x03, 0x04, 0x12, 0x34, 0x56, 0x78}),   // two registers only
    };
    for (const Frame& frame : shortFrames) {
        link.Timer1Timer();
        host.lamp = true;
        Deliver(frame);
        EXPECT_FALSE(host.lamp);
        EXPECT_FALSE(link.BlockDone());
        EXPECT_EQ(link.BlockIndex(), 1);
        EXPECT_EQ(link.Register(10), 0u);
        EXPECT_EQ(link.Register(11), 0u);
    }
}

TEST_F(DeviceLinkTest, KnobWritesRoundedPosition)
{
    link.KnobClick(1, 350.0);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], (Frame{0x01, 0x06, 0x00, 0x01, 0x01, 0x5E, 0x58, 0x62}));

    link.KnobClick(2, 42.5);
    link.KnobClick(3, 43.5);
    ASSERT_EQ(host.sent.size(), 3u);
    EXPECT_EQ(host.sent[1], Bytes(BuildWriteRequest(1, 2, 0, 42)));
    EXPECT_EQ(host.sent[2], Bytes(BuildWriteRequest(1, 3, 0, 44)));
    EXPECT_EQ(link.PendingWrite().Register, 3);

    link.KnobClick(0, 10.0);
    link.KnobClick(4, 10.0);
    EXPECT_EQ(host.sent.size(), 3u);
}

TEST(KnobValue, RoundsHalfToEvenAndKeepsLow16BitsForAnyPosition)
{
    EXPECT_EQ(DeviceLink::KnobValue(42.5), 42);
    EXPECT_EQ(DeviceLink::KnobValue(43.5), 44);
    EXPECT_EQ(DeviceLink::KnobValue(0.5), 0);
    EXPECT_EQ(DeviceLink::KnobValue(1.5), 2);
    EXPECT_EQ(DeviceLink::KnobValue(42.4999), 42);
    EXPECT_EQ(DeviceLink::KnobValue(42.5001), 43);
    EXPECT_EQ(DeviceLink::KnobValue(-0.5), 0);
    EXPECT_EQ(DeviceLink::KnobValue(-1.0), 0xFFFF);
    EXPECT_EQ(DeviceLink::KnobValue(-2.5), 0xFFFE);
    EXPECT_EQ(DeviceLink::KnobValue(-3.5), 0xFFFC);
    EXPECT_EQ(DeviceLink::KnobValue(65536.0), 0);
    EXPECT_EQ(DeviceLink::KnobValue(65537.0), 1);
    EXPECT_EQ(DeviceLink::KnobValue(-65537.0), 0xFFFF);
    EXPECT_EQ(DeviceLink::KnobValue(4294967296.0 + 350.0), 350);
    EXPECT_EQ(DeviceLink::KnobValue(1e300), std::optional<std::uint16_t>(static_cast<std::uint16_t>(std::fmod(1e300, 65536.0))));
    EXPECT_EQ(DeviceLink::KnobValue(std::ldexp(1.0, 80) + std::ldexp(1.0, 70) + 0.0), 0);
    EXPECT_EQ(DeviceLink::KnobValue(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(DeviceLink::KnobValue(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(DeviceLink::KnobValue(-std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST_F(DeviceLinkTest, NonFiniteKnobPositionWritesNothing)
{
    link.KnobClick(1, std::numeric_limits<double>::quiet_NaN());
    link.KnobClick(2, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(host.sent.empty());
    EXPECT_FALSE(link.WritePending());
}

TEST_F(DeviceLinkTest, SwitchCaptionsWriteRunState)
{
    link.SwitchChange("STOP");
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], Bytes(BuildWriteRequest(1, 0, 0, 0)));
    EXPECT_EQ(host.memo13, "1111");
    EXPECT_TRUE(link.WritePending());

    link.SwitchChange("RUN");
    ASSERT_EQ(host.sent.size(), 2u);
    EXPECT_EQ(host.sent[1], (Frame{0x01, 0x06, 0x00, 0x00, 0x00, 0x01, 0x48, 0x0A}));
    EXPECT_EQ(host.memo13, "3333");

    link.SwitchChange("run");
    link.SwitchChange("");
    link.SwitchChange("STOP ");
    EXPECT_EQ(host.sent.size(), 2u);
    EXPECT_EQ(host.memo13, "3333");
    EXPECT_EQ(link.PendingWrite().ValueLo, 1);
}

TEST_F(DeviceLinkTest, BadStationAddressSendsNothing)
{
    for (const char* text : {"", "0", "300", "abc", "-1", "99999999999", "4294967297", "256", "12abc", "1O"}) {
        host.address = text;
        host.lamp = true;
        const std::size_t before = host.sent.size();
        link.Timer1Timer();
        EXPECT_EQ(host.sent.size(), before) << "address '" << text << "'";
        EXPECT_FALSE(host.lamp) << "address '" << text << "'";
        link.SwitchChange("RUN");
        link.KnobClick(1, 400);
        EXPECT_EQ(host.sent.size(), before) << "address '" << text << "'";
        EXPECT_TRUE(link.WritePending());
        for (int i = 0; i < 4; ++i) link.WriteExpiryStep();
    }
    host.address = "255";
    link.Timer1Timer();
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0][0], 0xFF);
    host.address = " $1F";
    link.SwitchChange("STOP");
    ASSERT_EQ(host.sent.size(), 2u);
    EXPECT_EQ(host.sent[1][0], 0x1F);
    // The whole text must be the number: trailing letters name no station.
    for (const char* text : {"12abc", "1O", "0x", "$", " ", "1 2", "10-"}) {
        host.address = text;
        EXPECT_EQ(link.StationAddress(), std::nullopt) << "address '" << text << "'";
    }
    for (const auto& [text, station] : std::vector<std::pair<const char*, int>>{{" 12 ", 12}, {"0x10", 16}, {"$ff", 255}, {"\t1\t", 1}}) {
        host.address = text;
        EXPECT_EQ(link.StationAddress(), std::optional<std::uint8_t>(station)) << "address '" << text << "'";
    }
}

TEST_F(DeviceLinkTest, UnansweredReadUnlightsLampAtNextTick)
{
    PollAnswered(100);
    ASSERT_TRUE(host.lamp);
    link.Timer1Timer();   // the device stops answering after this request
    EXPECT_TRUE(host.lamp);
    link.Timer1Timer();
    EXPECT_FALSE(host.lamp);
    EXPECT_EQ(StartOf(host.sent.back()), 10);   // same block asked for again

    Deliver(ReadReply(1, Sequence(50)));   // it answers again
    EXPECT_TRUE(host.lamp);
    EXPECT_EQ(link.Register(10), 50u);
    const std::size_t sent = host.sent.size();
    link.Timer1Timer();
    EXPECT_TRUE(host.lamp);   // a reply came since the last tick
    EXPECT_EQ(host.sent.size(), sent);   // one block-1 request is still in flight
    Deliver(ReadReply(1, Sequence(60)));
    link.Timer1Timer();
    EXPECT_TRUE(host.lamp);
    EXPECT_EQ(StartOf(host.sent.back()), 20);
}
