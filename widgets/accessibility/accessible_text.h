// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Instruments that show text: the label and the numeric display as static text, the
// numeric edit as editable text. Their text is read through the text interface; the
// display and the numeric edit also give their number through the value interface.
// Assistive technology reads the text; the caret and the selection stay the operator's
// (requests to move them are ignored). Offsets outside the text give empty answers.

#include "widgets/accessibility/accessible_instrument.h"

class TiAnalogDisplay;
class TiAnalogOutput;
class TiEditCustom;
class TiLabel;

class TiAccessibleText : public TiAccessibleInstrument, public QAccessibleTextInterface {
public:
    TiAccessibleText(TiComponent* widget, QAccessible::Role role);

    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override;
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    using TiAccessibleInstrument::text;

protected:
    // The text the widget shows.
    virtual QString ShownText() const = 0;
    QString ValueText() const override { return ShownText(); }
    // The selection as [start, end); empty when none.
    virtual std::pair<int, int> Selection() const { return {0, 0}; }
    virtual int Caret() const { return 0; }
};

// Adds the shown number (the value interface) to a text instrument that has one
// (currentValue() valid).
class TiAccessibleNumberText : public TiAccessibleText, public QAccessibleValueInterface {
public:
    using TiAccessibleText::TiAccessibleText;

    void* interface_cast(QAccessible::InterfaceType type) override;
    // A finite number sets the value when the operator may; anything else is ignored.
    void setCurrentValue(const QVariant& value) override;
    QVariant minimumStepSize() const override { return 0.0; }

protected:
    virtual void SetNumber(double) {}
};

class TiAccessibleLabel : public TiAccessibleText {
public:
    explicit TiAccessibleLabel(TiLabel* label);

protected:
    QString ShownText() const override;
    QString OwnCaption() const override { return ShownText(); }
};

class TiAccessibleDisplay : public TiAccessibleNumberText {
public:
    explicit TiAccessibleDisplay(TiAnalogDisplay* display);

    QAccessible::State state() const override;
    QVariant currentValue() const override;
    QVariant maximumValue() const override { return QVariant(); }
    QVariant minimumValue() const override { return QVariant(); }

protected:
    QString ShownText() const override;
};

// The base editor as editable text; the numeric edit adds its value, bounded by ValueMin
// and ValueMax when they bound it (either non-zero).
class TiAccessibleEdit : public TiAccessibleNumberText {
public:
    explicit TiAccessibleEdit(TiEditCustom* edit);

    QAccessible::State state() const override;
    QVariant currentValue() const override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;

protected:
    QString ShownText() const override;
    std::pair<int, int> Selection() const override;
    int Caret() const override;
    void SetNumber(double value) override;

private:
    TiEditCustom* Edit() const;
    TiAnalogOutput* NumericEdit() const;  // null for the base editor
};
