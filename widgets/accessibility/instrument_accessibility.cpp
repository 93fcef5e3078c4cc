// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessibility/instrument_accessibility.h"

#include "widgets/accessibility/accessible_lamp.h"
#include "widgets/accessibility/accessible_range.h"
#include "widgets/accessibility/accessible_switch.h"
#include "widgets/accessibility/accessible_text.h"
#include "widgets/base/progress_component.h"
#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"
#include "widgets/edit/edit_custom.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led.h"
#include "widgets/indicators/switch_led.h"

#include <QAccessible>
#include <QString>

QAccessibleInterface* InstrumentAccessibleInterface(const QString&, QObject* object)
{
    // Qt asks once for each class of the object's hierarchy, most derived first: the
    // first answer covers the widget and any class derived from one of these.
    auto* component = qobject_cast<TiComponent*>(object);
    if (!component)
        return nullptr;
    if (auto* knob = qobject_cast<TiKnob*>(component))
        return new TiAccessibleKnob(knob);
    if (auto* thermometer = qobject_cast<TiThermometer*>(component))
        return new TiAccessibleThermometer(thermometer);
    if (auto* progress = qobject_cast<TiProgressComponent*>(component))
        return new TiAccessibleRange(progress, QAccessible::ProgressBar);
    if (auto* lamp = qobject_cast<TiLed*>(component))
        return new TiAccessibleLamp(lamp);
    if (auto* switchLed = qobject_cast<TiSwitchLed*>(component))
        return new TiAccessibleSwitch(switchLed);
    if (auto* edit = qobject_cast<TiEditCustom*>(component))
        return new TiAccessibleEdit(edit);
    if (auto* display = qobject_cast<TiAnalogDisplay*>(component))
        return new TiAccessibleDisplay(display);
    if (auto* label = qobject_cast<TiLabel*>(component))
        return new TiAccessibleLabel(label);
    return nullptr;
}

void InstallInstrumentAccessibility()
{
    static const bool installed = (QAccessible::installFactory(&InstrumentAccessibleInterface), true);
    (void)installed;
}
