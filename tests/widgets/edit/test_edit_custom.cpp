// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/edit_custom.h"

#include "tests/widgets/edit/edit_test_helpers.h"
#include "tests/support/qt_wait.h"
#include "tests/support/widget_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <gtest/gtest.h>
#include <tuple>

using namespace widget_test;
using edit_test::Key;
using edit_test::Type;

namespace {

class EditCustomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(300, 100);
        edit = new TiEditCustom(&parent);
        edit->SetColor(clWhite);
        edit->OnChange = [this](TObject*) { ++changes; };
        QGuiApplication::clipboard()->clear();
    }

    void TearDown() override { edit->OnChange = nullptr; }

    // Types `text` into the focused field and accepts it, so it becomes the
    // accepted text.
    void Enter(const QString& text)
    {
        Type(*edit, text);
        Key(*edit, Qt::Key_Return);
    }

    int TextHeight(const TFont& font)
    {
        TBitmap bitmap(1, 1);
        bitmap.Canvas().Font.Assign(font);
        return bitmap.Canvas().TextHeight(QStringLiteral("ABC"));
    }

    ClassicPaletteScope palette;
    QWidget parent;
    TiEditCustom* edit = nullptr;
    int changes = 0;
};

}  // namespace

TEST_F(EditCustomTest, DefaultsMatchThePublishedTable)
{
    TiEditCustom plain;
    EXPECT_EQ(plain.Alignment(), taLeftJustify);
    EXPECT_EQ(plain.AlignmentMargin(), 0);
    EXPECT_TRUE(plain.AutoSelect());
    EXPECT_TRUE(plain.AutoSize());
    EXPECT_EQ(plain.MaxLength(), 0);
    EXPECT_TRUE(plain.AcceptOnLostFocus());
    EXPECT_EQ(plain.Color(), clWindow);
    EXPECT_EQ(plain.BorderStyle(), ibsLowered);
    EXPECT_EQ(plain.TabOrder(), -1);
    EXPECT_TRUE(plain.TabStop());
    EXPECT_EQ(plain.Width(), 80);
    EXPECT_EQ(plain.Height(), 21) << "no parent: no auto size";
    EXPECT_EQ(plain.Text(), QString());

    QStringList captions;
    for (QAction* action : plain.ContextMenu()->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, QStringList({"Apply", "Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"}));
}

