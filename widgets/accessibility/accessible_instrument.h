// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every instrument tells assistive technology: its role, its name (the name the
// window gave it, else its own caption), and the operator's actions done the way the
// operator does them (a click in the middle, a key), so the widget's own input rules and
// events apply unchanged.

#include <QAccessibleWidget>

class TiComponent;

class TiAccessibleInstrument : public QAccessibleWidget {
public:
    TiAccessibleInstrument(TiComponent* widget, QAccessible::Role role);

    QString text(QAccessible::Text t) const override;

protected:
    TiComponent* Instrument() const;
    // The widget's own caption as read aloud, if it has one; the name when the window
    // gave none.
    virtual QString OwnCaption() const { return QString(); }
    // The shown value as text (QAccessible::Value).
    virtual QString ValueText() const { return QString(); }
    // A left click in the middle of the widget, as the operator makes it.
    void Click() const;
    // A key pressed and released on the widget.
    void PressKey(int key) const;
    // Whether the widget takes the operator's input now.
    bool Operable() const;
};

// A caption's text as read aloud: "&x" accelerator marks dropped, "&&" kept as "&".
QString CaptionWithoutAccelerator(const QString& caption);
