// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of the knob: static layer (background, face, circular scale) and
// dynamic layer (read-out, indicator, focus frame).

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/number_text.h"
#include "widgets/dials/knob.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr TColor kDotShadeColor = 0x808080;
constexpr TColor kDotLightColor = 0xFFFFFF;
constexpr int kLabelGap = 4;  // extra gap between the major ticks and the label centres

TextFormatOptions CentredSingleLine()
{
    return TextFormatOptions::AlignCenter | TextFormatOptions::AlignVCenter | TextFormatOptions::SingleLine;
}

TRect SquareAround(TPoint center, int halfSide)
{
    return {center.X - halfSide, center.Y - halfSide, center.X + halfSide, center.Y + halfSide};
}

void LineBetween(TCanvas& canvas, TPoint from, TPoint to)
{
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
}

}  // namespace

void TiKnob::PaintContent(TCanvas& canvas)
{
    center_ = GetCenterPoint(canvas);
    if (CachedDrawing()) {
        if (IsBackGroundChanged()) {
            DrawStaticLayer(GetCacheBitmap().Canvas());
            ClearBackGroundChanged();
        }
        DrawCacheBitmap(canvas);
    } else {
        DrawStaticLayer(canvas);
    }
    DrawReadout(canvas);
    DrawIndicator(canvas);
    if (ShowFocusRect() && Focused())
        DrawFocusRectangle(canvas, TRect(0, 0, Width(), Height()), BackGroundColor());
}

void TiKnob::DrawStaticLayer(TCanvas& canvas)
{
    if (AutoSize())
        knobRadius_ = ComputeAutoSizeRadius(canvas);
    DrawBackground(canvas, BackGroundColor());
    DrawFace(canvas);
    DrawScale(canvas);
}

int TiKnob::ComputeAutoSizeRadius(TCanvas& canvas)
{
    int r = std::min(Width(), Height()) - 2 * OuterMargin();
    canvas.Font.Assign(*TickLabelFont());
    if (ShowTickLabels()) {
        int widest = 0;
        int tallest = 0;
        const double step = (GetPositionMax() - GetPositionMin()) / (TickMajorCount() - 1);
        for (int i = 0; i < TickMajorCount(); ++i) {
            const double value = GetPositionMin() + step * i;
            const TSize extent = canvas.TextExtent(GetLabelText(value, i));
            const TPoint unit = PolarToScreenPoint(TPoint(0, 0), ValueToAngle(value), 1);
            widest = std::max(widest, extent.cx * std::abs(unit.X));
            tallest = std::max(tallest, extent.cy * std::abs(unit.Y));
        }
        r -= std::max(widest, tallest);
        r -= 2 * (TickMargin() + TickMajorLength() + TickLabelMargin() + kLabelGap);
    } else if (ShowTicksMajor() || ShowTicksMinor()) {
        r -= 2 * (TickMargin() + TickMajorLength());
    }
    return r / 2;
}

TColor TiKnob::FaceColor() const
{
    return IsActive() ? Lighter16(Color()) : ColorToRGB(Color());
}

void TiKnob::DrawFace(TCanvas& canvas)
{
    const TColor face = FaceColor();
    const int radius = KnobRadius();
    // A widget too small for its scale leaves no room for a face.
    if (radius <= 0)
        return;
    if (KnobStyle() == iksRaisedEdge || KnobStyle() == iksRaised)
        DrawRaisedDisc(canvas, face, center_, radius);
    else
        DrawSunkenDisc(canvas, face, center_, radius);
    if ((KnobStyle() == iksRaisedEdge || KnobStyle() == iksSunkenEdge) && radius > KnobEdgeWidth()) {
        canvas.Pen = TPen{face, 1, psSolid};
        canvas.Brush = TBrush{face, bsSolid};
        canvas.Ellipse(SquareAround(center_, radius - KnobEdgeWidth()));
    }
}

TColor TiKnob::ScaleColor(TColor color) const
{
    return (!isEnabled() && ShowDisabledState()) ? clBtnShadow : color;
}

void TiKnob::DrawScaleTick(TCanvas& canvas, double value, int innerRadius, int outerRadius)
{
    const double angle = ValueToAngle(value);
    LineBetween(canvas, PolarToScreenPoint(center_, angle, outerRadius), PolarToScreenPoint(center_, angle, innerRadius));
}

void TiKnob::DrawScaleLabel(TCanvas& canvas, double value, int index, int radius)
{
    const QString text = GetLabelText(value, index);
    if (text.isEmpty())
        return;
    const TPoint at = PolarToScreenPoint(center_, ValueToAngle(value), radius);
    const TSize extent = canvas.TextExtent(text);
    TRect rect = CenteredRect(at.X, at.Y, extent.cx, extent.cy);
    const bool enabledLook = isEnabled() || !ShowDisabledState();
    DrawTextInRect(canvas, text, rect, BackGroundColor(), enabledLook, CentredSingleLine());
}

TiKnob::ScaleRadii TiKnob::ComputeScaleRadii() const
{
    ScaleRadii radii;
    radii.majorInner = TickMargin() + KnobRadius() - 1;
    radii.majorOuter = TickMargin() + KnobRadius() + TickMajorLength();
    const int minorLength = TickMinorLength();
    radii.minorInner = radii.majorInner;
    if (TickMinorAlignment() == itmnaCenter)
        radii.minorInner = (radii.majorInner + radii.majorOuter) / 2 - minorLength / 2;
    else if (TickMinorAlignment() == itmnaOutside)
        radii.minorInner = radii.majorOuter - minorLength;
    radii.minorOuter = radii.minorInner + minorLength;
    return radii;
}

