// SPDX-License-Identifier: GPL-3.0-or-later
// The device link against a device on a virtual line, in virtual time: a device that
// queues requests and answers each in order, late, with faults drawn from a seeded
// random sequence. The link's poll and display ticks run as in the console; received
// bytes reach it in blocks ended by 100 ms of quiet, as the serial reader delivers them.
// After every block each kept register must hold 0 or a value the device held.

#include "device/device_link.h"
#include "device/frame_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct LineFaults {
    std::string name{};
    int delayMs = 0;          // every request answered this late, in order
    int splitPercent = 0;     // reply sent in two halves 150 ms apart
    int strayPercent = 0;     // a stray 0xFF 150 ms after the reply
    int crcPercent = 0;       // reply's CRC corrupted
    int silencePercent = 0;   // no reply
    int junkLeadMs = -1;      // a junk byte this long after every request (<0: none)
    int rejectBlock = -1;     // reads of this block get exception 02
    std::vector<int> knobClicksAtMs{};
    std::vector<std::pair<int, int>> followMs{};   // [from, until): block 0 alone, as fast as answered
    unsigned seed = 1;
};

constexpr int QuietMs = 100;       // the serial reader ends a block after this much quiet
constexpr int FaultPauseMs = 150;  // split halves and stray bytes come this far apart

std::uint16_t TrueValue(int reg) { return static_cast<std::uint16_t>(3000 + 37 * reg); }

class VirtualLine : public DeviceLinkHost, public LinkObserver {
public:
    explicit VirtualLine(const LineFaults& faults) : faults_(faults), random_(faults.seed)
    {
        for (int r = 0; r < DeviceLink::RegisterCount; ++r) {
            device_[static_cast<std::size_t>(r)] = TrueValue(r);
            held_[r].insert(TrueValue(r));
        }
        link.AddObserver(this);
    }

    // Runs the line for this long; false at the first register holding a wrong value.
    bool Run(std::int64_t durationMs)
    {
        const std::int64_t end = now_ + durationMs;
        for (; now_ < end; now_ += 10) {
            if (now_ % 1000 == 0) link.Timer1Timer();
            if (now_ % 500 == 250) link.WriteExpiryStep();
            if (std::find(faults_.knobClicksAtMs.begin(), faults_.knobClicksAtMs.end(), now_) != faults_.knobClicksAtMs.end())
                link.KnobClick(2, static_cast<double>(now_ / 1000 % 90));
            link.SetFollowBlock0(Following());
            if (lamp_) lampLitMs += 10;
            if (!DeliverDueBlock() || !wrong.empty()) return false;
        }
        return true;
    }

    std::string wrong;
    std::map<int, int> decodedPerBlock;
    std::map<int, std::int64_t> longestWaitMs;   // per block: the longest time without a refresh
    std::int64_t lampLitMs = 0;
    int givenUp = 0;
    int readsWhileFollowing = 0;
    int echoes = 0;
    DeviceLink link{*this};

private:
    bool CommunicationTicked() const override { return true; }
    std::string StationAddressText() const override { return "1"; }
    void Pause(int) override {}
    void SetCommunicationLamp(bool lit) override { lamp_ = lit; }
    void SetMemo12Text(const std::string&) override {}
    void SetMemo13Text(const std::string&) override {}
    std::int64_t MonotonicMs() const override { return now_; }
    bool SendData(const std::uint8_t* data, std::uint16_t length) override
    {
        Answer(Bytes(data, data + length));
        return true;
    }

    void BlockJudged(const BlockJudgedEvent& event) override
    {
        if (event.verdict == BlockVerdict::WriteEcho) ++echoes;
        if (event.verdict != BlockVerdict::Decoded) return;
        ++decodedPerBlock[event.block];
        const std::int64_t since = lastDecodedAt_.count(event.block) ? lastDecodedAt_[event.block] : 0;
        longestWaitMs[event.block] = std::max(longestWaitMs[event.block], event.atMs - since);
        lastDecodedAt_[event.block] = event.atMs;
    }
    void RequestGivenUp(const RequestGivenUpEvent&) override { ++givenUp; }

    // A read never goes out beside a read of another block that might still be answered,
    // and while following the start never beside a read still within its reply window.
    void RequestSent(const RequestSentEvent& event) override
    {
        if (event.kind != LinkRequestKind::Read) return;
        for (const RequestInFlight& request : link.InFlight().Requests()) {
            if (request.kind != RequestInFlight::Kind::Read) continue;
            if (request.block != event.block)
                wrong = "block " + std::to_string(event.block) + " read beside block " + std::to_string(request.block);
            if (link.FollowingBlock0() && event.atMs - request.sentAtMs < DeviceLink::FollowReplyWindowMs)
                wrong = "read sent " + std::to_string(event.atMs - request.sentAtMs) + " ms after the last one";
        }
        if (!wrong.empty()) wrong += " at " + std::to_string(now_) + " ms";
        if (link.FollowingBlock0()) ++readsWhileFollowing;
    }

