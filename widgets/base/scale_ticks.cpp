// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/scale_ticks.h"

#include <cmath>

namespace {

// Minor ticks from `from` on, `step` apart (negative: downward), until one passes
// `limit` or adding the step no longer moves the value.
void PaintMinorTicksBeyondEnd(double from, double step, double limit, ScaleTickPainter& painter)
{
    const bool upward = step > 0;
    double v = from;
    for (int count = 0; count < kMaxMinorTicksBeyondEachEnd && (upward ? v <= limit : v >= limit); ++count) {
        painter.MinorTickBeyondEnds(v);
        const double next = v + step;
        if (next == v)
            break;
        v = next;
    }
}

}  // namespace

void PaintScaleTicks(const ScaleTickValues& ticks, ScaleTickPainter& painter)
{
    const int last = ticks.majorCount - 1;
    const double majorStep = (ticks.end - ticks.start) / last;
    const double minorStep = majorStep / (ticks.minorCount + 1);
    for (int i = 0; i <= last; ++i) {
        const double value = ticks.start + i * majorStep;
        painter.MajorTick(value, i);
        for (int j = 1; i != last && j <= ticks.minorCount; ++j)
            painter.MinorTick(value + j * minorStep);
    }
    if (!ticks.minorBeyondEnds || minorStep == 0 || !std::isfinite(minorStep))
        return;
    const double step = std::fabs(minorStep);
    PaintMinorTicksBeyondEnd(ticks.end + step, step, ticks.rangeMax, painter);
    PaintMinorTicksBeyondEnd(ticks.start - step, -step, ticks.rangeMin, painter);
}
