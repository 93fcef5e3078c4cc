// SPDX-License-Identifier: GPL-3.0-or-later
// Layout and drawing of the thermometer: background and linear scale (static
// layer), then the bulb and column or the bar, then the min and max markers.

#include "widgets/base/drawing_helpers.h"
#include "widgets/dials/thermometer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

void UsePenAndBrush(TCanvas& canvas, TColor color)
{
    canvas.Pen = TPen{color, 1, psSolid};
    canvas.Brush = TBrush{color, bsSolid};
}

// Arc on the ellipse inscribed in `rect`, counter-clockwise from `fromDegrees`
// to `toDegrees`, in the current pen.
void ArcDegrees(TCanvas& canvas, const TRect& rect, double fromDegrees, double toDegrees)
{
    const double cx = (rect.Left + rect.Right) / 2.0;
    const double cy = (rect.Top + rect.Bottom) / 2.0;
    const double reach = 4.0 * (rect.Width() + rect.Height() + 1);
    const auto radial = [&](double degrees) {
        const double a = degrees * std::numbers::pi / 180.0;
        return TPoint(RoundHalfEven(cx + reach * std::cos(a)), RoundHalfEven(cy - reach * std::sin(a)));
    };
    const TPoint from = radial(fromDegrees);
    const TPoint to = radial(toDegrees);
    canvas.Arc(rect.Left, rect.Top, rect.Right, rect.Bottom, from.X, from.Y, to.X, to.Y);
}

// Rectangle through the pixels from..to-1 along an axis, whichever end is larger.
TRect SpanAlong(bool vertical, const TRect& across, int a, int b)
{
    const int low = std::min(a, b);
    const int high = std::max(a, b);
    return vertical ? TRect(across.Left, low, across.Right, high) : TRect(low, across.Top, high, across.Bottom);
}

}  // namespace

int TiThermometer::ScaleExtentAcross(TCanvas& canvas)
{
    if (!ShowTickLabels())
        return 0;
    canvas.Font.Assign(*TickLabelFont());
    const TSize minExtent = canvas.TextExtent(GetLabelText(GetPositionMin(), 0));
    const TSize maxExtent = canvas.TextExtent(GetLabelText(GetPositionMax(), TickMajorCount() - 1));
    const int widest = IsVertical() ? std::max(minExtent.cx, maxExtent.cx) : std::max(minExtent.cy, maxExtent.cy);
    return TickLabelMargin() + widest;
}

TPoint TiThermometer::ComputeCenter(TCanvas& canvas)
{
    TPoint center = GetCenterPoint(canvas);
    if (!AutoCenter())
        return center;
    int markerReach = 0;
    if (ShowMaxPointer() || ShowMinPointer())
        markerReach = MinMaxPointerMargin() + MinMaxPointerSize();
    int shift = ScaleExtentAcross(canvas) - IndicatorWidth() - markerReach;
    if (ShowTicksMajor())
        shift += TickMajorLength() + TickMargin();
    // Move away from the scale side so tube, ticks and labels sit centred together.
    const int move = OrientationTickMarks() == iosBottomRight ? -(shift / 2) : shift / 2;
    if (IsVertical())
        center.X += move;
    else
        center.Y += move;
    return center;
}

TiThermometerLayout TiThermometer::ComputeLayout(TCanvas& canvas)
{
    TiThermometerLayout layout;
    layout.Center = ComputeCenter(canvas);
    const int iw = IndicatorWidth();
    if (IsVertical())
        layout.Tube = TRect(layout.Center.X - iw, EndsMargin() + OffsetY(), layout.Center.X + iw,
                            Height() + OffsetY() - EndsMargin());
    else
        layout.Tube = TRect(EndsMargin() + OffsetX(), layout.Center.Y - iw, Width() + OffsetX() - EndsMargin(),
                            layout.Center.Y + iw);
    layout.ValueArea = layout.Tube;
    if (IndicatorStyle() == itisBulb) {
        if (IsVertical())
            layout.ValueArea.Bottom -= 2 * IndicatorBulbSize();
        else
            layout.ValueArea.Left += 2 * IndicatorBulbSize();
    } else if (IndicatorStyle() == itisBarSunken || IndicatorStyle() == itisBarRaised) {
        layout.ValueArea = IsVertical() ? layout.ValueArea.Inflated(0, -2) : layout.ValueArea.Inflated(-2, 0);
    }
    return layout;
}

