// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Room for captions that a translation makes longer than the room the window was laid
// out for. The windows have a fixed size and fixed positions; each rule here leaves a
// caption that fits exactly where it is, so the console's own layout is untouched, and
// moves, widens or wraps only a caption that would run into its neighbour or out of its
// control.

#include <QStringList>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;
class TiLabel;

// Blank space kept between a caption's text and the control after it.
inline constexpr int CaptionGap = 6;

// Captions standing in a column left of their fields, which begin at fieldLeft. When any
// caption's text runs into the gap before its field, every caption of the column is
// right-aligned to end there, as none then starts left of leftLimit.
void RightAlignColumnBeforeFields(const std::vector<QLabel*>& captions, int fieldLeft, int leftLimit);

// A button that alternates between `captions`: when one of them does not fit, the button
// widens to the left to fit the widest, keeping its right edge, as far as leftLimit.
void WidenButtonLeftwards(QPushButton* button, const QStringList& captions, int leftLimit);

// A check box whose caption does not fit widens to the right, as far as rightLimit.
void WidenCheckBoxRightwards(QCheckBox* box, int rightLimit);

// An instrument caption whose text runs into the gap before rightLimit wraps at its
// blanks within the room before it.
void WrapCaptionBefore(TiLabel* caption, int rightLimit);

// Where a caption's text ends: its left edge plus the text's advance, trailing blanks not
// counted (the console's captions keep blanks after the colon).
int CaptionTextEnd(const QLabel* caption);
