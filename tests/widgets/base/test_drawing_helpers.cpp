// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing helpers: colour arithmetic, geometry, nice numbers, and what the
// drawing helpers put on a bitmap.

#include "platform/canvas/canvas_layer.h"
#include "tests/support/widget_test_support.h"
#include "widgets/base/drawing_helpers.h"

#include <gtest/gtest.h>

using widget_test::ClassicPaletteScope;
using widget_test::CountColor;

namespace {

constexpr TColor kPaper = 0x00406080;

TColor At(TBitmap& b, int x, int y) { return FromQRgb(b.Image().pixel(x, y)); }

TEST(ColourArithmetic, DimChangeBrightnessAndChannels)
{
    ClassicPaletteScope palette;
    EXPECT_EQ(DimColor(0x0000FF00, 3), 0x00005500u);
    EXPECT_EQ(DimColor(0x00808080, -2), 0x00FFFFFFu);
    EXPECT_EQ(DimColor(0x00ABCDEF, 0), 0u);
    EXPECT_EQ(DimColor(0x0000FFFF, 3), 0x00005555u);
    // The raw bytes are used: a system code is not resolved.
    EXPECT_EQ(DimColor(clBtnFace, 1), 0x0000000Fu);
    EXPECT_EQ(ChangeBrightness(0x00F0F0F0, 32, true), 0x00FFFFFFu);
    EXPECT_EQ(Darker64(0x00202020), 0u);
    EXPECT_EQ(Lighter32(clBtnFace), 0x00E0E0E0u);
    EXPECT_EQ(Lighter16(0x00102030), 0x00203040u);
    EXPECT_EQ(ChangeBrightness(clBtnFace, 32, false), 0x00A0A0A0u);
    EXPECT_EQ(RedOf(0x00332211), 0x11);
    EXPECT_EQ(GreenOf(0x00332211), 0x22);
    EXPECT_EQ(BlueOf(0x00332211), 0x33);
}

TEST(Geometry, CenteredRectPolarPointsAndHalfEvenRounding)
{
    EXPECT_EQ(CenteredRect(10, 10, 5, 5), TRect(8, 8, 13, 13));
    EXPECT_EQ(CenteredRect(10, 10, 4, 6), TRect(8, 7, 12, 13));
    EXPECT_EQ(PolarToScreenPoint({100, 100}, 90, 50), TPoint(100, 50));
    EXPECT_EQ(PolarToScreenPoint({100, 100}, 225, 10), TPoint(93, 107));
    EXPECT_EQ(PolarToScreenPoint({0, 0}, 0, 2.5), TPoint(2, 0));
    EXPECT_EQ(PolarToScreenPoint({0, 0}, 0, 3.5), TPoint(4, 0));
    EXPECT_EQ(PolarToScreenPoint({0, 0}, 180, 2.5), TPoint(-2, 0));
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1e300), 1000000000);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(NiceNumbers, TickCountAndFittedRanges)
{
    EXPECT_EQ(NiceTickCount(5, 6, 100), 5);
    EXPECT_EQ(NiceTickCount(5, 1, 100), 2);
    // Counts 3 (step 50) and 5 (step 25) are equally near 4: the larger wins.
    EXPECT_EQ(NiceTickCount(4, 6, 100), 5);
    // No count gives a nice step.
    EXPECT_EQ(NiceTickCount(2, 3, 7), 4);
    EXPECT_EQ(NiceTickCount(5, 6, 0), 7);

    double lo = 0, hi = 0;
    int count = 0;
    FitNiceRangeAuto(5, 6, 3, 97, lo, hi, count);
    EXPECT_LE(lo, 3);
    EXPECT_GE(hi, 97);
    EXPECT_GE(count, 2);
    EXPECT_LE(count, 6);
    const double step = (hi - lo) / (count - 1);
    EXPECT_NEAR(std::remainder(lo, step), 0, 1e-9);
    EXPECT_EQ(hi - lo, 100);

    FitNiceRangeFixed(5, 6, 3, 97, lo, hi, count);
    EXPECT_GE(lo, 3);
    EXPECT_LE(hi, 97);
    EXPECT_GE(count, 2);
    EXPECT_LE(count, 6);

    FitNiceRangeAuto(5, 6, 4, 4, lo, hi, count);
    EXPECT_EQ(lo, 4);
    EXPECT_EQ(hi, 4);
    EXPECT_EQ(count, 2);
    FitNiceRangeAuto(5, 6, 0.013, 0.087, lo, hi, count);
    EXPECT_LE(lo, 0.013);
    EXPECT_GE(hi, 0.087);
}

