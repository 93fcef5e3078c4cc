// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/analog_output_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QChar('0') && c <= QChar('9');
}

// Checks the number grammar and rewrites it in ASCII with '.' as separator.
std::optional<std::string> normalizeNumber(const QString& s, QChar decimalPoint)
{
    std::string out;
    int i = 0;
    const int n = static_cast<int>(s.size());
    if (i < n && (s[i] == QChar('-') || s[i] == QChar('+'))) {
        if (s[i] == QChar('-'))
            out += '-';
        ++i;
    }
    int mantissaDigits = 0;
    for (; i < n && isAsciiDigit(s[i]); ++i, ++mantissaDigits)
        out += static_cast<char>(s[i].unicode());
    if (i < n && s[i] == decimalPoint) {
        out += '.';
        for (++i; i < n && isAsciiDigit(s[i]); ++i, ++mantissaDigits)
            out += static_cast<char>(s[i].unicode());
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (s[i] == QChar('e') || s[i] == QChar('E'))) {
        out += 'e';
        ++i;
        if (i < n && (s[i] == QChar('-') || s[i] == QChar('+')))
            out += static_cast<char>(s[i++].unicode());
        int exponentDigits = 0;
        for (; i < n && isAsciiDigit(s[i]); ++i, ++exponentDigits)
            out += static_cast<char>(s[i].unicode());
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<double> parseAnalogOutputText(const QString& text, const QString& units,
                                            QChar decimalPoint)
{
    QString rest = text;
    const QString trimmedUnits = units.trimmed();
    if (!trimmedUnits.isEmpty())
        rest.remove(trimmedUnits, Qt::CaseInsensitive);
    const std::optional<std::string> ascii = normalizeNumber(rest.trimmed(), decimalPoint);
    if (!ascii)
        return std::nullopt;
    double value = 0.0;
    const char* begin = ascii->data();
    const char* end = begin + ascii->size();
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool analogOutputAcceptsChar(QChar c, int precision, const QString& units, QChar decimalPoint)
{
    if (isAsciiDigit(c) || c == QChar('-'))
        return true;
    if (c == decimalPoint && precision != 0)
        return true;
    return units.contains(c, Qt::CaseInsensitive);
}
