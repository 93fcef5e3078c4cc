// SPDX-License-Identifier: GPL-3.0-or-later
// The nice-number search of the automatic scale.

#include "widgets/base/drawing_helpers.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsNiceMantissa(int m)
{
    switch (m) {
    case 1000: case 2000: case 2500: case 5000: case 7500:
    case 100: case 200: case 250: case 500: case 750:
        return true;
    default:
        return false;
    }
}

// Decade unit of a span: 10^trunc(log10(d)), a tenth of that below 1.
double DecadeUnit(double span)
{
    double g = std::pow(10.0, std::trunc(std::log10(span)));
    if (span < 1)
        g /= 10.0;
    return g;
}

}  // namespace

int NiceTickCount(int desired, int maximum, double span)
{
    if (maximum < 2)
        return maximum + 1;
    int kept = -1;
    for (int c = 2; c <= maximum; ++c) {
        const double step = span / (c - 1);
        if (!(step > 0) || !std::isfinite(step))
            continue;
        const int m = RoundHalfEven(step / std::pow(10.0, std::trunc(std::log10(step))) * 1000.0);
        if (!IsNiceMantissa(m))
            continue;
        if (kept < 0 || std::abs(c - desired) <= std::abs(kept - desired))
            kept = c;
    }
    return kept < 0 ? maximum + 1 : kept;
}

void FitNiceRangeAuto(int desired, int maximum, double min, double max, double& fittedMin, double& fittedMax,
                      int& tickCount)
{
    fittedMin = min;
    fittedMax = max;
    tickCount = 2;
    if (min == max || !std::isfinite(min) || !std::isfinite(max))
        return;
    const double lo = std::min(min, max);
    const double hi = std::max(min, max);
    const double d = hi - lo;
    const double g = DecadeUnit(d);
    for (int i = 2; i <= 40; ++i) {
        const double span = i * g / 2.0;
        if (span < d)
            continue;
        const int count = NiceTickCount(desired, maximum, span);
        if (count > maximum || count < 2)
            continue;
        const double step = span / (count - 1);
        const double eps = step * 1e-9;
        const double first = std::floor((lo + eps) / step) * step;
        const double last = first + span;
        if (first <= lo + eps && last >= hi - eps) {
            fittedMin = first;
            fittedMax = last;
            tickCount = count;
            return;
        }
    }
}

void FitNiceRangeFixed(int desired, int maximum, double min, double max, double& tickStart, double& tickEnd,
                       int& tickCount)
{
    tickStart = min;
    tickEnd = max;
    tickCount = 2;
    if (min == max || !std::isfinite(min) || !std::isfinite(max))
        return;
    const double lo = std::min(min, max);
    const double hi = std::max(min, max);
    const double d = hi - lo;
    const double g = DecadeUnit(d);
    for (int n = 100; n >= 2; --n) {
        const double span = n * g / 10.0;
        if (span > d)
            continue;
        for (int limit = maximum; limit >= 2; --limit) {
            const int count = NiceTickCount(desired, limit, span);
            if (count > limit || count < 2)
                continue;
            const double step = span / (count - 1);
            const double eps = step * 1e-9;
            const double first = std::ceil((lo - eps) / step) * step;
            const double last = first + span;
            if (first >= lo - eps && last <= hi + eps) {
                tickStart = first;
                tickEnd = last;
                tickCount = count;
                return;
            }
        }
    }
}
