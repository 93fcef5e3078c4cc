// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An editor for every published property of a widget, read from its meta-object,
// so a new property appears by itself: check boxes, spin boxes, drop-downs for
// enumerations, a colour button for colours (0x00BBGGRR), line edits for text.

#include <QWidget>

class QFormLayout;
class QMetaProperty;

class PropertyPanel : public QWidget {
    Q_OBJECT

public:
    explicit PropertyPanel(QWidget* parent = nullptr);
    // Shows the properties of `target` (nothing for nullptr).
    void Show(QObject* target);

private:
    QWidget* EditorFor(QObject& owner, const QMetaProperty& property);

    QFormLayout* form_;
};
