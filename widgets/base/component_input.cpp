// SPDX-License-Identifier: GPL-3.0-or-later
// TiComponent: dispatch of Qt's mouse, key, wheel and focus events to the
// widget hooks and events, with the click rule and the exception guards.
//
// Exceptions never leave a Qt event handler (Qt cannot unwind through its
// event loop): those of mouse-button and key handling are discarded by
// design, those of mouse moves, the wheel and focus changes are discarded at
// the event-handler boundary.

#include "widgets/base/component.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

TShiftState ShiftFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton)
{
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

bool ButtonFrom(Qt::MouseButton qtButton, TMouseButton& button)
{
    switch (qtButton) {
    case Qt::LeftButton: button = mbLeft; return true;
    case Qt::RightButton: button = mbRight; return true;
    case Qt::MiddleButton: button = mbMiddle; return true;
    default: return false;
    }
}

// Runs `action`, discarding any exception.
template <typename F> void Guarded(F&& action)
{
    try {
        action();
    } catch (...) {
    }
}

}  // namespace

// --- Default hooks -------------------------------------------------------

void TiComponent::DoGotFocus()
{
    focused_ = true;
    update();
}

void TiComponent::DoLostFocus()
{
    focused_ = false;
    try {
        UserMouseUp(mbLeft, 0, 0, 0);
        update();
    } catch (...) {
    }
}

void TiComponent::DoWantSpecialKey(int&, bool&) {}
void TiComponent::UserKeyUp(int&, TShiftState) {}
void TiComponent::UserKeyDown(int&, TShiftState) {}
void TiComponent::UserKeyPress(QChar&) {}
void TiComponent::UserMouseDown(TMouseButton, TShiftState, int, int) {}
void TiComponent::UserMouseUp(TMouseButton, TShiftState, int, int) {}
void TiComponent::UserMouseMove(TShiftState, int, int) {}
void TiComponent::UserDoubleClick() {}
bool TiComponent::UserMouseWheel(int, TShiftState, TPoint) { return false; }

// --- Dispatch ------------------------------------------------------------

void TiComponent::DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    UserInteractionScope scope(*this);
    UserMouseDown(button, shift, x, y);
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TiComponent::FireClick()
{
    try {
        OnClick(this);
    } catch (...) {
        Guarded([&] { CancelMouseInteraction(); });
        throw;
    }
}

void TiComponent::DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    UserInteractionScope scope(*this);
    UserMouseUp(button, shift, x, y);
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TiComponent::DispatchKeyDown(int& key, TShiftState shift)
{
    UserInteractionScope scope(*this);
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    UserKeyDown(key, shift);
}

void TiComponent::DispatchKeyUp(int& key, TShiftState shift)
{
    UserInteractionScope scope(*this);
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
    UserKeyUp(key, shift);
}

void TiComponent::DispatchKeyPress(QChar& key)
{
    UserInteractionScope scope(*this);
    if (OnKeyPress)
        OnKeyPress(this, key);
    UserKeyPress(key);
}

// --- Qt events -----------------------------------------------------------

void TiComponent::mousePressEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!ButtonFrom(event->button(), button)) {
        event->ignore();
        return;
    }
    if (button == mbLeft)
        clicked_ = true;
    const QPoint pos = event->position().toPoint();
    Guarded([&] { DispatchMouseDown(button, ShiftFrom(event->modifiers(), event->buttons()), pos.x(), pos.y()); });
}

void TiComponent::mouseReleaseEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!ButtonFrom(event->button(), button)) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    const TShiftState shift = ShiftFrom(event->modifiers(), event->buttons());
    // Click rule: a left press and release inside the widget fires OnClick
    // before the release reaches UserMouseUp and OnMouseUp. An exception in
    // OnClick ends the release handling; the press or drag still ends.
    Guarded([&] {
        if (button == mbLeft) {
            const bool wasClicked = clicked_;
            clicked_ = false;
            if (wasClicked && rect().contains(pos) && OnClick)
                FireClick();
        }
        DispatchMouseUp(button, shift, pos.x(), pos.y());
    });
}

void TiComponent::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const TShiftState shift = ShiftFrom(event->modifiers(), event->buttons());
    Guarded([&] {
        UserInteractionScope scope(*this);
        UserMouseMove(shift, pos.x(), pos.y());
        if (OnMouseMove)
            OnMouseMove(this, shift, pos.x(), pos.y());
    });
}

void TiComponent::mouseDoubleClickEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!ButtonFrom(event->button(), button)) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    const TShiftState shift = ShiftFrom(event->modifiers(), event->buttons()) | ssDouble;
    Guarded([&] {
        {
            UserInteractionScope scope(*this);
            UserDoubleClick();
            if (OnDblClick)
                OnDblClick(this);
        }
        DispatchMouseDown(button, shift, pos.x(), pos.y());
    });
}

void TiComponent::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    const TShiftState shift = ShiftFrom(event->modifiers());
    Guarded([&] { DispatchKeyDown(key, shift); });
    for (QChar ch : event->text()) {
        Guarded([&] { DispatchKeyPress(ch); });
    }
}

void TiComponent::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    int key = event->key();
    const TShiftState shift = ShiftFrom(event->modifiers());
    Guarded([&] { DispatchKeyUp(key, shift); });
}

void TiComponent::wheelEvent(QWheelEvent* event)
{
    // The widgets' wheel is the vertical one. A horizontal swipe is no step of it,
    // nor is a zero delta (touchpads send them when a scroll begins and ends).
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    bool handled = false;
    Guarded([&] {
        UserInteractionScope scope(*this);
        handled = UserMouseWheel(delta, ShiftFrom(event->modifiers(), event->buttons()), {pos.x(), pos.y()});
    });
    event->setAccepted(handled);
}

void TiComponent::focusInEvent(QFocusEvent* event)
{
    Guarded([&] {
        UserInteractionScope scope(*this);
        DoGotFocus();
    });
    Guarded([&] {
        if (OnEnter)
            OnEnter(this);
    });
    QWidget::focusInEvent(event);
}

void TiComponent::focusOutEvent(QFocusEvent* event)
{
    Guarded([&] {
        UserInteractionScope scope(*this);
        DoLostFocus();
    });
    Guarded([&] {
        if (OnExit)
            OnExit(this);
    });
    QWidget::focusOutEvent(event);
}

bool TiComponent::WantsKey(int key)
{
    bool wanted = false;
    Guarded([&] { DoWantSpecialKey(key, wanted); });
    return wanted;
}

bool TiComponent::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        // Tab and Backtab move the focus along the chain, unless the widget asks
        // for them: a widget that takes the focus must also let it go.
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && WantsKey(key->key())) {
            keyPressEvent(key);
            return true;
        }
    } else if (event->type() == QEvent::ShortcutOverride) {
        if (WantsKey(static_cast<QKeyEvent*>(event)->key())) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::ParentChange) {
        ApplyTabOrder();
    }
    return QWidget::event(event);
}
