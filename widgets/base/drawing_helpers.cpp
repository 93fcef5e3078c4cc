// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/drawing_helpers.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace {

int ClampChannel(long value) { return static_cast<int>(std::clamp<long>(value, 0, 255)); }

// Blend channel: round(k * b + (1 - k) * a).
int Blend(double k, int a, int b) { return ClampChannel(RoundHalfEven(k * b + (1.0 - k) * a)); }

TColor BlendColor(double k, TColor a, TColor b)
{
    return RGBColor(Blend(k, RedOf(a), RedOf(b)), Blend(k, GreenOf(a), GreenOf(b)), Blend(k, BlueOf(a), BlueOf(b)));
}

void DrawLine(TCanvas& canvas, int x1, int y1, int x2, int y2) { canvas.Polyline({{x1, y1}, {x2, y2}}); }

void DrawShadedDisc(TCanvas& canvas, TColor color, TPoint center, int radius, bool inverted)
{
    const TColor light = ColorToRGB(Lighter32(color));
    const TColor dark = ColorToRGB(Darker64(color));
    canvas.Brush.Style = bsClear;
    canvas.Pen.Style = psSolid;
    if (radius == 0)
        return;
    const double r = radius;
    const double e = r / std::sqrt(2.0) + 2.0;
    const double n = std::trunc(e);
    const double c45 = std::cos(-M_PI / 4.0);
    const double s45 = std::sin(-M_PI / 4.0);
    double x = -n;
    double y = n;
    while (x < e) {
        const double t = std::sqrt(x * x + y * y);
        x += 0.5;
        y -= 0.5;
        if (t > r)
            continue;
        const double a = std::sqrt(r * r - t * t);
        const TPoint p(static_cast<int>(std::trunc(x + a * c45)), static_cast<int>(std::trunc(y - a * s45)));
        const TPoint q(-p.Y, -p.X);
        const double k = (r + x) / r / 2.0;
        canvas.Pen.Color = inverted ? BlendColor(k, dark, light) : BlendColor(k, light, dark);
        DrawLine(canvas, center.X + p.X - 1, center.Y - p.Y - 1, center.X + q.X - 1, center.Y - q.Y - 1);
    }
}

}  // namespace

int RoundHalfEven(double value)
{
    // Saturates instead of overflowing (values far off any screen).
    constexpr double kLimit = 1.0e9;
    if (!(value > -kLimit))
        return value != value ? 0 : -static_cast<int>(kLimit);
    if (value > kLimit)
        return static_cast<int>(kLimit);
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<int>(whole);
}

int DrawTextInRect(TCanvas& canvas, const QString& text, TRect& rect, TColor backColor, bool enabled,
                   TextFormatOptions options)
{
    if (enabled || options.Has(TextFormatOptions::CalcRect) || ColorToRGB(backColor) == clBlack)
        return canvas.DrawText(text, rect, options);
    const TColor fontColor = canvas.Font.Color();
    canvas.Font.SetColor(ChangeBrightness(clBtnFace, 64, true));
    TRect shifted = rect.Offset(1, 1);
    canvas.DrawText(text, shifted, options);
    canvas.Font.SetColor(ChangeBrightness(clBtnFace, 32, false));
    const int height = canvas.DrawText(text, rect, options);
    canvas.Font.SetColor(fontColor);
    return height;
}

int DrawWideTextInRect(TCanvas& canvas, const QString& text, TRect& rect, TColor backColor, bool enabled,
                       TextFormatOptions options)
{
    return DrawTextInRect(canvas, text, rect, backColor, enabled, options);
}

void DrawBevel(TCanvas& canvas, const TRect& rect, int style)
{
    switch (style) {
    case 0: canvas.DrawEdge(rect, edgeSunken); break;
    case 1: canvas.DrawEdge(rect, edgeRaised); break;
    case 2:
        canvas.Pen.Style = psSolid;
        canvas.Pen.Color = clBtnShadow;
        canvas.Polygon({{rect.Left, rect.Top}, {rect.Right - 1, rect.Top}, {rect.Right - 1, rect.Bottom - 1},
                        {rect.Left, rect.Bottom - 1}});
        break;
    default: break;
    }
}

void DrawBevelAround(TCanvas& canvas, const TRect& rect, TiBevelStyle borderStyle, int margin)
{
    const TRect r = rect.Inflated(margin, margin);
    if (borderStyle == ibsRaised)
        DrawBevel(canvas, r, 1);
    else if (borderStyle == ibsLowered)
        DrawBevel(canvas, r, 0);
}

void DrawBevelLine(TCanvas& canvas, int x1, int y1, int x2, int y2, int style)
{
    if (style < 0 || style > 2)
        return;
    const TColor first = style == 1 ? clWhite : clBlack;
    const TColor second = style == 1 ? clBlack : clWhite;
    if (x1 == x2) {
        if (y1 > y2)
            std::swap(y1, y2);
        if (style != 0) {
            canvas.Pen.Color = first;
            DrawLine(canvas, x1, y1, x2, y2);
            canvas.Pen.Color = second;
            ++x1;
            ++x2;
        }
    } else {
        if (x1 > x2)
            std::swap(x1, x2);
        if (style != 0) {
            canvas.Pen.Color = first;
            DrawLine(canvas, x1, y1, x2, y2);
            canvas.Pen.Color = second;
            ++y1;
            ++y2;
        }
    }
    DrawLine(canvas, x1, y1, x2, y2);
}