TEST(TextHelper, EngravedDisabledTextIsDrawnTwice)
{
    ClassicPaletteScope palette;
    const TColor highlight = ChangeBrightness(clBtnFace, 64, true);
    const TColor shadow = ChangeBrightness(clBtnFace, 32, false);
    auto draw = [&](bool enabled, TColor back, TextFormatOptions options, TRect& rect) {
        auto bitmap = std::make_unique<TBitmap>(60, 30);
        bitmap->Canvas().Brush.Color = kPaper;
        bitmap->Canvas().FillRect(TRect(0, 0, 60, 30));
        bitmap->Canvas().Font.SetColor(clRed);
        bitmap->Canvas().Font.SetHeight(-16);
        bitmap->Canvas().Brush.Style = bsClear;
        DrawTextInRect(bitmap->Canvas(), QStringLiteral("H"), rect, back, enabled, options);
        return bitmap;
    };
    TRect r(0, 0, 60, 30);
    auto engraved = draw(false, clBtnFace, TextFormatOptions::SingleLine, r);
    const QImage& e = engraved->Image();
    EXPECT_EQ(CountColor(e, clRed), 0);
    const int shadowCount = CountColor(e, shadow);
    EXPECT_GT(shadowCount, 10);
    EXPECT_GT(CountColor(e, highlight), 0);
    // The highlight copy sits one pixel down-right: right of the shadow's rightmost column.
    int shadowRight = -1, highlightRight = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            if (At(*engraved, x, y) == shadow)
                shadowRight = std::max(shadowRight, x);
            if (At(*engraved, x, y) == highlight)
                highlightRight = std::max(highlightRight, x);
        }
    EXPECT_EQ(highlightRight, shadowRight + 1);

    auto onBlack = draw(false, clBlack, TextFormatOptions::SingleLine, r);
    EXPECT_EQ(CountColor(onBlack->Image(), clRed), shadowCount);
    EXPECT_EQ(CountColor(onBlack->Image(), shadow), 0);
    auto enabled = draw(true, clBtnFace, TextFormatOptions::SingleLine, r);
    EXPECT_EQ(CountColor(enabled->Image(), clRed), shadowCount);

    TRect measured(5, 5, 500, 500);
    auto measuring = draw(false, clBtnFace, TextFormatOptions::CalcRect, measured);
    EXPECT_EQ(CountColor(measuring->Image(), kPaper), 60 * 30);
    EXPECT_LT(measured.Right, 500);
    EXPECT_LT(measured.Bottom, 500);
}

TEST(Bevels, StylesRingsAndAround)
{
    ClassicPaletteScope palette;
    TBitmap raised(20, 20), sunken(20, 20), flat(20, 20), none(20, 20), around(30, 30);
    DrawBevel(raised.Canvas(), TRect(0, 0, 20, 20), 1);
    DrawBevel(sunken.Canvas(), TRect(0, 0, 20, 20), 0);
    flat.Canvas().Brush.Color = clYellow;
    DrawBevel(flat.Canvas(), TRect(0, 0, 20, 20), 2);
    DrawBevel(none.Canvas(), TRect(0, 0, 20, 20), 3);
    EXPECT_EQ(At(raised, 0, 0), 0xDFDFDFu);
    EXPECT_EQ(At(raised, 19, 19), clBlack);
    EXPECT_EQ(At(raised, 1, 1), clWhite);
    EXPECT_EQ(At(raised, 18, 18), 0x808080u);
    EXPECT_EQ(At(sunken, 0, 0), 0x808080u);
    EXPECT_EQ(At(sunken, 1, 1), clBlack);
    EXPECT_EQ(At(flat, 0, 0), 0x808080u);
    EXPECT_EQ(At(flat, 19, 19), 0x808080u);
    EXPECT_EQ(At(flat, 10, 10), clYellow);
    EXPECT_EQ(CountColor(none.Image(), clWhite), 400);

    DrawBevelAround(around.Canvas(), TRect(10, 10, 20, 20), ibsRaised, 2);
    EXPECT_EQ(At(around, 8, 8), 0xDFDFDFu);
    EXPECT_EQ(At(around, 21, 21), clBlack);
    EXPECT_EQ(At(around, 7, 7), clWhite);
    TBitmap noneAround(30, 30);
    DrawBevelAround(noneAround.Canvas(), TRect(10, 10, 20, 20), ibsNone, 2);
    EXPECT_EQ(CountColor(noneAround.Image(), clWhite), 900);
}