    bool Following() const
    {
        for (const auto& [from, until] : faults_.followMs)
            if (now_ >= from && now_ < until) return true;
        return false;
    }

    bool Percent(int percent) { return std::uniform_int_distribution<int>(0, 99)(random_) < percent; }

    void Answer(const Bytes& request)
    {
        if (faults_.junkLeadMs >= 0) Arrive(now_ + faults_.junkLeadMs, {0x5A});
        Bytes reply;
        if (request[1] == WriteSingleRegisterFunction) {
            device_[request[3]] = static_cast<std::uint16_t>((request[4] << 8) | request[5]);
            held_[request[3]].insert(device_[request[3]]);
            reply = request;
        } else if (request[3] / 10 == faults_.rejectBlock) {
            reply = WithCrc({request[0], 0x83, 0x02});
        } else {
            reply = {request[0], 0x03, 20};
            for (int r = request[3]; r < request[3] + 10; ++r) {
                reply.push_back(static_cast<std::uint8_t>(device_[static_cast<std::size_t>(r)] >> 8));
                reply.push_back(static_cast<std::uint8_t>(device_[static_cast<std::size_t>(r)] & 0xFF));
            }
            reply = WithCrc(reply);
        }
        if (Percent(faults_.silencePercent)) return;
        if (Percent(faults_.crcPercent)) reply.back() ^= 0x55;
        // Queued: never before the previous answer is out.
        std::int64_t at = std::max(now_ + faults_.delayMs, queueFreeAt_ + 1);
        if (Percent(faults_.splitPercent)) {
            const auto half = reply.begin() + static_cast<std::ptrdiff_t>(reply.size() / 2);
            Arrive(at, Bytes(reply.begin(), half));
            at += FaultPauseMs;
            Arrive(at, Bytes(half, reply.end()));
        } else {
            Arrive(at, reply);
        }
        if (Percent(faults_.strayPercent)) Arrive(at += FaultPauseMs, {0xFF});
        queueFreeAt_ = at;
    }

    void Arrive(std::int64_t at, Bytes bytes) { arrivals_.emplace(at, std::move(bytes)); }

    // Delivers the bytes that arrived before the last quiet gap of QuietMs, as one block.
    bool DeliverDueBlock()
    {
        if (arrivals_.empty() || arrivals_.begin()->first > now_) return true;
        Bytes block;
        std::int64_t last = arrivals_.begin()->first;
        auto it = arrivals_.begin();
        for (; it != arrivals_.end() && it->first <= last + QuietMs; ++it) {
            last = it->first;
            block.insert(block.end(), it->second.begin(), it->second.end());
        }
        if (last + QuietMs > now_) return true;   // the line is not quiet long enough yet
        arrivals_.erase(arrivals_.begin(), it);
        link.Comm1ReceiveData(block.data(), static_cast<std::uint16_t>(block.size()));
        for (int r = 0; r < DeviceLink::RegisterCount; ++r) {
            const std::uint32_t value = link.Register(r);
            if (value != 0 && !held_[r].count(value)) {
                wrong = "register " + std::to_string(r) + " = " + std::to_string(value) + " at " + std::to_string(now_) + " ms";
                return false;
            }
        }
        return true;
    }

    LineFaults faults_;
    std::mt19937 random_;
    std::int64_t now_ = 0;
    bool lamp_ = false;
    std::array<std::uint16_t, DeviceLink::RegisterCount> device_{};
    std::map<int, std::set<std::uint32_t>> held_;
    std::multimap<std::int64_t, Bytes> arrivals_;
    std::int64_t queueFreeAt_ = 0;
    std::map<int, std::int64_t> lastDecodedAt_;
};

class ReplyMatchingUnderFaults : public ::testing::TestWithParam<LineFaults> {};

constexpr std::int64_t RunMs = 600'000;   // ten minutes of virtual time

