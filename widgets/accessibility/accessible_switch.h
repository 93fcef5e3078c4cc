// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The switch with its lamp: a checkable button, checked while Active, named by its
// caption unless the window named it. Pressing or toggling it is the operator's click.

#include "widgets/accessibility/accessible_instrument.h"

class TiSwitchLed;

class TiAccessibleSwitch : public TiAccessibleInstrument {
public:
    explicit TiAccessibleSwitch(TiSwitchLed* switchLed);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

protected:
    QString OwnCaption() const override;
    QString ValueText() const override;

private:
    TiSwitchLed* Switch() const;
};
