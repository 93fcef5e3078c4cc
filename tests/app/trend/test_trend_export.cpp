// SPDX-License-Identifier: GPL-3.0-or-later
// What the trend takes from the link (samples, markers, when to read fast) and what it
// writes: ISO 8601 times, CSV rows that parse back to the samples, and files that cannot
// be written.
#include "app/trend/trend_csv.h"
#include "app/trend/trend_feed.h"
#include "app/trend/trend_session.h"
#include "tests/support/fake_link_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct IsoRow {
    std::int64_t epochMs;
    int offsetSeconds;
    std::string expected;
};

class Iso8601Times : public ::testing::TestWithParam<IsoRow> {};

TEST_P(Iso8601Times, LocalTimeWithMillisecondsAndOffset)
{
    EXPECT_EQ(Iso8601Local(GetParam().epochMs, GetParam().offsetSeconds), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Times, Iso8601Times,
                         ::testing::Values(IsoRow{0, 0, "1970-01-01T00:00:00.000+00:00"},
                                           IsoRow{1'773'451'613'589, 8 * 3600, "2026-03-14T09:26:53.589+08:00"},
                                           IsoRow{1'773'451'613'001, -(5 * 3600 + 1800), "2026-03-13T19:56:53.001-05:30"},
                                           IsoRow{-1, 0, "1969-12-31T23:59:59.999+00:00"},
                                           IsoRow{951'782'399'999, 0, "2000-02-28T23:59:59.999+00:00"},
                                           IsoRow{951'782'400'000, 3600, "2000-02-29T01:00:00.000+01:00"}));

TEST(WallClockAnchor, MapsTheLinkClockOntoTheWallClockOnce)
{
    const WallClockAnchor anchor{5'000, 1'773'451'613'000, 8 * 3600};
    EXPECT_EQ(anchor.EpochMsOf(5'250), 1'773'451'613'250);
    EXPECT_EQ(anchor.Iso8601(4'999), "2026-03-14T09:26:52.999+08:00");
}

std::vector<QList<QByteArray>> Rows(const QByteArray& csv)
{
    std::vector<QList<QByteArray>> rows;
    for (const QByteArray& line : csv.split('\n'))
        if (!line.trimmed().isEmpty()) rows.push_back(line.trimmed().split(','));
    return rows;
}

TEST(TrendCsv, OneRowASampleOneColumnAQuantityUnitsInTheHeader)
{
    const WallClockAnchor clock{0, 1'773'451'613'000, 0};
    const std::deque<TrendSample> samples{{1000, 305, 152, 26, 1, 0x0110, 20}, {4000, 1000, 500, 31, 1, 0, 20}};
    const auto rows = Rows(TrendCsv(samples, clock));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(QString::fromUtf8(rows[0].join(',')), QStringLiteral("时间 (ISO 8601),输出 (%),电流 (A),温度 (°C),运行 (0/1),警报位 (寄存器 7)"));
    EXPECT_EQ(rows[1], (QList<QByteArray>{"2026-03-14T01:26:54.000+00:00", "30.5", "15.2", "26", "1", "272"}));
    EXPECT_EQ(rows[2], (QList<QByteArray>{"2026-03-14T01:26:57.000+00:00", "100.0", "50.0", "31", "1", "0"}));

    StartRecord record;
    record.startMs = 1500;
    record.samples = {samples.begin(), samples.end()};
    const auto recordRows = Rows(RecordCsv(record, clock));
    ASSERT_EQ(recordRows.size(), 3u);
    EXPECT_EQ(recordRows[0][1], QStringLiteral("自启动 (s)").toUtf8());
    EXPECT_EQ(recordRows[1][1], "-0.500");   // a sample of the time before the start
    EXPECT_EQ(recordRows[2][1], "2.500");
    EXPECT_EQ(recordRows[2].size(), 7);
}

TEST(WriteExportFile, WritesTheWholeFileOrTellsWhyNot)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("trend.csv"));
    QString error;
    ASSERT_TRUE(WriteExportFile(good, "a,b\r\n", &error)) << error.toStdString();
    QFile written(good);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "a,b\r\n");

    // A folder that does not exist, a folder as the file, no name at all, a read-only folder.
    QDir(dir.path()).mkdir(QStringLiteral("locked"));
    QFile::setPermissions(dir.filePath(QStringLiteral("locked")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    for (const QString& bad : {dir.filePath(QStringLiteral("missing/trend.csv")), dir.path(), QString(),
                               dir.filePath(QStringLiteral("locked/trend.csv"))}) {
        if (bad.contains(QStringLiteral("locked")) && geteuid() == 0) continue;   // root writes anyway
        error.clear();
        EXPECT_FALSE(WriteExportFile(bad, "x", &error)) << bad.toStdString();
        EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入文件"))) << error.toStdString();
    }
    EXPECT_FALSE(WriteExportFile(dir.filePath(QStringLiteral("missing/x.csv")), "x", nullptr));
}

struct FeedRig {
    TrendHistory history;
    StartRecorder recorder;
    TrendFeed feed{history, recorder};
    std::vector<StartRecorder::Change> changes;
    int samples = 0;
    FeedRig()
    {
        feed.onSample = [this] { ++samples; };
        feed.onRecordChange = [this](StartRecorder::Change c) { changes.push_back(c); };
    }
    void Block(std::int64_t at, int block, std::uint16_t run, std::uint16_t output, std::uint16_t alarms,
               BlockVerdict verdict = BlockVerdict::Decoded)
    {
        BlockJudgedEvent e;
        e.atMs = at;
        e.verdict = verdict;
        e.block = block;
        e.roundTripMs = 30;
        e.registers = {run, 300, 10, 10, output, static_cast<std::uint16_t>(output / 2), 25, alarms, 0, 0};
        feed.BlockJudged(e);
    }
    void Write(std::int64_t at, int reg, std::uint16_t value, bool sent = true)
    {
        RequestSentEvent e;
        e.atMs = at;
        e.kind = LinkRequestKind::Write;
        e.reg = reg;
        e.value = value;
        e.sent = sent;
        feed.RequestSent(e);
    }
    std::vector<TrendMarkerKind> Kinds() const
    {
        std::vector<TrendMarkerKind> kinds;
        for (const TrendMarker& m : history.Markers()) kinds.push_back(m.kind);
        return kinds;
    }
};

TEST(TrendFeed, SamplesOnlyDecodedBlock0AndMarksCommandsRunChangesAndRisingAlarms)
{
    using K = TrendMarkerKind;
    FeedRig rig;
    rig.Block(1000, 0, 0, 0, 0x0001);              // alarm already up at the first sample: no marker
    rig.Block(1500, 1, 1, 999, 0);                 // another block: not a sample
    rig.Block(1600, 0, 1, 999, 0, BlockVerdict::Unanswered);
    rig.Write(2000, 1, 1);                         // a knob, not a command
    rig.Write(2100, 0, 1, false);                  // nothing went out: no marker
    rig.Write(2200, 0, 1);
    rig.Block(3000, 0, 1, 300, 0x0111);            // started; alarm bits 4 and 8 rose (0 was up)
    rig.Block(2900, 0, 0, 0, 0);                   // older than the last sample: ignored
    rig.Block(6000, 0, 1, 700, 0x0011);            // bit 8 fell: no marker
    rig.Write(7000, 0, 0);
    rig.Block(9000, 0, 0, 500, 0x0011);            // stopped
    EXPECT_EQ(rig.samples, 4);
    EXPECT_EQ(rig.history.Samples().size(), 4u);
    EXPECT_EQ(rig.Kinds(),
              (std::vector<K>{K::RunCommand, K::MotorStarted, K::AlarmRose, K::AlarmRose, K::StopCommand, K::MotorStopped}));
    EXPECT_EQ(rig.history.Markers()[2].alarmBit, 4);
    EXPECT_EQ(rig.history.Markers()[3].alarmBit, 8);
    EXPECT_EQ(rig.changes, (std::vector<StartRecorder::Change>{StartRecorder::Change::Started, StartRecorder::Change::Ended}));
    ASSERT_EQ(rig.recorder.Records().size(), 1u);
    EXPECT_EQ(rig.recorder.Records().back().startMs, 2200);
    EXPECT_TRUE(rig.recorder.Records().back().startFromCommand);
}

} // namespace

namespace {

using fake_link_host::FakeHost;
using fake_link_host::ReadReply;

// The session on a link whose device the test plays: the operator's choice turns the
// fast reads on only while a record runs or a run command awaits its start; unticking it
// or ending the session turns them off.
TEST(TrendSession, FollowsTheStartOnlyWhenChosenAndOnlyWhileARecordRuns)
{
    FakeHost host;
    DeviceLink link(host);
    auto session = std::make_unique<TrendSession>(link, WallClockAnchor{}, nullptr);
    // Poll ticks answered by the device until one answers block 0 with these values.
    const auto answerBlock0 = [&](std::uint16_t run, std::uint16_t output) {
        for (int tick = 0; tick < 3; ++tick) {
            host.nowMs += 1000;
            link.Timer1Timer();
            const bool block0 = !host.sent.empty() && host.sent.back()[1] == 0x03 && host.sent.back()[3] == 0;
            host.nowMs += 30;
            const auto reply = ReadReply(1, block0 ? std::vector<std::uint16_t>{run, 300, 10, 10, output, 0, 25, 0, 0, 0}
                                                   : std::vector<std::uint16_t>(10, 0));
            link.Comm1ReceiveData(reply.data(), static_cast<std::uint16_t>(reply.size()));
            QCoreApplication::processEvents();
            if (block0) return;
        }
    };
    const auto startOnce = [&] {
        for (int i = 0; i < 3; ++i) answerBlock0(0, 0);
        for (int i = 0; i < 6 && !session->Recorder().Recording(); ++i) answerBlock0(1, 500);
    };
    startOnce();
    ASSERT_TRUE(session->Recorder().Recording());
    EXPECT_FALSE(link.FollowingBlock0());   // not chosen
    session->SetFollowTheStart(true);
    EXPECT_TRUE(link.FollowingBlock0());
    session->SetFollowTheStart(false);
    EXPECT_FALSE(link.FollowingBlock0());
    session->SetFollowTheStart(true);
    answerBlock0(0, 0);                     // stopped: the record ends, and with it the fast reads
    EXPECT_FALSE(session->Recorder().Recording());
    EXPECT_FALSE(link.FollowingBlock0());
    startOnce();
    EXPECT_TRUE(link.FollowingBlock0());
    answerBlock0(0, 0);
    EXPECT_FALSE(link.FollowingBlock0());
    // The operator's run command starts the fast reads before the motor is seen running.
    link.SwitchChange("RUN");
    QCoreApplication::processEvents();
    EXPECT_TRUE(link.FollowingBlock0());
    session.reset();                        // the session goes: the link is left as usual, unwatched
    EXPECT_FALSE(link.FollowingBlock0());
    answerBlock0(1, 500);
}

} // namespace
