// SPDX-License-Identifier: GPL-3.0-or-later
// Dragging of the thermometer's value and of its min and max markers.

#include "widgets/dials/thermometer.h"

void TiThermometer::UserMouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft)
        return;
    pressPoint_ = TPoint(x, y);
    if (ShowMinPointer() && MinMaxUserCanMove() && minPointerHitRect_.Contains(x, y)) {
        dragTarget_ = DragTarget::MinPointer;
        pressValue_ = GetCurrentMin();
    } else if (ShowMaxPointer() && MinMaxUserCanMove() && maxPointerHitRect_.Contains(x, y)) {
        dragTarget_ = DragTarget::MaxPointer;
        pressValue_ = GetCurrentMax();
    } else if (IndicatorUserCanMove() && indicatorHitRect_.Contains(x, y)) {
        dragTarget_ = DragTarget::Value;
        pressValue_ = GetPosition();
    }
    InvalidateChange();
}

int TiThermometer::DragLength() const
{
    int length = IsVertical() ? Height() - 2 * EndsMargin() : Width() - 2 * EndsMargin();
    if (IndicatorStyle() == itisBulb)
        length -= 2 * IndicatorBulbSize();
    else if (IndicatorStyle() == itisBarSunken || IndicatorStyle() == itisBarRaised)
        length -= 2;
    return length;
}

void TiThermometer::KeepMinBelowMax()
{
    if (GetCurrentMin() > GetCurrentMax())
        SetCurrentMax(GetCurrentMin());
}

void TiThermometer::UserMouseMove(TShiftState, int x, int y)
{
    if (dragTarget_ == DragTarget::None)
        return;
    const int length = DragLength();
    // A tube with no length left maps no movement to a value.
    if (length <= 0)
        return;
    const double span = GetPositionMax() - GetPositionMin();
    // Moving up or right raises the value, whichever way the scale runs.
    const double moved = IsVertical() ? double(pressPoint_.Y - y) : double(x - pressPoint_.X);
    const double value = pressValue_ + moved / length * span;
    switch (dragTarget_) {
    case DragTarget::MaxPointer:
        SetCurrentMax(value);
        if (GetCurrentMax() < GetCurrentMin())
            SetCurrentMin(GetCurrentMax());
        break;
    case DragTarget::MinPointer:
        SetCurrentMin(value);
        KeepMinBelowMax();
        break;
    case DragTarget::Value:
        SetPosition(value);
        KeepMinBelowMax();
        break;
    case DragTarget::None:
        break;
    }
}

void TiThermometer::UserMouseUp(TMouseButton, TShiftState, int, int)
{
    dragTarget_ = DragTarget::None;
}
