// SPDX-License-Identifier: GPL-3.0-or-later
// Pixel conventions of the canvas layer, checked on off-screen bitmaps.

#include "platform/canvas/canvas_layer.h"
#include "platform/canvas/song_face.h"
#include "tests/support/widget_test_support.h"

#include <gtest/gtest.h>

using widget_test::ClassicPaletteScope;

namespace {

// A white bitmap with a canvas in a known state.
struct Surface {
    explicit Surface(int w = 40, int h = 40, double ratio = 1.0) : bitmap(w, h, ratio)
    {
        canvas().Pen.Color = clRed;
        canvas().Brush.Color = clBlue;
    }
    TCanvas& canvas() { return bitmap.Canvas(); }
    TColor At(int x, int y) { return FromQRgb(bitmap.Image().pixel(x, y)); }
    int Count(TColor color)
    {
        int n = 0;
        const QImage& image = bitmap.Image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += FromQRgb(image.pixel(x, y)) == color;
        return n;
    }
    TBitmap bitmap;
};

TEST(CanvasShapes, RectangleCoversLeftToRightMinusOneOutlinedAndFilled)
{
    Surface s;
    s.canvas().Rectangle(2, 3, 7, 9);
    EXPECT_EQ(s.At(2, 3), clRed);
    EXPECT_EQ(s.At(6, 3), clRed);
    EXPECT_EQ(s.At(6, 8), clRed);
    EXPECT_EQ(s.At(2, 8), clRed);
    EXPECT_EQ(s.At(4, 5), clBlue);
    EXPECT_EQ(s.At(7, 5), clWhite);
    EXPECT_EQ(s.At(4, 9), clWhite);
    EXPECT_EQ(s.Count(clRed) + s.Count(clBlue), 5 * 6);

    Surface clear;
    clear.canvas().Brush.Style = bsClear;
    clear.canvas().Rectangle(TRect(2, 3, 7, 9));
    EXPECT_EQ(clear.At(4, 5), clWhite);
    EXPECT_EQ(clear.Count(clRed), 2 * 5 + 2 * 4);
}

TEST(CanvasShapes, LinesLeaveOutTheirEndPoint)
{
    Surface s;
    s.canvas().MoveTo(0, 0);
    s.canvas().LineTo(5, 0);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(s.At(x, 0), clRed) << x;
    EXPECT_EQ(s.At(5, 0), clWhite);
    EXPECT_EQ(s.canvas().PenPos(), TPoint(5, 0));

    s.canvas().Polyline({{10, 10}, {10, 4}});
    EXPECT_EQ(s.At(10, 10), clRed);
    EXPECT_EQ(s.At(10, 5), clRed);
    EXPECT_EQ(s.At(10, 4), clWhite);

    s.canvas().Polyline({{20, 20}, {24, 24}});
    EXPECT_EQ(s.At(20, 20), clRed);
    EXPECT_EQ(s.At(23, 23), clRed);
    EXPECT_EQ(s.At(24, 24), clWhite);
    EXPECT_EQ(s.Count(clRed), 5 + 6 + 4);
}

TEST(CanvasShapes, EllipsePolygonPixelsAndArc)
{
    Surface s;
    s.canvas().Ellipse(0, 0, 11, 11);
    EXPECT_EQ(s.At(5, 5), clBlue);
    EXPECT_EQ(s.At(0, 0), clWhite);
    EXPECT_EQ(s.At(11, 5), clWhite);
    EXPECT_EQ(s.At(5, 11), clWhite);
    EXPECT_EQ(s.At(5, 0), clRed);

    s.canvas().Polygon({{20, 20}, {30, 20}, {20, 30}});
    EXPECT_EQ(s.At(22, 22), clBlue);
    EXPECT_EQ(s.At(29, 29), clWhite);

    s.canvas().SetPixel(39, 39, 0x123456);
    EXPECT_EQ(s.canvas().GetPixel(39, 39), 0x123456u);
    EXPECT_EQ(s.canvas().GetPixel(100, 100), clBlack);

    // Counter-clockwise from the right radial to the top radial: the upper right quarter.
    Surface arc;
    arc.canvas().Arc(0, 0, 21, 21, 20, 10, 10, 0);
    int upperRight = 0, elsewhere = 0;
    const QImage& image = arc.bitmap.Image();
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            if (FromQRgb(image.pixel(x, y)) == clRed)
                (x >= 10 && y <= 10 ? upperRight : elsewhere)++;
    EXPECT_GT(upperRight, 10);
    EXPECT_LE(elsewhere, 2);
}

TEST(CanvasShapes, ArcsLieOnTheOutlineOfTheEllipseInTheSameBox)
{
    // A filled circle with its rim drawn as two arcs leaves no fill pixel outside
    // the rim, at any side, for boxes of odd and even size.
    std::vector<TRect> boxes = {TRect(2, 5, 27, 20), TRect(4, 4, 6, 6)};
    for (int size = 5; size <= 20; ++size)
        boxes.push_back(TRect(3, 4, 3 + size, 4 + size));
    for (const TRect& box : boxes) {
        Surface outline;
        outline.canvas().Brush.Style = bsClear;
        outline.canvas().Ellipse(box);
        const int rim = outline.Count(clRed);

        Surface s;
        s.canvas().Pen.Color = clBlue;
        s.canvas().Ellipse(box);
        const TPoint upperRight(box.Right, box.Top);
        const TPoint lowerLeft(box.Left, box.Bottom);
        s.canvas().Pen.Color = clRed;
        s.canvas().Arc(box.Left, box.Top, box.Right, box.Bottom, upperRight.X, upperRight.Y, lowerLeft.X, lowerLeft.Y);
        s.canvas().Pen.Color = clLime;
        s.canvas().Arc(box.Left, box.Top, box.Right, box.Bottom, lowerLeft.X, lowerLeft.Y, upperRight.X, upperRight.Y);
        EXPECT_EQ(s.Count(clRed) + s.Count(clLime), rim) << box.Left << "," << box.Top << "," << box.Right;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (s.At(x, y) != clBlue)
                    continue;
                for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
                    EXPECT_NE(s.At(x + dx, y + dy), clWhite) << "fill outside the rim at " << x << "," << y;
            }
        }
        // The two halves split at the radials: red upper left, green lower right.
        if (box.Width() > 2) {
            EXPECT_EQ(s.At(box.Left, (box.Top + box.Bottom - 1) / 2), clRed);
            EXPECT_EQ(s.At(box.Right - 1, (box.Top + box.Bottom - 1) / 2), clLime);
        }
    }
}

