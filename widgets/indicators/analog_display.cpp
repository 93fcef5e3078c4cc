// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/analog_display.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/enum_range.h"

#include <QLocale>
#include <algorithm>

namespace {

// More decimals than a double can carry only pad with zeros; an absurd
// precision (from a property file, say) must not build a gigabyte of text.
constexpr int kMaxDecimals = 64;

}  // namespace

QString FormatDisplayValue(double value, int precision, const QString& units, QChar decimalPoint)
{
    QString text;
    if (precision >= 0)
        text = QString::asprintf("%.*f", std::min(precision, kMaxDecimals), value);
    else
        text = QString::asprintf("%.15g", value);
    if (decimalPoint != QChar('.'))
        text.replace(QChar('.'), decimalPoint);
    return text.trimmed() + units;
}

TiAnalogDisplay::TiAnalogDisplay(QWidget* parent) : TiCustomComponent(parent), font_(std::make_unique<TFont>())
{
    resize(80, 21);
    SetBackGroundColor(clBlack);
    SetBorderStyle(ibsLowered);
    font_->SetBold(true);
    font_->SetColor(clAqua);
    connect(font_.get(), &TFont::Changed, this, [this] { InvalidateChange(); });
}

TiAnalogDisplay::~TiAnalogDisplay() = default;

void TiAnalogDisplay::SetAlignment(TiAlignmentHorizontal value)
{
    if (value == alignment_ || !InEnumRange(value, iahCenter, iahRight))
        return;
    alignment_ = value;
    InvalidateChange();
}

void TiAnalogDisplay::SetFont(const TFont* value)
{
    if (value)
        font_->Assign(*value);
}

void TiAnalogDisplay::SetValue(double value)
{
    if (value == value_)
        return;
    if (!AskVetoHook(QStringLiteral("Value")))
        return;
    value_ = value;
    InvalidateChange();
    NotifyChangeHook(QStringLiteral("Value"));
    if (OnChange)
        OnChange(this);
}

QString TiAnalogDisplay::DisplayText() const
{
    return FormatDisplayValue(value_, precision_, unitsText_, QLocale().decimalPoint().at(0));
}

void TiAnalogDisplay::PaintContent(TCanvas& canvas)
{
    const TColor background = ErrorActive() ? ErrorBackGroundColor() : BackGroundColor();
    if (CachedDrawing()) {
        if (IsBackGroundChanged()) {
            DrawBackground(GetCacheBitmap().Canvas(), background);
            ClearBackGroundChanged();
        }
        DrawCacheBitmap(canvas);
    } else {
        DrawBackground(canvas, background);
    }
    canvas.Font.Assign(ErrorActive() ? *ErrorFont() : *font_);
    canvas.Brush.Style = bsClear;
    TRect rect = TextRect();
    DrawTextInRect(canvas, ErrorActive() ? ErrorText() : DisplayText(), rect, background, true, TextOptions());
}

TRect TiAnalogDisplay::TextRect() const
{
    const int bottom = BorderStyle() == ibsLowered ? Height() - 4 : Height() - 2;
    switch (alignment_) {
    case iahLeft:
        return TRect(alignmentMargin_ + 2, 2, Width() - 2, bottom);
    case iahRight:
        return TRect(2, 2, Width() - alignmentMargin_ - 2, bottom);
    case iahCenter:
        break;
    }
    return TRect(2, 2, Width() - 2, bottom);
}

TextFormatOptions TiAnalogDisplay::TextOptions() const
{
    using O = TextFormatOptions;
    TextFormatOptions options = O::SingleLine | O::AlignVCenter | HorizontalAlignmentOptions(alignment_);
    return options;
}
