// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/frame_codec.h"
#include "sim/fault_injector.h"
#include "sim/modbus_slave.h"
#include "sim/reply_schedule.h"
#include "sim/rtu_framer.h"
#include "sim/sim_options.h"
#include "sim/softstarter_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Frame = std::vector<std::uint8_t>;

Frame Bytes(const RequestFrame& frame) { return {frame.begin(), frame.end()}; }

} // namespace

TEST(SoftStarterModel, StartRampsFromStartingVoltageOverSoftStartTime)
{
    SoftStarterModel model;
    EXPECT_EQ(model.Register(1), 300);
    EXPECT_EQ(model.Register(2), 10);
    EXPECT_EQ(model.Register(3), 10);
    EXPECT_EQ(model.Register(6), 25);
    EXPECT_EQ(model.Register(4), 0);
    EXPECT_LT(model.SecondsToNextChange(), 0) << "at rest nothing is due";

    ASSERT_TRUE(model.Write(1, 400));
    ASSERT_TRUE(model.Write(2, 6));
    ASSERT_TRUE(model.Write(0, 1));
    EXPECT_EQ(model.Register(0) & 1, 1);
    EXPECT_EQ(model.Register(4), 400);        // starting voltage applied at once
    EXPECT_EQ(model.Register(5), 200);        // current follows the output
    EXPECT_GT(model.SecondsToNextChange(), 0);
    model.Advance(3.0);
    EXPECT_EQ(model.Register(4), 700);        // halfway from 400 to 1000
    EXPECT_EQ(model.Register(5), 350);
    model.Advance(3.0);
    EXPECT_EQ(model.Register(4), 1000);
    model.Advance(100.0);
    EXPECT_EQ(model.Register(4), 1000);       // holds full output
    EXPECT_EQ(model.Register(5), 500);
}

TEST(SoftStarterModel, StopRampsToZeroOverSoftStopTimeAndCools)
{
    SoftStarterModel model;
    model.Preset(0, 1);
    ASSERT_EQ(model.Register(4), 1000);
    model.Write(3, 4);
    model.Write(0, 0);
    EXPECT_EQ(model.Register(0) & 1, 0);
    model.Advance(1.0);
    EXPECT_EQ(model.Register(4), 750);
    model.Advance(3.0);
    EXPECT_EQ(model.Register(4), 0);
    EXPECT_EQ(model.Register(5), 0);

    model.Write(3, 0);   // no stop time: stops at once
    model.Write(0, 1);
    model.Advance(20.0);
    model.Write(0, 0);
    EXPECT_EQ(model.Register(4), 0);
}

TEST(SoftStarterModel, TemperatureFollowsLoadAndRaisesOverTemperatureAlarm)
{
    SoftStarterModel model;
    model.Write(2, 0);
    model.Write(0, 1);
    model.Advance(30.0);
    const int warm = model.Register(6);
    EXPECT_GT(warm, 50);
    EXPECT_LT(warm, 80);
    EXPECT_EQ(model.Register(7) & SoftStarterModel::OverTemperatureBit, 0);
    model.Advance(300.0);
    EXPECT_GE(model.Register(6), 80);
    EXPECT_NE(model.Register(7) & SoftStarterModel::OverTemperatureBit, 0);

    model.Write(3, 0);
    model.Write(0, 0);
    model.Advance(10.0);
    EXPECT_NE(model.Register(7) & SoftStarterModel::OverTemperatureBit, 0) << "hysteresis keeps the alarm";
    model.Advance(600.0);
    EXPECT_EQ(model.Register(6), 25);
    EXPECT_EQ(model.Register(7) & SoftStarterModel::OverTemperatureBit, 0);
}

