// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the numeric edit as the console uses it: painting a field of the
// console's size, and a value write from the display timer.

#include "widgets/edit/analog_output.h"

#include <QApplication>
#include <QImage>
#include "bench/bench_support.h"

#include <benchmark/benchmark.h>

namespace {

// The console's starting-voltage field: width 57, precision 2, bold.
struct ConsoleField {
    QWidget parent;
    TiAnalogOutput* field;

    ConsoleField() : field(new TiAnalogOutput(&parent))
    {
        parent.resize(200, 60);
        field->resize(57, field->Height());
        field->SetPrecision(2);
        field->SetMaxLength(0);
        field->SetValue(45.6);
    }
};

void BM_PaintNumericEdit(benchmark::State& state)
{
    ConsoleField console;
    QImage image(console.field->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        console.field->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintNumericEdit);

void BM_ValueChange(benchmark::State& state)
{
    ConsoleField console;
    double value = 0;
    for (auto _ : state) {
        value = value > 100 ? 0 : value + 0.1;
        console.field->SetValue(value);
        benchmark::DoNotOptimize(console.field->Text().constData());
    }
}
BENCHMARK(BM_ValueChange);

void BM_ValueChangeAndPaint(benchmark::State& state)
{
    ConsoleField console;
    QImage image(console.field->size(), QImage::Format_ARGB32_Premultiplied);
    double value = 0;
    for (auto _ : state) {
        value = value > 100 ? 0 : value + 0.1;
        console.field->SetValue(value);
        console.field->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ValueChangeAndPaint);

}  // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
