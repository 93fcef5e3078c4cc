// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/analog_display.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/enum_range.h"
#include "widgets/base/number_text.h"

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
    return FormatNumber(value_, precision_, unitsText_, LocaleDecimalPoint());
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
