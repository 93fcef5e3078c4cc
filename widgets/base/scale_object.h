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

// Direction of a straight scale.
enum TiScaleOrientation { isoVertical, isoHorizontal };
// Ticks grow toward larger (isdBottomRight) or smaller (isdTopLeft) coordinates.
enum TiScaleSide { isdTopLeft, isdBottomRight };

class TiScaleObject {
public:
    // `sender` is passed to OnCustomizeTickLabel; `changed` is called after every settings change.
    TiScaleObject(TObject* sender, std::function<void()> changed);
    ~TiScaleObject();

    TOnCustomizeTickLabel OnCustomizeTickLabel;  // may rewrite each label's text (Index is the major tick's number)

    bool ShowTicksMajor() const { return showTicksMajor_; }  // as TiScaleComponent's ShowTicksMajor
    void SetShowTicksMajor(bool v) { Store(showTicksMajor_, v); }  // calls the change callback on a change
    bool ShowTicksMinor() const { return showTicksMinor_; }  // as TiScaleComponent's ShowTicksMinor
    void SetShowTicksMinor(bool v) { Store(showTicksMinor_, v); }  // calls the change callback on a change
    bool ShowTickLabels() const { return showTickLabels_; }  // as TiScaleComponent's ShowTickLabels
    void SetShowTickLabels(bool v) { Store(showTickLabels_, v); }  // calls the change callback on a change
    bool ShowTicksMajorFirstLast() const { return showTicksMajorFirstLast_; }  // as TiScaleComponent's ShowTicksMajorFirstLast
    void SetShowTicksMajorFirstLast(bool v) { Store(showTicksMajorFirstLast_, v); }  // calls the change callback on a change
    int TickMajorCount() const { return tickMajorCount_; }  // as TiScaleComponent's TickMajorCount
    void SetTickMajorCount(int v);  // 2..100
    int TickMajorLength() const { return tickMajorLength_; }  // as TiScaleComponent's TickMajorLength
    void SetTickMajorLength(int v);  // <= 0 stored as 1
    TColor TickMajorColor() const { return tickMajorColor_; }  // as TiScaleComponent's TickMajorColor
    void SetTickMajorColor(TColor v) { Store(tickMajorColor_, v); }  // calls the change callback on a change
    TiBevelStyle TickMajorStyle() const { return tickMajorStyle_; }  // as TiScaleComponent's TickMajorStyle
    void SetTickMajorStyle(TiBevelStyle v) { Store(tickMajorStyle_, v); }  // calls the change callback on a change
    int TickMinorCount() const { return tickMinorCount_; }  // as TiScaleComponent's TickMinorCount
    void SetTickMinorCount(int v);  // 1..100
    int TickMinorLength() const { return tickMinorLength_; }  // as TiScaleComponent's TickMinorLength
    void SetTickMinorLength(int v);  // <= 0 stored as 1
    TColor TickMinorColor() const { return tickMinorColor_; }  // as TiScaleComponent's TickMinorColor
    void SetTickMinorColor(TColor v) { Store(tickMinorColor_, v); }  // calls the change callback on a change
    TiBevelStyle TickMinorStyle() const { return tickMinorStyle_; }  // as TiScaleComponent's TickMinorStyle
    void SetTickMinorStyle(TiBevelStyle v) { Store(tickMinorStyle_, v); }  // calls the change callback on a change
    TiTickMinorAlignment TickMinorAlignment() const { return tickMinorAlignment_; }  // as TiScaleComponent's TickMinorAlignment
    void SetTickMinorAlignment(TiTickMinorAlignment v) { Store(tickMinorAlignment_, v); }  // calls the change callback on a change
    int TickMargin() const { return tickMargin_; }  // as TiScaleComponent's TickMargin
    void SetTickMargin(int v) { Store(tickMargin_, v); }  // calls the change callback on a change
    int TickLabelMargin() const { return tickLabelMargin_; }  // as TiScaleComponent's TickLabelMargin
    void SetTickLabelMargin(int v) { Store(tickLabelMargin_, v); }  // calls the change callback on a change
    TFont* TickLabelFont() const { return tickLabelFont_.get(); }  // as TiScaleComponent's TickLabelFont
    void SetTickLabelFont(const TFont* font);  // copies
    int TickLabelPrecision() const { return tickLabelPrecision_; }  // as TiScaleComponent's TickLabelPrecision
    void SetTickLabelPrecision(int v);  // below 0 stored as 0
    TiPrecisionStyle PrecisionStyle() const { return precisionStyle_; }  // as TiScaleComponent's PrecisionStyle
    void SetPrecisionStyle(TiPrecisionStyle v) { Store(precisionStyle_, v); }  // calls the change callback on a change

    // Auto-scale copies held for drawing.
    bool AutoScaleEnabled() const { return autoScaleEnabled_; }  // as TiScaleComponent's AutoScaleEnabled
    void SetAutoScaleEnabled(bool v) { Store(autoScaleEnabled_, v); }  // calls the change callback on a change
    int AutoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }  // as TiScaleComponent's AutoScaleDesiredTicks
    void SetAutoScaleDesiredTicks(int v) { Store(autoScaleDesiredTicks_, v); }  // calls the change callback on a change
    int AutoScaleMaxTicks() const { return autoScaleMaxTicks_; }  // as TiScaleComponent's AutoScaleMaxTicks
    void SetAutoScaleMaxTicks(int v) { Store(autoScaleMaxTicks_, v); }  // calls the change callback on a change
    TiAutoScaleStyle AutoScaleStyle() const { return autoScaleStyle_; }  // as TiScaleComponent's AutoScaleStyle
    void SetAutoScaleStyle(TiAutoScaleStyle v) { Store(autoScaleStyle_, v); }  // calls the change callback on a change
    double TickStart() const { return tickStart_; }  // as TiScaleComponent's TickStart
    double TickEnd() const { return tickEnd_; }  // as TiScaleComponent's TickEnd
    void SetTickStartEnd(double start, double end);  // the first and last major tick under the fixed auto-scale

    // Drawing inputs, set by the owner before each linear drawing (no notification).
    // A plain copy of the owner's range: nothing is clamped, re-clamped or repainted.
    void CopyRange(double min, double max) { min_ = min; max_ = max; }
    double RangeMin() const { return min_; }  // the copied range's lower end
    double RangeMax() const { return max_; }  // the copied range's upper end
    void SetOrientation(TiScaleOrientation v) { orientation_ = v; }  // whether the scale runs vertically or horizontally
    void SetSide(TiScaleSide v) { side_ = v; }  // which way the ticks grow from the base line
    void SetReverse(bool v) { reverse_ = v; }  // whether the range runs from the end pixel to the start pixel
    void SetPixels(int startPixel, int endPixel) { startPixel_ = startPixel; endPixel_ = endPixel; }  // pixels along the scale of the range's ends
    void SetBaseCoordinate(int v) { base_ = v; }  // the base line's coordinate across the scale

    // Label decimals for the copy of the range (the precision rule).
    int LabelDecimals() const;
    // Label of value v at major index i: the number text with the label decimals
    // (never fewer than 0) and '.' as separator, then OnCustomizeTickLabel.
    QString LabelText(double value, int index) const;
    QString LabelText(double value, int index, int decimals) const;  // the same with the given decimals
    // Pixel along the scale for a value (no clamp).
    int ValueToPixel(double value) const;
    // The tick values for the copy of the range: tick start to tick end with
    // the fixed auto-scale (minor ticks then continue to the range's ends),
    // else the range itself.
    ScaleTickValues TickValues() const;

    // Draws the straight scale: ticks and labels (greyed when not enabled, on `backColor`).
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
