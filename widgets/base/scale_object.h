// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tick and label settings of a graduated scale, the label text rule, the
// value-to-pixel mapping and the drawing of a straight (linear) scale.
// Owned by a TiScaleComponent; every settings change calls the owner's
// change callback (a full repaint).

#include "platform/canvas/canvas.h"
#include "widgets/base/scale_ticks.h"
#include "widgets/base/types.h"

#include <QString>
#include <functional>
#include <memory>

using TOnCustomizeTickLabel = std::function<void(TObject* Sender, int Index, QString& DisplayText)>;

enum TiScaleOrientation { isoVertical, isoHorizontal };
// Ticks grow toward larger (isdBottomRight) or smaller (isdTopLeft) coordinates.
enum TiScaleSide { isdTopLeft, isdBottomRight };

class TiScaleObject {
public:
    // `sender` is passed to OnCustomizeTickLabel; `changed` is called after every settings change.
    TiScaleObject(TObject* sender, std::function<void()> changed);
    ~TiScaleObject();

    TOnCustomizeTickLabel OnCustomizeTickLabel;

    bool ShowTicksMajor() const { return showTicksMajor_; }
    void SetShowTicksMajor(bool v) { Store(showTicksMajor_, v); }
    bool ShowTicksMinor() const { return showTicksMinor_; }
    void SetShowTicksMinor(bool v) { Store(showTicksMinor_, v); }
    bool ShowTickLabels() const { return showTickLabels_; }
    void SetShowTickLabels(bool v) { Store(showTickLabels_, v); }
    bool ShowTicksMajorFirstLast() const { return showTicksMajorFirstLast_; }
    void SetShowTicksMajorFirstLast(bool v) { Store(showTicksMajorFirstLast_, v); }
    int TickMajorCount() const { return tickMajorCount_; }
    void SetTickMajorCount(int v);  // 2..100
    int TickMajorLength() const { return tickMajorLength_; }
    void SetTickMajorLength(int v);  // <= 0 stored as 1
    TColor TickMajorColor() const { return tickMajorColor_; }
    void SetTickMajorColor(TColor v) { Store(tickMajorColor_, v); }
    TiBevelStyle TickMajorStyle() const { return tickMajorStyle_; }
    void SetTickMajorStyle(TiBevelStyle v) { Store(tickMajorStyle_, v); }
    int TickMinorCount() const { return tickMinorCount_; }
    void SetTickMinorCount(int v);  // 1..100
    int TickMinorLength() const { return tickMinorLength_; }
    void SetTickMinorLength(int v);  // <= 0 stored as 1
    TColor TickMinorColor() const { return tickMinorColor_; }
    void SetTickMinorColor(TColor v) { Store(tickMinorColor_, v); }
    TiBevelStyle TickMinorStyle() const { return tickMinorStyle_; }
    void SetTickMinorStyle(TiBevelStyle v) { Store(tickMinorStyle_, v); }
    TiTickMinorAlignment TickMinorAlignment() const { return tickMinorAlignment_; }
    void SetTickMinorAlignment(TiTickMinorAlignment v) { Store(tickMinorAlignment_, v); }
    int TickMargin() const { return tickMargin_; }
    void SetTickMargin(int v) { Store(tickMargin_, v); }
    int TickLabelMargin() const { return tickLabelMargin_; }
    void SetTickLabelMargin(int v) { Store(tickLabelMargin_, v); }
    TFont* TickLabelFont() const { return tickLabelFont_.get(); }
    void SetTickLabelFont(const TFont* font);  // copies
    int TickLabelPrecision() const { return tickLabelPrecision_; }
    void SetTickLabelPrecision(int v);  // below 0 stored as 0
    TiPrecisionStyle PrecisionStyle() const { return precisionStyle_; }
    void SetPrecisionStyle(TiPrecisionStyle v) { Store(precisionStyle_, v); }