void TiThermometer::PaintContent(TCanvas& canvas)
{
    layout_ = ComputeLayout(canvas);
    if (CachedDrawing()) {
        if (IsBackGroundChanged()) {
            TCanvas& cache = GetCacheBitmap().Canvas();
            DrawBackground(cache, BackGroundColor());
            DrawScale(cache);
            ClearBackGroundChanged();
        }
        DrawCacheBitmap(canvas);
    } else {
        DrawBackground(canvas, BackGroundColor());
        DrawScale(canvas);
    }
    if (IndicatorStyle() == itisBulb)
        DrawBulb(canvas);
    else
        DrawBar(canvas);
    maxPointerHitRect_ = TRect();
    minPointerHitRect_ = TRect();
    if (ShowMaxPointer())
        maxPointerHitRect_ =
            DrawMarker(canvas, GetCurrentMax(), MinMaxPointerSize(), MinMaxPointerMargin(), MaxPointerColor());
    if (ShowMinPointer())
        minPointerHitRect_ =
            DrawMarker(canvas, GetCurrentMin(), MinMaxPointerSize(), MinMaxPointerMargin(), MinPointerColor());
}

void TiThermometer::DrawScale(TCanvas& canvas)
{
    PrepareScale();
    TiScaleObject& scale = Scale();
    const TRect& area = layout_.ValueArea;
    scale.SetOrientation(IsVertical() ? isoVertical : isoHorizontal);
    scale.SetSide(OrientationTickMarks() == iosBottomRight ? isdBottomRight : isdTopLeft);
    scale.SetReverse(ReverseScale());
    if (IsVertical()) {
        scale.SetPixels(area.Bottom, area.Top);
        scale.SetBaseCoordinate(layout_.Center.X);
    } else {
        scale.SetPixels(area.Left, area.Right);
        scale.SetBaseCoordinate(layout_.Center.Y);
    }
    scale.DrawLinear(canvas, ShowDisabledState() ? isEnabled() : true, BackGroundColor());
}

void TiThermometer::DrawBar(TCanvas& canvas)
{
    const TRect& area = layout_.ValueArea;
    double reference = GetPositionMin();
    if (IndicatorFillReferenceStyle() == ipfrsMax)
        reference = GetPositionMax();
    else if (IndicatorFillReferenceStyle() == ipfrsValue)
        reference = IndicatorFillReferenceValue();
    const int referencePixel = ValueToPixel(reference, area);
    const int valuePixel = ValueToPixel(GetPosition(), area);

    UsePenAndBrush(canvas, IndicatorBackGroundColor());
    canvas.Rectangle(area);
    indicatorHitRect_ = area;
    if (IndicatorStyle() == itisBarSunken)
        DrawBevelAround(canvas, area, ibsLowered, 2);
    else if (IndicatorStyle() == itisBarRaised)
        DrawBevelAround(canvas, area, ibsRaised, 2);

    const TRect liquid = SpanAlong(IsVertical(), area, referencePixel, valuePixel);
    if (liquid.IsEmpty())
        return;
    UsePenAndBrush(canvas, IndicatorColor());
    canvas.Rectangle(liquid);
}

void TiThermometer::DrawBulbGlass(TCanvas& canvas, const TRect& bulb, const TRect& highlight)
{
    // Vertical: light from the upper left. Horizontal: the same picture turned
    // a quarter clockwise, so the bulb sits at the left end.
    const double turn = IsVertical() ? 0 : -90;
    UsePenAndBrush(canvas, IndicatorColor());
    canvas.Ellipse(bulb);
    canvas.Brush.Style = bsClear;
    const TRect outer = bulb.Inflated(1, 1);
    canvas.Pen.Color = clBtnFace;
    ArcDegrees(canvas, bulb, 90 + turn, 225 + turn);
    canvas.Pen.Color = clBtnShadow;
    ArcDegrees(canvas, bulb, 225 + turn, 90 + turn);
    canvas.Pen.Color = clBtnHighlight;
    ArcDegrees(canvas, outer, 90 + turn, 225 + turn);
    canvas.Pen.Color = clBtnShadow;
    ArcDegrees(canvas, outer, 225 + turn, 90 + turn);
    canvas.Pen.Color = clWhite;
    ArcDegrees(canvas, highlight, 90 + turn, 180 + turn);
    ArcDegrees(canvas, highlight.Inflated(1, 1), 90 + turn, 180 + turn);
}