TEST(SoftStarterModel, WritesPresetsAndBadInput)
{
    SoftStarterModel model;
    EXPECT_FALSE(model.Write(4, 1));
    EXPECT_FALSE(model.Write(-1, 1));
    EXPECT_FALSE(model.Preset(30, 1));
    EXPECT_EQ(model.Register(30), 0);
    EXPECT_EQ(model.Register(-5), 0);
    EXPECT_TRUE(model.Preset(21, 4242));
    EXPECT_EQ(model.Register(21), 4242);
    EXPECT_TRUE(model.Preset(6, 95));
    EXPECT_NE(model.Register(7) & SoftStarterModel::OverTemperatureBit, 0);
    EXPECT_TRUE(model.Preset(7, 0x0101));
    EXPECT_EQ(model.Register(7) & 0x0101, 0x0101);

    const double before = model.Temperature();
    model.Advance(std::numeric_limits<double>::quiet_NaN());
    model.Advance(-5.0);
    model.Advance(std::numeric_limits<double>::infinity());
    EXPECT_EQ(model.Temperature(), before);

    model.Write(1, 65535);   // starting voltage beyond full output is capped
    model.Write(0, 3);       // any value with bit 0 set starts
    EXPECT_TRUE(model.Running());
    EXPECT_EQ(model.Register(4), 1000);
}

TEST(ModbusSlave, AnswersReadsAndWrites)
{
    SoftStarterModel model;
    ModbusSlave slave(model, 1);
    const auto reply = slave.Answer(Bytes(BuildReadRequest(1, 0, 10)));
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->size(), 25u);
    EXPECT_EQ((*reply)[0], 1);
    EXPECT_EQ((*reply)[1], 3);
    EXPECT_EQ((*reply)[2], 20);
    EXPECT_EQ((*reply)[5] * 256 + (*reply)[6], 300);   // register 1
    EXPECT_TRUE(HasValidCrc(reply->data(), reply->size()));

    const auto tail = slave.Answer(WithCrc({1, 3, 0, 29, 0, 1}));
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->size(), 7u);

    const Frame write = Bytes(BuildWriteRequest(1, 1, 0x01, 0x5E));
    const auto echo = slave.Answer(write);
    ASSERT_TRUE(echo);
    EXPECT_EQ(*echo, write);
    EXPECT_EQ(model.Register(1), 350);
}

TEST(ModbusSlave, ExceptionsAndIgnoredFrames)
{
    SoftStarterModel model;
    ModbusSlave slave(model, 7);
    const Frame illegalAddress = WithCrc({7, 0x83, 0x02});
    EXPECT_EQ(slave.Answer(WithCrc({7, 3, 0, 25, 0, 10})), illegalAddress);
    EXPECT_EQ(slave.Answer(WithCrc({7, 3, 0xFF, 0xFF, 0, 1})), illegalAddress);
    const Frame illegalValue = WithCrc({7, 0x83, 0x03});   // a count outside 1..125
    EXPECT_EQ(slave.Answer(WithCrc({7, 3, 0, 0, 0, 0})), illegalValue);
    EXPECT_EQ(slave.Answer(WithCrc({7, 3, 0, 0, 0, 126})), illegalValue);
    EXPECT_EQ(slave.Answer(WithCrc({7, 3, 0, 0, 0xFF, 0xFF})), illegalValue);
    slave.RejectReadsOfBlock(1);
    EXPECT_EQ(slave.Answer(Bytes(BuildReadRequest(7, 10, 10))), illegalAddress);
    EXPECT_EQ(slave.Answer(Bytes(BuildReadRequest(7, 19, 1))), illegalAddress);
    EXPECT_EQ(slave.Answer(Bytes(BuildReadRequest(7, 20, 10)))->size(), 25u);
    EXPECT_EQ(slave.Answer(Bytes(BuildWriteRequest(7, 4, 0, 1))), WithCrc({7, 0x86, 0x02}));
    EXPECT_EQ(slave.Answer(WithCrc({7, 0x10, 0, 1, 0, 1, 2, 0, 5})), WithCrc({7, 0x90, 0x01}));

    Frame badCrc = Bytes(BuildReadRequest(7, 0, 10));
    badCrc[7] ^= 1;
    EXPECT_FALSE(slave.Answer(badCrc));
    EXPECT_FALSE(slave.Answer(Bytes(BuildReadRequest(1, 0, 10))));   // another station
    EXPECT_FALSE(slave.Answer(WithCrc({7, 3, 0, 0, 0, 10, 0})));       // wrong length
    EXPECT_FALSE(slave.Answer({}));
    EXPECT_FALSE(slave.Answer({7, 3}));
    EXPECT_FALSE(slave.Answer(Bytes(BuildReadRequest(0, 0, 10))));   // reads are not broadcast

    EXPECT_FALSE(slave.Answer(Bytes(BuildWriteRequest(0, 2, 0, 33))));   // broadcast write: done, silent
    EXPECT_EQ(model.Register(2), 33);
}

