// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/scale_object.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/number_text.h"

#include <algorithm>
#include <cmath>

int ScaleLabelDecimals(TiPrecisionStyle style, int precision, double min, double max)
{
    if (style == ipsFixedDecimalPoints)
        return precision;
    if (precision <= 0)
        return 0;
    // Worked out in doubles: a precision near the int maximum plus the digits of
    // a span below 1 must not overflow, nor an infinite span be cast to int.
    const double span = std::fabs(max - min);
    double n = 0;
    if (span != 0)
        n = precision - (std::trunc(std::log10(span)) + 1);
    if (span < 1)
        n += 1;
    if (!(n > 0))
        return 0;
    return n < kMaxNumberDecimals ? static_cast<int>(n) : kMaxNumberDecimals;
}

TiScaleObject::TiScaleObject(TObject* sender, std::function<void()> changed)
    : sender_(sender), changed_(std::move(changed)), tickLabelFont_(std::make_unique<TFont>())
{
    QObject::connect(tickLabelFont_.get(), &TFont::Changed, [this] { Changed(); });
}

TiScaleObject::~TiScaleObject() = default;

void TiScaleObject::Changed() const
{
    if (changed_)
        changed_();
}

void TiScaleObject::SetTickMajorCount(int v) { Store(tickMajorCount_, std::clamp(v, 2, 100)); }
void TiScaleObject::SetTickMajorLength(int v) { Store(tickMajorLength_, v <= 0 ? 1 : v); }
void TiScaleObject::SetTickMinorCount(int v) { Store(tickMinorCount_, v <= 0 ? 1 : std::min(v, 100)); }
void TiScaleObject::SetTickMinorLength(int v) { Store(tickMinorLength_, v <= 0 ? 1 : v); }
void TiScaleObject::SetTickLabelPrecision(int v) { Store(tickLabelPrecision_, std::max(v, 0)); }

void TiScaleObject::SetTickLabelFont(const TFont* font)
{
    if (font != nullptr)
        tickLabelFont_->Assign(*font);
}

void TiScaleObject::SetTickStartEnd(double start, double end)
{
    tickStart_ = start;
    tickEnd_ = end;
}

int TiScaleObject::LabelDecimals() const
{
    return ScaleLabelDecimals(precisionStyle_, tickLabelPrecision_, min_, max_);
}

QString TiScaleObject::LabelText(double value, int index) const { return LabelText(value, index, LabelDecimals()); }

QString TiScaleObject::LabelText(double value, int index, int decimals) const
{
    QString text = FormatNumber(value, std::max(decimals, 0), QString(), QChar('.'));
    if (OnCustomizeTickLabel)
        OnCustomizeTickLabel(sender_, index, text);
    return text;
}

int TiScaleObject::ValueToPixel(double value) const
{
    if (min_ == max_)
        return (startPixel_ + endPixel_) / 2;
    const int from = reverse_ ? endPixel_ : startPixel_;
    const int to = reverse_ ? startPixel_ : endPixel_;
    return from - RoundHalfEven((value - min_) / (max_ - min_) * (from - to));
}

void TiScaleObject::DrawTick(TCanvas& canvas, int pixel, int from, int to, TiBevelStyle style) const
{
    if (orientation_ == isoVertical)
        DrawBevelLine(canvas, from, pixel, to, pixel, style);
    else
        DrawBevelLine(canvas, pixel, from, pixel, to, style);
}

void TiScaleObject::DrawLabel(TCanvas& canvas, double value, int index, int pixel, int labelBase, int dir,
                              bool enabled, TColor backColor) const
{
    const QString text = LabelText(value, index);
    if (text.isEmpty())
        return;
    const TSize size = canvas.TextExtent(text);
    TRect rect = orientation_ == isoVertical ? CenteredRect(labelBase + dir * (size.cx / 2), pixel, size.cx, size.cy)
                                             : CenteredRect(pixel, labelBase + dir * (size.cy / 2), size.cx, size.cy);
    DrawTextInRect(canvas, text, rect, backColor, enabled,
                   TextFormatOptions::AlignCenter | TextFormatOptions::AlignVCenter | TextFormatOptions::SingleLine);
}

