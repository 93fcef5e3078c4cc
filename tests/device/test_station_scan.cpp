// SPDX-License-Identifier: GPL-3.0-or-later
// The device scan's plan and state machine: the order of its tries, what it sends (reads
// of block 0 and nothing else), which replies count as a station found, and its ends.
#include "device/station_scan.h"
#include "tests/support/fake_link_host.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using fake_link_host::Frame;
using fake_link_host::ReadReply;
using fake_link_host::Sequence;

ScanPlan TwoByTwo(std::uint8_t first, std::uint8_t last)
{
    ScanPlan plan;
    plan.bauds = {9600, 19200};
    plan.formats = {"8_N_2", "8_E_1"};
    plan.firstAddress = first;
    plan.lastAddress = last;
    return plan;
}

// Runs the scan to its end; `device` answers a sent try (or returns nothing).
struct Driver {
    explicit Driver(const ScanPlan& plan) : scan(plan) {}
    StationScan scan;
    std::int64_t now = 0;
    std::vector<ScanTry> lines;
    std::vector<RequestFrame> sent;

    template <typename Device>
    void Run(Device device, std::size_t maxSteps = 100000)
    {
        for (std::size_t i = 0; i < maxSteps && !scan.Finished(); ++i) {
            const StationScan::Step step = scan.Next(now);
            if (step.action == StationScan::Action::SetLine) lines.push_back(step.attempt);
            if (step.action == StationScan::Action::Send) {
                sent.push_back(step.request);
                const Frame reply = device(step.attempt);
                if (!reply.empty()) scan.Received(reply, now + 20);
                now += 20;
            }
            if (step.action == StationScan::Action::Wait) now = step.wakeAtMs;
        }
    }
};

}  // namespace

TEST(StationScan, PlanCountsTriesAndTimesThem)
{
    ScanPlan plan = TwoByTwo(1, 247);
    EXPECT_TRUE(plan.Valid());
    EXPECT_EQ(plan.TryCount(), 2u * 2u * 247u);
    // 33 characters of 11 bits at 9600 bd take 38 ms, then the answer wait and quiet time.
    EXPECT_EQ(plan.TryWaitMs(9600), 38 + 100 + 30);
    EXPECT_DOUBLE_EQ(plan.SecondsAt(9600), 2 * 247 * 0.168);

    for (auto broken : {+[](ScanPlan& p) { p.bauds.clear(); }, +[](ScanPlan& p) { p.formats.clear(); },
                        +[](ScanPlan& p) { p.firstAddress = 0; }, +[](ScanPlan& p) { p.lastAddress = 248; },
                        +[](ScanPlan& p) { p.firstAddress = 9, p.lastAddress = 8; },
                        +[](ScanPlan& p) { p.bauds.push_back(0); }, +[](ScanPlan& p) { p.answerWaitMs = -1; }}) {
        ScanPlan bad = TwoByTwo(1, 247);
        broken(bad);
        EXPECT_FALSE(bad.Valid());
        EXPECT_EQ(bad.TryCount(), 0u);
        StationScan scan(bad);
        EXPECT_TRUE(scan.Finished()) << "an invalid plan sends nothing";
        EXPECT_EQ(scan.Next(0).action, StationScan::Action::Finished);
    }
}

TEST(StationScan, TriesEveryLineAndAddressWithReadsOfBlock0Only)
{
    Driver driver(TwoByTwo(3, 5));
    driver.Run([](const ScanTry&) { return Frame{}; });

    ASSERT_EQ(driver.lines.size(), 4u);   // each line is set once, before its addresses
    EXPECT_EQ(driver.lines[0].baud, 9600u);
    EXPECT_EQ(driver.lines[0].format, "8_N_2");
    EXPECT_EQ(driver.lines[1].format, "8_E_1");
    EXPECT_EQ(driver.lines[2].baud, 19200u);
    ASSERT_EQ(driver.sent.size(), 12u);
    for (std::size_t i = 0; i < driver.sent.size(); ++i) {
        const std::uint8_t address = static_cast<std::uint8_t>(3 + i % 3);
        EXPECT_EQ(driver.sent[i], BuildReadRequest(address, 0, 10)) << i;
    }
    EXPECT_TRUE(driver.scan.Found().empty());
    EXPECT_FALSE(driver.scan.Cancelled());
    EXPECT_EQ(driver.scan.TriesDone(), 12u);
}

