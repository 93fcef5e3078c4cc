// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/led_bar.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/enum_range.h"
#include "widgets/base/property_access.h"

#include <cmath>

namespace {

// Property files may name only the values these enumerations have.
void RegisterLedBarEnumerations()
{
    static const bool registered = [] {
        RegisterEnumRange<TiDirection>(idUp, idLeft);
        RegisterEnumRange<TiLedBarSegmentStyle>(ilbssRectangle, ilbssTriangle);
        return true;
    }();
    (void)registered;
}

}  // namespace

TiLedBar::TiLedBar(QWidget* parent) : TiProgressComponent(parent)
{
    RegisterLedBarEnumerations();
    SetBackGroundColor(clBlack);
}

void TiLedBar::SetSegmentDirection(TiDirection value)
{
    if (value == segmentDirection_ || !InEnumRange(value, idUp, idLeft))
        return;
    if (!IsLoading() && IsVertical(value) != IsVertical(segmentDirection_))
        SetBounds(Left(), Top(), Height(), Width());
    segmentDirection_ = value;
    InvalidateChange();
}

void TiLedBar::SetSegmentStyle(TiLedBarSegmentStyle value)
{
    if (value == segmentStyle_ || !InEnumRange(value, ilbssRectangle, ilbssTriangle))
        return;
    segmentStyle_ = value;
    InvalidateChange();
}

void TiLedBar::PaintContent(TCanvas& canvas)
{
    if (CachedDrawing()) {
        if (IsBackGroundChanged()) {
            DrawBackground(GetCacheBitmap().Canvas(), BackGroundColor());
            ClearBackGroundChanged();
        }
        DrawCacheBitmap(canvas);
    } else {
        DrawBackground(canvas, BackGroundColor());
    }
    DrawSegments(canvas, PlanSegments());
}

TRect TiLedBar::BarRect() const
{
    const TRect whole(0, 0, Width(), Height());
    if (BorderStyle() == ibsRaised || BorderStyle() == ibsLowered)
        return whole.Inflated(-2, -2);
    return whole;
}

// Rounds value (a position) to the index of the segment it falls on. Values
// far outside the bar, infinities and NaN land just outside 0..count, where
// they compare with every segment index as the exact result would.
int TiLedBar::SegmentIndexOf(double value, int count) const
{
    const double min = GetPositionMin();
    const double max = GetPositionMax();
    const double scaled = (value - min) / (max - min) * count;
    if (std::isnan(scaled))
        return count + 1;
    return RoundHalfEven(std::clamp(scaled, -1.0, count + 1.0));
}

TiLedBar::SegmentPlan TiLedBar::PlanSegments() const
{
    SegmentPlan plan;
    const TRect r = BarRect();
    const int length = IsVertical(segmentDirection_) ? r.Height() : r.Width();
    const int step = segmentSize_ + segmentSpacing_;
    const int t = length - 2 * segmentMargin_ + 2;
    // A step of zero or less fits no segment (a negative one would otherwise
    // turn a negative length into a positive count).
    int offset = 0;
    if (step > 0 && t > 0) {
        plan.count = t / step;
        offset = (t % step) / 2;
    }
    const double fraction = PositionFraction(GetPosition());
    const double litScaled = (std::isfinite(fraction) ? fraction : 0.0) * plan.count + 0.5;
    plan.lit = RoundHalfEven(litScaled);
    if (GetPositionMax() != GetPositionMin() && plan.count > 0) {
        for (int j = 0; j < MaxSectionCount - 1; ++j)
            plan.sectionStarts[j] = SegmentIndexOf(SectionEnd(j + 1), plan.count);
    }
    const int m = segmentMargin_;
    const int s = segmentSize_;
    switch (segmentDirection_) {
    case idUp:
        plan.first = TRect(r.Left + m, r.Bottom - offset - m - s, r.Right - m, r.Bottom - offset - m);
        plan.stepY = -step;
        break;
    case idDown:
        plan.first = TRect(r.Left + m, r.Top + offset + m, r.Right - m, r.Top + offset + m + s);
        plan.stepY = step;
        break;
    case idRight:
        plan.first = TRect(r.Left + m, r.Top + m, r.Left + m + s, r.Bottom - m);
        plan.stepX = step;
        break;
    case idLeft:
        plan.first = TRect(r.Right - m - s, r.Top + m, r.Right - m, r.Bottom - m);
        plan.stepX = -step;
        break;
    }
    return plan;
}

