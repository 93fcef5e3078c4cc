// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of painting the knob and the thermometer at the console's sizes: a full
// paint that rebuilds the cached static layer (face, scale, labels) against a
// value-only repaint that copies the cache and draws the indicator on top.
// The ratio of the two is printed after the run.

#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"

#include <QApplication>
#include <QImage>
#include "bench/bench_support.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {


// The start-voltage knob (150 x 150, its default size) or a time knob (145 x 137).
void SetUpKnob(TiKnob& knob, const benchmark::State& state)
{
    TiLoadingBracket loading({&knob});
    knob.resize(int(state.range(0)), int(state.range(1)));
    knob.SetPosition(300);
    knob.SetPositionMin(300);
    knob.SetPositionMax(700);
    knob.SetCurrentMin(300);
    knob.PositionDisplayFont()->SetHeight(-19);
    knob.SetPositionDisplayPrecision(0);
    knob.SetPositionDisplayUnits("0");
    knob.SetKnobRadius(33);
}

// The motor thermometer at its default size of 100 x 150.
void SetUpThermometer(TiThermometer& thermometer)
{
    TiLoadingBracket loading({&thermometer});
    thermometer.SetPosition(25);
    thermometer.SetPositionMax(100);
    thermometer.SetIndicatorFillReferenceStyle(ipfrsMin);
}

template <typename Widget, typename Change>
void PaintLoop(benchmark::State& state, Widget& widget, Change change)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&image);
    for (auto _ : state) {
        change();
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_KnobFullPaint(benchmark::State& state)
{
    TiKnob knob;
    SetUpKnob(knob, state);
    PaintLoop(state, knob, [&] { knob.BackGroundChange(); });
}
BENCHMARK(BM_KnobFullPaint)->Args({150, 150})->Args({145, 137});

void BM_KnobValueRepaint(benchmark::State& state)
{
    TiKnob knob;
    SetUpKnob(knob, state);
    double value = 300;
    PaintLoop(state, knob, [&] {
        value = value >= 700 ? 300 : value + 1;
        knob.SetPosition(value);
    });
}
BENCHMARK(BM_KnobValueRepaint)->Args({150, 150})->Args({145, 137});

void BM_ThermometerFullPaint(benchmark::State& state)
{
    TiThermometer thermometer;
    SetUpThermometer(thermometer);
    PaintLoop(state, thermometer, [&] { thermometer.BackGroundChange(); });
}
BENCHMARK(BM_ThermometerFullPaint);

void BM_ThermometerValueRepaint(benchmark::State& state)
{
    TiThermometer thermometer;
    SetUpThermometer(thermometer);
    double value = 0;
    PaintLoop(state, thermometer, [&] {
        value = value >= 100 ? 0 : value + 1;
        thermometer.SetPosition(value);
    });
}
BENCHMARK(BM_ThermometerValueRepaint);

// Collects the mean time per iteration of each run for the ratio.
}  // namespace

int main(int argc, char** argv)
{
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintRatio(reporter, "BM_KnobFullPaint/150/150", "BM_KnobValueRepaint/150/150",
               "knob 150x150: full paint / value-only repaint");
    PrintRatio(reporter, "BM_KnobFullPaint/145/137", "BM_KnobValueRepaint/145/137",
               "knob 145x137: full paint / value-only repaint");
    PrintRatio(reporter, "BM_ThermometerFullPaint", "BM_ThermometerValueRepaint",
               "thermometer 100x150: full paint / value-only repaint");
    return 0;
}
