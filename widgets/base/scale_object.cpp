// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/scale_object.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/number_text.h"

#include <algorithm>
#include <cmath>

namespace {

// Upper bound of minor ticks drawn beyond the major ticks.
constexpr int kMaximumExtraTicks = 10000;

}  // namespace

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

void TiScaleObject::DrawLinear(TCanvas& canvas, bool enabled, TColor backColor)
{
    const bool fixedTicks = autoScaleEnabled_ && autoScaleStyle_ == iassFixedMinMax;
    const double start = fixedTicks ? tickStart_ : min_;
    const double end = fixedTicks ? tickEnd_ : max_;
    const int last = tickMajorCount_ - 1;
    const double majorStep = (end - start) / last;
    const double minorStep = majorStep / (tickMinorCount_ + 1);

    canvas.Brush.Style = bsClear;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Font.Assign(*tickLabelFont_);
    const int dir = side_ == isdBottomRight ? 1 : -1;
    const int m = base_ + dir * tickMargin_;
    const int labelBase = m + dir * (tickMajorLength_ + tickLabelMargin_);
    int n = m;
    if (tickMinorAlignment_ == itmnaCenter)
        n = base_ + dir * (tickMargin_ + tickMajorLength_ / 2 - tickMinorLength_ / 2);
    else if (tickMinorAlignment_ == itmnaOutside)
        n = base_ + dir * (tickMargin_ + tickMajorLength_ - tickMinorLength_);
    const TiBevelStyle majorStyle = enabled ? tickMajorStyle_ : ibsLowered;
    const TiBevelStyle minorStyle = enabled ? tickMinorStyle_ : ibsLowered;

    for (int i = 0; i <= last; ++i) {
        const double v = start + i * majorStep;
        const int p = ValueToPixel(v);
        if (showTicksMajor_ && (showTicksMajorFirstLast_ || (i != 0 && i != last))) {
            canvas.Pen.Color = tickMajorColor_;
            DrawTick(canvas, p, m, m + dir * tickMajorLength_, majorStyle);
        }
        if (showTickLabels_)
            DrawLabel(canvas, v, i, p, labelBase, dir, enabled, backColor);
        if (showTicksMinor_ && showTicksMajor_ && i != last) {
            for (int j = 1; j <= tickMinorCount_; ++j) {
                canvas.Pen.Color = tickMinorColor_;
                DrawTick(canvas, ValueToPixel(v + j * minorStep), n, n + dir * tickMinorLength_, minorStyle);
            }
        }
    }
    if (fixedTicks && showTicksMinor_ && minorStep != 0 && std::isfinite(minorStep)) {
        const double step = std::fabs(minorStep);
        int drawn = 0;
        for (double x = end + step; x <= max_ && drawn < kMaximumExtraTicks; x += step, ++drawn) {
            canvas.Pen.Color = tickMinorColor_;
            DrawTick(canvas, ValueToPixel(x), n, n + dir * tickMinorLength_, tickMinorStyle_);
        }
        for (double x = start - step; x >= min_ && drawn < 2 * kMaximumExtraTicks; x -= step, ++drawn) {
            canvas.Pen.Color = tickMinorColor_;
            DrawTick(canvas, ValueToPixel(x), n, n + dir * tickMinorLength_, tickMinorStyle_);
        }
    }
}
