// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's time window (zoom, pan, live) and its bound on points drawn, with a trend
// far longer than the window can show point by point.
#include "app/trend/trend_chart.h"
#include "tests/support/fake_link_host.h"

#include <QChart>
#include <QLineSeries>

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
    void Samples(int count, int stepMs)
    {
        link.SetFollowBlock0(true);
        for (int i = 0; i < count; ++i) {
            host.nowMs += stepMs;
            const auto output = static_cast<std::uint16_t>(i % 1001);
            const auto reply = ReadReply(1, {0, 300, 10, 10, output, static_cast<std::uint16_t>(output / 2), 25, 0, 0, 0});
            link.Comm1ReceiveData(reply.data(), static_cast<std::uint16_t>(reply.size()));
        }
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

} // namespace
