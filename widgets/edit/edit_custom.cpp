// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/edit_custom.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/enum_range.h"
#include "widgets/base/property_access.h"
#include "widgets/base/scoped_flag.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QStyleHints>
#include <algorithm>
#include <exception>

namespace {

constexpr QChar kCtrlA(0x01);
constexpr QChar kCtrlC(0x03);
constexpr QChar kBackspace(0x08);
constexpr QChar kEnter(0x0D);
constexpr QChar kCtrlV(0x16);
constexpr QChar kCtrlX(0x18);
constexpr QChar kCtrlZ(0x1A);
constexpr QChar kEscape(0x1B);

bool IsControlChar(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// The part of a clipboard text a single-line field takes: up to the first line break.
QString FirstLine(const QString& text)
{
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return end < 0 ? text : text.left(end);
}

}  // namespace

TiEditCustom::TiEditCustom(QWidget* parent)
    : TiCustomComponent(parent), font_(std::make_unique<TFont>()), measureBitmap_(std::make_unique<TBitmap>(1, 1))
{
    SetBorderStyle(ibsLowered);
    resize(80, 21);
    static const bool alignmentRegistered = (RegisterEnumRange<TAlignment>(taLeftJustify, taCenter), true);
    Q_UNUSED(alignmentRegistered);
    // Tab reaches the field; a click takes the focus in UserMouseDown, so the
    // press knows it gave the focus.
    SetTabStop(true);
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(font_.get(), &TFont::Changed, this, [this] { FontChanged(); });
    connect(&caretTimer_, &QTimer::timeout, this, [this] { BlinkCaret(); });
    CreateMenu();
    AdjustHeight();
}

TiEditCustom::~TiEditCustom() = default;

// --- Properties ---

void TiEditCustom::SetAlignment(TAlignment value)
{
    if (value == alignment_ || !InEnumRange(value, taLeftJustify, taCenter))
        return;
    alignment_ = value;
    InvalidateChange();
}

void TiEditCustom::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustHeight();
    InvalidateChange();
}

void TiEditCustom::SetFont(const TFont* value)
{
    if (value)
        font_->Assign(*value);
}

void TiEditCustom::SetBorderStyle(TiBevelStyle value)
{
    if (value == BorderStyle())
        return;
    TiCustomComponent::SetBorderStyle(value);
    AdjustHeight();
}

void TiEditCustom::FontChanged()
{
    AdjustHeight();
    InvalidateChange();
}

void TiEditCustom::Loaded()
{
    TiCustomComponent::Loaded();
    AdjustHeight();
}

// Height = text height of "ABC" + twice the bevel + 4; the width never changes.
void TiEditCustom::AdjustHeight()
{
    if (!autoSize_ || IsLoading() || !parentWidget() || adjustingHeight_)
        return;
    {
        ScopedFlag adjusting(adjustingHeight_);
        SetHeight(MeasureCanvas(*font_).TextHeight(QStringLiteral("ABC")) + 2 * BorderMargin() + 4);
    }
    if (OnResize)
        OnResize(this);
}

// --- Text and selection ---

void TiEditCustom::SetText(const QString& text)
{
    if (!buffer_.setText(text))
        return;
    AcceptEntry();
    InvalidateChange();
}

void TiEditCustom::DoChange()
{
    if (!IsLoading() && OnChange)
        OnChange(this);
}

void TiEditCustom::AcceptEntry()
{
    DoChange();
    buffer_.accept();
    if (autoSelect_)
        SelectAll();
    EditChanged();
}

void TiEditCustom::Undo()
{
    buffer_.revert();
    if (autoSelect_)
        SelectAll();
    EditChanged();
}

void TiEditCustom::SelectAll()
{
    SelectRange(0, buffer_.length());
}

void TiEditCustom::SelectRange(int start, int length)
{
    buffer_.select(start, length);
    EditChanged();
}

void TiEditCustom::ClearSelection()
{
    if (buffer_.deleteSelection())
        EditChanged();
}

bool TiEditCustom::FilterChar(QChar)
{
    return true;
}

void TiEditCustom::Beep()
{
    QApplication::beep();
}

void TiEditCustom::InsertTyped(QChar c)
{
    if (!FilterChar(c))
        return;
    if (maxLength_ > 0 && buffer_.length() >= maxLength_ && !buffer_.hasSelection()) {
        Beep();
        return;
    }
    buffer_.insert(QString(c));
    EditChanged();
}

void TiEditCustom::MoveCaretTo(int pos, bool extend)
{
    buffer_.moveCaret(pos, extend);
    EditChanged();
}

// After every change of text, caret or selection: the caret shows at once and
// the field repaints.
void TiEditCustom::EditChanged()
{
    RestartCaretBlink();
    InvalidateChange();
}

