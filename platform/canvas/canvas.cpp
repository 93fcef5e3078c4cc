// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas/canvas.h"

#include "platform/canvas/bitmap.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

Qt::PenStyle ToQtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psSolid: break;
    }
    return Qt::SolidLine;
}

// Direction (radians, counter-clockwise, y up) of the radial from (cx, cy) through (x, y).
double RadialAngle(double cx, double cy, int x, int y) { return std::atan2(cy - y, x - cx); }

// The region swept by the radials from `start` to `start + span` (radians) around
// (cx, cy), out to `reach`: a wedge-shaped clip.
QPainterPath Wedge(double cx, double cy, double start, double span, double reach)
{
    QPainterPath wedge;
    wedge.moveTo(cx, cy);
    // Steps of at most 45 degrees keep the polygon outside the circle of radius reach / 2.
    const int steps = std::max(1, static_cast<int>(std::ceil(span / (M_PI / 4))));
    for (int i = 0; i <= steps; ++i) {
        const double a = start + span * i / steps;
        wedge.lineTo(cx + reach * std::cos(a), cy - reach * std::sin(a));
    }
    wedge.closeSubpath();
    return wedge;
}

}  // namespace

TCanvas::TCanvas(QImage* image) : image_(image) {}

TCanvas::~TCanvas() { Flush(); }

double TCanvas::Ratio() const { return image_->devicePixelRatio(); }

int TCanvas::Width() const { return static_cast<int>(std::lround(image_->width() / Ratio())); }
int TCanvas::Height() const { return static_cast<int>(std::lround(image_->height() / Ratio())); }

QPainter& TCanvas::Painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (hasClip_)
            painter_->setClipRegion(clip_);
    }
    return *painter_;
}

void TCanvas::Flush() { painter_.reset(); }

void TCanvas::ApplyPen(QPainter& painter)
{
    if (Pen.Style == psClear) {
        painter.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(Pen.Color));
    pen.setStyle(ToQtPenStyle(Pen.Style));
    pen.setWidth(Pen.Width <= 1 ? 0 : Pen.Width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
}

void TCanvas::ApplyNoPen(QPainter& painter) { painter.setPen(Qt::NoPen); }

void TCanvas::ApplyBrush(QPainter& painter)
{
    if (Brush.Style == bsClear)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(ToQColor(Brush.Color));
}

void TCanvas::ApplyFont(QPainter& painter)
{
    painter.setFont(Font.ToQFont());
    painter.setPen(ToQColor(Font.Color()));
}

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvas::DrawLineSegment(TPoint from, TPoint to)
{
    if (from == to || Pen.Style == psClear)
        return;
    QPainter& p = Painter();
    ApplyPen(p);
    if (Pen.Width > 1 || Pen.Style != psSolid || Ratio() != 1.0) {
        p.drawLine(from.X, from.Y, to.X, to.Y);
        return;
    }
    // One-pixel solid lines: the pixels from `from` toward `to`, `to` itself excluded.
    QPolygon pixels;
    const int dx = std::abs(to.X - from.X);
    const int dy = -std::abs(to.Y - from.Y);
    const int sx = from.X < to.X ? 1 : -1;
    const int sy = from.Y < to.Y ? 1 : -1;
    int error = dx + dy;
    int x = from.X;
    int y = from.Y;
    while (x != to.X || y != to.Y) {
        pixels << QPoint(x, y);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    p.drawPoints(pixels);
}

void TCanvas::LineTo(int x, int y)
{
    DrawLineSegment(penPos_, {x, y});
    penPos_ = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    MoveTo(points.front().X, points.front().Y);
    for (std::size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
}

void TCanvas::Polyline(std::initializer_list<TPoint> points) { Polyline(std::vector<TPoint>(points)); }

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    QPainter& p = Painter();
    if (Brush.Style != bsClear)
        p.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(Brush.Color));
    if (Pen.Style == psClear)
        return;
    ApplyPen(p);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }

void TCanvas::FillRect(const TRect& r)
{
    if (r.IsEmpty() || Brush.Style == bsClear)
        return;
    Painter().fillRect(r.ToQRect(), ToQColor(Brush.Color));
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    QPainter& p = Painter();
    const QColor c = ToQColor(Brush.Color);
    p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    QPainter& p = Painter();
    ApplyPen(p);
    ApplyBrush(p);
    p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }

void TCanvas::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    if (right <= left || bottom <= top || Pen.Style == psClear)
        return;
    // An arc is a part of the outline that Ellipse draws in the same box: that outline,
    // clipped to the wedge between the two radials. So a rim drawn as arcs lies exactly
    // on the edge of a filled ellipse; equal radials give the whole outline.
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double start = RadialAngle(cx, cy, x3, y3);
    double span = RadialAngle(cx, cy, x4, y4) - start;
    while (span <= 0)
        span += 2 * M_PI;
    const double reach = 2.0 * ((right - left) + (bottom - top)) + 4;
    QPainter& p = Painter();
    p.save();
    p.setClipPath(Wedge(cx, cy, start, span, reach), Qt::IntersectClip);
    ApplyPen(p);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    p.restore();
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (points.size() < 2)
        return;
    QPolygon polygon;
    for (const TPoint& pt : points)
        polygon << pt.ToQPoint();
    QPainter& p = Painter();
    ApplyPen(p);
    ApplyBrush(p);
    p.drawPolygon(polygon, Qt::OddEvenFill);
}

