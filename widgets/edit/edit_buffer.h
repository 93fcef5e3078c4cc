// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The text model of the canvas-drawn single-line editor: the edited text, the
// accepted text that undo returns to, the caret, and a selection with an anchor.
// It knows nothing about painting, fonts or input events, so every editing rule
// can be exercised on its own.
//
// Indices count characters (UTF-16 code units) from 0; the caret lies between
// characters, 0 .. length. A selection is [selectionStart, selectionStart +
// selectionLength); the anchor is where a keyboard or mouse selection began and
// stays put while the caret end moves.
class EditBuffer
{
public:
    const QString& text() const { return m_text; }  // the edited text
    const QString& acceptedText() const { return m_accepted; }  // the text last accepted, which revert() returns to
    int length() const { return static_cast<int>(m_text.size()); }  // characters in the text
    int caret() const { return m_caret; }  // the caret's index, 0 .. length
    int anchor() const { return m_anchor; }  // where the selection began
    int selectionStart() const { return m_selStart; }  // first selected character
    int selectionLength() const { return m_selLength; }  // number of selected characters
    bool hasSelection() const { return m_selLength > 0; }  // whether any character is selected
    QString selectedText() const { return m_text.mid(m_selStart, m_selLength); }  // the selected characters
    // True when the whole text is selected (an empty text counts as covered).
    bool selectionCoversAll() const { return m_selStart == 0 && m_selLength == length(); }
    // The operator has typed something that was not accepted yet.
    bool isModified() const { return m_text != m_accepted; }

    // Replaces the text, clears the selection and puts the caret at the start.
    // Returns false (and changes nothing) when the text is already the same.
    bool setText(const QString& text);
    void setAcceptedText(const QString& text) { m_accepted = text; }  // sets the text revert() returns to
    // The edited text becomes the accepted text.
    void accept() { m_accepted = m_text; }
    // Back to the accepted text, selection cleared, caret at the start.
    void revert();

    // Selects [start, start + length) after clamping to the text; the anchor is
    // put at the start and the caret at the end of the range.
    void select(int start, int length);
    void selectAll() { select(0, length()); }  // selects the whole text
    // Collapses the selection at the caret, which becomes the anchor.
    void collapseSelection();

    // Moves the caret to pos (clamped). Without extend the selection collapses
    // there; with extend the selection runs from the anchor to pos, the anchor
    // being the caret position at the moment the selection began.
    void moveCaret(int pos, bool extend);
    // Puts the caret at pos (clamped) and leaves the selection and anchor as
    // they are (a press right after a double click keeps the whole-text selection).
    void placeCaret(int pos);

    // Inserts at the caret, replacing the selection; the caret ends after it.
    void insert(const QString& s);
    // Deletes the selected characters; false when nothing was selected.
    bool deleteSelection();
    // The selection, or else the character before the caret.
    void backspace();
    // The selection, or else the character after the caret.
    void deleteForward();

private:
    int clamp(int pos) const;
    void setSelectionFromAnchor();

    QString m_text;
    QString m_accepted;
    int m_caret = 0;
    int m_anchor = 0;
    int m_selStart = 0;
    int m_selLength = 0;
};
