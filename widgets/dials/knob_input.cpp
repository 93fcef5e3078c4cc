// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse, keyboard, wheel and focus handling of the knob.

#include "widgets/base/clock.h"
#include "widgets/base/drawing_helpers.h"
#include "widgets/dials/knob.h"

#include <cmath>
#include <numbers>

namespace {

// Wheel notches closer together than this are dropped: some mice report one
// physical notch as a burst of notifications.
constexpr double kWheelFilterMilliseconds = 30;

// A jump of the pointer's angle larger than this between two moves is taken
// as a small step the other way round (crossing the -180/180 seam).
constexpr double kWrapDegrees = 200;

}  // namespace

double TiKnob::PointerAngle(int x, int y) const
{
    // Screen coordinates: y grows downward, so the angle grows clockwise.
    return std::atan2(double(y - center_.Y), double(x - center_.X)) * 180.0 / std::numbers::pi;
}

void TiKnob::UserMouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft || !isEnabled())
        return;
    ClearPositionChanged();
    setFocus(Qt::MouseFocusReason);
    const double dx = x - center_.X;
    const double dy = y - center_.Y;
    const int distance = RoundHalfEven(std::sqrt(dx * dx + dy * dy));
    if (distance < KnobRadius()) {
        dragging_ = true;
        lastDragAngle_ = PointerAngle(x, y);
        FullRepaint();
    }
}

void TiKnob::UserMouseMove(TShiftState, int x, int y)
{
    if (!dragging_)
        return;
    const double angle = PointerAngle(x, y);
    double delta = lastDragAngle_ - angle;
    if (delta > kWrapDegrees)
        delta -= 360;
    if (delta < -kWrapDegrees)
        delta += 360;
    {
        UserChangeScope userChange(*this);
        SetPositionByRotation(CurrentRotation() - delta);
    }
    lastDragAngle_ = angle;
    InvalidateChange();
}

void TiKnob::UserMouseUp(TMouseButton, TShiftState, int, int)
{
    FullRepaint();
    if (dragging_) {
        dragging_ = false;
        DoPositionChangeFinished();
    }
}

void TiKnob::CancelMouseInteraction()
{
    // The drag ends without its finished report; the face and indicator return to rest.
    dragging_ = false;
    FullRepaint();
}

void TiKnob::DoWantSpecialKey(int& charCode, bool& result)
{
    switch (charCode) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        result = true;
        break;
    default:
        break;
    }
}

bool TiKnob::ApplyKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        SetPosition(GetPosition() - KeyArrowStepSize());
        return true;
    case Qt::Key_Right:
    case Qt::Key_Up:
        SetPosition(GetPosition() + KeyArrowStepSize());
        return true;
    case Qt::Key_PageUp:
        SetPosition(GetPosition() + KeyPageStepSize());
        return true;
    case Qt::Key_PageDown:
        SetPosition(GetPosition() - KeyPageStepSize());
        return true;
    case Qt::Key_Home:
        SetPosition(GetPositionMin());
        return true;
    case Qt::Key_End:
        SetPosition(GetPositionMax());
        return true;
    default:
        return false;
    }
}

void TiKnob::UserKeyDown(int& key, TShiftState)
{
    if (UseKeyboard()) {
        keyDown_ = true;
        UserChangeScope userChange(*this);
        if (ApplyKey(key))
            key = 0;
    }
    FullRepaint();
}

void TiKnob::UserKeyUp(int&, TShiftState)
{
    FullRepaint();
    if (keyDown_) {
        keyDown_ = false;
        DoPositionChangeFinished();
    }
}

bool TiKnob::UserMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos)
{
    const bool result = TiScaleComponent::UserMouseWheel(wheelDelta, shift, mousePos);
    const double now = TiClock::Now();
    const double elapsed = (now - lastWheelTime_) * TiClock::MillisecondsPerDay;
    // A clock set back leaves a negative gap; that is not a burst, so the
    // notch is taken rather than locking the wheel until the clock catches up.
    if (elapsed >= 0 && elapsed < kWheelFilterMilliseconds)
        return result;
    lastWheelTime_ = now;
    const int direction = (wheelDelta > 0) - (wheelDelta < 0);
    UserChangeScope userChange(*this);
    SetPosition(GetPosition() + direction * MouseWheelStepSize());
    DoPositionChangeFinished();
    return result;
}

void TiKnob::DoLostFocus()
{
    TiScaleComponent::DoLostFocus();
    dragging_ = false;
    keyDown_ = false;
}
