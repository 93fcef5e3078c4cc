// SPDX-License-Identifier: GPL-3.0-or-later
// Paint cost of the indicator widgets at the console's sizes. The console
// repaints them twice a second, so each paint must stay far below a
// millisecond. "ValueChange" benchmarks change what the console writes and
// paint (the cached static layer is reused); "FullRepaint" ones also rebuild
// the static layer each time.

#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include "bench/bench_support.h"

#include <benchmark/benchmark.h>

namespace {

// Paints `widget` into an image of its size, as a paint event would.
void Paint(QWidget& widget, QImage& target)
{
    widget.render(&target);
    benchmark::DoNotOptimize(target.constBits());
}

QImage TargetFor(const QWidget& widget)
{
    return QImage(widget.size(), QImage::Format_ARGB32_Premultiplied);
}

void BM_LedRound_ValueChange(benchmark::State& state)
{
    TiLedRound led;
    QImage target = TargetFor(led);
    bool red = false;
    for (auto _ : state) {
        red = !red;
        led.SetActiveColor(red ? clRed : clLime);
        Paint(led, target);
    }
}
BENCHMARK(BM_LedRound_ValueChange)->Unit(benchmark::kMicrosecond);

void BM_LedRound_Unchanged(benchmark::State& state)
{
    TiLedRound led;
    QImage target = TargetFor(led);
    for (auto _ : state) {
        led.SetActiveColor(clRed);
        Paint(led, target);
    }
}
BENCHMARK(BM_LedRound_Unchanged)->Unit(benchmark::kMicrosecond);

void BM_SwitchLed_ValueChange(benchmark::State& state)
{
    TiSwitchLed sw;
    sw.SetBounds(0, 0, 177, 28);
    QImage target = TargetFor(sw);
    bool run = false;
    for (auto _ : state) {
        run = !run;
        sw.SetCaption(run ? "RUN" : "STOP");
        sw.SetActiveColor(run ? clLime : clRed);
        Paint(sw, target);
    }
}
BENCHMARK(BM_SwitchLed_ValueChange)->Unit(benchmark::kMicrosecond);

void BM_LedBar_ValueChange(benchmark::State& state)
{
    TiLedBar bar;
    bar.SetBounds(0, 0, 25, 153);
    bar.SetBackGroundColor(clSilver);
    bar.SetSectionColor1(clYellow);
    QImage target = TargetFor(bar);
    int level = 0;
    for (auto _ : state) {
        level = (level + 7) % 101;
        bar.SetPosition(level);
        Paint(bar, target);
    }
}
BENCHMARK(BM_LedBar_ValueChange)->Unit(benchmark::kMicrosecond);

void BM_LedBar_FullRepaint(benchmark::State& state)
{
    TiLedBar bar;
    bar.SetBounds(0, 0, 25, 153);
    QImage target = TargetFor(bar);
    bool silver = false;
    for (auto _ : state) {
        silver = !silver;
        bar.SetBackGroundColor(silver ? clSilver : clGray);
        Paint(bar, target);
    }
}
BENCHMARK(BM_LedBar_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_Label_FullRepaint(benchmark::State& state)
{
    TiLabel label;
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 60, 13);
    label.SetCaption(QStringLiteral("启动时间"));
    QImage target = TargetFor(label);
    bool shadow = false;
    for (auto _ : state) {
        shadow = !shadow;
        label.SetShadowShow(shadow);
        Paint(label, target);
    }
}
BENCHMARK(BM_Label_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_AnalogDisplay_ValueChange(benchmark::State& state)
{
    TiAnalogDisplay display;
    display.SetBounds(0, 0, 57, 21);
    QImage target = TargetFor(display);
    int raw = 0;
    for (auto _ : state) {
        raw = (raw + 13) % 1000;
        display.SetValue(raw / 10.0);
        Paint(display, target);
    }
}
BENCHMARK(BM_AnalogDisplay_ValueChange)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