void TCanvas::Polygon(std::initializer_list<TPoint> points) { Polygon(std::vector<TPoint>(points)); }

TColor TCanvas::GetPixel(int x, int y)
{
    Flush();
    const double r = Ratio();
    const int px = static_cast<int>(std::floor(x * r));
    const int py = static_cast<int>(std::floor(y * r));
    if (!image_->valid(px, py))
        return clBlack;
    return FromQRgb(image_->pixel(px, py));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Painter().fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void TCanvas::DrawEdge(const TRect& rect, TEdgeStyle style)
{
    if (rect.IsEmpty())
        return;
    struct Ring {
        TColor topLeft;
        TColor bottomRight;
    };
    const Ring outer = style == edgeRaised ? Ring{cl3DLight, cl3DDkShadow} : Ring{clBtnShadow, clBtnHighlight};
    const Ring inner = style == edgeRaised ? Ring{clBtnHighlight, clBtnShadow} : Ring{cl3DDkShadow, cl3DLight};
    QPainter& p = Painter();
    auto drawRing = [&p](const TRect& r, const Ring& ring) {
        if (r.IsEmpty())
            return;
        const QColor tl = ToQColor(ring.topLeft);
        const QColor br = ToQColor(ring.bottomRight);
        // Top and left leave their last pixel to the bottom and right lines.
        p.fillRect(QRect(r.Left, r.Top, r.Width() - 1, 1), tl);
        p.fillRect(QRect(r.Left, r.Top, 1, r.Height() - 1), tl);
        p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), br);
        p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), br);
    };
    drawRing(rect, outer);
    drawRing(rect.Inflated(-1, -1), inner);
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    Flush();
    const double ratio = Ratio();
    const int left = static_cast<int>(std::lround(rect.Left * ratio));
    const int top = static_cast<int>(std::lround(rect.Top * ratio));
    const int right = static_cast<int>(std::lround(rect.Right * ratio)) - 1;
    const int bottom = static_cast<int>(std::lround(rect.Bottom * ratio)) - 1;
    auto invert = [this](int x, int y) {
        if (((x + y) & 1) != 0 || !image_->valid(x, y))
            return;
        if (hasClip_ && !clip_.contains(QPoint(static_cast<int>(x / Ratio()), static_cast<int>(y / Ratio()))))
            return;
        image_->setPixel(x, y, image_->pixel(x, y) ^ 0x00FFFFFFu);
    };
    for (int x = left; x <= right; ++x) {
        invert(x, top);
        if (bottom != top)
            invert(x, bottom);
    }
    for (int y = top + 1; y < bottom; ++y) {
        invert(left, y);
        if (right != left)
            invert(right, y);
    }
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap)
{
    if (bitmap.IsEmpty())
        return;
    const QImage& source = bitmap.Image();
    Painter().drawImage(QPoint(x, y), source);
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap& bitmap)
{
    if (bitmap.IsEmpty() || dest.IsEmpty())
        return;
    const QImage& source = bitmap.Image();
    Painter().drawImage(dest.ToQRect(), source);
}

void TCanvas::CopyRect(const TRect& dest, TBitmap& bitmap, const TRect& source)
{
    if (bitmap.IsEmpty() || dest.IsEmpty() || source.IsEmpty())
        return;
    const QImage& image = bitmap.Image();
    const double r = image.devicePixelRatio();
    const QRectF from(source.Left * r, source.Top * r, source.Width() * r, source.Height() * r);
    Painter().drawImage(QRectF(dest.ToQRect()), image, from);
}

void TCanvas::DrawImage(int x, int y, const QImage& image) { Painter().drawImage(QPoint(x, y), image); }

void TCanvas::SetClipEllipse(const TRect& rect)
{
    hasClip_ = true;
    clip_ = QRegion(rect.ToQRect(), QRegion::Ellipse);
    if (painter_)
        painter_->setClipRegion(clip_);
}

void TCanvas::ClearClip()
{
    hasClip_ = false;
    clip_ = QRegion();
    if (painter_)
        painter_->setClipping(false);
}
