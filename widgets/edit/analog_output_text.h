// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

#include <optional>

// Text rules of the numeric edit: how a typed text becomes a value again, and
// which typed characters are let in (a value becomes text by the instruments'
// number text, widgets/base/number_text.h). The decimal separator is passed in
// so the rules do not depend on global state.

// Removes every occurrence of the trimmed units (case-insensitively), then reads
// a decimal number: optional sign, digits with at most one decimal separator,
// optional exponent, surrounding blanks allowed. Returns nothing for anything
// else, including infinities, NaN and values out of the double range.
std::optional<double> parseAnalogOutputText(const QString& text, const QString& units,
                                            QChar decimalPoint);

// The automatic keystroke filter: digits, "-", the decimal separator (only when
// precision is not 0) and any character of the units (case-insensitively).
bool analogOutputAcceptsChar(QChar c, int precision, const QString& units,
                             QChar decimalPoint);
