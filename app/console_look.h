// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas/colors.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

class QFrame;
class QPlainTextEdit;
class QWidget;

// Looks shared by the console's windows: fonts by their design names, interface colours,
// bevelled panels.

inline const char* const FontMsSansSerif = "MS Sans Serif";
inline const char* const FontSong = "宋体";

// The client area of the main window (its design outer size less the frame).
inline constexpr QSize ConsoleClientSize(868, 551);

inline constexpr TColor ColorSkyBlue = 0xF0CAA6;

// A font by its design name and height in pixels (negative: character height).
QFont ConsoleFont(const char* name, int height, bool bold = false);

// A panel in the button-face colour with a raised edge or a two-pixel sunken one.
enum class PanelBevel { Raised, LoweredTwice };
QFrame* MakePanel(QWidget* parent, const QRect& bounds, PanelBevel bevel);

void SetBackground(QWidget* widget, TColor color);
void SetTextColor(QWidget* widget, TColor color);
// The colour of an entry field (the edit of a combo and its list), leaving the widget's
// window colour to its parent.
void SetFieldColor(QWidget* widget, TColor color);
void SetRightAligned(QPlainTextEdit* memo);
