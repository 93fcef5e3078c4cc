// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/edit_buffer.h"

#include <algorithm>

int EditBuffer::clamp(int pos) const
{
    return std::clamp(pos, 0, length());
}

bool EditBuffer::setText(const QString& text)
{
    if (text == m_text)
        return false;
    m_text = text;
    m_caret = 0;
    collapseSelection();
    return true;
}

void EditBuffer::revert()
{
    m_text = m_accepted;
    m_caret = 0;
    collapseSelection();
}

void EditBuffer::select(int start, int length)
{
    const int from = clamp(start);
    const int to = clamp(from + std::max(length, 0));
    m_anchor = from;
    m_caret = to;
    m_selStart = from;
    m_selLength = to - from;
}

void EditBuffer::collapseSelection()
{
    m_caret = clamp(m_caret);
    m_anchor = m_caret;
    m_selStart = m_caret;
    m_selLength = 0;
}

void EditBuffer::setSelectionFromAnchor()
{
    m_selStart = std::min(m_anchor, m_caret);
    m_selLength = std::abs(m_caret - m_anchor);
}

void EditBuffer::moveCaret(int pos, bool extend)
{
    if (!extend) {
        m_caret = clamp(pos);
        collapseSelection();
        return;
    }
    if (!hasSelection())
        m_anchor = m_caret;
    m_caret = clamp(pos);
    setSelectionFromAnchor();
}

void EditBuffer::placeCaret(int pos)
{
    m_caret = clamp(pos);
}

void EditBuffer::insert(const QString& s)
{
    deleteSelection();
    m_caret = clamp(m_caret);
    m_text.insert(m_caret, s);
    m_caret += static_cast<int>(s.size());
    collapseSelection();
}

bool EditBuffer::deleteSelection()
{
    if (!hasSelection())
        return false;
    m_text.remove(m_selStart, m_selLength);
    m_caret = m_selStart;
    collapseSelection();
    return true;
}

void EditBuffer::backspace()
{
    if (deleteSelection() || m_caret == 0)
        return;
    m_text.remove(m_caret - 1, 1);
    --m_caret;
    collapseSelection();
}

void EditBuffer::deleteForward()
{
    if (deleteSelection() || m_caret >= length())
        return;
    m_text.remove(m_caret, 1);
    collapseSelection();
}