void DrawBevelLine(TCanvas& canvas, int x1, int y1, int x2, int y2, TiBevelStyle style)
{
    DrawBevelLine(canvas, x1, y1, x2, y2, style == ibsRaised ? 1 : style == ibsLowered ? 2 : 0);
}

void DrawFocusRectangle(TCanvas& canvas, const TRect& rect, TColor color)
{
    canvas.Pen.Color = color;
    canvas.Brush.Color = color;
    canvas.DrawFocusRect(rect);
}

TColor ChangeBrightness(TColor color, int amount, bool lighter)
{
    const TColor rgb = ColorToRGB(color);
    const long delta = lighter ? amount : -amount;
    return RGBColor(ClampChannel(RedOf(rgb) + delta), ClampChannel(GreenOf(rgb) + delta),
                    ClampChannel(BlueOf(rgb) + delta));
}

TColor Lighter16(TColor color) { return ChangeBrightness(color, 16, true); }
TColor Lighter32(TColor color) { return ChangeBrightness(color, 32, true); }
TColor Darker64(TColor color) { return ChangeBrightness(color, 64, false); }

TColor DimColor(TColor color, int divisor)
{
    auto dim = [divisor](int channel) {
        return divisor >= 1 ? channel / divisor : ClampChannel(static_cast<long>(channel) * -divisor);
    };
    return RGBColor(dim(RedOf(color)), dim(GreenOf(color)), dim(BlueOf(color)));
}

TRect CenteredRect(int centerX, int centerY, int width, int height)
{
    const int w2 = width / 2;
    const int h2 = height / 2;
    return {centerX - w2, centerY - h2, centerX - w2 + width, centerY - h2 + height};
}

TPoint PolarToScreenPoint(TPoint center, double angleDegrees, double radius)
{
    const double a = angleDegrees * M_PI / 180.0;
    return {center.X + RoundHalfEven(radius * std::cos(a)), center.Y - RoundHalfEven(radius * std::sin(a))};
}

void DrawRaisedDisc(TCanvas& canvas, TColor color, TPoint center, int radius)
{
    DrawShadedDisc(canvas, color, center, radius, false);
}

void DrawSunkenDisc(TCanvas& canvas, TColor color, TPoint center, int radius)
{
    DrawShadedDisc(canvas, color, center, radius, true);
}

void GradientFill(TCanvas& canvas, const TRect& rect, int style, TColor colorA, TColor colorB)
{
    const int left = rect.Left, top = rect.Top, right = rect.Right, bottom = rect.Bottom;
    const int w = right - left;
    const int h = bottom - top;
    const int s = std::max(right, bottom);
    canvas.Brush.Style = bsClear;
    canvas.Pen.Style = psSolid;
    int steps = 0;
    int penWidth = 1;
    switch (style) {
    case 0: case 1: steps = h - 1; break;
    case 2: case 3: steps = w - 1; break;
    case 4: case 5: case 6: case 7: steps = 2 * s - 2; break;
    case 8: case 9: steps = (s - 1) / 3; penWidth = 2; break;
    case 10: case 11: steps = (s - 1) / 8; penWidth = 16; break;
    default: break;
    }
    const bool reversed = style >= 0 && style <= 11 && (style & 1) == 1;
    canvas.Pen.Width = penWidth;
    const double cx = (right - 1) / 2.0;
    const double cy = (bottom - 1) / 2.0;
    for (int i = 0; i <= steps; ++i) {
        // A single step (no range to spread over) takes the first colour.
        const double k = steps > 0 ? static_cast<double>(i) / steps : 0.0;
        canvas.Pen.Color = reversed ? BlendColor(k, colorB, colorA) : BlendColor(k, colorA, colorB);
        const int k2r = RoundHalfEven(2 * k * (right - 1));
        const int k2b = RoundHalfEven(2 * k * (bottom - 1));
        switch (style) {
        case 0: case 1: DrawLine(canvas, left, top + i, right, top + i); break;
        case 2: case 3: DrawLine(canvas, left + i, top, left + i, bottom); break;
        case 4: case 5: DrawLine(canvas, k2r - 1, 0, -1, k2b); break;
        case 6: case 7: DrawLine(canvas, 0, (bottom - 1) - k2b, k2r, bottom - 1); break;
        case 8: case 9: case 10: case 11: {
            const double grow = style >= 10 ? 1.414 : 1.0;
            const double hx = k * grow * (right - 1) / 2.0;
            const double hy = k * grow * (bottom - 1) / 2.0;
            const TRect box(RoundHalfEven(cx - hx), RoundHalfEven(cy - hy), RoundHalfEven(cx + hx),
                            RoundHalfEven(cy + hy));
            if (style >= 10)
                canvas.Ellipse(box);
            else
                canvas.Rectangle(box);
            break;
        }
        default: DrawLine(canvas, left, top, right, top); break;
        }
    }
    canvas.Pen.Width = 1;
    if (steps >= 0 && (style == 8 || style == 9))
        canvas.SetPixel(left + w / 2 - 1, top + h / 2 - 1, style == 8 ? colorA : colorB);
}

bool IsAltPressed()
{
    return (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) != 0;
}

TextFormatOptions HorizontalAlignmentOptions(TiAlignmentHorizontal alignment)
{
    switch (alignment) {
    case iahLeft:
        return TextFormatOptions::AlignLeft;
    case iahRight:
        return TextFormatOptions::AlignRight;
    case iahCenter:
        break;
    }
    return TextFormatOptions::AlignCenter;
}
