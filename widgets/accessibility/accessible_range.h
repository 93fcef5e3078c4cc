// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Instruments that show a value on a range (TiPositionComponent): the knob as a dial the
// operator turns, the thermometer as a slider, the LED bar as a progress bar. Their value
// is Position, with PositionMin and PositionMax as its bounds.

#include "widgets/accessibility/accessible_instrument.h"

class TiKnob;
class TiPositionComponent;
class TiThermometer;

class TiAccessibleRange : public TiAccessibleInstrument, public QAccessibleValueInterface {
public:
    TiAccessibleRange(TiPositionComponent* widget, QAccessible::Role role);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    QVariant currentValue() const override;
    // A number sets Position (bounded by the widget); anything else, a NaN or an
    // infinity is ignored, and so is every value while the operator cannot set one.
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

protected:
    TiPositionComponent* Range() const;
    QString ValueText() const override;
    // Whether the operator sets the value (a read-only indicator otherwise).
    virtual bool Settable() const { return false; }
};

// The knob: turned with increase and decrease (the arrow keys' step), and pressed (the
// click that, in the console, writes its position to the device).
class TiAccessibleKnob : public TiAccessibleRange {
public:
    explicit TiAccessibleKnob(TiKnob* knob);

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;
    QVariant minimumStepSize() const override;

protected:
    QString ValueText() const override;
    bool Settable() const override { return true; }

private:
    TiKnob* Knob() const;
};

// The thermometer: a slider, which the operator may move only when its indicator is
// made movable.
class TiAccessibleThermometer : public TiAccessibleRange {
public:
    explicit TiAccessibleThermometer(TiThermometer* thermometer);

protected:
    bool Settable() const override;
};
