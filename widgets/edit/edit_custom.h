// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiEditCustom: a single-line text editor drawn entirely on the widget canvas.
// It keeps its own text, caret, selection with anchor, the accepted text that
// undo returns to, and a built-in context menu ("Apply", "Undo", "Cut", "Copy",
// "Paste", "Delete", "Select All"). Descendants (the numeric field) override
// the accept, select-all and keystroke-filter steps.
//
// Keys: Ctrl+A selects all, Ctrl+C copies, Ctrl+X cuts, Ctrl+V pastes, Ctrl+Z
// and Escape undo, Enter accepts the entry and selects all, Backspace and
// Delete delete; Left/Right/Home/End move the caret (Ctrl+Left/Right to the
// ends), with Shift extending the selection from its anchor. Other characters
// pass the filter and are inserted at the caret; with MaxLength non-zero the
// field takes no more than MaxLength characters (the platform beeps).

#include "widgets/base/component.h"
#include "widgets/edit/edit_buffer.h"
#include "widgets/edit/edit_visible_window.h"

#include <QTimer>
#include <memory>

class QAction;
class QMenu;

// A single-line text editor drawn on the canvas, with its own caret, selection, undo to the accepted text and context menu; the base of the numeric field.
class TiEditCustom : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int AlignmentMargin READ AlignmentMargin WRITE SetAlignmentMargin)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(bool AcceptOnLostFocus READ AcceptOnLostFocus WRITE SetAcceptOnLostFocus)
    Q_PROPERTY(TColorProperty Color READ Color WRITE SetColor)
    Q_PROPERTY(TiEnums::TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)

public:
    // Horizontal alignment of the text in the field.
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    explicit TiEditCustom(QWidget* parent = nullptr);  // creates an 80 x 21 field with a lowered border that Tab reaches
    ~TiEditCustom() override;

    // The entry was accepted (for the numeric field: its value changed).
    TNotifyEvent OnChange;
    // Unpublished: called after an automatic height change.
    TNotifyEvent OnResize;

    TAlignment Alignment() const { return alignment_; }  // horizontal alignment of the text; a change repaints
    virtual void SetAlignment(TAlignment value);  // an unknown value is ignored
    int AlignmentMargin() const { return alignmentMargin_; }  // pixels kept free between the text and the border on the aligned side; a change repaints
    void SetAlignmentMargin(int value) { SetProperty(value, alignmentMargin_, ickInvalidate); }  // repaints
    bool AutoSelect() const { return autoSelect_; }  // whether accepting the entry, undoing and the click that focuses the field select all the text (on by default)
    void SetAutoSelect(bool value) { SetProperty(value, autoSelect_, ickStoreOnly); }  // stored only
    bool AutoSize() const { return autoSize_; }  // whether the field's height follows its font and border (its width stays; on by default)
    void SetAutoSize(bool value);  // adjusts the height and repaints
    int MaxLength() const { return maxLength_; }  // most characters typing or pasting may make (0: no limit)
    void SetMaxLength(int value) { SetProperty(value, maxLength_, ickStoreOnly); }  // stored only; an existing longer text stays
    TFont* Font() const { return font_.get(); }  // font of the text, owned by the field; a change adjusts the height (AutoSize) and repaints
    void SetFont(const TFont* value);  // copies the attributes
    bool AcceptOnLostFocus() const { return acceptOnLostFocus_; }  // whether losing the focus accepts the entry (on by default; a text that is not valid stays unaccepted, with a beep)
    void SetAcceptOnLostFocus(bool value) { acceptOnLostFocus_ = value; }  // stored only
    TColor Color() const { return color_; }  // the field's background colour (the window colour by default); a change repaints
    void SetColor(TColor value) { SetProperty(value, color_, ickInvalidate); }  // repaints
    void SetBorderStyle(TiBevelStyle value) override;  // also adjusts the height (AutoSize)

    // --- Editor state ---
    const QString& Text() const { return buffer_.text(); }  // the text in the field, accepted or not
    const QString& AcceptedText() const { return buffer_.acceptedText(); }  // the text last accepted, which Undo returns to
    int SelStart() const { return buffer_.selectionStart(); }  // start of the selection (characters)
    int SelLength() const { return buffer_.selectionLength(); }  // length of the selection (characters)
    QString SelText() const { return buffer_.selectedText(); }  // the selected text
    int CaretIndex() const { return buffer_.caret(); }  // the caret's position in the text (0 .. length)
    EditVisibleWindow VisibleWindow() const { return window_; }  // the part of the text scrolled into view
    bool IsCaretCreated() const { return caretCreated_; }  // whether the field shows a caret (it has the focus and no error text)
    // The blink phase of the caret: true while it is drawn.
    bool IsCaretShown() const { return caretCreated_ && caretShown_; }

    // --- Editing operations (the keys and the menu use these) ---
    // Accepts the entry: the base fires OnChange and makes the text the accepted
    // text, then selects all when AutoSelect. A descendant may throw when the
    // text is not valid.
    virtual void AcceptEntry();
    // Back to the accepted text; selects all when AutoSelect.
    void Undo();
    virtual void SelectAll();  // selects the whole text and repaints
    void CopyToClipboard();  // copies the selection
    void CutToClipboard();  // copies the selection and deletes it
    void PasteFromClipboard();  // replaces the selection with the clipboard text's first line, cut to MaxLength
    // Deletes the selection.
    void ClearSelection();

    // The built-in context menu; its item states are set each time it opens.
    QMenu* ContextMenu() const { return menu_; }
    void UpdateContextMenuStates();  // enables the menu's items that apply now

    // Text position (0 .. length) of the caret slot nearest to the widget x.
    int CharIndexAt(int x);

