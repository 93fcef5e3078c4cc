// SPDX-License-Identifier: GPL-3.0-or-later
// Text output and measuring of TCanvas.

#include "platform/canvas/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

namespace {

struct PreparedLine {
    QString text;
    int underlineIndex = -1;  // character drawn underlined (accelerator), or -1
};

// Removes "&" accelerator markers: "&&" becomes "&", "&x" marks x.
PreparedLine StripPrefix(const QString& text)
{
    PreparedLine line;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&') && line.underlineIndex < 0)
                line.underlineIndex = static_cast<int>(line.text.size());
        } else if (text[i] == QLatin1Char('&')) {
            continue;  // a trailing "&" marks nothing
        }
        line.text += text[i];
    }
    return line;
}

QString ExpandTabs(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('\t')) {
            do
                out += QLatin1Char(' ');
            while (out.size() % 8 != 0);
        } else {
            out += c;
        }
    }
    return out;
}

// Splits a paragraph at spaces so that each line fits `width` where possible;
// a word wider than the width keeps a line of its own.
QStringList WrapWords(const QString& paragraph, int width, const QFontMetrics& fm)
{
    QStringList lines;
    QString current;
    for (const QString& word : paragraph.split(QLatin1Char(' '))) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            lines << current;
            current = word;
        } else {
            current = candidate;
        }
    }
    lines << current;
    return lines;
}

QString ElideWords(const QString& text, int width, const QFontMetrics& fm)
{
    const QString ellipsis = QStringLiteral("...");
    QStringList words = text.split(QLatin1Char(' '));
    while (!words.isEmpty()) {
        const QString candidate = words.join(QLatin1Char(' ')) + ellipsis;
        if (fm.horizontalAdvance(candidate) <= width)
            return candidate;
        words.removeLast();
    }
    return ellipsis;
}

QString ApplyEllipsis(const QString& text, int width, TextFormatOptions options, const QFontMetrics& fm)
{
    if (fm.horizontalAdvance(text) <= width)
        return text;
    if (options.Has(TextFormatOptions::EndEllipsis))
        return fm.elidedText(text, Qt::ElideRight, width);
    if (options.Has(TextFormatOptions::PathEllipsis))
        return fm.elidedText(text, Qt::ElideMiddle, width);
    if (options.Has(TextFormatOptions::WordEllipsis))
        return ElideWords(text, width, fm);
    return text;
}

}  // namespace

void TCanvas::TextOut(int x, int y, const QString& text)
{
    QPainter& p = Painter();
    const QFont font = Font.ToQFont();
    const QFontMetrics fm(font, image_);
    if (Brush.Style != bsClear)
        p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(Brush.Color));
    ApplyFont(p);
    p.drawText(x, y + fm.ascent(), text);
    penPos_ = {x + fm.horizontalAdvance(text), y};
}

int TCanvas::TextWidth(const QString& text) { return TextExtent(text).cx; }
int TCanvas::TextHeight(const QString& text) { return TextExtent(text).cy; }

TSize TCanvas::TextExtent(const QString& text)
{
    const QFontMetrics fm(Font.ToQFont(), image_);
    return {fm.horizontalAdvance(text), fm.height()};
}

int TCanvas::DrawText(const QString& source, TRect& rect, TextFormatOptions options, QString* modified)
{
    const QFontMetrics fm(Font.ToQFont(), image_);
    QString text = options.Has(TextFormatOptions::ExpandTabs) ? ExpandTabs(source) : source;
    const bool single = options.Has(TextFormatOptions::SingleLine);

    // Break into lines.
    QStringList rawLines;
    if (single) {
        text.remove(QLatin1Char('\r'));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        rawLines << text;
    } else {
        text.remove(QLatin1Char('\r'));
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            if (options.Has(TextFormatOptions::WordBreak))
                rawLines << WrapWords(paragraph, rect.Width(), fm);
            else
                rawLines << paragraph;
        }
    }

    std::vector<PreparedLine> lines;
    int widest = 0;
    for (const QString& raw : rawLines) {
        PreparedLine line = options.Has(TextFormatOptions::Prefix) ? StripPrefix(raw) : PreparedLine{raw, -1};
        line.text = ApplyEllipsis(line.text, rect.Width(), options, fm);
        widest = std::max(widest, fm.horizontalAdvance(line.text));
        lines.push_back(line);
    }
    if (modified != nullptr && options.Has(TextFormatOptions::ModifyString) && lines.size() == 1)
        *modified = lines.front().text;

    const int lineHeight = fm.height();
    const int height = lineHeight * static_cast<int>(lines.size());
    if (options.Has(TextFormatOptions::CalcRect)) {
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + height;
        return height;
    }

    int top = rect.Top;
    if (single && options.Has(TextFormatOptions::AlignVCenter))
        top = (rect.Top + rect.Bottom - height) / 2;
    else if (single && options.Has(TextFormatOptions::AlignBottom))
        top = rect.Bottom - height;

    QPainter& p = Painter();
    p.save();
    if (!options.Has(TextFormatOptions::NoClip))
        p.setClipRect(rect.ToQRect(), hasClip_ ? Qt::IntersectClip : Qt::ReplaceClip);
    int y = top;
    for (const PreparedLine& line : lines) {
        const int w = fm.horizontalAdvance(line.text);
        int x = rect.Left;
        if (options.Has(TextFormatOptions::AlignCenter))
            x = (rect.Left + rect.Right - w) / 2;
        else if (options.Has(TextFormatOptions::AlignRight))
            x = rect.Right - w;
        if (Brush.Style != bsClear)
            p.fillRect(QRect(x, y, w, lineHeight), ToQColor(Brush.Color));
        ApplyFont(p);
        p.drawText(x, y + fm.ascent(), line.text);
        if (line.underlineIndex >= 0 && line.underlineIndex < line.text.size()) {
            const int ux = x + fm.horizontalAdvance(line.text.left(line.underlineIndex));
            const int uw = fm.horizontalAdvance(line.text.at(line.underlineIndex));
            p.fillRect(QRect(ux, y + fm.ascent() + 1, uw, 1), ToQColor(Font.Color()));
        }
        y += lineHeight;
    }
    p.restore();
    if (single && (options.Has(TextFormatOptions::AlignVCenter) || options.Has(TextFormatOptions::AlignBottom)))
        return top + height - rect.Top;
    return height;
}