TEST_F(EditCustomTest, TypingNavigationAndDeletionKeys)
{
    FocusIn(*edit);
    Type(*edit, "hello");
    EXPECT_EQ(edit->Text(), "hello");
    EXPECT_EQ(edit->CaretIndex(), 5);

    Key(*edit, Qt::Key_Left);
    Key(*edit, Qt::Key_Left);
    Key(*edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Text(), "helo");
    EXPECT_EQ(edit->CaretIndex(), 2);
    Key(*edit, Qt::Key_Delete);
    EXPECT_EQ(edit->Text(), "heo");

    Key(*edit, Qt::Key_Home);
    Key(*edit, Qt::Key_Right, Qt::ShiftModifier);
    Key(*edit, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(edit->SelText(), "he");
    Key(*edit, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(edit->SelText(), "h") << "Shift movement shrinks toward the anchor";
    Type(*edit, "J");
    EXPECT_EQ(edit->Text(), "Jeo") << "a typed character replaces the selection";

    Key(*edit, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(edit->SelText(), "eo");
    Key(*edit, Qt::Key_Delete);
    EXPECT_EQ(edit->Text(), "J");
    Key(*edit, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(edit->CaretIndex(), 0);
    Key(*edit, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(edit->CaretIndex(), 1);
    EXPECT_EQ(changes, 0) << "editing alone announces nothing";
}

TEST_F(EditCustomTest, EnterAcceptsAndEscapeOrCtrlZUndoToTheAcceptedText)
{
    FocusIn(*edit);
    Enter("abc");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->AcceptedText(), "abc");
    EXPECT_EQ(edit->SelText(), "abc") << "Enter selects all";

    Key(*edit, Qt::Key_End);
    Type(*edit, "de");
    Key(*edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(edit->SelText(), "abc") << "undo selects all with AutoSelect";

    edit->SetAutoSelect(false);
    Key(*edit, Qt::Key_End);
    Type(*edit, "x");
    Key(*edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->CaretIndex(), 0) << "undo puts the caret at the start";
    EXPECT_EQ(changes, 1) << "undo is not an accept";

    // Enter selects all also without AutoSelect.
    Key(*edit, Qt::Key_End);
    Type(*edit, "y");
    Key(*edit, Qt::Key_Return);
    EXPECT_EQ(edit->AcceptedText(), "abcy");
    EXPECT_EQ(edit->SelText(), "abcy");
}

TEST_F(EditCustomTest, MaxLengthLimitsTypingAndPasteButNotReplacement)
{
    edit->SetMaxLength(4);
    FocusIn(*edit);
    Type(*edit, "123456");
    EXPECT_EQ(edit->Text(), "1234");

    Key(*edit, Qt::Key_Left, Qt::ShiftModifier);
    Type(*edit, "9");
    EXPECT_EQ(edit->Text(), "1239") << "a selection makes room for one character";

    Key(*edit, Qt::Key_Backspace);
    Key(*edit, Qt::Key_Backspace);
    QGuiApplication::clipboard()->setText("ABCDEF");
    Key(*edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "12AB") << "paste cut to the room left";

    Key(*edit, Qt::Key_A, Qt::ControlModifier);
    Key(*edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "ABCD") << "a paste over the whole selection may use the whole length";

    edit->SetMaxLength(0);
    Key(*edit, Qt::Key_End);
    Key(*edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "ABCDABCDEF") << "0 means no limit";
}

TEST_F(EditCustomTest, ClipboardCopyCutPasteAndTheErrorDisplay)
{
    FocusIn(*edit);
    Enter("12.5 V");
    Key(*edit, Qt::Key_Home);
    Key(*edit, Qt::Key_Right, Qt::ShiftModifier);
    Key(*edit, Qt::Key_Right, Qt::ShiftModifier);
    Key(*edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "12");
    EXPECT_EQ(edit->Text(), "12.5 V");

    Key(*edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), ".5 V");
    Key(*edit, Qt::Key_End);
    Key(*edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), ".5 V12");

    // Copy with nothing selected keeps what the clipboard had.
    Key(*edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "12");

    // Only the first line of a clipboard text goes into the single-line field.
    QGuiApplication::clipboard()->setText("7\r\nrm -rf\n");
    Key(*edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), ".5 V127");

    edit->SetErrorText("Error");
    edit->SetErrorActive(true);
    Key(*edit, Qt::Key_A, Qt::ControlModifier);
    Key(*edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Error") << "copies the error text";
    EXPECT_EQ(edit->Text(), ".5 V127") << "cut deletes nothing while the error shows";
    QGuiApplication::clipboard()->setText("zz");
    Key(*edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), ".5 V127") << "no paste while the error shows";
}

TEST_F(EditCustomTest, ContextMenuItemStatesFollowTextSelectionClipboardAndError)
{
    using edit_test::EnabledItems;
    FocusIn(*edit);
    Enter("abc");
    Key(*edit, Qt::Key_End);
    QMenu* menu = edit->ContextMenu();

    edit->UpdateContextMenuStates();
    EXPECT_EQ(EnabledItems(menu), QStringList({"Select All"}));

    Type(*edit, "d");
    edit->UpdateContextMenuStates();
    EXPECT_EQ(EnabledItems(menu), QStringList({"Apply", "Undo", "Select All"}));

    Key(*edit, Qt::Key_Left, Qt::ShiftModifier);
    QGuiApplication::clipboard()->setText("x");
    edit->UpdateContextMenuStates();
    EXPECT_EQ(EnabledItems(menu), QStringList({"Apply", "Undo", "Cut", "Copy", "Paste", "Delete", "Select All"}));

    Key(*edit, Qt::Key_A, Qt::ControlModifier);
    edit->UpdateContextMenuStates();
    EXPECT_FALSE(edit_test::MenuItem(menu, "Select All")->isEnabled()) << "already covers the text";

    Key(*edit, Qt::Key_End);
    edit->SetErrorActive(true);
    edit->UpdateContextMenuStates();
    EXPECT_EQ(EnabledItems(menu), QStringList({"Copy", "Select All"}));
}

TEST_F(EditCustomTest, RightClickOpensTheMenuAndItsItemsAct)
{
    FocusIn(*edit);
    Enter("hello");
    Key(*edit, Qt::Key_End);
    Type(*edit, "!");
    MousePress(*edit, QPoint(10, 5), Qt::RightButton);
    MouseRelease(*edit, QPoint(10, 5), Qt::RightButton);
    QMenu* menu = edit->ContextMenu();
    EXPECT_TRUE(WaitUntil([&] { return menu->isVisible(); }));
    EXPECT_EQ(edit->Text(), "hello!") << "the right button does not move the caret";
    EXPECT_TRUE(edit_test::MenuItem(menu, "Apply")->isEnabled());

    edit_test::MenuItem(menu, "Apply")->trigger();
    menu->hide();
    EXPECT_EQ(changes, 2) << "one for Enter, one for Apply";
    EXPECT_EQ(edit->AcceptedText(), "hello!");

    // Each choice as from a freshly opened menu (states set on opening).
    auto choose = [&](const char* caption) {
        edit->UpdateContextMenuStates();
        QAction* item = edit_test::MenuItem(menu, caption);
        if (!item->isEnabled())
            return false;
        item->trigger();
        return true;
    };
    Key(*edit, Qt::Key_End);
    EXPECT_TRUE(choose("Select All"));
    EXPECT_FALSE(choose("Select All")) << "already all selected";
    EXPECT_TRUE(choose("Cut"));
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "hello!");
    EXPECT_TRUE(choose("Undo"));
    EXPECT_EQ(edit->Text(), "hello!");
    EXPECT_TRUE(choose("Paste"));
    EXPECT_EQ(edit->Text(), "hello!") << "undo selected all, the paste replaced it";
    EXPECT_FALSE(choose("Delete")) << "nothing selected after the paste";
    EXPECT_TRUE(choose("Select All"));
    EXPECT_TRUE(choose("Delete"));
    EXPECT_EQ(edit->Text(), "");
    EXPECT_FALSE(choose("Copy"));

    // A widget with a menu of its own keeps the built-in one closed.
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    menu->hide();
    MousePress(*edit, QPoint(10, 5), Qt::RightButton);
    MouseRelease(*edit, QPoint(10, 5), Qt::RightButton);
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(EditCustomTest, MouseSetsCaretSelectsByDraggingAndDoubleClickSelectsAll)
{
    edit->resize(150, edit->Height());
    FocusIn(*edit);
    Enter("0123456789");
    const int y = edit->Height() / 2;
    Click(*edit, QPoint(1, y));
    EXPECT_EQ(edit->CaretIndex(), 0);
    EXPECT_EQ(edit->SelLength(), 0);
    Click(*edit, QPoint(edit->Width() - 3, y));
    EXPECT_EQ(edit->CaretIndex(), 10);

    const int middle = edit->CharIndexAt(30);
    EXPECT_GT(middle, 0);
    EXPECT_LT(middle, 10);
    MousePress(*edit, QPoint(30, y));
    MouseMove(*edit, QPoint(2, y), Qt::LeftButton);
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), middle) << "dragging left selects back to the press point";
    MouseMove(*edit, QPoint(edit->Width() - 3, y), Qt::LeftButton);
    EXPECT_EQ(edit->SelStart(), middle);
    EXPECT_EQ(edit->SelLength(), 10 - middle) << "the anchor stays at the press point";
    MouseRelease(*edit, QPoint(edit->Width() - 3, y));
    MouseMove(*edit, QPoint(2, y));
    EXPECT_EQ(edit->SelLength(), 10 - middle) << "no selecting after release";

    MouseDoubleClick(*edit, QPoint(30, y));
    MouseRelease(*edit, QPoint(30, y));
    EXPECT_EQ(edit->SelText(), "0123456789");

    // A press right after a double click keeps the selection.
    edit->SetAutoSelect(false);
    MouseDoubleClick(*edit, QPoint(30, y));
    MousePress(*edit, QPoint(30, y));
    EXPECT_EQ(edit->SelText(), "0123456789");
    MouseRelease(*edit, QPoint(30, y));
    Click(*edit, QPoint(30, y));
    EXPECT_EQ(edit->SelLength(), 0) << "the next press collapses it";
}

