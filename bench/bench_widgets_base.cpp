// SPDX-License-Identifier: GPL-3.0-or-later
// Paint cost of a scaled widget: a full repaint (static layer rebuilt) with
// and without CachedDrawing, and a value-only repaint that redraws just the
// dynamic layer over the cached static one. Prints how many times cheaper
// the value-only repaint is than a full one.

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/scale_component.h"

#include <QApplication>
#include "bench/bench_support.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

// A gauge-like widget: a shaded face and a labelled linear scale in the
// static layer, a pointer line in the dynamic layer.
class BenchGauge : public TiScaleComponent {
public:
    BenchGauge()
    {
        resize(150, 150);
        SetBorderStyle(ibsLowered);
        SetTickMajorCount(11);
        SetTickMinorCount(4);
    }

protected:
    void PaintContent(TCanvas& canvas) override
    {
        if (CachedDrawing()) {
            if (IsBackGroundChanged()) {
                DrawStatic(GetCacheBitmap().Canvas());
                ClearBackGroundChanged();
            }
            DrawCacheBitmap(canvas);
        } else {
            DrawStatic(canvas);
        }
        const TPoint centre = GetCenterPoint(canvas);
        const TPoint tip = PolarToScreenPoint(centre, 225 - 270 * PositionFraction(GetPosition()), 45);
        canvas.Pen.Color = clRed;
        canvas.Pen.Width = 1;
        canvas.Polyline({centre, tip});
    }

private:
    void DrawStatic(TCanvas& canvas)
    {
        DrawBackground(canvas, BackGroundColor());
        DrawRaisedDisc(canvas, clSilver, GetCenterPoint(canvas), 55);
        PrepareScale();
        Scale().SetOrientation(isoVertical);
        Scale().SetSide(isdBottomRight);
        Scale().SetPixels(140, 10);
        Scale().SetBaseCoordinate(110);
        Scale().DrawLinear(canvas, Enabled(), BackGroundColor());
    }
};

void Paint(BenchGauge& gauge, QImage& target) { gauge.render(&target); }

void BM_FullRepaintCached(benchmark::State& state)
{
    BenchGauge gauge;
    QImage target(gauge.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        gauge.BackGroundChange();
        Paint(gauge, target);
    }
}
BENCHMARK(BM_FullRepaintCached)->Unit(benchmark::kMicrosecond);

void BM_FullRepaintUncached(benchmark::State& state)
{
    BenchGauge gauge;
    gauge.SetCachedDrawing(false);
    QImage target(gauge.size(), QImage::Format_RGB32);
    double value = 0;
    for (auto _ : state) {
        value = value >= 100 ? 0 : value + 1;
        gauge.SetPosition(value);
        Paint(gauge, target);
    }
}
BENCHMARK(BM_FullRepaintUncached)->Unit(benchmark::kMicrosecond);

void BM_ValueRepaintCached(benchmark::State& state)
{
    BenchGauge gauge;
    QImage target(gauge.size(), QImage::Format_RGB32);
    Paint(gauge, target);  // builds the cache once
    double value = 0;
    for (auto _ : state) {
        value = value >= 100 ? 0 : value + 1;
        gauge.SetPosition(value);
        Paint(gauge, target);
    }
    if (gauge.IsBackGroundChanged())
        state.SkipWithError("a value change rebuilt the static layer");
}
BENCHMARK(BM_ValueRepaintCached)->Unit(benchmark::kMicrosecond);

// Keeps the console output and remembers each benchmark's time per iteration.
}  // namespace

int main(int argc, char** argv)
{
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatio(reporter, "BM_FullRepaintUncached", "BM_ValueRepaintCached",
               "full repaint (uncached) / value-only repaint (cached)");
    benchmark::Shutdown();
    return 0;
}
