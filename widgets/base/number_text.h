// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The number text of the instruments: the scale labels, the knob's read-out,
// the numeric display and the numeric edit all print a value by this rule.

#include <QChar>
#include <QString>

#include <limits>

// The most decimals a number is printed with. The exact binary value of every
// double ends within this many decimals (its smallest step, 2^-1074, has
// exactly 1074), so more decimals would only append zeros. A larger precision
// prints this many: an absurd one from a property file (2147483647) gives
// some 1400 characters instead of gigabytes.
inline constexpr int kMaxNumberDecimals =
    std::numeric_limits<double>::digits - std::numeric_limits<double>::min_exponent;
static_assert(kMaxNumberDecimals == 1074);

// decimals >= 0: fixed notation with exactly that many decimals (at most
// kMaxNumberDecimals), correctly rounded from the exact binary value, ties to
// even, a leading minus for negative values, no grouping and no padding.
// decimals < 0: general notation with up to 15 significant digits, trailing
// zeros dropped. The '.' becomes `decimalPoint`; `units` follows directly.
// Examples: (25, 0, "'C") gives "25'C", (12.3, 2) "12.30", (1e20, -1) "1e+20".
QString FormatNumber(double value, int decimals, const QString& units, QChar decimalPoint);

// The decimal separator of the user's locale ('.' if the locale names none).
QChar LocaleDecimalPoint();