TEST_F(EditCustomTest, FocusCreatesTheCaretAndLosingItAcceptsWhenAsked)
{
    EXPECT_FALSE(edit->IsCaretCreated());
    FocusIn(*edit);
    EXPECT_TRUE(edit->IsCaretCreated());
    Type(*edit, "42");
    FocusOut(*edit);
    EXPECT_FALSE(edit->IsCaretCreated());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->AcceptedText(), "42");

    edit->SetAcceptOnLostFocus(false);
    FocusIn(*edit);
    Key(*edit, Qt::Key_End);
    Type(*edit, "7");
    FocusOut(*edit);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->Text(), "427");
    EXPECT_EQ(edit->AcceptedText(), "42");

    edit->SetErrorActive(true);
    FocusIn(*edit);
    EXPECT_FALSE(edit->IsCaretCreated()) << "no caret over the error display";
}

TEST_F(EditCustomTest, CaretBlinksWhileFocused)
{
    FocusIn(*edit);
    ASSERT_TRUE(edit->IsCaretShown());
    EXPECT_TRUE(WaitUntil([&] { return !edit->IsCaretShown(); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return edit->IsCaretShown(); }, 5000));
    FocusOut(*edit);
    EXPECT_FALSE(edit->IsCaretShown());
}

TEST_F(EditCustomTest, ControlCharactersAreNeverInserted)
{
    FocusIn(*edit);
    for (int code : {0x00, 0x07, 0x09, 0x0A, 0x1F, 0x7F})
        KeyPress(*edit, Qt::Key_unknown, Qt::NoModifier, QString(QChar(code)));
    EXPECT_EQ(edit->Text(), "");
    Type(*edit, QString::fromUtf8("温度"));
    EXPECT_EQ(edit->Text(), QString::fromUtf8("温度"));
}

