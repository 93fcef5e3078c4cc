// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/number_text.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <charconv>

namespace {

// The longest text: a sign, the 309 integer digits of the largest double, the
// point and every decimal.
constexpr int kMaxNumberChars = 1 + (std::numeric_limits<double>::max_exponent10 + 1) + 1 + kMaxNumberDecimals;

}  // namespace

QString FormatNumber(double value, int decimals, const QString& units, QChar decimalPoint)
{
    std::array<char, kMaxNumberChars> buffer;
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    const std::to_chars_result printed =
        decimals >= 0
            ? std::to_chars(first, last, value, std::chars_format::fixed, std::min(decimals, kMaxNumberDecimals))
            : std::to_chars(first, last, value, std::chars_format::general, 15);
    QString text = printed.ec == std::errc() ? QString::fromLatin1(first, printed.ptr - first) : QString();
    if (decimalPoint != QChar('.'))
        text.replace(QChar('.'), decimalPoint);
    return text + units;
}

QChar LocaleDecimalPoint()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.front();
}