// --- Clipboard ---

void TiEditCustom::CopyToClipboard()
{
    const QString text = ErrorActive() ? ErrorText() : buffer_.selectedText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void TiEditCustom::CutToClipboard()
{
    CopyToClipboard();
    if (!ErrorActive())
        ClearSelection();
}

// Inserts the first line of the clipboard text at the caret, replacing the
// selection. With MaxLength the text is cut to the room left once the
// selection is gone, so a full field can still take a paste over a selection.
void TiEditCustom::PasteFromClipboard()
{
    if (ErrorActive())
        return;
    QString text = FirstLine(QGuiApplication::clipboard()->text());
    if (maxLength_ > 0) {
        const int room = maxLength_ - (buffer_.length() - buffer_.selectionLength());
        text = text.left(std::max(room, 0));
    }
    if (text.isEmpty())
        return;
    buffer_.insert(text);
    EditChanged();
}

// --- Keys ---

void TiEditCustom::UserKeyDown(int& key, TShiftState shift)
{
    keyHandledOnDown_ = HandleShortcut(key, shift);
    if (keyHandledOnDown_)
        return;
    const bool extend = (shift & ssShift) != 0;
    const bool ctrl = (shift & ssCtrl) != 0;
    switch (key) {
    case Qt::Key_Left:
        MoveCaretTo(ctrl ? 0 : buffer_.caret() - 1, extend);
        break;
    case Qt::Key_Right:
        MoveCaretTo(ctrl ? buffer_.length() : buffer_.caret() + 1, extend);
        break;
    case Qt::Key_Home:
        MoveCaretTo(0, extend);
        break;
    case Qt::Key_End:
        MoveCaretTo(buffer_.length(), extend);
        break;
    case Qt::Key_Delete:
        if (!buffer_.deleteSelection())
            buffer_.deleteForward();
        EditChanged();
        break;
    default:
        return;
    }
    keyHandledOnDown_ = true;
}

// The editing keys that arrive as key codes: Ctrl+letter shortcuts, Escape,
// Enter and Backspace. Returns true when the key was one of them.
bool TiEditCustom::HandleShortcut(int key, TShiftState shift)
{
    const bool ctrl = (shift & ssCtrl) != 0 && (shift & ssAlt) == 0;
    if (ctrl) {
        switch (key) {
        case Qt::Key_A: return HandleControlChar(kCtrlA);
        case Qt::Key_C: return HandleControlChar(kCtrlC);
        case Qt::Key_X: return HandleControlChar(kCtrlX);
        case Qt::Key_V: return HandleControlChar(kCtrlV);
        case Qt::Key_Z: return HandleControlChar(kCtrlZ);
        default: break;
        }
    }
    switch (key) {
    case Qt::Key_Escape: return HandleControlChar(kEscape);
    case Qt::Key_Return:
    case Qt::Key_Enter: return HandleControlChar(kEnter);
    case Qt::Key_Backspace: return HandleControlChar(kBackspace);
    default: return false;
    }
}

void TiEditCustom::UserKeyPress(QChar& key)
{
    if (keyHandledOnDown_) {
        keyHandledOnDown_ = false;
        return;
    }
    if (HandleControlChar(key) || IsControlChar(key))
        return;
    InsertTyped(key);
}

bool TiEditCustom::HandleControlChar(QChar key)
{
    if (key == kCtrlA)
        SelectAll();
    else if (key == kCtrlC)
        CopyToClipboard();
    else if (key == kCtrlX)
        CutToClipboard();
    else if (key == kCtrlV)
        PasteFromClipboard();
    else if (key == kCtrlZ || key == kEscape)
        Undo();
    else if (key == kEnter) {
        // Enter accepts, then selects all, whatever AutoSelect says.
        AcceptEntry();
        SelectAll();
    }
    else if (key == kBackspace) {
        buffer_.backspace();
        EditChanged();
    } else
        return false;
    return true;
}

// --- Mouse ---

void TiEditCustom::UserMouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (!Focused()) {
        setFocus(Qt::MouseFocusReason);
        if (autoSelect_) {
            SelectAll();
            if (button == mbLeft)
                return;  // the focusing click keeps the whole-text selection
        }
    }
    if (button == mbRight && contextMenuPolicy() == Qt::DefaultContextMenu) {
        ShowContextMenu(x, y);
        return;
    }
    const int index = CharIndexAt(x);
    mouseSelecting_ = true;
    if (doubleClicked_)
        buffer_.placeCaret(index);
    else
        buffer_.moveCaret(index, false);
    EditChanged();
}