TEST(RtuFramer, EndsFramesByLengthOrSilence)
{
    using namespace std::chrono;
    RtuFramer framer(milliseconds(5));
    const auto t0 = RtuFramer::Clock::time_point{} + seconds(100);
    const Frame read = Bytes(BuildReadRequest(1, 0, 10));

    auto frames = framer.Feed(read.data(), 3, t0);
    EXPECT_TRUE(frames.empty());
    ASSERT_TRUE(framer.Deadline());
    EXPECT_EQ(*framer.Deadline(), t0 + milliseconds(5));
    frames = framer.Feed(read.data() + 3, 5, t0 + milliseconds(1));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], read);
    EXPECT_FALSE(framer.Deadline());

    // two requests back to back come out as two frames
    Frame twice = read;
    twice.insert(twice.end(), read.begin(), read.end());
    EXPECT_EQ(framer.Feed(twice.data(), twice.size(), t0 + milliseconds(20)).size(), 2u);

    // an unknown function ends by silence only
    const Frame other{1, 0x10, 0, 1, 0, 1, 2};
    EXPECT_TRUE(framer.Feed(other.data(), other.size(), t0 + milliseconds(30)).empty());
    EXPECT_FALSE(framer.Expire(t0 + milliseconds(33)));
    const auto ended = framer.Expire(t0 + milliseconds(35));
    ASSERT_TRUE(ended);
    EXPECT_EQ(*ended, other);

    // a stray fragment is cut off by the gap before the next request
    EXPECT_TRUE(framer.Feed(read.data(), 2, t0 + milliseconds(40)).empty());
    frames = framer.Feed(read.data(), read.size(), t0 + milliseconds(60));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], Frame(read.begin(), read.begin() + 2));
    EXPECT_EQ(frames[1], read);

    // endless noise never grows a frame beyond the longest RTU frame
    const Frame noise(1000, 0x55);
    for (const auto& frame : framer.Feed(noise.data(), noise.size(), t0 + milliseconds(80)))
        EXPECT_LE(frame.size(), RtuFramer::MaxFrameLength);

    EXPECT_EQ(RtuFramer::SilentIntervalFor(9600, microseconds(0)), microseconds(4010));
    EXPECT_EQ(RtuFramer::SilentIntervalFor(115200, milliseconds(4)), milliseconds(4));
    EXPECT_EQ(RtuFramer::SilentIntervalFor(0, milliseconds(4)), milliseconds(4));
}