protected:
    void PaintContent(TCanvas& canvas) override;
    void DoGotFocus() override;
    void DoLostFocus() override;
    void UserKeyDown(int& key, TShiftState shift) override;
    void UserKeyPress(QChar& key) override;
    void UserMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void UserMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void UserMouseMove(TShiftState shift, int x, int y) override;
    void UserDoubleClick() override;
    void CancelMouseInteraction() override;
    void Loaded() override;
    void contextMenuEvent(QContextMenuEvent* event) override;  // swallows the request: the built-in menu opens on the right-button press

    // Replaces the text (when different): selection cleared, caret at the start,
    // the entry accepted, repaint.
    void SetText(const QString& text);
    // The keystroke filter; the base lets every character through.
    virtual bool FilterChar(QChar c);
    // The base editor's change announcement: OnChange, unless loading.
    virtual void DoChange();
    // Selects [start, start + length) and repaints.
    void SelectRange(int start, int length);
    // The platform's warning beep.
    static void Beep();
    // Bevel width: 2 with a border, 0 without.
    int BorderMargin() const { return BorderStyle() == ibsNone ? 0 : 2; }
    EditBuffer& Buffer() { return buffer_; }  // the text model, for descendants

private:
    struct TextLayout {
        QString shown;   // the visible characters
        int first = 0;   // index of the first visible character
        int left = 0;    // x of the first visible character
        int top = 0;
        int height = 0;  // text height
    };

    void CreateMenu();
    void RunMenuAction(void (TiEditCustom::*action)());
    void ApplyFromMenu();
    void ShowContextMenu(int x, int y);
    void FontChanged();
    void AdjustHeight();
    bool HandleControlChar(QChar key);
    bool HandleShortcut(int key, TShiftState shift);
    void InsertTyped(QChar c);
    void MoveCaretTo(int pos, bool extend);
    void EditChanged();
    void RestartCaretBlink();
    void BlinkCaret();
    void DestroyCaret();
    TCanvas& MeasureCanvas(const TFont& font);
    TextLayout Layout(TCanvas& canvas);
    void DrawSelection(TCanvas& canvas, const TextLayout& layout);
    void DrawCaret(TCanvas& canvas, const TextLayout& layout);

    EditBuffer buffer_;
    EditVisibleWindow window_;
    TAlignment alignment_ = taLeftJustify;
    int alignmentMargin_ = 0;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    int maxLength_ = 0;
    std::unique_ptr<TFont> font_;
    bool acceptOnLostFocus_ = true;
    TColor color_ = clWindow;

    bool mouseSelecting_ = false;
    bool doubleClicked_ = false;
    bool caretCreated_ = false;
    bool caretShown_ = false;
    bool adjustingHeight_ = false;
    // Set when a key-down already handled the key, so its character is not
    // handled a second time.
    bool keyHandledOnDown_ = false;
    QTimer caretTimer_;
    std::unique_ptr<TBitmap> measureBitmap_;

    QMenu* menu_ = nullptr;
    QAction* applyAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* cutAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* pasteAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    QAction* selectAllAction_ = nullptr;
};

using TAlignment = TiEditCustom::TAlignment;
using enum TiEditCustom::TAlignment;
