// SPDX-License-Identifier: GPL-3.0-or-later
// The traffic monitor's lines and the link statistics, from the device link's own
// events: one row per kind of frame and what it means, the bounded history, and the
// counters against the link's own account and the simulator's request log under faults.
#include "app/diagnostics/link_statistics.h"
#include "app/diagnostics/traffic_log.h"
#include "app/diagnostics/traffic_recorder.h"
#include "app/diagnostics/traffic_text.h"
#include "tests/support/console_fault_rig.h"
#include "tests/support/fake_link_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace fake_link_host;

struct Rig {
    FakeHost host;
    DeviceLink link{host};
    TrafficLog log{100};
    TrafficRecorder recorder{[this](const TrafficEntry& e) { log.Add(e); }, [] { return std::int64_t{0}; }};
    LinkStatistics statistics;
    Rig()
    {
        recorder.SetEnabled(true);
        link.AddObserver(&recorder);
        link.AddObserver(&statistics);
    }
    void Deliver(const Frame& f, std::int64_t afterMs = 40)
    {
        host.nowMs += afterMs;
        link.Comm1ReceiveData(f.data(), static_cast<std::uint16_t>(f.size()));
    }
    void Poll() { link.Timer1Timer(); }
    QString LastMeaning() const { return log.Entries().empty() ? QString() : TrafficMeaningText(log.Entries().back()); }
    QString LastLine() const { return log.Entries().empty() ? QString() : TrafficLineText(log.Entries().back()); }
};

struct MeaningRow {
    std::string name;
    std::function<void(Rig&)> act;
    TrafficKind kind;
    QString meaning;   // the last line's meaning contains this
    QString bytes;     // and the line these bytes ("" for none)
};

class TrafficMeaning : public ::testing::TestWithParam<MeaningRow> {};

const Frame Block0Reply = ReadReply(1, Sequence(100));

TEST_P(TrafficMeaning, OneLinePerEventWithItsMeaning)
{
    const MeaningRow& row = GetParam();
    Rig rig;
    row.act(rig);
    ASSERT_FALSE(rig.log.Entries().empty());
    EXPECT_EQ(rig.log.Entries().back().kind, row.kind);
    EXPECT_TRUE(rig.LastMeaning().contains(row.meaning)) << rig.LastLine().toStdString();
    EXPECT_TRUE(rig.LastLine().contains(row.bytes)) << rig.LastLine().toStdString();
}

Frame Crc(Frame f) { return WithCrc(std::move(f)); }

INSTANTIATE_TEST_SUITE_P(
    EveryKind, TrafficMeaning,
    ::testing::Values(
        MeaningRow{"ReadOfBlock0", [](Rig& r) { r.Poll(); }, TrafficKind::ReadRequest,
                   QStringLiteral("读块 0（寄存器 0-9）"), QStringLiteral("→  01 03 00 00 00 0A C5 CD")},
        MeaningRow{"ReadNotSent", [](Rig& r) { r.host.sendSucceeds = false; r.Poll(); }, TrafficKind::ReadRequest,
                   QStringLiteral("未发出"), QStringLiteral("01 03 00 00")},
        MeaningRow{"Write", [](Rig& r) { r.link.KnobClick(2, 17); }, TrafficKind::WriteRequest,
                   QStringLiteral("写寄存器 2 = 17"), QStringLiteral("01 06 00 02 00 11")},
        MeaningRow{"Decoded", [](Rig& r) { r.Poll(); r.Deliver(Block0Reply, 37); }, TrafficKind::Decoded,
                   QStringLiteral("应答：块 0，往返 37 ms"), QStringLiteral("←  01 03 14 00 64")},
        MeaningRow{"DecodedAfterADamagedReply",
                   [](Rig& r) {
                       r.Poll();
                       Frame f = Block0Reply;
                       f.back() ^= 1;
                       r.Deliver(f);
                       r.host.nowMs += 960;
                       r.Poll();
                       r.Deliver(Block0Reply, 30);
                   },
                   TrafficKind::Decoded, QStringLiteral("往返 30-1030 ms（可能应答其中任一请求）"), QString()},
        MeaningRow{"WriteEcho", [](Rig& r) { r.link.KnobClick(2, 17); r.Deliver(Crc({1, 6, 0, 2, 0, 17}), 12); },
                   TrafficKind::WriteEcho, QStringLiteral("写入回显：寄存器 2 = 17，往返 12 ms"), QStringLiteral("01 06 00 02 00 11")},
        MeaningRow{"Exception", [](Rig& r) { r.Poll(); r.Deliver(Crc({1, 0x83, 0x02})); }, TrafficKind::Exception,
                   QStringLiteral("异常码 02 非法数据地址"), QStringLiteral("01 83 02")},
        MeaningRow{"BusyException", [](Rig& r) { r.Poll(); r.Deliver(Crc({1, 0x83, 0x06})); }, TrafficKind::Exception,
                   QStringLiteral("功能码 83，异常码 06 从站设备忙"), QString()},
        MeaningRow{"CrcError", [](Rig& r) { r.Poll(); Frame f = Block0Reply; f.back() ^= 1; r.Deliver(f); },
                   TrafficKind::Damaged, QStringLiteral("CRC 错误"), QString()},
        MeaningRow{"Incomplete", [](Rig& r) { r.Poll(); r.Deliver(Frame(Block0Reply.begin(), Block0Reply.begin() + 12)); },
                   TrafficKind::Damaged, QStringLiteral("不完整"), QString()},
        MeaningRow{"NoRequest", [](Rig& r) { r.Deliver(Block0Reply); }, TrafficKind::Unanswered,
                   QStringLiteral("没有等待应答的请求"), QString()},
        MeaningRow{"OtherStation", [](Rig& r) { r.Poll(); r.Deliver(ReadReply(9, Sequence(0))); }, TrafficKind::Unanswered,
                   QStringLiteral("来自站号 9"), QString()},
        MeaningRow{"LateBeyondHorizon",
                   [](Rig& r) {
                       r.Poll();
                       r.host.nowMs += 10500;
                       r.Poll();   // gives the first read up, sends another
                       r.Deliver(Block0Reply);
                       r.Deliver(Block0Reply);   // the second answer for one read left: late
                   },
                   TrafficKind::Unanswered, QStringLiteral("超过 10 秒"), QString()},
        MeaningRow{"Noise", [](Rig& r) { r.Poll(); r.Deliver({0xFF, 0x00, 0x13}); }, TrafficKind::Noise,
                   QStringLiteral("噪声"), QStringLiteral("FF 00 13")},
        MeaningRow{"Oversize", [](Rig& r) { r.Poll(); r.Deliver(Frame(300, 0xAA)); }, TrafficKind::Noise,
                   QStringLiteral("噪声"), QStringLiteral("…（共 300 字节）")}),
    [](const auto& info) { return info.param.name; });

