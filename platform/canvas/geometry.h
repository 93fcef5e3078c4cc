// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Integer point, size and rectangle types of the canvas layer.
// A rectangle (Left, Top, Right, Bottom) covers the pixels Left..Right-1 and
// Top..Bottom-1: Right and Bottom are exclusive.

#include <QPoint>
#include <QRect>

struct TPoint {
    int X = 0;
    int Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
    QPoint ToQPoint() const { return QPoint(X, Y); }
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom) {}
    friend constexpr bool operator==(const TRect&, const TRect&) = default;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    constexpr TRect Inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    // The Qt rectangle covering the same pixels.
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
};

inline constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline constexpr TPoint Point(int x, int y) { return {x, y}; }