    // Auto-scale copies held for drawing.
    bool AutoScaleEnabled() const { return autoScaleEnabled_; }
    void SetAutoScaleEnabled(bool v) { Store(autoScaleEnabled_, v); }
    int AutoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }
    void SetAutoScaleDesiredTicks(int v) { Store(autoScaleDesiredTicks_, v); }
    int AutoScaleMaxTicks() const { return autoScaleMaxTicks_; }
    void SetAutoScaleMaxTicks(int v) { Store(autoScaleMaxTicks_, v); }
    TiAutoScaleStyle AutoScaleStyle() const { return autoScaleStyle_; }
    void SetAutoScaleStyle(TiAutoScaleStyle v) { Store(autoScaleStyle_, v); }
    double TickStart() const { return tickStart_; }
    double TickEnd() const { return tickEnd_; }
    void SetTickStartEnd(double start, double end);

    // Drawing inputs, set by the owner before each linear drawing (no notification).
    // A plain copy of the owner's range: nothing is clamped, re-clamped or repainted.
    void CopyRange(double min, double max) { min_ = min; max_ = max; }
    double RangeMin() const { return min_; }
    double RangeMax() const { return max_; }
    void SetOrientation(TiScaleOrientation v) { orientation_ = v; }
    void SetSide(TiScaleSide v) { side_ = v; }
    void SetReverse(bool v) { reverse_ = v; }
    void SetPixels(int startPixel, int endPixel) { startPixel_ = startPixel; endPixel_ = endPixel; }
    void SetBaseCoordinate(int v) { base_ = v; }

    // Label decimals for the copy of the range (the precision rule).
    int LabelDecimals() const;
    // Label of value v at major index i: the number text with the label decimals
    // (never fewer than 0) and '.' as separator, then OnCustomizeTickLabel.
    QString LabelText(double value, int index) const;
    QString LabelText(double value, int index, int decimals) const;
    // Pixel along the scale for a value (no clamp).
    int ValueToPixel(double value) const;
    // The tick values for the copy of the range: tick start to tick end with
    // the fixed auto-scale (minor ticks then continue to the range's ends),
    // else the range itself.
    ScaleTickValues TickValues() const;

    void DrawLinear(TCanvas& canvas, bool enabled, TColor backColor);

private:
    class LinearTickPainter;

    template <typename T> void Store(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    void Changed() const;
    void DrawTick(TCanvas& canvas, int pixel, int from, int to, TiBevelStyle style) const;
    void DrawLabel(TCanvas& canvas, double value, int index, int pixel, int labelBase, int dir, bool enabled,
                   TColor backColor) const;

    TObject* sender_;
    std::function<void()> changed_;
    bool showTicksMajor_ = true;
    bool showTicksMinor_ = true;
    bool showTickLabels_ = true;
    bool showTicksMajorFirstLast_ = true;
    int tickMajorCount_ = 5;
    int tickMajorLength_ = 7;
    TColor tickMajorColor_ = clBlack;
    TiBevelStyle tickMajorStyle_ = ibsNone;
    int tickMinorCount_ = 4;
    int tickMinorLength_ = 3;
    TColor tickMinorColor_ = clBlack;
    TiBevelStyle tickMinorStyle_ = ibsNone;
    TiTickMinorAlignment tickMinorAlignment_ = itmnaInside;
    int tickMargin_ = 5;
    int tickLabelMargin_ = 5;
    std::unique_ptr<TFont> tickLabelFont_;
    int tickLabelPrecision_ = 0;
    TiPrecisionStyle precisionStyle_ = ipsFixedDecimalPoints;
    bool autoScaleEnabled_ = false;
    int autoScaleDesiredTicks_ = 5;
    int autoScaleMaxTicks_ = 6;
    TiAutoScaleStyle autoScaleStyle_ = iassAutoMinMax;
    double tickStart_ = 0;
    double tickEnd_ = 0;
    double min_ = 0;
    double max_ = 100;
    TiScaleOrientation orientation_ = isoVertical;
    TiScaleSide side_ = isdBottomRight;
    bool reverse_ = false;
    int startPixel_ = 0;
    int endPixel_ = 0;
    int base_ = 0;
};

// The label-decimals rule for a precision, a style and a span |max - min|.
int ScaleLabelDecimals(TiPrecisionStyle style, int precision, double min, double max);