TEST(TrafficMeaning, GivenUpRequestsAndAmbiguousRepliesHaveTheirOwnLines)
{
    Rig rig;
    rig.Poll();
    rig.host.nowMs += 10001;
    rig.Poll();
    const auto& entries = rig.log.Entries();
    ASSERT_EQ(entries.size(), 3u);   // read, given up, read again
    EXPECT_EQ(entries[1].kind, TrafficKind::GivenUp);
    EXPECT_TRUE(TrafficMeaningText(entries[1]).contains(QStringLiteral("放弃：读块 0 的请求 10.0 秒无应答")));
    EXPECT_EQ(rig.statistics.Counters().dropped, 1u);

    // A valid reply while reads of two blocks might still be answered is not decoded (the
    // poll cycle never leaves two blocks in flight, so only the line's text is checked).
    TrafficEntry ambiguous;
    ambiguous.kind = TrafficKind::Unanswered;
    ambiguous.reason = UnansweredReason::Ambiguous;
    EXPECT_TRUE(TrafficMeaningText(ambiguous).contains(QStringLiteral("无法确定")));
    TrafficEntry unknownException;
    unknownException.kind = TrafficKind::Exception;
    unknownException.exceptionCode = 0x7F;
    EXPECT_TRUE(TrafficMeaningText(unknownException).contains(QStringLiteral("未知异常")));
}

TEST(TrafficLog, KeepsTheLastLinesOnly)
{
    TrafficLog log(100);
    for (int i = 0; i < 1050; ++i) {
        TrafficEntry entry;
        entry.wallMs = i;
        log.Add(entry);
    }
    EXPECT_EQ(log.Entries().size(), 100u);
    EXPECT_EQ(log.Entries().front().wallMs, 950);
    EXPECT_EQ(log.Entries().back().wallMs, 1049);
    EXPECT_EQ(log.Added(), 1050u);
    EXPECT_EQ(log.PushedOut(), 950u);
    log.Clear();
    EXPECT_TRUE(log.Entries().empty());
    EXPECT_EQ(log.PushedOut(), 0u);
    EXPECT_EQ(TrafficLog(0).Capacity(), 1u) << "a zero bound keeps one line rather than none or all";

    TrafficEntry big;
    const Frame huge(70000, 0x55);
    big.KeepBytes(huge);
    EXPECT_EQ(big.byteCount, 70000u);
    EXPECT_EQ(big.KeptFrame().size(), TrafficEntry::KeptBytes);
}

