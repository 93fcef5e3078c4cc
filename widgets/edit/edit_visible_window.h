// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// The run of whole characters an editor shows when its text is wider than the
// field. first and last are inclusive character indices; last < first when
// nothing is shown.
struct EditVisibleWindow
{
    int first = 0;  // first character shown
    int last = -1;  // last character shown

    bool operator==(const EditVisibleWindow&) const = default;  // equal when both ends are
};

// Pixel width of count characters starting at first.
using EditTextWidth = std::function<int(int first, int count)>;

// Moves the window so the caret stays reachable. A text that fits is shown
// whole. Otherwise the window's first character moves left to the caret when the
// caret is before it, and right one character at a time while the caret lies
// more than one past its last character; the last character is the furthest one
// that still fits in availableWidth.
EditVisibleWindow scrollVisibleWindow(EditVisibleWindow previous, int caret, int length,
                                      int availableWidth, const EditTextWidth& widthOf);
