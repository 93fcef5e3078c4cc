// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessibility/accessible_lamp.h"

#include "widgets/indicators/led.h"

TiAccessibleLamp::TiAccessibleLamp(TiLed* lamp) : TiAccessibleInstrument(lamp, QAccessible::Indicator) {}

QAccessible::State TiAccessibleLamp::state() const
{
    QAccessible::State s = TiAccessibleInstrument::state();
    s.readOnly = true;
    s.checked = static_cast<TiLed*>(widget())->Active();
    return s;
}
