// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/led.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/enum_range.h"

TiLed::TiLed(QWidget* parent) : TiCustomComponent(parent)
{
    resize(20, 20);
}

void TiLed::SetActive(bool value)
{
    if (value == active_)
        return;
    if (!AskVetoHook(QStringLiteral("Active")))
        return;
    active_ = value;
    BackGroundChange();
    NotifyChangeHook(QStringLiteral("Active"));
    if (OnChange)
        OnChange(this);
}

void TiLed::SetBevelStyle(TiBevelStyle value)
{
    if (value == bevelStyle_ || !InEnumRange(value, ibsNone, ibsLowered))
        return;
    bevelStyle_ = value;
    BackGroundChange();
}

TColor TiLed::BodyColor() const
{
    if (active_)
        return activeColor_;
    if (autoInactiveColor_)
        return DimColor(activeColor_, 3);
    return inactiveColor_;
}