TEST(Bevels, BevelledLinesAndFocusRectangle)
{
    TBitmap b(20, 20);
    DrawBevelLine(b.Canvas(), 10, 5, 2, 5, 1);  // horizontal, end points given right to left
    for (int x = 2; x < 10; ++x) {
        EXPECT_EQ(At(b, x, 5), clWhite) << x;
        EXPECT_EQ(At(b, x, 6), clBlack) << x;
    }
    EXPECT_EQ(At(b, 10, 6), clWhite);
    TBitmap v(20, 20);
    v.Canvas().Brush.Color = clGray;
    v.Canvas().FillRect(TRect(0, 0, 20, 20));
    DrawBevelLine(v.Canvas(), 5, 12, 5, 2, 2);  // vertical lowered, bottom to top
    EXPECT_EQ(At(v, 5, 2), clBlack);
    EXPECT_EQ(At(v, 5, 11), clBlack);
    EXPECT_EQ(At(v, 6, 2), clWhite);
    EXPECT_EQ(At(v, 5, 12), clGray);
    TBitmap plain(20, 20);
    plain.Canvas().Pen.Color = clRed;
    DrawBevelLine(plain.Canvas(), 0, 0, 10, 0, ibsNone);
    DrawBevelLine(plain.Canvas(), 0, 5, 10, 5, 7);
    EXPECT_EQ(CountColor(plain.Image(), clRed), 10);
    EXPECT_EQ(CountColor(plain.Image(), clWhite), 390);

    TBitmap f(20, 20);
    DrawFocusRectangle(f.Canvas(), TRect(0, 0, 20, 20), clBtnFace);
    EXPECT_GT(CountColor(f.Image(), clBlack), 30);
    DrawFocusRectangle(f.Canvas(), TRect(0, 0, 20, 20), clBtnFace);
    EXPECT_EQ(CountColor(f.Image(), clBlack), 0);
}

TEST(Shading, GradientsAndDiscs)
{
    TBitmap g(10, 10);
    GradientFill(g.Canvas(), TRect(0, 0, 10, 10), 0, clBlack, clWhite);
    EXPECT_EQ(At(g, 3, 0), clBlack);
    EXPECT_EQ(At(g, 3, 9), clWhite);
    EXPECT_EQ(At(g, 3, 3), RGBColor(85, 85, 85));
    GradientFill(g.Canvas(), TRect(0, 0, 10, 10), 3, clBlack, clWhite);
    EXPECT_EQ(At(g, 0, 5), clWhite);
    EXPECT_EQ(At(g, 9, 5), clBlack);
    // A style without steps draws its single line in the first colour.
    TBitmap other(10, 10);
    GradientFill(other.Canvas(), TRect(0, 0, 10, 10), 42, clRed, clBlue);
    EXPECT_EQ(CountColor(other.Image(), clRed), 10);
    TBitmap one(10, 1);
    GradientFill(one.Canvas(), TRect(0, 0, 10, 1), 0, clRed, clBlue);
    EXPECT_EQ(CountColor(one.Image(), clRed), 10);
    TBitmap diagonal(20, 20);
    GradientFill(diagonal.Canvas(), TRect(0, 0, 20, 20), 4, clBlack, clWhite);
    EXPECT_LT(RedOf(At(diagonal, 1, 1)), 40);
    EXPECT_GT(RedOf(At(diagonal, 18, 18)), 200);
    TBitmap boxes(20, 20);
    GradientFill(boxes.Canvas(), TRect(0, 0, 20, 20), 8, clRed, clBlue);
    EXPECT_EQ(At(boxes, 9, 9), clRed);

    TBitmap raised(40, 40), sunken(40, 40), empty(40, 40);
    DrawRaisedDisc(raised.Canvas(), clGray, {20, 20}, 15);
    DrawSunkenDisc(sunken.Canvas(), clGray, {20, 20}, 15);
    DrawRaisedDisc(empty.Canvas(), clGray, {20, 20}, 0);
    EXPECT_GT(RedOf(At(raised, 12, 12)), RedOf(At(raised, 27, 27)));
    EXPECT_LT(RedOf(At(sunken, 12, 12)), RedOf(At(sunken, 27, 27)));
    EXPECT_EQ(At(raised, 2, 2), clWhite);
    EXPECT_EQ(CountColor(empty.Image(), clWhite), 1600);
    EXPECT_LT(CountColor(raised.Image(), clWhite), 1600 - 500);
}

}  // namespace