TEST(FaultInjector, ShapesReplies)
{
    const Frame reply = WithCrc({1, 3, 2, 0, 5});
    {
        FaultInjector none(FaultOptions{});
        const auto chunks = none.Shape(reply);
        ASSERT_EQ(chunks.size(), 1u);
        EXPECT_EQ(chunks[0].delayMs, 0);
        EXPECT_EQ(chunks[0].bytes, reply);
        EXPECT_FALSE(none.ShouldClose());
    }
    {
        FaultOptions options;
        options.corruptCrcEvery = 2;
        FaultInjector faults(options);
        EXPECT_TRUE(HasValidCrc(faults.Shape(reply)[0].bytes.data(), reply.size()));
        const Frame second = faults.Shape(reply)[0].bytes;
        EXPECT_FALSE(HasValidCrc(second.data(), second.size()));
        EXPECT_TRUE(HasValidCrc(faults.Shape(reply)[0].bytes.data(), reply.size()));
    }
    {
        FaultOptions options;
        options.splitPauseMs = 150;
        options.replyDelayMs = 20;
        FaultInjector faults(options);
        const auto chunks = faults.Shape(reply);
        ASSERT_EQ(chunks.size(), 2u);
        EXPECT_EQ(chunks[0].delayMs, 20);
        EXPECT_EQ(chunks[1].delayMs, 170);
        Frame joined = chunks[0].bytes;
        joined.insert(joined.end(), chunks[1].bytes.begin(), chunks[1].bytes.end());
        EXPECT_EQ(joined, reply);
        EXPECT_FALSE(chunks[0].bytes.empty());
    }
    {
        FaultOptions options;
        options.noiseBytes = 3;
        options.closeAfterReplies = 2;
        FaultInjector faults(options);
        const Frame noisy = faults.Shape(reply)[0].bytes;
        ASSERT_EQ(noisy.size(), reply.size() + 3);
        EXPECT_EQ(Frame(noisy.begin() + 3, noisy.end()), reply);
        EXPECT_FALSE(faults.ShouldClose());
        faults.Shape(reply);
        EXPECT_TRUE(faults.ShouldClose());
    }
    {
        FaultOptions options;
        options.oversizeBytes = 300;
        FaultInjector padded(options);
        const Frame big = padded.Shape(reply)[0].bytes;
        ASSERT_EQ(big.size(), 300u);
        EXPECT_EQ(Frame(big.begin(), big.begin() + static_cast<long>(reply.size())), reply);
        options.oversizeGarbage = true;
        FaultInjector garbage(options);
        EXPECT_EQ(garbage.Shape(reply)[0].bytes.size(), 300u);
    }
    {
        FaultOptions options;
        options.neverReply = true;
        FaultInjector silent(options);
        EXPECT_TRUE(silent.Shape(reply).empty());
    }
    {
        FaultOptions options;
        options.noiseBytes = 1;
        options.noiseLeadMs = 20;
        options.replyDelayMs = 300;
        FaultInjector glitch(options);
        const auto chunks = glitch.Shape(reply);
        ASSERT_EQ(chunks.size(), 2u);
        EXPECT_EQ(chunks[0].delayMs, 20);
        EXPECT_TRUE(chunks[0].apartFromReply);
        EXPECT_EQ(chunks[0].bytes.size(), 1u);
        EXPECT_EQ(chunks[1].delayMs, 300);
        EXPECT_EQ(chunks[1].bytes, reply);
    }
}

// Random faults: each happens about as often as asked, the same seed gives the same
// run, and all of them together still give each reply at most once.
TEST(FaultInjector, RandomFaultsFollowTheirProbabilitiesAndTheSeed)
{
    const Frame reply = WithCrc({1, 3, 2, 0, 5});
    FaultOptions options;
    options.splitPercent = 20;
    options.strayPercent = 20;
    options.crcPercent = 20;
    options.silencePercent = 20;
    options.replyDelayMs = 1000;
    options.seed = 42;
    FaultInjector faults(options);
    FaultInjector same(options);
    int silent = 0, split = 0, stray = 0, corrupt = 0;
    for (int i = 0; i < 2000; ++i) {
        const auto chunks = faults.Shape(reply);
        ASSERT_EQ(chunks.size(), same.Shape(reply).size());
        if (chunks.empty()) {
            ++silent;
            continue;
        }
        EXPECT_EQ(chunks[0].delayMs, 1000);
        Frame joined;
        for (const auto& c : chunks) {
            if (c.bytes != Frame{0xFF}) joined.insert(joined.end(), c.bytes.begin(), c.bytes.end());
        }
        ASSERT_EQ(joined.size(), reply.size());
        split += chunks.size() >= 2 && chunks[1].bytes != Frame{0xFF};
        stray += chunks.back().bytes == Frame{0xFF} && chunks.back().delayMs == chunks[chunks.size() - 2].delayMs + FaultInjector::FaultPauseMs;
        corrupt += !HasValidCrc(joined.data(), joined.size());
    }
    for (int count : {silent, split, stray, corrupt}) {
        EXPECT_GT(count, 2000 * 20 / 100 / 2);   // far from 0 and from every time
        EXPECT_LT(count, 2000 * 20 / 100 * 2);
    }
}