TEST(StationScan, FindsAStationOnlyAtItsOwnSettings)
{
    // Station 4 answers at 19200 8_E_1 with a read reply; station 5 refuses with an
    // exception (still a device); replies from stations not tried on this line, and
    // damaged or foreign frames, find nothing.
    Driver driver(TwoByTwo(3, 5));
    driver.Run([](const ScanTry& t) -> Frame {
        const bool right = t.baud == 19200 && t.format == "8_E_1";
        if (right && t.address == 4) return ReadReply(4, Sequence(1));
        if (right && t.address == 5) return WithCrc({5, 0x83, 0x02});
        if (t.address == 3) return ReadReply(200, Sequence(1));   // a station never tried
        if (t.address == 4) {
            Frame damaged = ReadReply(4, Sequence(1));
            damaged[5] ^= 0xFF;
            return damaged;
        }
        return WithCrc({5, 0x06, 0, 1, 0, 1});   // a write frame answers no read
    });
    ASSERT_EQ(driver.scan.Found().size(), 2u);
    const FoundStation& four = driver.scan.Found()[0];
    EXPECT_EQ(four.address, 4);
    EXPECT_EQ(four.baud, 19200u);
    EXPECT_EQ(four.format, "8_E_1");
    EXPECT_FALSE(four.exception);
    EXPECT_EQ(four.roundTripMs, 20);
    EXPECT_TRUE(driver.scan.Found()[1].exception);
    EXPECT_EQ(driver.scan.Found()[1].exceptionCode, 2);
    EXPECT_EQ(driver.sent.size(), 12u);
}

TEST(StationScan, ALateReplyCountsForTheStationItCameFrom)
{
    // A slow gateway: station 3's reply arrives during the try of station 4.
    ScanPlan plan = TwoByTwo(3, 4);
    plan.bauds = {9600};
    plan.formats = {"8_N_2"};
    StationScan scan(plan);
    ASSERT_EQ(scan.Next(0).action, StationScan::Action::SetLine);
    ASSERT_EQ(scan.Next(0).action, StationScan::Action::Send);
    const int wait = plan.TryWaitMs(9600);
    EXPECT_EQ(scan.Next(wait - 1).action, StationScan::Action::Wait);
    const StationScan::Step four = scan.Next(wait);
    ASSERT_EQ(four.action, StationScan::Action::Send);
    EXPECT_EQ(four.attempt.address, 4);
    scan.Received(ReadReply(4 + 1, Sequence(0)), wait + 5);   // station 5 was not tried: nothing
    scan.Received(ReadReply(3, Sequence(0)), wait + 10);
    ASSERT_EQ(scan.Found().size(), 1u);
    EXPECT_EQ(scan.Found()[0].address, 3);
    EXPECT_EQ(scan.Found()[0].roundTripMs, -1);
    EXPECT_EQ(scan.Next(wait + 11).action, StationScan::Action::Wait) << "station 4's own try still waits";
}

TEST(StationScan, StopsAtTheFirstStationOrWhenCancelled)
{
    ScanPlan plan = TwoByTwo(1, 247);
    plan.stopAtFirst = true;
    Driver first(plan);
    first.Run([](const ScanTry& t) { return t.address == 9 ? ReadReply(9, Sequence(0)) : Frame{}; });
    ASSERT_EQ(first.scan.Found().size(), 1u);
    EXPECT_EQ(first.sent.size(), 9u);
    EXPECT_FALSE(first.scan.Cancelled());

    StationScan cancelled(TwoByTwo(1, 247));
    cancelled.Next(0);
    cancelled.Next(0);
    cancelled.Cancel();
    EXPECT_TRUE(cancelled.Finished());
    EXPECT_TRUE(cancelled.Cancelled());
    EXPECT_EQ(cancelled.Next(1).action, StationScan::Action::Finished);
    cancelled.Received(ReadReply(1, Sequence(0)), 2);
    EXPECT_TRUE(cancelled.Found().empty()) << "nothing counts after the end";
}

TEST(StationScan, RandomBlocksNeverFindAStationOrSendAnythingButReads)
{
    std::mt19937 random(20261208);
    Driver driver(TwoByTwo(1, 20));
    driver.Run([&random](const ScanTry&) {
        Frame junk(random() % 300);
        for (auto& byte : junk) byte = static_cast<std::uint8_t>(random());
        return junk;
    });
    EXPECT_TRUE(driver.scan.Found().empty());
    for (const RequestFrame& frame : driver.sent) EXPECT_EQ(frame[1], ReadHoldingRegistersFunction);
    EXPECT_EQ(driver.sent.size(), 80u);
}
