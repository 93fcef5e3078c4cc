// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/combo_current_item.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// QComboBox clears its edit text when no item is made current; the text, the caret and
// the selection are put back without telling anyone, so the handlers never see the
// empty text in between.
void ClearCurrentItemKeepingTheText(QComboBox* combo)
{
    QLineEdit* edit = combo->lineEdit();
    const QString text = edit->text();
    const int caret = edit->cursorPosition();
    const int selectionStart = edit->selectionStart();
    const int selectionLength = edit->selectionLength();
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(-1);
    edit->setText(text);
    if (selectionLength == 0)
        edit->setCursorPosition(caret);
    else if (caret == selectionStart)  // selected leftwards: the caret stays at the start
        edit->setSelection(selectionStart + selectionLength, -selectionLength);
    else
        edit->setSelection(selectionStart, selectionLength);
}

void FollowText(QComboBox* combo)
{
    const int named = combo->findText(combo->currentText());
    if (named == combo->currentIndex())
        return;
    if (named >= 0)
        combo->setCurrentIndex(named);  // the item's text is the text: the edit stays as it is
    else
        ClearCurrentItemKeepingTheText(combo);
}

}  // namespace

void KeepCurrentItemOnText(QComboBox* combo)
{
    QObject::connect(combo, &QComboBox::editTextChanged, combo, [combo] { FollowText(combo); });
}
