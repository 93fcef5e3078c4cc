// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's time window (zoom, pan, live) and its bound on points drawn, with a trend
// far longer than the window can show point by point; the record drawn over it.
#include "app/trend/trend_chart.h"
#include "app/trend/trend_window.h"
#include "tests/support/fake_link_host.h"

#include <QChart>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using fake_link_host::FakeHost;
using fake_link_host::ReadReply;

struct ChartRig {
    FakeHost host;
    DeviceLink link{host};
    TrendSession session{link, WallClockAnchor{host.nowMs, 1'773'451'613'000, 0}};
    TrendChart chart{session};

    // Replies to block 0 every `stepMs`, each read following the last reply at once.
    void Samples(int count, int stepMs, std::uint16_t run = 0)
    {
        link.SetFollowBlock0(true);
        for (int i = 0; i < count; ++i) {
            host.nowMs += stepMs;
            const auto output = static_cast<std::uint16_t>(i % 1001);
            const auto reply = ReadReply(1, {run, 300, 10, 10, output, static_cast<std::uint16_t>(output / 2), 25, 0, 0, 0});
            link.Comm1ReceiveData(reply.data(), static_cast<std::uint16_t>(reply.size()));
        }
    }
    // A start seen and its stop: one record.
    void StartAndStop()
    {
        Samples(1, 1000, 0);
        Samples(1, 1000, 1);
        Samples(1, 1000, 0);
    }
};

TEST(TrendChart, ZoomPanAndLiveKeepTheWindowWithinItsBounds)
{
    ChartRig rig;
    rig.Samples(400, 1000);   // 400 s
    rig.chart.Refresh();
    EXPECT_TRUE(rig.chart.Live());
    EXPECT_EQ(rig.chart.EndMs(), rig.host.nowMs + 1);
    EXPECT_EQ(rig.chart.EndMs() - rig.chart.FromMs(), TrendChart::DefaultSpanMs);
    EXPECT_EQ(rig.chart.PointsDrawn(), 120);

    for (int i = 0; i < 20; ++i) rig.chart.ZoomBy(0.5);
    EXPECT_EQ(rig.chart.EndMs() - rig.chart.FromMs(), TrendChart::ShortestSpanMs);
    EXPECT_TRUE(rig.chart.Live());   // zooming the live view keeps it live
    rig.chart.PanBy(-1.0);
    EXPECT_FALSE(rig.chart.Live());
    const std::int64_t end = rig.chart.EndMs();
    EXPECT_EQ(end, rig.host.nowMs + 1 - TrendChart::ShortestSpanMs);
    rig.Samples(5, 1000);   // new samples leave a panned window where it is
    EXPECT_EQ(rig.chart.EndMs(), end);
    for (int i = 0; i < 40; ++i) rig.chart.ZoomBy(2.0);
    EXPECT_EQ(rig.chart.EndMs() - rig.chart.FromMs(), TrendChart::LongestSpanMs);
    rig.chart.ShowLive();
    EXPECT_EQ(rig.chart.EndMs(), rig.host.nowMs + 1);
    rig.chart.ShowAll();
    EXPECT_EQ(rig.chart.FromMs(), rig.session.History().Samples().front().atMs);
}

TEST(TrendChart, AnHourAtTheFastestRateIsDrawnWithBoundedPointsKeepingPeaks)
{
    ChartRig rig;
    rig.Samples(36'000, 100);   // an hour at ten replies a second
    rig.chart.ShowAll();
    EXPECT_LE(rig.chart.PointsDrawn(), 1600);
    EXPECT_GT(rig.chart.PointsDrawn(), 800);
    // Each column keeps its lowest and highest value: the 100 % peaks all survive.
    const auto* output = qobject_cast<QLineSeries*>(rig.chart.chart()->series().value(0));
    ASSERT_NE(output, nullptr);
    double highest = 0;
    for (const QPointF& p : output->points()) highest = std::max(highest, p.y());
    EXPECT_EQ(highest, 100.0);
    EXPECT_LE(rig.session.History().MemoryBytes(), 36'000u * sizeof(TrendSample) + 4096);
}

TEST(TrendWindow, TheRecordDrawnOverTheTrendStaysTheSameAsNewStartsComeAndGoesWhenDropped)
{
    ChartRig rig;
    TrendWindow window(rig.session);
    QStringList messages;
    window.ShowMessage = [&messages](const QString& text) { messages << text; };
    rig.StartAndStop();
    rig.StartAndStop();
    window.RecordTable()->selectRow(1);   // newest first: record 1
    window.OverlayButton()->click();
    ASSERT_TRUE(window.Chart()->Overlay().has_value());
    EXPECT_EQ(window.Chart()->Overlay()->number, 1);
    rig.StartAndStop();
    EXPECT_EQ(window.RecordTable()->currentRow(), 2);
    EXPECT_EQ(window.RecordTable()->item(2, 0)->text(), QStringLiteral("1"));
    ASSERT_TRUE(window.Chart()->Overlay().has_value());
    EXPECT_EQ(window.Chart()->Overlay()->number, 1);
    for (int i = 0; i < 8; ++i) rig.StartAndStop();   // eleven starts: record 1 is no longer kept
    EXPECT_EQ(window.RecordTable()->rowCount(), 10);
    EXPECT_EQ(window.RecordTable()->currentRow(), -1);
    EXPECT_FALSE(window.Chart()->Overlay().has_value());
    EXPECT_FALSE(window.ExportRecordCsv(window.RecordTable()->currentRow(), QStringLiteral("/tmp/never-written.csv")));
    EXPECT_EQ(messages, QStringList{QStringLiteral("请先在列表中选择一个启动记录")});
}

} // namespace
