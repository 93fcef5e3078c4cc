// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QString>
#include <QVariant>
#include <QWidget>

// Every text a window shows: its title, its actions, and for each control its title,
// label or button text, combo items, and the captions and units of instrument widgets.
inline QString TextsShownBy(const QWidget& window)
{
    QString texts = window.windowTitle();
    for (const QAction* action : window.actions())
        texts += action->text();
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        texts += widget->windowTitle();
        if (auto* label = qobject_cast<const QLabel*>(widget))
            texts += label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts += button->text();
        if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                texts += combo->itemText(i);
        }
        for (const char* property : {"Caption", "Caption_2", "UnitsText", "Text"}) {
            const QVariant value = widget->property(property);
            if (value.canConvert<QString>())
                texts += value.toString();
        }
    }
    return texts;
}

// Chinese (CJK ideographs, their punctuation and full-width forms) anywhere in the text.
inline bool HasChinese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}
