// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form2.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The next widget the Tab key reaches after `widget`.
QWidget* NextTabStop(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

}  // namespace

TEST(Form2, IsTheHiddenParameterDialogWhoseButtonClosesIt)
{
    TForm2 dialog;
    EXPECT_TRUE(dialog.isHidden());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("修改参数"));
    EXPECT_EQ(dialog.BitBtn1->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("小数点: "));
    EXPECT_EQ(dialog.Label7->text(), QStringLiteral("迂回值:"));
    for (QLineEdit* edit : {dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.Edit4, dialog.Edit5, dialog.Edit6}) {
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_EQ(edit->size(), QSize(41, 21));
    }

    // Tab order: the left column, the button, then the right column.
    const QList<QWidget*> expected{dialog.Edit2, dialog.Edit3, dialog.BitBtn1, dialog.Edit4, dialog.Edit5, dialog.Edit6};
    QWidget* current = dialog.Edit1;
    for (QWidget* next : expected) {
        EXPECT_EQ(NextTabStop(current), next);
        current = next;
    }

    dialog.show();
    EXPECT_TRUE(dialog.isVisible());
    dialog.BitBtn1->click();
    EXPECT_TRUE(dialog.isHidden());
}
