// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Typing and menu helpers shared by the numeric edit tests.

#include "tests/support/widget_test_support.h"

#include <QAction>
#include <QMenu>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace edit_test {

// Types each character as a key press and release carrying that character.
inline void Type(QWidget& widget, const QString& text)
{
    for (QChar c : text) {
        const int key = c.toUpper().unicode();
        widget_test::KeyPress(widget, key, Qt::NoModifier, QString(c));
        widget_test::KeyRelease(widget, key, Qt::NoModifier);
    }
}

// A key without text (navigation, Enter, Escape) or a Ctrl shortcut.
inline void Key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        text = QStringLiteral("\r");
    else if (key == Qt::Key_Escape)
        text = QString(QChar(0x1B));
    else if (key == Qt::Key_Backspace)
        text = QString(QChar(0x08));
    else if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        text = QString(QChar(key - Qt::Key_A + 1));
    widget_test::KeyPress(widget, key, modifiers, text);
    widget_test::KeyRelease(widget, key, modifiers);
}

inline QAction* MenuItem(QMenu* menu, const QString& caption)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

// Captions of the enabled items, in menu order.
inline QStringList EnabledItems(QMenu* menu)
{
    QStringList enabled;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isEnabled())
            enabled << action->text();
    }
    return enabled;
}

}  // namespace edit_test
