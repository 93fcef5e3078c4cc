// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for widget tests: render a widget off-screen with the classic
// palette, read pixels as 0x00BBGGRR, and send synthetic input events.

#include "platform/canvas/colors.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <Qt>

namespace widget_test {

// Installs the classic palette for its lifetime.
class ClassicPaletteScope {
public:
    ClassicPaletteScope();
    ~ClassicPaletteScope();
    ClassicPaletteScope(const ClassicPaletteScope&) = delete;
    ClassicPaletteScope& operator=(const ClassicPaletteScope&) = delete;

private:
    bool previous_;
};

// Resizes `widget` to width x height (when both > 0) and renders it into an
// image of that size with the classic palette installed.
QImage Render(QWidget& widget, int width = 0, int height = 0);

// Pixel (x, y) of `image` as 0x00BBGGRR.
TColor PixelAt(const QImage& image, int x, int y);
// Number of pixels of colour `color` in the rectangle (left, top, right, bottom) (exclusive right/bottom).
int CountColor(const QImage& image, TColor color, int left, int top, int right, int bottom);
int CountColor(const QImage& image, TColor color);
// Number of pixels different from `color`.
int CountNotColor(const QImage& image, TColor color, int left, int top, int right, int bottom);

// Synthetic input, delivered synchronously.
void MousePress(QWidget& widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void MouseRelease(QWidget& widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void MouseMove(QWidget& widget, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void MouseDoubleClick(QWidget& widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
// Press and release inside.
void Click(QWidget& widget, QPoint pos);
void KeyPress(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = QString());
void KeyRelease(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// One wheel step is a delta of 120; positive turns away from the user.
void Wheel(QWidget& widget, QPoint pos, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void FocusIn(QWidget& widget);
void FocusOut(QWidget& widget);

}  // namespace widget_test
