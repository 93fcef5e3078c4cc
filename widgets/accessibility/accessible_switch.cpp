// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessibility/accessible_switch.h"

#include "widgets/indicators/switch_led.h"

TiAccessibleSwitch::TiAccessibleSwitch(TiSwitchLed* switchLed) : TiAccessibleInstrument(switchLed, QAccessible::Button)
{
}

TiSwitchLed* TiAccessibleSwitch::Switch() const
{
    return static_cast<TiSwitchLed*>(widget());
}

QAccessible::State TiAccessibleSwitch::state() const
{
    QAccessible::State s = TiAccessibleInstrument::state();
    s.checkable = true;
    s.checked = Switch()->Active();
    return s;
}

QString TiAccessibleSwitch::OwnCaption() const
{
    return CaptionWithoutAccelerator(Switch()->Caption());
}

// The caption also when the window named the switch: it says what a press does.
QString TiAccessibleSwitch::ValueText() const
{
    return OwnCaption();
}

QStringList TiAccessibleSwitch::actionNames() const
{
    return QStringList{pressAction(), toggleAction()} + TiAccessibleInstrument::actionNames();
}

void TiAccessibleSwitch::doAction(const QString& actionName)
{
    if (actionName == pressAction() || actionName == toggleAction()) {
        if (Operable())
            Click();
        return;
    }
    TiAccessibleInstrument::doAction(actionName);
}

QStringList TiAccessibleSwitch::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction() || actionName == toggleAction())
        return {QStringLiteral("Space")};
    return TiAccessibleInstrument::keyBindingsForAction(actionName);
}