void TiEditCustom::UserMouseMove(TShiftState, int x, int)
{
    if (!mouseSelecting_)
        return;
    const int index = CharIndexAt(x);
    if (index == buffer_.caret())
        return;
    MoveCaretTo(index, true);
}

void TiEditCustom::UserMouseUp(TMouseButton, TShiftState, int, int)
{
    mouseSelecting_ = false;
    doubleClicked_ = false;
}

void TiEditCustom::CancelMouseInteraction()
{
    mouseSelecting_ = false;
    doubleClicked_ = false;
}

void TiEditCustom::UserDoubleClick()
{
    SelectAll();
    doubleClicked_ = true;
}

void TiEditCustom::contextMenuEvent(QContextMenuEvent* event)
{
    // The built-in menu opens on the right-button press; keep the platform's
    // context-menu request from reaching the parent as well.
    event->accept();
}

int TiEditCustom::CharIndexAt(int x)
{
    const TextLayout layout = Layout(MeasureCanvas(*font_));
    TCanvas& canvas = MeasureCanvas(*font_);
    int previousRight = layout.left;
    for (int i = 0; i < layout.shown.size(); ++i) {
        const int right = layout.left + canvas.TextWidth(layout.shown.left(i + 1));
        if (x < (previousRight + right) / 2)
            return layout.first + i;
        previousRight = right;
    }
    return layout.first + static_cast<int>(layout.shown.size());
}

// --- Context menu ---

void TiEditCustom::CreateMenu()
{
    menu_ = new QMenu(this);
    applyAction_ = menu_->addAction(QStringLiteral("Apply"), this, [this] { ApplyFromMenu(); });
    undoAction_ = menu_->addAction(QStringLiteral("Undo"), this, [this] { RunMenuAction(&TiEditCustom::Undo); });
    menu_->addSeparator();
    cutAction_ = menu_->addAction(QStringLiteral("Cut"), this, [this] { RunMenuAction(&TiEditCustom::CutToClipboard); });
    copyAction_ = menu_->addAction(QStringLiteral("Copy"), this, [this] { RunMenuAction(&TiEditCustom::CopyToClipboard); });
    pasteAction_ =
        menu_->addAction(QStringLiteral("Paste"), this, [this] { RunMenuAction(&TiEditCustom::PasteFromClipboard); });
    deleteAction_ =
        menu_->addAction(QStringLiteral("Delete"), this, [this] { RunMenuAction(&TiEditCustom::ClearSelection); });
    menu_->addSeparator();
    selectAllAction_ =
        menu_->addAction(QStringLiteral("Select All"), this, [this] { RunMenuAction(&TiEditCustom::SelectAll); });
}

// Menu items are the operator's actions: they run with the user-interaction
// flag set, and nothing they throw escapes into the platform's menu handling.
void TiEditCustom::RunMenuAction(void (TiEditCustom::*action)())
{
    UserInteractionScope scope(*this);
    try {
        (this->*action)();
    } catch (const std::exception&) {
        Beep();
    }
}

void TiEditCustom::ApplyFromMenu()
{
    RunMenuAction(&TiEditCustom::AcceptEntry);
}

void TiEditCustom::UpdateContextMenuStates()
{
    const bool error = ErrorActive();
    const bool selection = buffer_.hasSelection();
    applyAction_->setEnabled(buffer_.isModified() && !error);
    undoAction_->setEnabled(buffer_.isModified() && !error);
    cutAction_->setEnabled(selection && !error);
    deleteAction_->setEnabled(selection && !error);
    copyAction_->setEnabled(selection || error);
    pasteAction_->setEnabled(!QGuiApplication::clipboard()->text().isEmpty() && !error);
    selectAllAction_->setEnabled(!buffer_.selectionCoversAll());
}

void TiEditCustom::ShowContextMenu(int x, int y)
{
    UpdateContextMenuStates();
    menu_->popup(mapToGlobal(QPoint(x, y)));
}

// --- Focus and caret ---

void TiEditCustom::DoGotFocus()
{
    TiCustomComponent::DoGotFocus();
    if (!ErrorActive()) {
        caretCreated_ = true;
        RestartCaretBlink();
    }
    InvalidateChange();
}

void TiEditCustom::DoLostFocus()
{
    TiCustomComponent::DoLostFocus();
    DestroyCaret();
    mouseSelecting_ = false;
    if (acceptOnLostFocus_) {
        try {
            AcceptEntry();
        } catch (const std::exception&) {
            // A text that does not parse stays in the field, not accepted.
            Beep();
        }
    }
    InvalidateChange();
}

void TiEditCustom::DestroyCaret()
{
    caretCreated_ = false;
    caretShown_ = false;
    caretTimer_.stop();
}

