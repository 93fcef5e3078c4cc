// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dials/thermometer.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/enum_range.h"
#include "widgets/base/property_access.h"

namespace {

void RegisterThermometerEnumerations()
{
    static const bool registered = [] {
        RegisterEnumRange<TiThermometerIndicatorStyle>(itisBulb, itisBarRaised);
        RegisterEnumRange<TiOrientation>(ioVertical, ioHorizontal);
        RegisterEnumRange<TiOrientationSide>(iosBottomRight, iosTopLeft);
        RegisterEnumRange<TiPointerFillReferenceStyle>(ipfrsMin, ipfrsValue);
        return true;
    }();
    (void)registered;
}

}  // namespace

TiThermometer::TiThermometer(QWidget* parent) : TiScaleComponent(parent)
{
    RegisterThermometerEnumerations();
    CreateBackGroundPicture();
    SetMinMaxPointerMargin(5);
    SetTickMajorLength(10);
    SetTickMinorLength(6);
    SetTickMargin(8);
    // The user drags the markers or the value with the mouse only.
    setFocusPolicy(Qt::NoFocus);
    resize(100, 150);
}

TiThermometer::~TiThermometer() = default;

// Values outside an enumeration (from a damaged property file) are ignored.
void TiThermometer::SetIndicatorStyle(TiThermometerIndicatorStyle value)
{
    if (value == indicatorStyle_ || !InEnumRange(value, itisBulb, itisBarRaised))
        return;
    indicatorStyle_ = value;
    BackGroundChange();
}

void TiThermometer::SetOrientation(TiOrientation value)
{
    if (value == orientation_ || !InEnumRange(value, ioVertical, ioHorizontal))
        return;
    orientation_ = value;
    if (!IsLoading()) {
        SetBounds(Left(), Top(), Height(), Width());
        if (OnOrientationChange)
            OnOrientationChange(this);
    }
    FullRepaint();
}

void TiThermometer::SetOrientationTickMarks(TiOrientationSide value)
{
    if (value == orientationTickMarks_ || !InEnumRange(value, iosBottomRight, iosTopLeft))
        return;
    orientationTickMarks_ = value;
    BackGroundChange();
}

void TiThermometer::SetIndicatorFillReferenceStyle(TiPointerFillReferenceStyle value)
{
    if (value == indicatorFillReferenceStyle_ || !InEnumRange(value, ipfrsMin, ipfrsValue))
        return;
    indicatorFillReferenceStyle_ = value;
    BackGroundChange();
}

int TiThermometer::ValueToPixel(double value, const TRect& valueArea) const
{
    const double fraction = PositionFraction(value);
    if (IsVertical()) {
        const int offset = RoundHalfEven(fraction * (valueArea.Bottom - valueArea.Top));
        return IsReversedFill() ? valueArea.Top + offset : valueArea.Bottom - offset;
    }
    const int offset = RoundHalfEven(fraction * (valueArea.Right - valueArea.Left));
    return IsReversedFill() ? valueArea.Right - offset : valueArea.Left + offset;
}
