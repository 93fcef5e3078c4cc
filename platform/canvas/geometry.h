// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Integer point, size and rectangle types of the canvas layer.
// A rectangle (Left, Top, Right, Bottom) covers the pixels Left..Right-1 and
// Top..Bottom-1: Right and Bottom are exclusive.

#include <QPoint>
#include <QRect>

struct TPoint {
    int X = 0;  // horizontal coordinate, pixels
    int Y = 0;  // vertical coordinate, pixels

    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}  // the point (x, y)
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;  // equal when both coordinates are
    QPoint ToQPoint() const { return QPoint(X, Y); }  // the same point as a QPoint
};

// A width and height in pixels.
struct TSize {
    int cx = 0;  // width
    int cy = 0;  // height
    friend constexpr bool operator==(const TSize&, const TSize&) = default;  // equal when both are
};

// A rectangle of pixels; Right and Bottom are exclusive.
struct TRect {
    int Left = 0;  // first column inside
    int Top = 0;  // first row inside
    int Right = 0;  // first column past the rectangle
    int Bottom = 0;  // first row past the rectangle

    constexpr TRect() = default;
    // The rectangle from (left, top) to (right, bottom), exclusive.
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom) {}
    friend constexpr bool operator==(const TRect&, const TRect&) = default;  // equal when all four edges are

    constexpr int Width() const { return Right - Left; }  // Right - Left
    constexpr int Height() const { return Bottom - Top; }  // Bottom - Top
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }  // whether it covers no pixel
    constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }  // whether the pixel (x, y) lies inside
    constexpr TRect Inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }  // grown by dx on the left and right and dy on the top and bottom (shrunk when negative)
    constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }  // moved by (dx, dy)
    // The Qt rectangle covering the same pixels.
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
};

inline constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline constexpr TPoint Point(int x, int y) { return {x, y}; }