// The round scale's ticks: one-pixel lines between two radii at the value's
// angle (the button-shadow colour when shown disabled), labels beyond them.
class TiKnob::CircularTickPainter final : public ScaleTickPainter {
public:
    CircularTickPainter(TiKnob& knob, TCanvas& canvas)
        : knob_(knob), canvas_(canvas), radii_(knob.ComputeScaleRadii())
    {
    }

    void MajorTick(double value, int index) override
    {
        if (knob_.ShowTicksMajor()) {
            canvas_.Pen = TPen{knob_.ScaleColor(knob_.TickMajorColor()), 1, psSolid};
            knob_.DrawScaleTick(canvas_, value, radii_.majorInner, radii_.majorOuter);
        }
        if (knob_.ShowTickLabels())
            knob_.DrawScaleLabel(canvas_, value, index, knob_.TickLabelMargin() + radii_.majorOuter + kLabelGap);
    }

    void MinorTick(double value) override
    {
        if (knob_.ShowTicksMinor())
            MinorTickBeyondEnds(value);
    }

    void MinorTickBeyondEnds(double value) override
    {
        canvas_.Pen = TPen{knob_.ScaleColor(knob_.TickMinorColor()), 1, psSolid};
        knob_.DrawScaleTick(canvas_, value, radii_.minorInner, radii_.minorOuter);
    }

private:
    TiKnob& knob_;
    TCanvas& canvas_;
    ScaleRadii radii_;
};

void TiKnob::DrawScale(TCanvas& canvas)
{
    canvas.Brush.Style = bsClear;
    canvas.Font.Assign(*TickLabelFont());
    PrepareScale();
    CircularTickPainter painter(*this, canvas);
    PaintScaleTicks(Scale().TickValues(), painter);
}

void TiKnob::DrawReadout(TCanvas& canvas)
{
    if (!ShowPostionDisplay())
        return;
    canvas.Brush.Style = bsClear;
    canvas.Font.Assign(*PositionDisplayFont());
    const QString text = FormatNumber(GetPosition(), PositionDisplayPrecision(), PositionDisplayUnits(), QChar('.'));
    const TSize extent = canvas.TextExtent(text);
    canvas.TextOut(center_.X - extent.cx / 2, center_.Y - extent.cy / 2, text);
}

void TiKnob::DrawIndicatorDot(TCanvas& canvas, TPoint at, int size)
{
    const TRect square = SquareAround(at, size);
    canvas.Ellipse(square);
    if (IndicatorStyle() == ikisDot)
        return;
    const bool lowered = IndicatorStyle() == ikisDotLowered;
    // Upper-left half of the rim runs counter-clockwise from 45 to 225 degrees.
    const TPoint upperRight(square.Right, square.Top);
    const TPoint lowerLeft(square.Left, square.Bottom);
    canvas.Pen.Color = lowered ? kDotShadeColor : kDotLightColor;
    canvas.Arc(square.Left, square.Top, square.Right, square.Bottom, upperRight.X, upperRight.Y, lowerLeft.X,
               lowerLeft.Y);
    canvas.Pen.Color = lowered ? kDotLightColor : kDotShadeColor;
    canvas.Arc(square.Left, square.Top, square.Right, square.Bottom, lowerLeft.X, lowerLeft.Y, upperRight.X,
               upperRight.Y);
}

void TiKnob::DrawIndicatorTriangle(TCanvas& canvas, double angle, int size)
{
    const int rim = KnobRadius() - IndicatorMargin();
    const TPoint tip = PolarToScreenPoint(center_, angle, rim);
    const TPoint base = PolarToScreenPoint(center_, angle, rim - size);
    const TPoint left = PolarToScreenPoint(base, angle + 90, size / 2.0);
    const TPoint right = PolarToScreenPoint(base, angle - 90, size / 2.0);
    canvas.Polygon({tip, left, right});
}

void TiKnob::DrawIndicator(TCanvas& canvas)
{
    const double angle = ValueToAngle(GetPosition());
    const int size = IndicatorSize();
    const int rim = KnobRadius() - IndicatorMargin();
    const TColor color = IsActive() ? IndicatorActiveColor() : IndicatorInactiveColor();
    canvas.Pen = TPen{color, 1, psSolid};
    canvas.Brush = TBrush{color, bsSolid};
    switch (IndicatorStyle()) {
    case ikisDot:
    case ikisDotLowered:
    case ikisDotRaised:
        DrawIndicatorDot(canvas, PolarToScreenPoint(center_, angle, rim - size), size);
        break;
    case ikisLineCenter:
        LineBetween(canvas, PolarToScreenPoint(center_, angle, rim), center_);
        break;
    case ikisLineCustom:
        LineBetween(canvas, PolarToScreenPoint(center_, angle, rim), PolarToScreenPoint(center_, angle, rim - size));
        break;
    case ikisTriangle:
        DrawIndicatorTriangle(canvas, angle, size);
        break;
    }
}
