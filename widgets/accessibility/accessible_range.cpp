// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessibility/accessible_range.h"

#include "widgets/base/number_text.h"
#include "widgets/base/position_component.h"
#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"

#include <cmath>

TiAccessibleRange::TiAccessibleRange(TiPositionComponent* widget, QAccessible::Role role)
    : TiAccessibleInstrument(widget, role)
{
}

TiPositionComponent* TiAccessibleRange::Range() const
{
    return static_cast<TiPositionComponent*>(widget());
}

void* TiAccessibleRange::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return TiAccessibleInstrument::interface_cast(type);
}

QAccessible::State TiAccessibleRange::state() const
{
    QAccessible::State s = TiAccessibleInstrument::state();
    s.readOnly = !Settable();
    return s;
}

QVariant TiAccessibleRange::currentValue() const { return Range()->GetPosition(); }
QVariant TiAccessibleRange::maximumValue() const { return Range()->GetPositionMax(); }
QVariant TiAccessibleRange::minimumValue() const { return Range()->GetPositionMin(); }
QVariant TiAccessibleRange::minimumStepSize() const { return 0.0; }

void TiAccessibleRange::setCurrentValue(const QVariant& value)
{
    bool isNumber = false;
    const double v = value.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(v) || !Settable() || !Operable())
        return;
    Range()->SetPosition(v);
}

QString TiAccessibleRange::ValueText() const
{
    return FormatNumber(Range()->GetPosition(), -1, QString(), LocaleDecimalPoint());
}

// --- Knob --------------------------------------------------------------------

namespace {

const QString& IncreaseAction() { return QAccessibleActionInterface::increaseAction(); }
const QString& DecreaseAction() { return QAccessibleActionInterface::decreaseAction(); }
const QString& PressAction() { return QAccessibleActionInterface::pressAction(); }

}  // namespace

TiAccessibleKnob::TiAccessibleKnob(TiKnob* knob) : TiAccessibleRange(knob, QAccessible::Dial) {}

TiKnob* TiAccessibleKnob::Knob() const
{
    return static_cast<TiKnob*>(widget());
}

QVariant TiAccessibleKnob::minimumStepSize() const { return Knob()->KeyArrowStepSize(); }

// The read-out in the middle when it is shown, else the position in general notation.
QString TiAccessibleKnob::ValueText() const
{
    if (!Knob()->ShowPostionDisplay())
        return TiAccessibleRange::ValueText();
    return FormatNumber(Knob()->GetPosition(), Knob()->PositionDisplayPrecision(), Knob()->PositionDisplayUnits(),
                        QChar('.'));
}

QStringList TiAccessibleKnob::actionNames() const
{
    QStringList names = TiAccessibleRange::actionNames();
    if (Knob()->UseKeyboard())
        names << IncreaseAction() << DecreaseAction();
    names << PressAction();
    return names;
}

void TiAccessibleKnob::doAction(const QString& actionName)
{
    if (!Operable()) {
        return;
    }
    if (actionName == IncreaseAction())
        PressKey(Qt::Key_Up);
    else if (actionName == DecreaseAction())
        PressKey(Qt::Key_Down);
    else if (actionName == PressAction())
        Click();
    else
        TiAccessibleRange::doAction(actionName);
}

QStringList TiAccessibleKnob::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == IncreaseAction())
        return {QStringLiteral("Up")};
    if (actionName == DecreaseAction())
        return {QStringLiteral("Down")};
    return TiAccessibleRange::keyBindingsForAction(actionName);
}

// --- Thermometer -------------------------------------------------------------

TiAccessibleThermometer::TiAccessibleThermometer(TiThermometer* thermometer)
    : TiAccessibleRange(thermometer, QAccessible::Slider)
{
}

bool TiAccessibleThermometer::Settable() const
{
    return static_cast<TiThermometer*>(widget())->IndicatorUserCanMove();
}