TEST_F(EditCustomTest, AutoSizeFollowsTheFontAndBorderButKeepsTheWidth)
{
    const int width = edit->Width();
    EXPECT_EQ(edit->Height(), TextHeight(*edit->Font()) + 8);
    edit->Font()->SetHeight(-20);
    EXPECT_EQ(edit->Height(), TextHeight(*edit->Font()) + 8);
    EXPECT_GT(edit->Height(), 21);
    edit->SetBorderStyle(ibsNone);
    EXPECT_EQ(edit->Height(), TextHeight(*edit->Font()) + 4);
    EXPECT_EQ(edit->Width(), width);

    edit->SetAutoSize(false);
    const int fixed = edit->Height();
    edit->Font()->SetHeight(-30);
    EXPECT_EQ(edit->Height(), fixed);
    edit->SetAutoSize(true);
    EXPECT_EQ(edit->Height(), TextHeight(*edit->Font()) + 4);
}

TEST_F(EditCustomTest, LongTextScrollsWithTheCaret)
{
    edit->resize(40, edit->Height());
    FocusIn(*edit);
    Type(*edit, "0123456789ABCDEFGHIJ");
    Render(*edit);
    EditVisibleWindow window = edit->VisibleWindow();
    EXPECT_EQ(window.last, 19);
    EXPECT_GT(window.first, 0);

    Key(*edit, Qt::Key_Home);
    Render(*edit);
    window = edit->VisibleWindow();
    EXPECT_EQ(window.first, 0);
    EXPECT_LT(window.last, 19);
    EXPECT_EQ(edit->CharIndexAt(edit->Width() - 3), window.last + 1) << "hit test uses the window";
}

TEST_F(EditCustomTest, PaintsBackgroundTextSelectionAndCaret)
{
    const TColor highlight = ClassicSystemColor(sciHighlight);
    edit->resize(80, edit->Height());
    FocusIn(*edit);
    Enter("8888");
    FocusOut(*edit);

    QImage image = Render(*edit);
    EXPECT_EQ(PixelAt(image, 40, 4), clWhite) << "Color fills the field";
    const int textPixels = CountColor(image, clBlack, 2, 2, 78, edit->Height() - 2);
    EXPECT_GT(textPixels, 0);
    EXPECT_EQ(CountColor(image, highlight), 0) << "no selection shown without the focus";

    FocusIn(*edit);
    Key(*edit, Qt::Key_A, Qt::ControlModifier);
    image = Render(*edit);
    EXPECT_GT(CountColor(image, highlight), 0);
    EXPECT_GT(CountColor(image, clWhite, 3, 3, 30, edit->Height() - 3), 0) << "selected text in white";

    // The caret: an inverted column at the left text edge when the text is empty.
    Key(*edit, Qt::Key_Delete);
    ASSERT_EQ(edit->Text(), "");
    image = Render(*edit);
    const int caretHeight = [&] {
        TBitmap b(1, 1);
        b.Canvas().Font.Assign(*edit->Font());
        return b.Canvas().TextHeight("ABC");
    }();
    EXPECT_EQ(CountColor(image, clBlack, 3, 3, 4, 3 + caretHeight), caretHeight);
    EXPECT_EQ(CountColor(image, clBlack, 4, 3, 70, 3 + caretHeight), 0);
    FocusOut(*edit);
    image = Render(*edit);
    EXPECT_EQ(CountColor(image, clBlack, 3, 3, 4, 3 + caretHeight), 0);
}

