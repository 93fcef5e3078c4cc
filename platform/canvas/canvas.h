// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A drawing canvas on an image with the conventions the instrument widgets
// rely on: no antialiasing, integer coordinates,
//  - Rectangle/Ellipse(Left, Top, Right, Bottom) cover Left..Right-1 and
//    Top..Bottom-1, outlined with the pen and filled with the brush (a clear
//    brush leaves the inside alone);
//  - LineTo and two-point polylines do not draw their end point;
//  - Arc runs counter-clockwise from the radial through (X3, Y3) to the radial
//    through (X4, Y4), on the very pixels of the outline Ellipse draws in the
//    same box;
//  - text is drawn in Font; with a solid brush the text cell is filled with the
//    brush colour first, with a clear brush the background shows through.
// Colours are 0x00BBGGRR or system-colour codes (platform/canvas/colors.h).

#include "platform/canvas/colors.h"
#include "platform/canvas/fonts.h"
#include "platform/canvas/geometry.h"
#include "platform/canvas/pen_brush.h"
#include "platform/canvas/text_format.h"

#include <QImage>
#include <QRegion>
#include <QString>
#include <initializer_list>
#include <memory>
#include <vector>

class QPainter;
class TBitmap;

// The look of DrawEdge: raised or sunken.
enum TEdgeStyle { edgeRaised, edgeSunken };

class TCanvas {
public:
    // Draws on `image`, which must outlive the canvas. The image's device pixel
    // ratio scales logical coordinates to its pixels.
    explicit TCanvas(QImage* image);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;  // how lines and outlines are drawn
    TBrush Brush;  // how areas are filled
    TFont Font;  // the font of the text

    // Logical size of the target.
    int Width() const;
    int Height() const;  // logical height of the target

    // Lines.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);  // end point not drawn; pen position moves to (x, y)
    TPoint PenPos() const { return penPos_; }  // where the next LineTo starts
    void Polyline(const std::vector<TPoint>& points);  // lines through the points in turn
    void Polyline(std::initializer_list<TPoint> points);  // lines through the points in turn

    // Shapes.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect);  // filled with the brush, outlined with the pen
    void FillRect(const TRect& rect);   // brush only, no outline
    void FrameRect(const TRect& rect);  // one-pixel frame in the brush colour
    void Ellipse(int left, int top, int right, int bottom);  // the ellipse in the rectangle, filled and outlined
    void Ellipse(const TRect& rect);  // the ellipse in the rectangle, filled and outlined
    void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);  // counter-clockwise arc of the ellipse from the ray towards (x3, y3) to the ray towards (x4, y4)
    void Polygon(const std::vector<TPoint>& points);  // the closed polygon, filled and outlined
    void Polygon(std::initializer_list<TPoint> points);  // the closed polygon, filled and outlined

    // Single pixels (logical coordinates). Reading outside gives clBlack.
    TColor GetPixel(int x, int y);
    void SetPixel(int x, int y, TColor color);  // sets one pixel (logical coordinates)

    // Text.
    void TextOut(int x, int y, const QString& text);  // top-left of the text cell at (x, y)
    int TextWidth(const QString& text);  // width of `text` in the canvas font
    int TextHeight(const QString& text);  // height of `text` in the canvas font
    TSize TextExtent(const QString& text);  // width and height of `text` in the canvas font
    // Draws (or with CalcRect measures) `text` in `rect` by `options`; returns
    // the height of the text. CalcRect adjusts rect.Right and rect.Bottom to the
    // text's extent. With ModifyString and an ellipsis option, the shown text is
    // written to *modified when given.
    int DrawText(const QString& text, TRect& rect, TextFormatOptions options, QString* modified = nullptr);

    // 3D edge of two pixels in the system colours (raised: light outside top-left,
    // dark shadow outside bottom-right; sunken the reverse).
    void DrawEdge(const TRect& rect, TEdgeStyle style);
    // Dotted inverting frame: drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& rect);

    // Bitmaps: copy at (x, y), stretch to `dest`, copy `source` part of `bitmap` to `dest`.
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const TRect& dest, TBitmap& bitmap);  // the bitmap scaled to `dest`
    void CopyRect(const TRect& dest, TBitmap& bitmap, const TRect& source);  // the `source` part of the bitmap into `dest`
    void DrawImage(int x, int y, const QImage& image);  // the image with its top-left at (x, y)

    // Clipping: restrict drawing to the ellipse inscribed in `rect`, or lift it.
    void SetClipEllipse(const TRect& rect);
    void ClearClip();  // lifts the clip
    bool HasClip() const { return hasClip_; }  // whether a clip is set

    // Ends drawing in progress so that the image's pixels can be read directly.
    void Flush();

    QImage* Target() const { return image_; }  // the image the canvas draws on

private:
    QPainter& Painter();
    void ApplyPen(QPainter& painter);
    void ApplyNoPen(QPainter& painter);
    void ApplyBrush(QPainter& painter);
    void ApplyFont(QPainter& painter);
    void DrawLineSegment(TPoint from, TPoint to);
    void DrawTextLines(const QString& text, const TRect& rect, TextFormatOptions options, int& height);
    double Ratio() const;

    QImage* image_;
    std::unique_ptr<QPainter> painter_;
    TPoint penPos_;
    bool hasClip_ = false;
    QRegion clip_;
};