TEST(LinkStatistics, CountsRoundTripsAgesAndResets)
{
    Rig rig;
    EXPECT_FALSE(rig.statistics.BlockAgeMs(0, rig.host.nowMs));
    rig.Poll();
    rig.Deliver(Block0Reply, 30);
    const std::int64_t decodedAt = rig.host.nowMs;
    rig.host.nowMs += 970;
    rig.Poll();
    rig.Deliver(ReadReply(1, Sequence(10)), 50);
    rig.link.KnobClick(3, 5);
    rig.Deliver(WithCrc({1, 6, 0, 3, 0, 5}), 10);

    const LinkCounters& c = rig.statistics.Counters();
    EXPECT_EQ(c.requests, 3u);
    EXPECT_EQ(c.decoded, 2u);
    EXPECT_EQ(c.writeEchoes, 1u);
    const RoundTrips& rt = rig.statistics.RoundTrip();
    EXPECT_EQ(rt.lastMs, 10);
    EXPECT_EQ(rt.minMs, 10);
    EXPECT_EQ(rt.maxMs, 50);
    EXPECT_DOUBLE_EQ(rt.MeanMs(), 30.0);
    EXPECT_EQ(rig.statistics.BlockAgeMs(0, rig.host.nowMs), rig.host.nowMs - decodedAt);
    EXPECT_EQ(rig.statistics.BlockAgeMs(1, rig.host.nowMs), 10);
    EXPECT_FALSE(rig.statistics.BlockAgeMs(2, rig.host.nowMs));
    EXPECT_FALSE(rig.statistics.BlockAgeMs(3, rig.host.nowMs));
    EXPECT_FALSE(rig.statistics.BlockAgeMs(-1, rig.host.nowMs));
    EXPECT_EQ(rig.statistics.BlockAgeMs(0, decodedAt - 5), 0) << "a clock read before the event gives no negative age";

    // A reply that might answer either of two reads has no single round trip.
    rig.host.nowMs += 1000;
    rig.Poll();
    rig.host.nowMs += 1000;
    rig.Poll();
    rig.Deliver(ReadReply(1, Sequence(20)), 30);
    EXPECT_EQ(rig.statistics.RoundTrip().count, 3u);
    EXPECT_EQ(rig.statistics.RoundTrip().uncertain, 1u);
    EXPECT_EQ(rig.statistics.RoundTrip().maxMs, 50);

    rig.statistics.Reset();
    EXPECT_EQ(rig.statistics.Counters().requests, 0u);
    EXPECT_EQ(rig.statistics.RoundTrip().count, 0u);
    EXPECT_FALSE(rig.statistics.BlockAgeMs(0, rig.host.nowMs));
}

TEST(LinkStatistics, AClosedMonitorRecordsNothing)
{
    Rig rig;
    rig.recorder.SetEnabled(false);
    rig.Poll();
    rig.Deliver(Block0Reply);
    EXPECT_TRUE(rig.log.Entries().empty());
    EXPECT_EQ(rig.statistics.Counters().decoded, 1u) << "the counters count all the time";
}

// The counters against the link's own account and the simulator's request log, with
// split, stray, corrupted and lost replies at random (fixed seed).
TEST(LinkStatistics, AgreeWithTheLinkAndTheDeviceUnderCombinedFaults)
{
    console_faults::ConsoleFaultRig rig;
    ASSERT_TRUE(rig.StartSimulator({"--crc-percent", "25", "--stray-percent", "25", "--split-percent", "20",
                                    "--silence-percent", "10", "--seed", "11"}));
    ASSERT_TRUE(rig.OpenConsole());
    LinkStatistics statistics;
    rig.Link().AddObserver(&statistics);
    rig.DrivePolls(24);
    rig.Form().CheckBox2->setChecked(false);
    rig.DrivePolls(2);   // let the last replies in
    rig.Link().RemoveObserver(&statistics);

    const LinkCounters& c = statistics.Counters();
    const ReplyCounts& link = rig.Link().Replies();
    const std::string log = rig.simulator.ReadRequestLog();
    EXPECT_EQ(c.requests, static_cast<std::uint64_t>(std::count(log.begin(), log.end(), '\n')));
    EXPECT_EQ(c.decoded, link.Decoded);
    EXPECT_EQ(c.exceptions, link.Exceptions);
    EXPECT_EQ(c.crcErrors + c.incomplete + c.noise, link.Rejected);
    EXPECT_EQ(c.unanswered, link.Dropped);
    EXPECT_GT(c.decoded, 0u);
    EXPECT_GT(c.crcErrors, 0u);
    EXPECT_GT(c.noise + c.incomplete, 0u) << "split halves and stray bytes";
    EXPECT_LE(c.late, c.unanswered);
    EXPECT_EQ(statistics.RoundTrip().count + statistics.RoundTrip().uncertain, c.decoded + c.writeEchoes + c.exceptions);
    EXPECT_GT(statistics.RoundTrip().uncertain, 0u) << "lost and damaged replies leave reads that might be answered";
    if (statistics.RoundTrip().count > 0) {
        EXPECT_LE(statistics.RoundTrip().minMs, statistics.RoundTrip().maxMs);
    }
}

}  // namespace
