// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QComboBox;

// Keeps an editable combo's current item on the item its text names, or on none when the
// text names no item, whenever the text changes. Its list then opens on that item, Enter
// in the open list keeps the text, and the arrow keys step from it.
void KeepCurrentItemOnText(QComboBox* combo);
