// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/widget_test_support.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace widget_test {

ClassicPaletteScope::ClassicPaletteScope() : previous_(IsClassicPaletteInUse()) { UseClassicPalette(true); }

ClassicPaletteScope::~ClassicPaletteScope() { UseClassicPalette(previous_); }

QImage Render(QWidget& widget, int width, int height)
{
    ClassicPaletteScope palette;
    if (width > 0 && height > 0)
        widget.resize(width, height);
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

TColor PixelAt(const QImage& image, int x, int y)
{
    if (!image.valid(x, y))
        return 0xFFFFFFFFu;
    return FromQRgb(image.pixel(x, y));
}

int CountColor(const QImage& image, TColor color, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = std::max(left, 0); x < std::min(right, image.width()); ++x)
            count += PixelAt(image, x, y) == color ? 1 : 0;
    return count;
}

int CountColor(const QImage& image, TColor color) { return CountColor(image, color, 0, 0, image.width(), image.height()); }

int CountNotColor(const QImage& image, TColor color, int left, int top, int right, int bottom)
{
    const int area = (std::min(right, image.width()) - std::max(left, 0)) * (std::min(bottom, image.height()) - std::max(top, 0));
    return area - CountColor(image, color, left, top, right, bottom);
}

namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers)
{
    const QPointF local(pos);
    QMouseEvent event(type, local, widget.mapToGlobal(local), button, buttons, modifiers);
    QCoreApplication::sendEvent(&widget, &event);
}

}  // namespace

void MousePress(QWidget& widget, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    SendMouse(widget, QEvent::MouseButtonPress, pos, button, button, modifiers);
}

void MouseRelease(QWidget& widget, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    SendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton, modifiers);
}

void MouseMove(QWidget& widget, QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons, modifiers);
}

void MouseDoubleClick(QWidget& widget, QPoint pos, Qt::MouseButton button)
{
    SendMouse(widget, QEvent::MouseButtonDblClick, pos, button, button, Qt::NoModifier);
}

void Click(QWidget& widget, QPoint pos)
{
    MousePress(widget, pos);
    MouseRelease(widget, pos);
}

void KeyPress(QWidget& widget, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(&widget, &event);
}

void KeyRelease(QWidget& widget, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(&widget, &event);
}

void Wheel(QWidget& widget, QPoint pos, int delta, Qt::KeyboardModifiers modifiers)
{
    const QPointF local(pos);
    QWheelEvent event(local, widget.mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &event);
}

void FocusIn(QWidget& widget)
{
    QFocusEvent event(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(&widget, &event);
}

void FocusOut(QWidget& widget)
{
    QFocusEvent event(QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(&widget, &event);
}

}  // namespace widget_test