TEST_F(EditCustomTest, AlignmentPlacesTheText)
{
    edit->resize(80, edit->Height());
    FocusIn(*edit);
    Enter("1");
    FocusOut(*edit);
    const int h = edit->Height();
    auto inkLeftRight = [&] {
        QImage image = Render(*edit);
        return std::pair(CountColor(image, clBlack, 2, 2, 30, h - 2), CountColor(image, clBlack, 50, 2, 78, h - 2));
    };
    auto [left, right] = inkLeftRight();
    EXPECT_GT(left, 0);
    EXPECT_EQ(right, 0);
    edit->SetAlignment(taRightJustify);
    std::tie(left, right) = inkLeftRight();
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 0);
    edit->SetAlignment(taCenter);
    std::tie(left, right) = inkLeftRight();
    EXPECT_EQ(left + right, 0) << "centred ink stays between 30 and 50";
    edit->SetAlignment(TAlignment(7));
    EXPECT_EQ(edit->Alignment(), taCenter) << "a value outside the enumeration is ignored";
}

TEST_F(EditCustomTest, ErrorDisplayShowsErrorTextOnErrorBackground)
{
    FocusIn(*edit);
    Enter("123");
    edit->SetErrorText("Error");
    edit->SetErrorActive(true);
    QImage image = Render(*edit);
    const int w = edit->Width();
    const int h = edit->Height();
    EXPECT_EQ(PixelAt(image, w - 4, 4), clBlack);
    EXPECT_GT(CountColor(image, clRed), 0) << "error font is red";
    EXPECT_EQ(CountColor(image, ClassicSystemColor(sciHighlight)), 0) << "no selection";
    EXPECT_EQ(CountColor(image, clWhite, 3, 3, w - 3, h - 3), 0) << "no caret";
    // No caret shows the focus then: the dotted focus frame just inside the border does,
    // every other pixel of it inverted (black to white); without the focus it is not there.
    EXPECT_EQ(PixelAt(image, 4, 2), clWhite);
    EXPECT_EQ(PixelAt(image, 3, 2), clBlack);
    EXPECT_EQ(PixelAt(image, 2, h - 4), clBlack);
    EXPECT_EQ(CountColor(image, clWhite, 2, 2, w - 2, h - 2), (w - 4 + h - 4) - 2);
    FocusOut(*edit);
    EXPECT_EQ(CountColor(Render(*edit), clWhite, 2, 2, w - 2, h - 2), 0);
}

TEST_F(EditCustomTest, ClickThatGivesTheFocusSelectsAllThenClicksPlaceTheCaret)
{
    auto* other = new TiEditCustom(&parent);
    other->move(0, 40);
    parent.show();
    parent.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return parent.isActiveWindow(); }));
    other->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return other->Focused(); }));

    Type(*edit, "4567");  // keys sent straight to the unfocused field
    Key(*edit, Qt::Key_Return);
    const int y = edit->Height() / 2;
    Click(*edit, QPoint(edit->Width() - 3, y));
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(edit->Focused());
    EXPECT_FALSE(other->Focused());
    EXPECT_EQ(edit->SelText(), "4567") << "the focusing click selects all";

    Click(*edit, QPoint(1, y));
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->CaretIndex(), 0);

    edit->SetAutoSelect(false);
    other->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return other->Focused(); }));
    Click(*edit, QPoint(1, y));
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 0) << "without AutoSelect the click only places the caret";
}
