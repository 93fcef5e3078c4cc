// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Free drawing helpers shared by every widget: text in a rectangle with the
// engraved disabled look, bevels, bevelled lines, focus rectangles, colour
// arithmetic, centred rectangles, polar points, shaded discs, gradient fills
// and the nice-number search of the automatic scale. They keep no state.

#include "platform/canvas/canvas.h"
#include "widgets/base/types.h"

#include <QString>

// Draws (or measures, with CalcRect) `text` in `rect`. When Enabled is false,
// CalcRect is not set and BackColor is not black, the text is drawn engraved:
// once one pixel down-right in the button face lightened by 64, then in place
// in the button face darkened by 32. Returns the text height.
int DrawTextInRect(TCanvas& canvas, const QString& text, TRect& rect, TColor backColor, bool enabled,
                   TextFormatOptions options);
// The same as DrawTextInRect (kept for the wide-text callers).
int DrawWideTextInRect(TCanvas& canvas, const QString& text, TRect& rect, TColor backColor, bool enabled,
                       TextFormatOptions options);

// The horizontal alignment flag of a text for a widget's alignment setting.
TextFormatOptions HorizontalAlignmentOptions(TiAlignmentHorizontal alignment);

// Style 0 sunken edge, 1 raised edge, 2 flat button-shadow frame filled with
// the current brush; other styles draw nothing.
void DrawBevel(TCanvas& canvas, const TRect& rect, int style);
// Rect inflated by Margin, then DrawBevel raised (ibsRaised) or sunken (ibsLowered).
void DrawBevelAround(TCanvas& canvas, const TRect& rect, TiBevelStyle borderStyle, int margin);
// Style 0 plain line in the current pen; 1 raised (white then black one pixel
// right/below); 2 lowered (black then white). End point not drawn.
void DrawBevelLine(TCanvas& canvas, int x1, int y1, int x2, int y2, int style);
// Same with a TiBevelStyle: ibsNone plain, ibsRaised raised, ibsLowered lowered.
void DrawBevelLine(TCanvas& canvas, int x1, int y1, int x2, int y2, TiBevelStyle style);
void DrawFocusRectangle(TCanvas& canvas, const TRect& rect, TColor color);  // the dotted focus frame in `color`

// Adds `amount` to (lighter) or subtracts it from each channel, clamped to 0..255.
TColor ChangeBrightness(TColor color, int amount, bool lighter);
TColor Lighter16(TColor color);  // each channel 16 lighter
TColor Lighter32(TColor color);  // each channel 32 lighter
TColor Darker64(TColor color);  // each channel 64 darker
// Each channel divided by `divisor` (1 and up); a divisor below 1 multiplies by its negation, clamped to 255.
TColor DimColor(TColor color, int divisor);
inline constexpr int RedOf(TColor rgb) { return static_cast<int>(rgb & 0xFF); }  // the red channel, 0..255
inline constexpr int GreenOf(TColor rgb) { return static_cast<int>((rgb >> 8) & 0xFF); }  // the green channel, 0..255
inline constexpr int BlueOf(TColor rgb) { return static_cast<int>((rgb >> 16) & 0xFF); }  // the blue channel, 0..255
// The colour of the channels r, g and b (each taken modulo 256).
inline constexpr TColor RGBColor(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

TRect CenteredRect(int centerX, int centerY, int width, int height);  // a width x height rectangle centred on (centerX, centerY)
TPoint PolarToScreenPoint(TPoint center, double angleDegrees, double radius);  // the point `radius` pixels from `center` at `angleDegrees` (0 right, counter-clockwise positive)
// Nearest integer, halves to even (the rounding of the whole widget library).
int RoundHalfEven(double value);

void DrawRaisedDisc(TCanvas& canvas, TColor color, TPoint center, int radius);  // a shaded disc that looks raised
void DrawSunkenDisc(TCanvas& canvas, TColor color, TPoint center, int radius);  // a shaded disc that looks sunken
// Style 0..11: horizontal, vertical, two diagonals, rectangles, ellipses; each
// in both directions.
void GradientFill(TCanvas& canvas, const TRect& rect, int style, TColor colorA, TColor colorB);

bool IsAltPressed();  // whether the Alt key is held now

// The major tick count from 2 to `maximum` whose step divides `span` into round numbers, nearest to `desired`; maximum + 1 when none does.
int NiceTickCount(int desired, int maximum, double span);
// Widens min..max to round numbers with a round tick count (the auto-scale's iassAutoMinMax).
void FitNiceRangeAuto(int desired, int maximum, double min, double max, double& fittedMin, double& fittedMax,
                      int& tickCount);
// Keeps min..max and finds the first and last round major tick inside it and their count (iassFixedMinMax).
void FitNiceRangeFixed(int desired, int maximum, double min, double max, double& tickStart, double& tickEnd,
                       int& tickCount);