void TiLedBar::DrawSegments(TCanvas& canvas, const SegmentPlan& plan)
{
    const double min = GetPositionMin();
    const double span = GetPositionMax() - min;
    const double position = GetPosition();
    TRect rect = plan.first;
    int section = 1;
    for (int i = 0; i < plan.count; ++i) {
        const double v = min + span / plan.count * i;
        if (i == plan.lit && !ShowOffSegments())
            break;
        for (int j = 1; j < MaxSectionCount; ++j) {
            if (SectionCount() > j && i >= plan.sectionStarts[j - 1])
                section = std::max(section, j + 1);
        }
        bool lit = i < plan.lit;
        if (fillReferenceEnabled_) {
            lit = (v >= fillReferenceValue_ && position >= v) || (v < fillReferenceValue_ && position <= v);
        }
        const TColor on = SectionColor(section);
        TColor off = DimColor(on, 3);
        if (!lit && !ShowOffSegments())
            off = BackGroundColor();
        DrawSegment(canvas, rect, lit ? on : off, lit, on);
        rect = rect.Offset(plan.stepX, plan.stepY);
    }
}

void TiLedBar::DrawSegment(TCanvas& canvas, const TRect& rect, TColor color, bool lit, TColor onColor)
{
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = color;
    switch (segmentStyle_) {
    case ilbssRectangle:
        canvas.Rectangle(rect);
        break;
    case ilbssTriangle:
        DrawTriangle(canvas, rect);
        break;
    case ilbssCircle:
        DrawCircle(canvas, rect, lit, onColor);
        break;
    }
}

// A triangle with its base S wide across the bar and its apex pointing in the
// fill direction.
void TiLedBar::DrawTriangle(TCanvas& canvas, const TRect& rect)
{
    const int half = segmentSize_ / 2;
    const int cx = (rect.Left + rect.Right) / 2;
    const int cy = (rect.Top + rect.Bottom) / 2;
    switch (segmentDirection_) {
    case idUp:
        canvas.Polygon({TPoint(cx - half, rect.Bottom), TPoint(cx + half, rect.Bottom), TPoint(cx, rect.Top)});
        break;
    case idDown:
        canvas.Polygon({TPoint(cx - half, rect.Top), TPoint(cx + half, rect.Top), TPoint(cx, rect.Bottom)});
        break;
    case idRight:
        canvas.Polygon({TPoint(rect.Left, cy - half), TPoint(rect.Left, cy + half), TPoint(rect.Right, cy)});
        break;
    case idLeft:
        canvas.Polygon({TPoint(rect.Right, cy - half), TPoint(rect.Right, cy + half), TPoint(rect.Left, cy)});
        break;
    }
}

// A disc of diameter S with a two-pixel reflection: white on a lit segment,
// the lit colour on a dark one.
void TiLedBar::DrawCircle(TCanvas& canvas, const TRect& rect, bool lit, TColor onColor)
{
    const int s = segmentSize_;
    const int cx = (rect.Left + rect.Right) / 2;
    const int cy = (rect.Top + rect.Bottom) / 2;
    const TRect box(cx - s / 2, cy - s / 2, cx + s - s / 2, cy + s - s / 2);
    canvas.Ellipse(box);
    canvas.Pen.Color = lit ? clWhite : onColor;
    const int startX = box.Right - s / 2;
    const int startY = box.Top;
    const int endX = box.Left;
    const int endY = box.Bottom - s / 2;
    for (int inset = s / 4; inset <= s / 4 + 1; ++inset) {
        canvas.Arc(box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset, startX, startY, endX,
                   endY);
    }
}