TEST(CanvasEdges, RaisedAndSunkenEdgesUseTheClassicSystemColours)
{
    ClassicPaletteScope palette;
    Surface raised(20, 20);
    raised.canvas().DrawEdge(TRect(0, 0, 20, 20), edgeRaised);
    EXPECT_EQ(raised.At(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(raised.At(19, 19), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(raised.At(19, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(raised.At(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(raised.At(18, 18), ColorToRGB(clBtnShadow));
    EXPECT_EQ(raised.At(2, 2), clWhite);
    EXPECT_EQ(raised.At(10, 10), clWhite);

    Surface sunken(20, 20);
    sunken.canvas().DrawEdge(TRect(0, 0, 20, 20), edgeSunken);
    EXPECT_EQ(sunken.At(0, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(sunken.At(19, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(sunken.At(1, 5), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(sunken.At(18, 5), ColorToRGB(cl3DLight));
}

TEST(CanvasEdges, FocusRectangleIsDottedAndDrawingItTwiceRestores)
{
    Surface s(20, 20);
    s.canvas().DrawFocusRect(TRect(2, 2, 12, 12));
    EXPECT_EQ(s.At(2, 2), clBlack);
    EXPECT_EQ(s.At(3, 2), clWhite);
    EXPECT_EQ(s.At(4, 2), clBlack);
    EXPECT_EQ(s.At(6, 6), clWhite);
    EXPECT_GT(s.Count(clBlack), 10);
    s.canvas().DrawFocusRect(TRect(2, 2, 12, 12));
    EXPECT_EQ(s.Count(clBlack), 0);
}

TEST(CanvasText, OutputMeasuringAndLayoutOptions)
{
    Surface s(120, 60);
    TCanvas& c = s.canvas();
    c.Font.SetColor(clBlack);
    c.Brush.Style = bsClear;
    const TSize extent = c.TextExtent(QStringLiteral("Hg"));
    EXPECT_GT(extent.cx, 5);
    EXPECT_GT(extent.cy, 8);
    c.TextOut(10, 10, QStringLiteral("Hg"));
    const int drawn = s.Count(clBlack);
    EXPECT_GT(drawn, 5);
    int outside = 0;
    const QImage& image = s.bitmap.Image();
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            if (FromQRgb(image.pixel(x, y)) == clBlack && !TRect(10, 10, 10 + extent.cx, 10 + extent.cy).Contains(x, y))
                ++outside;
    EXPECT_EQ(outside, 0);

    // CalcRect measures only.
    Surface m(120, 60);
    m.canvas().Font.SetColor(clBlack);
    TRect r(5, 5, 200, 200);
    const int h = m.canvas().DrawText(QStringLiteral("Hg"), r, TextFormatOptions::CalcRect);
    EXPECT_EQ(r, TRect(5, 5, 5 + extent.cx, 5 + extent.cy));
    EXPECT_EQ(h, extent.cy);
    EXPECT_EQ(m.Count(clBlack), 0);

    // "&" is drawn as it is without Prefix; with Prefix it marks an underlined letter.
    TRect plain(0, 0, 200, 50), prefixed(0, 0, 200, 50), letter(0, 0, 200, 50);
    m.canvas().DrawText(QStringLiteral("&A"), plain, TextFormatOptions::CalcRect);
    m.canvas().DrawText(QStringLiteral("&A"), prefixed, TextFormatOptions::CalcRect | TextFormatOptions::Prefix);
    m.canvas().DrawText(QStringLiteral("A"), letter, TextFormatOptions::CalcRect);
    EXPECT_GT(plain.Width(), letter.Width());
    EXPECT_EQ(prefixed.Width(), letter.Width());

    // Word break gives several lines in a narrow rectangle; single line one.
    TRect narrow(0, 0, 30, 100);
    const int lines = m.canvas().DrawText(QStringLiteral("one two three"), narrow,
                                          TextFormatOptions::WordBreak | TextFormatOptions::CalcRect);
    EXPECT_EQ(lines, 3 * extent.cy);
    TRect single(0, 0, 30, 100);
    EXPECT_EQ(m.canvas().DrawText(QStringLiteral("one two three"), single,
                                  TextFormatOptions::SingleLine | TextFormatOptions::CalcRect),
              extent.cy);

    // End ellipsis shortens a text that does not fit and reports it.
    QString shown;
    TRect tight(0, 0, 30, 20);
    m.canvas().DrawText(QStringLiteral("a rather long caption"), tight,
                        TextFormatOptions::EndEllipsis | TextFormatOptions::ModifyString | TextFormatOptions::SingleLine,
                        &shown);
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_NE(shown, QStringLiteral("a rather long caption"));
}

TEST(CanvasText, VerticalCentringAndClipping)
{
    Surface s(60, 60);
    TCanvas& c = s.canvas();
    c.Font.SetColor(clBlack);
    c.Brush.Style = bsClear;
    TRect r(0, 0, 60, 60);
    c.DrawText(QStringLiteral("X"), r, TextFormatOptions::SingleLine | TextFormatOptions::AlignVCenter |
                                           TextFormatOptions::AlignCenter);
    int top = 60, bottom = -1, left = 60, right = -1;
    const QImage& image = s.bitmap.Image();
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            if (FromQRgb(image.pixel(x, y)) == clBlack) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_NEAR((top + bottom) / 2.0, 30, 4);
    EXPECT_NEAR((left + right) / 2.0, 30, 3);

    // Text is clipped to its rectangle unless NoClip is given.
    Surface clip(60, 60);
    clip.canvas().Font.SetColor(clBlack);
    clip.canvas().Brush.Style = bsClear;
    TRect small(0, 0, 3, 3);
    clip.canvas().DrawText(QStringLiteral("WWW"), small, TextFormatOptions::SingleLine);
    EXPECT_EQ(clip.Count(clBlack), widget_test::CountColor(clip.bitmap.Image(), clBlack, 0, 0, 3, 3));
    TRect noClip(0, 0, 3, 3);
    clip.canvas().DrawText(QStringLiteral("WWW"), noClip, TextFormatOptions::SingleLine | TextFormatOptions::NoClip);
    EXPECT_GT(clip.Count(clBlack), widget_test::CountColor(clip.bitmap.Image(), clBlack, 0, 0, 3, 3));
}

TEST(CanvasClipAndBitmaps, EllipticClipCopyStretchAndDeviceRatio)
{
    Surface s(20, 20);
    s.canvas().SetClipEllipse(TRect(0, 0, 20, 20));
    s.canvas().Brush.Color = clLime;
    s.canvas().FillRect(TRect(0, 0, 20, 20));
    s.canvas().ClearClip();
    EXPECT_EQ(s.At(10, 10), clLime);
    EXPECT_EQ(s.At(0, 0), clWhite);
    EXPECT_EQ(s.At(19, 19), clWhite);

    TBitmap source(4, 4);
    source.Canvas().Brush.Color = clRed;
    source.Canvas().FillRect(TRect(0, 0, 4, 4));
    Surface target(20, 20);
    target.canvas().Draw(2, 2, source);
    EXPECT_EQ(target.Count(clRed), 16);
    EXPECT_EQ(target.At(2, 2), clRed);
    target.canvas().StretchDraw(TRect(10, 10, 18, 18), source);
    EXPECT_EQ(target.Count(clRed), 16 + 64);

    // Logical coordinates on a bitmap of twice the pixel density.
    TBitmap dense(10, 10, 2.0);
    EXPECT_EQ(dense.Image().width(), 20);
    dense.Canvas().Brush.Color = clBlue;
    dense.Canvas().FillRect(TRect(0, 0, 5, 5));
    int blue = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            blue += FromQRgb(dense.Image().pixel(x, y)) == clBlue;
    EXPECT_EQ(blue, 100);
    EXPECT_EQ(dense.Canvas().GetPixel(4, 4), clBlue);
    EXPECT_EQ(dense.Canvas().GetPixel(5, 5), clWhite);
}

TEST(CanvasColoursAndFonts, SystemColoursFontChangesAndFamilyMapping)
{
    {
        ClassicPaletteScope palette;
        EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
        EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080u);
        EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
        EXPECT_EQ(ColorToRGB(0xFF0000FFu), clBlack);  // unknown index
    }
    EXPECT_EQ(ColorToRGB(0x00123456), 0x123456u);
    EXPECT_EQ(ColorToRGB(0x02123456), 0x123456u);
    EXPECT_EQ(FromQColor(ToQColor(0x00102030)), 0x102030u);

    TFont font;
    int changes = 0;
    QObject::connect(&font, &TFont::Changed, [&changes] { ++changes; });
    font.SetHeight(-11);
    EXPECT_EQ(changes, 0);
    font.SetHeight(-14);
    font.SetBold(true);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(font.ToQFont().pixelSize(), 14);
    TFont other;
    font.Assign(other);
    EXPECT_EQ(changes, 3);
    font.Assign(other);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(MapFontFamily(QStringLiteral("MS Sans Serif")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(MapFontFamily(QStringLiteral("宋体")), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_EQ(MapFontFamily(QStringLiteral("Courier")), QStringLiteral("Courier"));
}

// Data that is not a font is refused and the Song mapping stays on the installed family.
TEST(Fonts, SongFaceRejectsDataThatIsNoFont)
{
    const unsigned char garbage[] = {0x00, 0x01, 0x00, 0x00, 0xde, 0xad, 0xbe, 0xef, 'g', 'l', 'y', 'f'};
    EXPECT_FALSE(RegisterSongFace(garbage, sizeof garbage));
    EXPECT_FALSE(RegisterSongFace(nullptr, 0));
    EXPECT_FALSE(RegisterSongFace(garbage, 0));
    EXPECT_TRUE(RegisteredSongFamily().isEmpty());
    EXPECT_EQ(MapFontFamilies(QStringLiteral("宋体")), QStringList{QStringLiteral("WenQuanYi Micro Hei")});
    EXPECT_EQ(MapFontFamilies(QStringLiteral("MS Sans Serif")), QStringList{QStringLiteral("DejaVu Sans")});
}

}  // namespace