// Like a platform caret: visible at once after it moves, then blinking at the
// platform's cursor flash rate.
void TiEditCustom::RestartCaretBlink()
{
    if (!caretCreated_)
        return;
    caretShown_ = true;
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (flashTime > 0)
        caretTimer_.start(flashTime / 2);
}

void TiEditCustom::BlinkCaret()
{
    if (!caretCreated_) {
        caretTimer_.stop();
        return;
    }
    caretShown_ = !caretShown_;
    InvalidateChange();
}

// --- Painting ---

TCanvas& TiEditCustom::MeasureCanvas(const TFont& font)
{
    TCanvas& canvas = measureBitmap_->Canvas();
    canvas.Font.Assign(font);
    return canvas;
}

// Where the visible characters go: the window of characters follows the caret
// when the text is wider than the room left by the bevel and the margin.
TiEditCustom::TextLayout TiEditCustom::Layout(TCanvas& canvas)
{
    const int b = BorderMargin();
    const QString& text = buffer_.text();
    const int room = Width() - 2 * b - alignmentMargin_;
    window_ = scrollVisibleWindow(window_, buffer_.caret(), buffer_.length(), room, [&](int first, int count) {
        return canvas.TextWidth(text.mid(first, count));
    });
    TextLayout layout;
    layout.first = window_.first;
    layout.shown = text.mid(window_.first, std::max(window_.last - window_.first + 1, 0));
    layout.top = b + 1;
    layout.height = canvas.TextHeight(layout.shown.isEmpty() ? QStringLiteral("ABC") : layout.shown);
    const int width = canvas.TextWidth(layout.shown);
    switch (alignment_) {
    case taLeftJustify: layout.left = b + alignmentMargin_ + 1; break;
    case taRightJustify: layout.left = Width() - b - alignmentMargin_ - 2 - width; break;
    case taCenter: layout.left = Width() / 2 - width / 2; break;
    }
    return layout;
}

void TiEditCustom::PaintContent(TCanvas& canvas)
{
    DrawBackground(canvas, ErrorActive() ? ErrorBackGroundColor() : color_);
    canvas.Brush.Style = bsClear;
    if (ErrorActive()) {
        canvas.Font.Assign(*ErrorFont());
        const int b = BorderMargin();
        const int width = canvas.TextWidth(ErrorText());
        int left = b + alignmentMargin_ + 1;
        if (alignment_ == taRightJustify)
            left = Width() - b - alignmentMargin_ - 2 - width;
        else if (alignment_ == taCenter)
            left = Width() / 2 - width / 2;
        canvas.TextOut(left, b + 1, ErrorText());
        // No caret while the error shows: the focus frame inside the border shows the focus.
        if (Focused())
            DrawFocusRectangle(canvas, TRect(b, b, Width() - b, Height() - b), ErrorBackGroundColor());
    } else {
        canvas.Font.Assign(*font_);
        const TextLayout layout = Layout(canvas);
        canvas.TextOut(layout.left, layout.top, layout.shown);
        if (Focused()) {
            DrawSelection(canvas, layout);
            DrawCaret(canvas, layout);
        }
    }
    DrawBorder(canvas);
}

void TiEditCustom::DrawSelection(TCanvas& canvas, const TextLayout& layout)
{
    const int shownEnd = layout.first + static_cast<int>(layout.shown.size());
    const int from = std::max(buffer_.selectionStart(), layout.first);
    const int to = std::min(buffer_.selectionStart() + buffer_.selectionLength(), shownEnd);
    if (to <= from)
        return;
    const QString before = layout.shown.left(from - layout.first);
    const QString selected = layout.shown.mid(from - layout.first, to - from);
    const int x = layout.left + canvas.TextWidth(before);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clHighlight;
    canvas.FillRect(TRect(x, layout.top, x + canvas.TextWidth(selected), layout.top + layout.height));
    canvas.Brush.Style = bsClear;
    const TColor fontColor = canvas.Font.Color();
    canvas.Font.SetColor(clWhite);
    canvas.TextOut(x, layout.top, selected);
    canvas.Font.SetColor(fontColor);
}

// The caret inverts a one-pixel column at the caret slot, top 3, as tall as "ABC".
void TiEditCustom::DrawCaret(TCanvas& canvas, const TextLayout& layout)
{
    if (!caretCreated_ || !caretShown_)
        return;
    const int offset = std::clamp(buffer_.caret() - layout.first, 0, static_cast<int>(layout.shown.size()));
    const int x = layout.left + canvas.TextWidth(layout.shown.left(offset));
    const int height = canvas.TextHeight(QStringLiteral("ABC"));
    for (int y = 3; y < 3 + height; ++y)
        canvas.SetPixel(x, y, ColorToRGB(canvas.GetPixel(x, y)) ^ 0xFFFFFFu);
}