TEST(ReplySchedule, QueuedRepliesKeepTheirOrderAndTheQueueIsBounded)
{
    using namespace std::chrono;
    const auto t0 = ReplySchedule::Clock::time_point{} + hours(1);
    ReplySchedule queue(true);
    // the first reply split over 400 ms; the second, due sooner, waits for its end
    ASSERT_TRUE(queue.Add(t0, {{100, {1, 1}}, {500, {1, 2}}}));
    ASSERT_TRUE(queue.Add(t0 + milliseconds(50), {{20, {2}, true}, {100, {2, 1}}, {250, {2, 2}}}));
    std::vector<std::pair<long, Frame>> sent;
    while (!queue.Empty()) {
        sent.emplace_back(duration_cast<milliseconds>(queue.NextDue() - t0).count(), queue.FrontBytes());
        queue.Sent(queue.FrontBytes().size());
    }
    const std::vector<std::pair<long, Frame>> expected{
        {70, {2}}, {100, {1, 1}}, {500, {1, 2}}, {500, {2, 1}}, {650, {2, 2}}};   // the noise keeps its time
    EXPECT_EQ(sent, expected);

    ReplySchedule unordered(false);   // each reply at its own time
    unordered.Add(t0, {{500, {1}}});
    unordered.Add(t0, {{100, {2}}});
    EXPECT_EQ(unordered.FrontBytes(), Frame{2});

    // A master that never reads: what waits stays bounded, partial sends are counted.
    ReplySchedule full(true);
    for (int i = 0; i < 10000; ++i) full.Add(t0, {{0, Frame(25, 0x11)}});
    EXPECT_LE(full.QueuedBytes(), ReplySchedule::MaxQueuedBytes);
    EXPECT_GT(full.RepliesDropped(), 7000u);
    full.Sent(10);
    EXPECT_EQ(full.FrontBytes().size(), 15u);
    EXPECT_TRUE(full.Add(t0, {{0, Frame(10, 0x22)}}));
}

TEST(SimOptions, ParsesAndRejects)
{
    const auto good = ParseSimOptions({"--address", "17", "--set", "1=450", "--set", "6=30", "--link", "/tmp/x",
                                       "--corrupt-crc-every", "3", "--split-reply", "200", "--never-reply",
                                       "--reply-delay", "50", "--noise", "4", "--close-after", "2",
                                       "--oversize", "600", "--oversize-garbage", "--log-requests", "-",
                                       "--queue-replies", "--reject-block", "2", "--split-percent", "15",
                                       "--stray-percent", "16", "--crc-percent", "17", "--silence-percent", "18",
                                       "--seed", "99", "--noise-lead", "20"});
    ASSERT_EQ(good.error, "");
    EXPECT_EQ(good.options.address, 17);
    ASSERT_EQ(good.options.presets.size(), 2u);
    EXPECT_EQ(good.options.presets[0], (std::pair<int, std::uint16_t>{1, 450}));
    EXPECT_EQ(good.options.linkPath, "/tmp/x");
    EXPECT_EQ(good.options.faults.corruptCrcEvery, 3);
    EXPECT_EQ(good.options.faults.splitPauseMs, 200);
    EXPECT_TRUE(good.options.faults.neverReply);
    EXPECT_EQ(good.options.faults.replyDelayMs, 50);
    EXPECT_EQ(good.options.faults.noiseBytes, 4);
    EXPECT_EQ(good.options.faults.closeAfterReplies, 2);
    EXPECT_EQ(good.options.faults.oversizeBytes, 600);
    EXPECT_TRUE(good.options.faults.oversizeGarbage);
    EXPECT_EQ(good.options.requestLogPath, "-");
    EXPECT_TRUE(good.options.queueReplies);
    EXPECT_EQ(good.options.rejectBlock, 2);
    const FaultOptions& f = good.options.faults;
    EXPECT_EQ(std::vector<int>({f.splitPercent, f.strayPercent, f.crcPercent, f.silencePercent, f.noiseLeadMs}),
              std::vector<int>({15, 16, 17, 18, 20}));
    EXPECT_EQ(f.seed, 99u);
    EXPECT_TRUE(ParseSimOptions({"--help"}).options.help);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--address"}, {"--address", "0"}, {"--address", "256"}, {"--address", "1x"},
             {"--set", "30=1"}, {"--set", "1"}, {"--set", "1=70000"}, {"--set", "=5"}, {"--set", "a=b"},
             {"--noise", "-1"}, {"--oversize", "99999999999999999999"}, {"--frobnicate"}, {"--link", ""},
             {"--reject-block", "3"}, {"--split-percent", "101"}, {"--crc-percent", "-1"}, {"--seed", "x"}}) {
        EXPECT_NE(ParseSimOptions(bad).error, "") << bad[0];
    }
}
