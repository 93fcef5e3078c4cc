// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessibility/accessible_text.h"

#include "widgets/edit/analog_output.h"
#include "widgets/edit/edit_custom.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"

#include <algorithm>
#include <cmath>

// --- Text ----------------------------------------------------------------------

TiAccessibleText::TiAccessibleText(TiComponent* widget, QAccessible::Role role) : TiAccessibleInstrument(widget, role)
{
}

void* TiAccessibleText::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return TiAccessibleInstrument::interface_cast(type);
}

void TiAccessibleText::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    const auto [start, end] = Selection();
    const bool exists = selectionIndex == 0 && end > start;
    *startOffset = exists ? start : 0;
    *endOffset = exists ? end : 0;
}

int TiAccessibleText::selectionCount() const
{
    const auto [start, end] = Selection();
    return end > start ? 1 : 0;
}

int TiAccessibleText::cursorPosition() const { return Caret(); }

QString TiAccessibleText::text(int startOffset, int endOffset) const
{
    const QString shown = ShownText();
    const auto size = static_cast<int>(shown.size());
    // -1 as the end means the end of the text.
    const int end = endOffset < 0 ? size : std::min(endOffset, size);
    const int start = std::clamp(startOffset, 0, size);
    if (end <= start)
        return QString();
    return shown.mid(start, end - start);
}

int TiAccessibleText::characterCount() const { return static_cast<int>(ShownText().size()); }

QRect TiAccessibleText::characterRect(int) const { return QRect(); }

int TiAccessibleText::offsetAtPoint(const QPoint&) const { return -1; }

QString TiAccessibleText::attributes(int offset, int* startOffset, int* endOffset) const
{
    const int count = characterCount();
    const bool inside = offset >= 0 && offset <= count;
    *startOffset = inside ? 0 : -1;
    *endOffset = inside ? count : -1;
    return QString();
}

// --- Number text ---------------------------------------------------------------

void* TiAccessibleNumberText::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface && currentValue().isValid())
        return static_cast<QAccessibleValueInterface*>(this);
    return TiAccessibleText::interface_cast(type);
}

void TiAccessibleNumberText::setCurrentValue(const QVariant& value)
{
    bool isNumber = false;
    const double v = value.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(v) || state().readOnly || !Operable())
        return;
    SetNumber(v);
}

// --- Label ---------------------------------------------------------------------

TiAccessibleLabel::TiAccessibleLabel(TiLabel* label) : TiAccessibleText(label, QAccessible::StaticText) {}

// The ampersand marks an accelerator only when the label focuses a control.
QString TiAccessibleLabel::ShownText() const
{
    const auto* label = static_cast<TiLabel*>(widget());
    return label->FocusControl() ? CaptionWithoutAccelerator(label->Caption()) : label->Caption();
}

// --- Numeric display -----------------------------------------------------------

TiAccessibleDisplay::TiAccessibleDisplay(TiAnalogDisplay* display)
    : TiAccessibleNumberText(display, QAccessible::StaticText)
{
}

QAccessible::State TiAccessibleDisplay::state() const
{
    QAccessible::State s = TiAccessibleNumberText::state();
    s.readOnly = true;
    return s;
}

QVariant TiAccessibleDisplay::currentValue() const { return static_cast<TiAnalogDisplay*>(widget())->Value(); }

QString TiAccessibleDisplay::ShownText() const
{
    const auto* display = static_cast<TiAnalogDisplay*>(widget());
    return display->ErrorActive() ? display->ErrorText() : display->DisplayText();
}

// --- Edit ----------------------------------------------------------------------

TiAccessibleEdit::TiAccessibleEdit(TiEditCustom* edit) : TiAccessibleNumberText(edit, QAccessible::EditableText) {}

TiEditCustom* TiAccessibleEdit::Edit() const { return static_cast<TiEditCustom*>(widget()); }

TiAnalogOutput* TiAccessibleEdit::NumericEdit() const { return qobject_cast<TiAnalogOutput*>(widget()); }

QAccessible::State TiAccessibleEdit::state() const
{
    QAccessible::State s = TiAccessibleNumberText::state();
    s.editable = true;
    s.selectableText = true;
    return s;
}

QVariant TiAccessibleEdit::currentValue() const
{
    if (TiAnalogOutput* numeric = NumericEdit())
        return numeric->Value();
    return QVariant();
}

QVariant TiAccessibleEdit::maximumValue() const
{
    TiAnalogOutput* numeric = NumericEdit();
    if (!numeric || (numeric->ValueMax() == 0.0 && numeric->ValueMin() == 0.0))
        return QVariant();
    return numeric->ValueMax();
}

QVariant TiAccessibleEdit::minimumValue() const
{
    TiAnalogOutput* numeric = NumericEdit();
    if (!numeric || (numeric->ValueMax() == 0.0 && numeric->ValueMin() == 0.0))
        return QVariant();
    return numeric->ValueMin();
}

void TiAccessibleEdit::SetNumber(double value)
{
    if (TiAnalogOutput* numeric = NumericEdit())
        numeric->SetValue(value);
}

QString TiAccessibleEdit::ShownText() const
{
    return Edit()->ErrorActive() ? Edit()->ErrorText() : Edit()->Text();
}

std::pair<int, int> TiAccessibleEdit::Selection() const
{
    if (Edit()->ErrorActive())
        return {0, 0};
    return {Edit()->SelStart(), Edit()->SelStart() + Edit()->SelLength()};
}

int TiAccessibleEdit::Caret() const { return Edit()->ErrorActive() ? 0 : Edit()->CaretIndex(); }
