// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/edit_buffer.h"

#include <gtest/gtest.h>

namespace {

EditBuffer bufferWith(const QString& text)
{
    EditBuffer b;
    b.setText(text);
    b.accept();
    return b;
}

} // namespace

TEST(EditBuffer, SetTextResetsCaretAndSelectionOnlyWhenTextChanges)
{
    EditBuffer b = bufferWith("12.30");
    b.select(1, 3);
    EXPECT_FALSE(b.setText("12.30"));
    EXPECT_EQ(b.selectionStart(), 1);
    EXPECT_EQ(b.selectionLength(), 3);

    EXPECT_TRUE(b.setText("7"));
    EXPECT_EQ(b.text(), "7");
    EXPECT_EQ(b.caret(), 0);
    EXPECT_FALSE(b.hasSelection());
    EXPECT_EQ(b.acceptedText(), "12.30") << "setting the text does not accept it";
    EXPECT_TRUE(b.isModified());
}

TEST(EditBuffer, TypingReplacesSelectionAndBackspaceDeleteWorkAtTheEdges)
{
    EditBuffer b = bufferWith("25'C");
    b.select(0, 2);
    b.insert("3");
    EXPECT_EQ(b.text(), "3'C");
    EXPECT_EQ(b.caret(), 1);
    EXPECT_FALSE(b.hasSelection());

    b.moveCaret(0, false);
    b.backspace(); // nothing before the caret
    EXPECT_EQ(b.text(), "3'C");
    b.deleteForward();
    EXPECT_EQ(b.text(), "'C");

    b.moveCaret(100, false); // clamped to the end
    EXPECT_EQ(b.caret(), 2);
    b.deleteForward(); // nothing after the caret
    EXPECT_EQ(b.text(), "'C");
    b.backspace();
    EXPECT_EQ(b.text(), "'");
    EXPECT_EQ(b.caret(), 1);

    b.select(0, 1);
    b.backspace(); // deletes the selection, not one more character
    EXPECT_EQ(b.text(), "");
    EXPECT_EQ(b.caret(), 0);
}

TEST(EditBuffer, ShiftMovementExtendsFromTheAnchorInBothDirections)
{
    EditBuffer b = bufferWith("abcdef");
    b.moveCaret(3, false);
    b.moveCaret(5, true);
    EXPECT_EQ(b.selectedText(), "de");
    EXPECT_EQ(b.anchor(), 3);
    b.moveCaret(1, true); // crosses the anchor: selection flips to the left side
    EXPECT_EQ(b.selectionStart(), 1);
    EXPECT_EQ(b.selectedText(), "bc");
    EXPECT_EQ(b.caret(), 1);
    b.moveCaret(3, true); // back at the anchor: nothing selected
    EXPECT_FALSE(b.hasSelection());
    b.moveCaret(-4, true); // clamped to the start, anchor still 3
    EXPECT_EQ(b.selectedText(), "abc");

    b.moveCaret(4, false);
    EXPECT_FALSE(b.hasSelection());
    EXPECT_EQ(b.anchor(), 4);
}

TEST(EditBuffer, SelectAllThenShiftLeftShrinksFromTheEnd)
{
    EditBuffer b = bufferWith("37.0");
    b.selectAll();
    EXPECT_TRUE(b.selectionCoversAll());
    EXPECT_EQ(b.caret(), 4);
    b.moveCaret(b.caret() - 1, true);
    EXPECT_EQ(b.selectedText(), "37.");
    EXPECT_FALSE(b.selectionCoversAll());

    b.select(2, 50); // clamped
    EXPECT_EQ(b.selectedText(), ".0");
    b.select(9, 2); // entirely past the end: empty at the end
    EXPECT_FALSE(b.hasSelection());
    EXPECT_EQ(b.caret(), 4);
    b.select(1, -3); // negative length selects nothing
    EXPECT_FALSE(b.hasSelection());
}

TEST(EditBuffer, RevertRestoresAcceptedTextAndAcceptMovesTheMark)
{
    EditBuffer b = bufferWith("12.30");
    b.moveCaret(5, false);
    b.insert("9");
    EXPECT_TRUE(b.isModified());
    b.revert();
    EXPECT_EQ(b.text(), "12.30");
    EXPECT_EQ(b.caret(), 0);
    EXPECT_FALSE(b.isModified());

    b.moveCaret(0, false);
    b.insert("-");
    b.accept();
    EXPECT_EQ(b.acceptedText(), "-12.30");
    EXPECT_FALSE(b.isModified());
    b.placeCaret(3);
    b.revert();
    EXPECT_EQ(b.text(), "-12.30");
}

TEST(EditBuffer, PlaceCaretKeepsSelectionAndEmptyBufferIsSafe)
{
    EditBuffer b = bufferWith("abc");
    b.selectAll();
    b.placeCaret(1);
    EXPECT_TRUE(b.selectionCoversAll());
    EXPECT_EQ(b.caret(), 1);

    EditBuffer empty;
    empty.backspace();
    empty.deleteForward();
    EXPECT_FALSE(empty.deleteSelection());
    empty.selectAll();
    EXPECT_TRUE(empty.selectionCoversAll());
    empty.moveCaret(5, true);
    EXPECT_EQ(empty.caret(), 0);
    EXPECT_EQ(empty.text(), "");
}
