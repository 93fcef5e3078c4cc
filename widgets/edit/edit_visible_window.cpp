// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/edit_visible_window.h"

#include <algorithm>

namespace {

// The last index that fits when the window starts at first (first - 1 when not
// even that character fits).
int lastFitting(int first, int length, int availableWidth, const EditTextWidth& widthOf)
{
    int last = first - 1;
    while (last + 1 < length && widthOf(first, last + 2 - first) <= availableWidth)
        ++last;
    return last;
}

} // namespace

EditVisibleWindow scrollVisibleWindow(EditVisibleWindow previous, int caret, int length,
                                      int availableWidth, const EditTextWidth& widthOf)
{
    if (length <= 0)
        return {0, -1};
    if (widthOf(0, length) <= availableWidth)
        return {0, length - 1};

    caret = std::clamp(caret, 0, length);
    int first = std::clamp(previous.first, 0, length - 1);
    if (caret < first)
        first = caret;
    int last = lastFitting(first, length, availableWidth, widthOf);
    while (caret > last + 1 && first < length - 1) {
        ++first;
        last = lastFitting(first, length, availableWidth, widthOf);
    }
    return {first, last};
}
