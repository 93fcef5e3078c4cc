// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the ticks of a graduated scale fall, whatever the scale's shape. The
// straight scale and the knob's round scale walk the same values with
// PaintScaleTicks and differ only in how a tick or a label at a value is drawn.

// The values a scale is graduated with.
struct ScaleTickValues {
    double start = 0;    // the first major tick
    double end = 0;      // the last major tick
    int majorCount = 2;  // major ticks, both ends included (at least 2)
    int minorCount = 1;  // minor ticks between two major ticks (at least 1)
    // Minor ticks continue beyond the first and the last major tick out to
    // the range's ends (the auto-scale with fixed bounds puts its major ticks
    // inside the range).
    bool minorBeyondEnds = false;
    double rangeMin = 0;  // the range's lower end (for the minor ticks beyond the ends)
    double rangeMax = 0;  // the range's upper end
};

// Draws what the walk hands it, in the scale's own shape.
class ScaleTickPainter {
public:
    virtual ~ScaleTickPainter() = default;
    // Major tick number `index` (0 for the first) and its label.
    virtual void MajorTick(double value, int index) = 0;
    // A minor tick between two major ticks.
    virtual void MinorTick(double value) = 0;
    // A minor tick beyond the first or the last major tick.
    virtual void MinorTickBeyondEnds(double value) = 0;
};

// The most minor ticks drawn beyond each end. A scale has fewer pixels than
// this along any screen, so more ticks would only draw over each other; the
// bound ends the walk where a step too small for the value's magnitude would
// take too long to reach the end of the range.
inline constexpr int kMaxMinorTicksBeyondEachEnd = 10000;

// Walks the ticks in drawing order: each major tick followed by the minor
// ticks up to the next one, then the minor ticks beyond the last major tick
// upward and beyond the first one downward (each value the previous one plus
// or minus the minor step, as long as it stays in the range and moves).
void PaintScaleTicks(const ScaleTickValues& ticks, ScaleTickPainter& painter);