ScaleTickValues TiScaleObject::TickValues() const
{
    const bool fixedTicks = autoScaleEnabled_ && autoScaleStyle_ == iassFixedMinMax;
    ScaleTickValues ticks;
    ticks.start = fixedTicks ? tickStart_ : min_;
    ticks.end = fixedTicks ? tickEnd_ : max_;
    ticks.majorCount = tickMajorCount_;
    ticks.minorCount = tickMinorCount_;
    ticks.minorBeyondEnds = fixedTicks && showTicksMinor_;
    ticks.rangeMin = min_;
    ticks.rangeMax = max_;
    return ticks;
}

// The straight scale's ticks: lines across the scale at the value's pixel,
// bevelled in the tick style (lowered when disabled), labels beside them.
class TiScaleObject::LinearTickPainter final : public ScaleTickPainter {
public:
    LinearTickPainter(const TiScaleObject& scale, TCanvas& canvas, bool enabled, TColor backColor)
        : scale_(scale), canvas_(canvas), enabled_(enabled), backColor_(backColor),
          dir_(scale.side_ == isdBottomRight ? 1 : -1), major_(scale.base_ + dir_ * scale.tickMargin_),
          labelBase_(major_ + dir_ * (scale.tickMajorLength_ + scale.tickLabelMargin_)), minor_(major_),
          majorStyle_(enabled ? scale.tickMajorStyle_ : ibsLowered),
          minorStyle_(enabled ? scale.tickMinorStyle_ : ibsLowered)
    {
        if (scale.tickMinorAlignment_ == itmnaCenter)
            minor_ = scale.base_ + dir_ * (scale.tickMargin_ + scale.tickMajorLength_ / 2 - scale.tickMinorLength_ / 2);
        else if (scale.tickMinorAlignment_ == itmnaOutside)
            minor_ = scale.base_ + dir_ * (scale.tickMargin_ + scale.tickMajorLength_ - scale.tickMinorLength_);
    }

    void MajorTick(double value, int index) override
    {
        const int p = scale_.ValueToPixel(value);
        const bool end = index == 0 || index == scale_.tickMajorCount_ - 1;
        if (scale_.showTicksMajor_ && (scale_.showTicksMajorFirstLast_ || !end)) {
            canvas_.Pen.Color = scale_.tickMajorColor_;
            scale_.DrawTick(canvas_, p, major_, major_ + dir_ * scale_.tickMajorLength_, majorStyle_);
        }
        if (scale_.showTickLabels_)
            scale_.DrawLabel(canvas_, value, index, p, labelBase_, dir_, enabled_, backColor_);
    }

    // Hiding the major ticks hides the minor ticks between them too.
    void MinorTick(double value) override
    {
        if (scale_.showTicksMinor_ && scale_.showTicksMajor_)
            DrawMinor(value, minorStyle_);
    }

    void MinorTickBeyondEnds(double value) override { DrawMinor(value, scale_.tickMinorStyle_); }

private:
    void DrawMinor(double value, TiBevelStyle style)
    {
        canvas_.Pen.Color = scale_.tickMinorColor_;
        scale_.DrawTick(canvas_, scale_.ValueToPixel(value), minor_, minor_ + dir_ * scale_.tickMinorLength_, style);
    }

    const TiScaleObject& scale_;
    TCanvas& canvas_;
    bool enabled_;
    TColor backColor_;
    int dir_;        // +1: ticks grow toward larger coordinates
    int major_;      // where the major ticks start across the scale
    int labelBase_;  // where the labels start
    int minor_;      // where the minor ticks start
    TiBevelStyle majorStyle_;
    TiBevelStyle minorStyle_;
};

void TiScaleObject::DrawLinear(TCanvas& canvas, bool enabled, TColor backColor)
{
    canvas.Brush.Style = bsClear;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Font.Assign(*tickLabelFont_);
    LinearTickPainter painter(*this, canvas, enabled, backColor);
    PaintScaleTicks(TickValues(), painter);
}
