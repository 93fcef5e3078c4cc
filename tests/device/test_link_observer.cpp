// SPDX-License-Identifier: GPL-3.0-or-later
// What the device link tells its observers: one row per kind of block and verdict, and
// the requests, give-ups and lamp changes around them.
#include "device/device_link.h"
#include "tests/support/fake_link_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace fake_link_host;

struct Recorder : LinkObserver {
    std::vector<RequestSentEvent> sent;
    std::vector<Frame> sentBytes;
    std::vector<Frame> received;
    std::vector<BlockJudgedEvent> judged;
    std::vector<Frame> judgedBytes;
    std::vector<RequestGivenUpEvent> givenUp;
    std::vector<LampChangedEvent> lamp;

    void RequestSent(const RequestSentEvent& e) override
    {
        sent.push_back(e);
        sentBytes.emplace_back(e.bytes.begin(), e.bytes.end());
    }
    void BlockReceived(const BlockReceivedEvent& e) override { received.emplace_back(e.bytes.begin(), e.bytes.end()); }
    void BlockJudged(const BlockJudgedEvent& e) override
    {
        judged.push_back(e);
        judgedBytes.emplace_back(e.bytes.begin(), e.bytes.end());
    }
    void RequestGivenUp(const RequestGivenUpEvent& e) override { givenUp.push_back(e); }
    void LampChanged(const LampChangedEvent& e) override { lamp.push_back(e); }
};

struct Rig {
    FakeHost host;
    DeviceLink link{host};
    Recorder recorder;
    Rig() { link.AddObserver(&recorder); }
    void Deliver(const Frame& f, std::int64_t afterMs)
    {
        host.nowMs += afterMs;
        link.Comm1ReceiveData(f.data(), static_cast<std::uint16_t>(f.size()));
    }
};

Frame Damaged(Frame f)
{
    f.back() ^= 0x01;
    return f;
}

struct VerdictRow {
    std::string name;
    std::function<void(Rig&)> act;   // sends what it needs and delivers one block 40 ms later
    BlockJudgedEvent expected;
};

class LinkObserverVerdicts : public ::testing::TestWithParam<VerdictRow> {};

TEST_P(LinkObserverVerdicts, EachBlockIsReportedWithWhatItWasTakenFor)
{
    Rig rig;
    GetParam().act(rig);
    ASSERT_EQ(rig.recorder.judged.size(), 1u);
    ASSERT_EQ(rig.recorder.received.size(), 1u);
    const BlockJudgedEvent& got = rig.recorder.judged.back();
    const BlockJudgedEvent& want = GetParam().expected;
    EXPECT_EQ(got.atMs, rig.host.nowMs);
    EXPECT_EQ(got.verdict, want.verdict);
    EXPECT_EQ(got.block, want.block);
    EXPECT_EQ(got.roundTripMs, want.roundTripMs);
    EXPECT_EQ(got.newestRoundTripMs, want.roundTripMs) << "one request could be answered: one round trip";
    EXPECT_EQ(got.registers, want.registers);
    EXPECT_EQ(got.reg, want.reg);
    EXPECT_EQ(got.value, want.value);
    EXPECT_EQ(got.function, want.function);
    EXPECT_EQ(got.exceptionCode, want.exceptionCode);
    EXPECT_EQ(got.station, want.station);
    EXPECT_EQ(got.damage, want.damage);
    EXPECT_EQ(got.reason, want.reason);
}

BlockJudgedEvent Verdict(BlockVerdict verdict, std::uint8_t station)
{
    BlockJudgedEvent e;
    e.verdict = verdict;
    e.station = station;
    return e;
}

BlockJudgedEvent DecodedBlock0()
{
    BlockJudgedEvent e = Verdict(BlockVerdict::Decoded, 1);
    e.block = 0;
    e.roundTripMs = 40;
    for (std::uint16_t i = 0; i < 10; ++i) e.registers[i] = static_cast<std::uint16_t>(700 + i);
    return e;
}

BlockJudgedEvent Echo()
{
    BlockJudgedEvent e = Verdict(BlockVerdict::WriteEcho, 1);
    e.roundTripMs = 40;
    e.reg = 2;
    e.value = 0x1234;
    return e;
}

BlockJudgedEvent Exception()
{
    BlockJudgedEvent e = Verdict(BlockVerdict::ExceptionReply, 1);
    e.block = 0;
    e.roundTripMs = 40;
    e.function = 0x83;
    e.exceptionCode = 0x02;
    return e;
}