void TiThermometer::DrawVerticalColumn(TCanvas& canvas, const TRect& tube)
{
    const int iw = IndicatorWidth();
    UsePenAndBrush(canvas, IndicatorBackGroundColor());
    canvas.Ellipse(tube.Left, tube.Top, tube.Right, tube.Top + 2 * iw);
    canvas.Rectangle(tube.Left, tube.Top + iw, tube.Right, tube.Bottom);
    const int height = RoundHalfEven(PositionFraction(GetPosition()) * (tube.Bottom - tube.Top));
    const int top = tube.Bottom - height;
    UsePenAndBrush(canvas, IndicatorColor());
    canvas.Ellipse(tube.Left, top, tube.Right, top + 2 * iw);
    if (top + iw < tube.Bottom)
        canvas.Rectangle(tube.Left, top + iw, tube.Right, tube.Bottom);
}

void TiThermometer::DrawHorizontalColumn(TCanvas& canvas, const TRect& tube)
{
    const int iw = IndicatorWidth();
    UsePenAndBrush(canvas, IndicatorBackGroundColor());
    canvas.Ellipse(tube.Right - 2 * iw, tube.Top, tube.Right, tube.Bottom);
    canvas.Rectangle(tube.Left, tube.Top, tube.Right - iw, tube.Bottom);
    const int length = RoundHalfEven(PositionFraction(GetPosition()) * (tube.Right - tube.Left));
    const int end = tube.Left + length;
    UsePenAndBrush(canvas, IndicatorColor());
    canvas.Ellipse(end - 2 * iw, tube.Top, end, tube.Bottom);
    if (tube.Left < end - iw)
        canvas.Rectangle(tube.Left, tube.Top, end - iw, tube.Bottom);
}

void TiThermometer::DrawBulb(TCanvas& canvas)
{
    // The bulb always fills from the bulb end: the fill reference and the
    // reversed scale do not apply to it.
    const TRect& area = layout_.ValueArea;
    const int bulbSize = IndicatorBulbSize();
    const int glint = 2 * bulbSize / 5;
    TPoint c;
    TRect tube;
    int shift = 0;
    if (IsVertical()) {
        c = TPoint(layout_.Center.X, area.Bottom + bulbSize);
        tube = TRect(area.Left, area.Top, area.Right, area.Bottom + 1);
        indicatorHitRect_ = TRect(tube.Left, tube.Top, tube.Right, tube.Bottom + bulbSize);
        shift = -1;
    } else {
        c = TPoint(area.Left - bulbSize, layout_.Center.Y);
        tube = TRect(area.Left - 1, area.Top, area.Right, area.Bottom);
        indicatorHitRect_ = TRect(tube.Left - bulbSize, tube.Top, tube.Right, tube.Bottom);
        shift = 1;
    }
    const TRect bulb = TRect(c.X - bulbSize, c.Y - bulbSize, c.X + bulbSize, c.Y + bulbSize).Offset(0, shift);
    const TRect highlight = TRect(c.X - glint, c.Y - glint, c.X + glint, c.Y + glint).Offset(0, shift);
    DrawBulbGlass(canvas, bulb, highlight);
    if (IsVertical())
        DrawVerticalColumn(canvas, tube);
    else
        DrawHorizontalColumn(canvas, tube);
}

TRect TiThermometer::DrawMarker(TCanvas& canvas, double value, int size, int margin, TColor color)
{
    const TRect& area = layout_.ValueArea;
    const int p = ValueToPixel(value, area);
    const int h = size / 2;
    const bool ticksBottomRight = OrientationTickMarks() == iosBottomRight;
    UsePenAndBrush(canvas, color);
    if (IsVertical() && ticksBottomRight) {
        const int tip = area.Left - margin;
        canvas.Polygon({TPoint(tip - size, p - h), TPoint(tip, p), TPoint(tip - size, p + h)});
        return TRect(tip - size, p - h, tip, p + h);
    }
    if (IsVertical()) {
        const int tip = area.Right + margin;
        canvas.Polygon({TPoint(tip + size, p - h), TPoint(tip + size, p + h), TPoint(tip, p)});
        return TRect(tip, p - h, tip + size, p + h);
    }
    if (ticksBottomRight) {
        const int tip = area.Top - margin;
        canvas.Polygon({TPoint(p - h, tip - size), TPoint(p + h, tip - size), TPoint(p, tip)});
        return TRect(p - h, tip - size, p + h, tip);
    }
    const int tip = area.Bottom + margin;
    canvas.Polygon({TPoint(p - h, tip + size), TPoint(p + h, tip + size), TPoint(p, tip)});
    return TRect(p - h, tip, p + h, tip + size);
}