TEST_P(ReplyMatchingUnderFaults, NoReplyIsEverDecodedAsAnotherBlockAndEveryBlockRefreshes)
{
    VirtualLine line(GetParam());
    ASSERT_TRUE(line.Run(RunMs)) << line.wrong;
    // Every block refreshed at least twice a minute on average, and a line that is
    // only slow refreshes each block at least once in every 30 s.
    const LineFaults& faults = GetParam();
    const bool onlySlow = faults.splitPercent + faults.strayPercent + faults.crcPercent + faults.silencePercent == 0;
    for (int block = 0; block < 3; ++block) {
        if (faults.rejectBlock == block) continue;
        EXPECT_GE(line.decodedPerBlock[block], RunMs / 30'000) << "block " << block;
        if (onlySlow) {
            EXPECT_LE(line.longestWaitMs[block], 30'000) << "block " << block;
        }
    }
    EXPECT_GT(line.lampLitMs, 0);
}

// The trials, each alone and combined, and the device that rejects a block.
INSTANTIATE_TEST_SUITE_P(
    Faults, ReplyMatchingUnderFaults,
    ::testing::Values(LineFaults{.name = "Late3100", .delayMs = 3100},
                      LineFaults{.name = "Late3500", .delayMs = 3500},
                      LineFaults{.name = "Late1300Split", .delayMs = 1300, .splitPercent = 15},
                      LineFaults{.name = "Late1300Stray", .delayMs = 1300, .strayPercent = 15},
                      LineFaults{.name = "Late2400Knobs", .delayMs = 2400, .knobClicksAtMs = {5500, 6500, 41500, 42500}},
                      LineFaults{.name = "JunkBeforeEachReply", .delayMs = 300, .junkLeadMs = 20},
                      LineFaults{.name = "RejectsBlock1MidCycle", .delayMs = 40, .rejectBlock = 1},
                      LineFaults{.name = "Late2400FollowingTheStart",
                                 .delayMs = 2400,
                                 .knobClicksAtMs = {61000, 62000},
                                 .followMs = {{60'500, 75'000}, {300'000, 312'000}}},
                      LineFaults{.name = "Combined",
                                 .delayMs = 1300,
                                 .splitPercent = 10,
                                 .strayPercent = 10,
                                 .crcPercent = 10,
                                 .silencePercent = 5,
                                 .knobClicksAtMs = {7000, 8000, 95000, 300000, 300500},
                                 .followMs = {{94'000, 106'000}, {299'700, 310'000}, {450'000, 462'000}},
                                 .seed = 7},
                      LineFaults{.name = "CombinedSlowWithJunkAndRejection",
                                 .delayMs = 3100,
                                 .splitPercent = 15,
                                 .strayPercent = 15,
                                 .crcPercent = 10,
                                 .silencePercent = 5,
                                 .junkLeadMs = 500,   // between the queued replies
                                 .rejectBlock = 2,
                                 .knobClicksAtMs = {12000, 13000, 200000},
                                 .seed = 11}),
    [](const ::testing::TestParamInfo<LineFaults>& info) { return info.param.name; });

TEST(ReplyMatching, ARejectedBlockKeepsTheOthersAtTheNormalRate)
{
    VirtualLine line(LineFaults{.delayMs = 40, .rejectBlock = 1});
    ASSERT_TRUE(line.Run(60'000)) << line.wrong;
    EXPECT_GE(line.decodedPerBlock[0], 19);   // one poll per block and second: 20 each
    EXPECT_GE(line.decodedPerBlock[2], 19);
    EXPECT_EQ(line.decodedPerBlock[1], 0);
    EXPECT_EQ(line.link.Replies().Exceptions, 20u);
}

TEST(ReplyMatching, FollowingTheStartReadsBlock0AsFastAsTheLineAnswersAndThenRotatesAgain)
{
    // 40 ms to answer and 100 ms of quiet before a block is delivered: about 7 reads a second.
    VirtualLine line(LineFaults{.delayMs = 40, .followMs = {{10'000, 20'000}}});
    ASSERT_TRUE(line.Run(30'000)) << line.wrong;
    EXPECT_GE(line.readsWhileFollowing, 60);
    EXPECT_LE(line.readsWhileFollowing, 80);
    EXPECT_GE(line.decodedPerBlock[0], 60 + 6);
    EXPECT_GE(line.decodedPerBlock[1], 6);   // 20 s of the usual rotation
    EXPECT_GE(line.decodedPerBlock[2], 6);
    EXPECT_EQ(line.givenUp, 0);
}

TEST(ReplyMatching, AJunkByteBeforeEachReplyCostsNoReply)
{
    VirtualLine line(LineFaults{.delayMs = 300, .junkLeadMs = 20});
    ASSERT_TRUE(line.Run(30'000)) << line.wrong;
    EXPECT_EQ(line.link.Replies().Decoded, 30u);   // every one of the 30 replies
    EXPECT_EQ(line.link.Replies().Rejected, 30u);  // and every junk byte answered nothing
    EXPECT_EQ(line.givenUp, 0);
}

TEST(ReplyMatching, RepliesThatCameBackToBackInOneBlockAreEachJudged)
{
    // Each write goes out 10 ms after a read; the device answers both 1.3 s later, the echo
    // right behind the read reply, so the two reach the link as one 33-byte block.
    VirtualLine line(LineFaults{.delayMs = 1300, .knobClicksAtMs = {3010, 7010, 11010, 15010}});
    ASSERT_TRUE(line.Run(30'000)) << line.wrong;
    EXPECT_EQ(line.echoes, 4);
    EXPECT_EQ(line.link.Replies().Dropped + line.link.Replies().Rejected, 0u);
    EXPECT_EQ(line.givenUp, 0);
}

} // namespace