BlockJudgedEvent Damage(DamageKind kind)
{
    BlockJudgedEvent e = Verdict(BlockVerdict::Damaged, 1);
    e.damage = kind;
    return e;
}

BlockJudgedEvent Unanswered(UnansweredReason reason, std::uint8_t station = 1)
{
    BlockJudgedEvent e = Verdict(BlockVerdict::Unanswered, station);
    e.reason = reason;
    return e;
}

void Poll(Rig& rig) { rig.link.Timer1Timer(); }

INSTANTIATE_TEST_SUITE_P(
    Rows, LinkObserverVerdicts,
    ::testing::Values(
        VerdictRow{"Decoded", [](Rig& r) { Poll(r); r.Deliver(ReadReply(1, Sequence(700)), 40); }, DecodedBlock0()},
        VerdictRow{"WriteEcho",
                   [](Rig& r) {
                       r.link.KnobClick(2, 0x1234);
                       const auto echo = BuildWriteRequest(1, 2, 0x12, 0x34);
                       r.Deliver(Frame(echo.begin(), echo.end()), 40);
                   },
                   Echo()},
        VerdictRow{"Exception", [](Rig& r) { Poll(r); r.Deliver(WithCrc({1, 0x83, 2}), 40); }, Exception()},
        VerdictRow{"CrcError", [](Rig& r) { Poll(r); r.Deliver(Damaged(ReadReply(1, Sequence(1))), 40); },
                   Damage(DamageKind::CrcError)},
        VerdictRow{"Incomplete", [](Rig& r) { Poll(r); const Frame reply = ReadReply(1, Sequence(1)); r.Deliver(Frame(reply.begin(), reply.begin() + 12), 40); },
                   Damage(DamageKind::Incomplete)},
        VerdictRow{"Noise", [](Rig& r) { Poll(r); r.Deliver({0xFF}, 40); }, Verdict(BlockVerdict::Noise, 0)},
        VerdictRow{"NoRequestInFlight", [](Rig& r) { r.Deliver(ReadReply(1, Sequence(1)), 40); },
                   Unanswered(UnansweredReason::NoRequestInFlight)},
        VerdictRow{"OtherStation", [](Rig& r) { Poll(r); r.Deliver(ReadReply(2, Sequence(1)), 40); },
                   Unanswered(UnansweredReason::OtherStation, 2)},
        VerdictRow{"LateBeyondHorizon",
                   [](Rig& r) {
                       Poll(r);
                       r.Deliver(ReadReply(1, Sequence(1)), RequestsInFlight::HorizonMs + 1);
                   },
                   Unanswered(UnansweredReason::LateBeyondHorizon)}),
    [](const ::testing::TestParamInfo<VerdictRow>& info) { return info.param.name; });

// Replies back to back in one block each get a verdict with their own bytes; what
// follows the last frame is shown with it. Noise ahead of a frame makes the block noise.
TEST(LinkObserver, EachFrameOfABlockIsJudgedWithItsOwnBytes)
{
    Rig rig;
    Poll(rig);
    rig.link.KnobClick(2, 0x1234);
    const Frame reply = ReadReply(1, Sequence(700));
    const auto echo = BuildWriteRequest(1, 2, 0x12, 0x34);
    Frame block = reply;
    block.insert(block.end(), echo.begin(), echo.end());
    block.push_back(0xFF);
    rig.Deliver(block, 40);
    ASSERT_EQ(rig.recorder.judged.size(), 2u);
    EXPECT_EQ(rig.recorder.judged[0].verdict, BlockVerdict::Decoded);
    EXPECT_EQ(rig.recorder.judgedBytes[0], reply);
    EXPECT_EQ(rig.recorder.judged[1].verdict, BlockVerdict::WriteEcho);
    EXPECT_EQ(rig.recorder.judgedBytes[1], Frame(block.begin() + 25, block.end()));

    Poll(rig);
    Frame late{0xFF};
    late.insert(late.end(), reply.begin(), reply.end());
    rig.Deliver(late, 40);
    ASSERT_EQ(rig.recorder.judged.size(), 3u);
    EXPECT_EQ(rig.recorder.judged[2].verdict, BlockVerdict::Noise);
    EXPECT_EQ(rig.recorder.judgedBytes[2], late);
}

