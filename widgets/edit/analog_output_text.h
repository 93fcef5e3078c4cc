// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

#include <optional>

// Text rules of the numeric edit: how a value becomes the shown text, how a
// typed text becomes a value again, and which typed characters are let in.
// The decimal separator is passed in so the rules do not depend on global state.

// The decimal separator of the user's locale.
QChar localeDecimalPoint();

// precision >= 0: fixed notation with exactly that many decimals (rounded, no
// thousands separators, leading minus for negatives); precision < 0: general
// notation with up to 15 significant digits. The number is trimmed and units
// appended with nothing between ("25'C", "12.30").
QString formatAnalogOutputValue(double value, int precision, const QString& units,
                                QChar decimalPoint);

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
