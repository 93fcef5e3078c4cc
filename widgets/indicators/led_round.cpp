// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/led_round.h"

#include "widgets/base/drawing_helpers.h"

namespace {

// Diagonal gradient running from the top-left corner to the bottom-right one.
constexpr int kDiagonalGradient = 4;

}  // namespace

TiLedRound::TiLedRound(QWidget* parent) : TiLed(parent) {}

void TiLedRound::SetBounds(int left, int top, int width, int height)
{
    if (!IsLoading()) {
        if (width != Width())
            height = width;
        else if (height != Height())
            width = height;
    }
    TiLed::SetBounds(left, top, width, height);
}

void TiLedRound::PaintContent(TCanvas& canvas)
{
    // Everything a lamp shows changes only through its properties, so the
    // whole picture lives in the static layer.
    if (!CachedDrawing()) {
        DrawLamp(canvas);
        return;
    }
    if (IsBackGroundChanged()) {
        DrawLamp(GetCacheBitmap().Canvas());
        ClearBackGroundChanged();
    }
    DrawCacheBitmap(canvas);
}

void TiLedRound::DrawLamp(TCanvas& canvas)
{
    DrawBackground(canvas, BackGroundColor());
    const TRect lamp = DrawBevelRing(canvas);
    const TColor body = BodyColor();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = body;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = body;
    canvas.Ellipse(lamp);
    if (showReflection_)
        DrawReflection(canvas, lamp);
}

// Draws the ring for a raised or lowered bevel and returns the rectangle left
// for the lamp's body.
TRect TiLedRound::DrawBevelRing(TCanvas& canvas)
{
    const TRect whole(0, 0, Width(), Height());
    if (BevelStyle() != ibsRaised && BevelStyle() != ibsLowered)
        return whole;
    const TColor light = Lighter32(clBtnFace);
    const TColor dark = Darker64(clBtnFace);
    canvas.SetClipEllipse(whole);
    if (BevelStyle() == ibsRaised)
        GradientFill(canvas, whole, kDiagonalGradient, light, dark);
    else
        GradientFill(canvas, whole, kDiagonalGradient, dark, light);
    canvas.ClearClip();
    return TRect(2, 2, Width() - 3, Height() - 3);
}

// Two white arcs along the upper-left quarter of the body.
void TiLedRound::DrawReflection(TCanvas& canvas, const TRect& lamp)
{
    canvas.Pen.Color = clWhite;
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    const int q = Width() / 4;
    const int startX = lamp.Right / 2;
    const int startY = lamp.Top;
    const int endX = lamp.Left;
    const int endY = lamp.Bottom / 2;
    for (int inset = q; inset <= q + 1; ++inset) {
        canvas.Arc(lamp.Left + inset, lamp.Top + inset, lamp.Right - inset, lamp.Bottom - inset, startX, startY,
                   endX, endY);
    }
}
