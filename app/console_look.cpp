// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_look.h"

#include "platform/canvas/fonts.h"

#include <QFrame>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextOption>

QFont ConsoleFont(const char* name, int height, bool bold)
{
    TFont font;
    font.SetName(QString::fromUtf8(name));
    font.SetHeight(height);
    font.SetBold(bold);
    return font.ToQFont();
}

QFrame* MakePanel(QWidget* parent, const QRect& bounds, PanelBevel bevel)
{
    auto* panel = new QFrame(parent);
    panel->setGeometry(bounds);
    if (bevel == PanelBevel::Raised) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(1);
    } else {
        // Inner and outer bevel both lowered: a two-pixel sunken edge.
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setLineWidth(2);
    }
    SetBackground(panel, clBtnFace);  // a panel's own colour unless the window gives another
    return panel;
}

void SetBackground(QWidget* widget, TColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    palette.setColor(QPalette::Base, ToQColor(color));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColor(QWidget* widget, TColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    palette.setColor(QPalette::ButtonText, ToQColor(color));
    palette.setColor(QPalette::Text, ToQColor(color));
    widget->setPalette(palette);
}

void SetFieldColor(QWidget* widget, TColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, ToQColor(color));
    widget->setPalette(palette);
}

void SetRightAligned(QPlainTextEdit* memo)
{
    QTextOption option = memo->document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight);
    memo->document()->setDefaultTextOption(option);
}
