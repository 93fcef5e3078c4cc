// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/edit_visible_window.h"

#include <gtest/gtest.h>

namespace {

// Every character 10 pixels wide.
int tenEach(int, int count)
{
    return count * 10;
}

} // namespace

TEST(EditVisibleWindow, FittingTextIsShownWholeWhateverTheCaret)
{
    EXPECT_EQ(scrollVisibleWindow({3, 5}, 0, 4, 40, tenEach), (EditVisibleWindow{0, 3}));
    EXPECT_EQ(scrollVisibleWindow({0, 3}, 4, 4, 40, tenEach), (EditVisibleWindow{0, 3}));
    EXPECT_EQ(scrollVisibleWindow({2, 7}, 0, 0, 40, tenEach), (EditVisibleWindow{0, -1}));
}

TEST(EditVisibleWindow, ScrollsRightOneStepAtATimeAndJumpsLeftToTheCaret)
{
    // Ten characters, room for four.
    EditVisibleWindow w = scrollVisibleWindow({0, -1}, 0, 10, 45, tenEach);
    EXPECT_EQ(w, (EditVisibleWindow{0, 3}));
    w = scrollVisibleWindow(w, 4, 10, 45, tenEach); // just after the last shown
    EXPECT_EQ(w, (EditVisibleWindow{0, 3}));
    w = scrollVisibleWindow(w, 5, 10, 45, tenEach);
    EXPECT_EQ(w, (EditVisibleWindow{1, 4}));
    w = scrollVisibleWindow(w, 10, 10, 45, tenEach); // caret at the end
    EXPECT_EQ(w, (EditVisibleWindow{6, 9}));
    w = scrollVisibleWindow(w, 7, 10, 45, tenEach); // inside: window stays
    EXPECT_EQ(w, (EditVisibleWindow{6, 9}));
    w = scrollVisibleWindow(w, 2, 10, 45, tenEach); // before it: first = caret
    EXPECT_EQ(w, (EditVisibleWindow{2, 5}));
}

TEST(EditVisibleWindow, UnevenWidthsAndDegenerateRoomStayInRange)
{
    // A wide character at index 2 (30 px), others 10 px.
    auto uneven = [](int first, int count) {
        int w = 0;
        for (int i = first; i < first + count; ++i)
            w += (i == 2) ? 30 : 10;
        return w;
    };
    EXPECT_EQ(scrollVisibleWindow({0, -1}, 0, 6, 45, uneven), (EditVisibleWindow{0, 1}));
    EXPECT_EQ(scrollVisibleWindow({0, 2}, 6, 6, 45, uneven), (EditVisibleWindow{3, 5}));

    // No room at all: the window ends up at the caret and shows nothing. A stale
    // window past the end of a shortened text is pulled back onto the text.
    EditVisibleWindow none = scrollVisibleWindow({0, -1}, 3, 5, 0, tenEach);
    EXPECT_EQ(none.first, 3);
    EXPECT_LT(none.last, none.first);
    EXPECT_EQ(scrollVisibleWindow({40, 45}, 5, 5, 25, tenEach), (EditVisibleWindow{4, 4}));
}