TEST(LinkObserver, RequestsGiveUpsAndTheLampAreReported)
{
    Rig rig;
    rig.link.Timer1Timer();
    rig.Deliver(ReadReply(1, Sequence(5)), 30);
    rig.host.nowMs += 1000;
    rig.link.Timer1Timer();   // block 1: never answered
    rig.link.SwitchChange("RUN");
    rig.host.sendSucceeds = false;
    rig.link.KnobClick(3, 12);
    rig.host.nowMs += RequestsInFlight::HorizonMs + 1;
    rig.link.Timer1Timer();

    const auto& sent = rig.recorder.sent;
    ASSERT_EQ(sent.size(), 4u);   // the last tick found the write still pending
    EXPECT_EQ(sent[0].kind, LinkRequestKind::Read);
    EXPECT_EQ(sent[0].block, 0);
    EXPECT_EQ(sent[0].atMs, 1000);
    EXPECT_EQ(rig.recorder.sentBytes[0], Frame(rig.host.sent[0]));
    EXPECT_TRUE(sent[0].sent);
    EXPECT_EQ(sent[1].block, 1);
    EXPECT_EQ(sent[2].kind, LinkRequestKind::Write);
    EXPECT_EQ(sent[2].reg, 0);
    EXPECT_EQ(sent[2].value, 1);
    EXPECT_EQ(sent[3].reg, 3);
    EXPECT_EQ(sent[3].value, 12);
    EXPECT_FALSE(sent[3].sent);

    // the unanswered read and the unechoed write, given up past the horizon
    ASSERT_EQ(rig.recorder.givenUp.size(), 2u);
    EXPECT_EQ(rig.recorder.givenUp[0].kind, LinkRequestKind::Read);
    EXPECT_EQ(rig.recorder.givenUp[0].block, 1);
    EXPECT_EQ(rig.recorder.givenUp[0].sentAtMs, 2030);
    EXPECT_EQ(rig.recorder.givenUp[1].kind, LinkRequestKind::Write);
    EXPECT_EQ(rig.recorder.givenUp[1].reg, 0);
    EXPECT_EQ(rig.recorder.givenUp[1].value, 1);

    // lit by the reply, out when a later tick finds a read unanswered; no repeats
    ASSERT_EQ(rig.recorder.lamp.size(), 2u);
    EXPECT_TRUE(rig.recorder.lamp[0].lit);
    EXPECT_EQ(rig.recorder.lamp[0].atMs, 1030);
    EXPECT_FALSE(rig.recorder.lamp[1].lit);

    // a block longer than the frame area is reported whole; a removed observer hears nothing
    Frame big(600, 0xEE);
    rig.Deliver(big, 0);
    EXPECT_EQ(rig.recorder.received.back(), big);
    rig.link.RemoveObserver(&rig.recorder);
    rig.Deliver(big, 0);
    EXPECT_EQ(rig.recorder.received.size(), 2u);
}

} // namespace

TEST(LinkObserver, AReplyThatMightAnswerSeveralRequestsGivesBothRoundTrips)
{
    // Block 0's first reply came damaged, so its read may still be answered when the
    // second read goes out: the next reply answers one of the two.
    Rig rig;
    Poll(rig);
    Frame damaged = ReadReply(1, Sequence(700));
    damaged.back() ^= 0x01;
    rig.Deliver(damaged, 40);
    rig.host.nowMs += 960;
    Poll(rig);
    rig.Deliver(ReadReply(1, Sequence(700)), 30);
    const BlockJudgedEvent& got = rig.recorder.judged.back();
    ASSERT_EQ(got.verdict, BlockVerdict::Decoded);
    EXPECT_EQ(got.roundTripMs, 1030);        // from the oldest, which the link takes as answered
    EXPECT_EQ(got.newestRoundTripMs, 30);    // from the newest it might answer

    // Two equal writes in flight: the echo is timed from both.
    rig.link.KnobClick(2, 9);
    rig.host.nowMs += 500;
    rig.link.KnobClick(2, 9);
    rig.Deliver(WithCrc({1, 6, 0, 2, 0, 9}), 20);
    EXPECT_EQ(rig.recorder.judged.back().verdict, BlockVerdict::WriteEcho);
    EXPECT_EQ(rig.recorder.judged.back().roundTripMs, 520);
    EXPECT_EQ(rig.recorder.judged.back().newestRoundTripMs, 20);
}
