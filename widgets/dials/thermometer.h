// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiThermometer: a value shown as a liquid column in a vertical (or
// horizontal) tube with a bulb or as a plain bar, with a linear scale beside
// it and optional markers for the running minimum and maximum, which the user
// may drag. The user may also drag the value itself when allowed.

#include "widgets/base/scale_component.h"

// Pixel layout of one paint.
struct TiThermometerLayout {
    TPoint Center;  // the centre the tube and scale are laid out around
    TRect Tube;       // the whole tube, bulb end included
    TRect ValueArea;  // the stretch of the tube that the range maps onto
};

// A thermometer: the position as a liquid column or bar along a linear scale, with
// optional markers of the running minimum and maximum.
class TiThermometer : public TiScaleComponent {
    Q_OBJECT
    Q_PROPERTY(int IndicatorWidth READ IndicatorWidth WRITE SetIndicatorWidth)
    Q_PROPERTY(int IndicatorBulbSize READ IndicatorBulbSize WRITE SetIndicatorBulbSize)
    Q_PROPERTY(TiThermometerIndicatorStyle IndicatorStyle READ IndicatorStyle WRITE SetIndicatorStyle)
    Q_PROPERTY(int EndsMargin READ EndsMargin WRITE SetEndsMargin)
    Q_PROPERTY(TColorProperty IndicatorColor READ IndicatorColor WRITE SetIndicatorColor)
    Q_PROPERTY(TColorProperty IndicatorBackGroundColor READ IndicatorBackGroundColor WRITE SetIndicatorBackGroundColor)
    Q_PROPERTY(TiOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(TiOrientationSide OrientationTickMarks READ OrientationTickMarks WRITE SetOrientationTickMarks)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(bool ReverseScale READ ReverseScale WRITE SetReverseScale)
    Q_PROPERTY(TiPointerFillReferenceStyle IndicatorFillReferenceStyle READ IndicatorFillReferenceStyle WRITE
                   SetIndicatorFillReferenceStyle)  // where a bar's fill starts: PositionMin, PositionMax or IndicatorFillReferenceValue
    Q_PROPERTY(double IndicatorFillReferenceValue READ IndicatorFillReferenceValue WRITE SetIndicatorFillReferenceValue)
    Q_PROPERTY(bool IndicatorUserCanMove READ IndicatorUserCanMove WRITE SetIndicatorUserCanMove)
    Q_PROPERTY(bool ShowMaxPointer READ ShowMaxPointer WRITE SetShowMaxPointer)
    Q_PROPERTY(bool ShowMinPointer READ ShowMinPointer WRITE SetShowMinPointer)
    Q_PROPERTY(int MinMaxPointerSize READ MinMaxPointerSize WRITE SetMinMaxPointerSize)
    Q_PROPERTY(int MinMaxPointerMargin READ MinMaxPointerMargin WRITE SetMinMaxPointerMargin)
    Q_PROPERTY(TColorProperty MaxPointerColor READ MaxPointerColor WRITE SetMaxPointerColor)
    Q_PROPERTY(TColorProperty MinPointerColor READ MinPointerColor WRITE SetMinPointerColor)
    Q_PROPERTY(bool MinMaxUserCanMove READ MinMaxUserCanMove WRITE SetMinMaxUserCanMove)
    Q_PROPERTY(int TickMajorLength READ TickMajorLength WRITE SetTickMajorLength)
    Q_PROPERTY(int TickMinorLength READ TickMinorLength WRITE SetTickMinorLength)
    Q_PROPERTY(int TickMargin READ TickMargin WRITE SetTickMargin)
    Q_PROPERTY(bool ShowTicksMajorFirstLast READ ShowTicksMajorFirstLast WRITE SetShowTicksMajorFirstLast)
    Q_PROPERTY(TiEnums::TiBevelStyle TickMajorStyle READ TickMajorStyle WRITE SetTickMajorStyle)
    Q_PROPERTY(TiEnums::TiBevelStyle TickMinorStyle READ TickMinorStyle WRITE SetTickMinorStyle)
    // Republished from the bases.
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(TiEnums::TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int OffsetX READ OffsetX WRITE SetOffsetX)
    Q_PROPERTY(int OffsetY READ OffsetY WRITE SetOffsetY)
    Q_PROPERTY(bool CachedDrawing READ CachedDrawing WRITE SetCachedDrawing)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool ShowDisabledState READ ShowDisabledState WRITE SetShowDisabledState)
    Q_PROPERTY(TBitmap* BackGroundPicture READ BackGroundPicture)
    Q_PROPERTY(bool ShowTicksMajor READ ShowTicksMajor WRITE SetShowTicksMajor)
    Q_PROPERTY(bool ShowTicksMinor READ ShowTicksMinor WRITE SetShowTicksMinor)
    Q_PROPERTY(bool ShowTickLabels READ ShowTickLabels WRITE SetShowTickLabels)
    Q_PROPERTY(int TickMajorCount READ TickMajorCount WRITE SetTickMajorCount)
    Q_PROPERTY(TColorProperty TickMajorColor READ TickMajorColor WRITE SetTickMajorColor)
    Q_PROPERTY(TiEnums::TiTickMinorAlignment TickMinorAlignment READ TickMinorAlignment WRITE SetTickMinorAlignment)
    Q_PROPERTY(int TickMinorCount READ TickMinorCount WRITE SetTickMinorCount)
    Q_PROPERTY(TColorProperty TickMinorColor READ TickMinorColor WRITE SetTickMinorColor)
    Q_PROPERTY(int TickLabelMargin READ TickLabelMargin WRITE SetTickLabelMargin)
    Q_PROPERTY(TFont* TickLabelFont READ TickLabelFont)
    Q_PROPERTY(int TickLabelPrecision READ TickLabelPrecision WRITE SetTickLabelPrecision)
    Q_PROPERTY(TiEnums::TiPrecisionStyle PrecisionStyle READ PrecisionStyle WRITE SetPrecisionStyle)
    Q_PROPERTY(bool AutoScaleEnabled READ AutoScaleEnabled WRITE SetAutoScaleEnabled)
    Q_PROPERTY(int AutoScaleDesiredTicks READ AutoScaleDesiredTicks WRITE SetAutoScaleDesiredTicks)
    Q_PROPERTY(int AutoScaleMaxTicks READ AutoScaleMaxTicks WRITE SetAutoScaleMaxTicks)
    Q_PROPERTY(TiEnums::TiAutoScaleStyle AutoScaleStyle READ AutoScaleStyle WRITE SetAutoScaleStyle)
    // Position once more, after its range: Designer writes a form's properties in
    // the order of their last declaration, and uic's code sets them in that order.
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)

public:
    // How the value is shown: a liquid column with a bulb at the low end (itisBulb), or a bar that is flat, sunken or raised.
    enum TiThermometerIndicatorStyle { itisBulb, itisBar, itisBarSunken, itisBarRaised };
    Q_ENUM(TiThermometerIndicatorStyle)
    // Direction of the tube: vertical (low end at the bottom) or horizontal (low end at the left).
    enum TiOrientation { ioVertical, ioHorizontal };
    Q_ENUM(TiOrientation)
    // The side of the tube the scale is on: right or bottom (iosBottomRight), left or top (iosTopLeft).
    enum TiOrientationSide { iosBottomRight, iosTopLeft };
    Q_ENUM(TiOrientationSide)
    // Where a bar's fill starts: at PositionMin, at PositionMax, or at IndicatorFillReferenceValue.
    enum TiPointerFillReferenceStyle { ipfrsMin, ipfrsMax, ipfrsValue };
    Q_ENUM(TiPointerFillReferenceStyle)

    explicit TiThermometer(QWidget* parent = nullptr);  // creates a vertical thermometer with a bulb
    ~TiThermometer() override;

    // Called after a run-time orientation change has swapped Width and Height.
    TNotifyEvent OnOrientationChange;

    int IndicatorWidth() const { return indicatorWidth_; }  // half the width of the tube in pixels
    void SetIndicatorWidth(int value) { SetProperty(value, indicatorWidth_, ickBackGround); }  // rebuilds the cached picture
    int IndicatorBulbSize() const { return indicatorBulbSize_; }  // radius of the bulb at the low end in pixels
    void SetIndicatorBulbSize(int value) { SetProperty(value, indicatorBulbSize_, ickBackGround); }  // rebuilds the cached picture
    TiThermometerIndicatorStyle IndicatorStyle() const { return indicatorStyle_; }  // bulb and tube, or a plain, sunken or raised bar
    void SetIndicatorStyle(TiThermometerIndicatorStyle value);  // rebuilds the cached picture; an unknown value is ignored
    int EndsMargin() const { return endsMargin_; }  // pixels between the tube's ends and the widget's edges
    void SetEndsMargin(int value) { SetProperty(value, endsMargin_, ickBackGround); }  // rebuilds the cached picture
    TColor IndicatorColor() const { return indicatorColor_; }  // colour of the filled part of the tube
    void SetIndicatorColor(TColor value) { SetProperty(value, indicatorColor_, ickBackGround); }  // rebuilds the cached picture
    TColor IndicatorBackGroundColor() const { return indicatorBackGroundColor_; }  // colour of the empty part of the tube
    void SetIndicatorBackGroundColor(TColor value) { SetProperty(value, indicatorBackGroundColor_, ickBackGround); }  // rebuilds the cached picture
    TiOrientation Orientation() const { return orientation_; }  // vertical or horizontal tube
    // Outside loading, a change also swaps Width and Height.
    void SetOrientation(TiOrientation value);
    TiOrientationSide OrientationTickMarks() const { return orientationTickMarks_; }  // side of the tube the scale is on
    void SetOrientationTickMarks(TiOrientationSide value);  // rebuilds the cached picture; an unknown value is ignored
    bool AutoCenter() const { return autoCenter_; }  // whether tube and scale together are centred across the widget
    void SetAutoCenter(bool value) { SetProperty(value, autoCenter_, ickBackGround); }  // rebuilds the cached picture
    bool ReverseScale() const { return reverseScale_; }  // whether the scale runs the other way
    void SetReverseScale(bool value) { SetProperty(value, reverseScale_, ickBackGround); }  // rebuilds the cached picture
    TiPointerFillReferenceStyle IndicatorFillReferenceStyle() const { return indicatorFillReferenceStyle_; }  // where a bar's fill starts: PositionMin, PositionMax or IndicatorFillReferenceValue (the bulb fills from its end)
    void SetIndicatorFillReferenceStyle(TiPointerFillReferenceStyle value);  // rebuilds the cached picture; an unknown value is ignored
    double IndicatorFillReferenceValue() const { return indicatorFillReferenceValue_; }  // value the fill starts from with ipfrsValue
    // Rebuilds the cached picture.
    void SetIndicatorFillReferenceValue(double value)
    {
        SetProperty(value, indicatorFillReferenceValue_, ickBackGround);
    }
    bool IndicatorUserCanMove() const { return indicatorUserCanMove_; }  // whether the user can drag the level with the mouse
    void SetIndicatorUserCanMove(bool value) { SetProperty(value, indicatorUserCanMove_, ickBackGround); }  // rebuilds the cached picture

    // The layout for the current settings and size (recomputed at each paint).
    TiThermometerLayout ComputeLayout(TCanvas& canvas);
    // Pixel along the tube of value x (indicator and markers).
    int ValueToPixel(double value, const TRect& valueArea) const;

    // Run-time state of the last paint, used by the mouse handling.
    const TiThermometerLayout& LastLayout() const { return layout_; }
    const TRect& IndicatorHitRect() const { return indicatorHitRect_; }  // where a press starts dragging the level
    const TRect& MaxPointerHitRect() const { return maxPointerHitRect_; }  // where a press starts dragging the maximum marker
    const TRect& MinPointerHitRect() const { return minPointerHitRect_; }  // where a press starts dragging the minimum marker

protected:
    void PaintContent(TCanvas& canvas) override;
    void UserMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void UserMouseMove(TShiftState shift, int x, int y) override;
    void UserMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CancelMouseInteraction() override { dragTarget_ = DragTarget::None; }

private:
    enum class DragTarget { None, Value, MaxPointer, MinPointer };

    // Painting (thermometer_painting.cpp).
    TPoint ComputeCenter(TCanvas& canvas);
    int ScaleExtentAcross(TCanvas& canvas);
    void DrawScale(TCanvas& canvas);
    void DrawBar(TCanvas& canvas);
    void DrawBulb(TCanvas& canvas);
    void DrawBulbGlass(TCanvas& canvas, const TRect& bulb, const TRect& highlight);
    void DrawVerticalColumn(TCanvas& canvas, const TRect& tube);
    void DrawHorizontalColumn(TCanvas& canvas, const TRect& tube);
    TRect DrawMarker(TCanvas& canvas, double value, int size, int margin, TColor color);
    bool IsVertical() const { return orientation_ == ioVertical; }
    bool IsReversedFill() const { return reverseScale_ && indicatorStyle_ != itisBulb; }

    // Input (thermometer_input.cpp).
    int DragLength() const;
    void KeepMinBelowMax();

    int indicatorWidth_ = 2;
    int indicatorBulbSize_ = 6;
    TiThermometerIndicatorStyle indicatorStyle_ = itisBulb;
    int endsMargin_ = 10;
    TColor indicatorColor_ = clRed;
    TColor indicatorBackGroundColor_ = clMaroon;
    TiOrientation orientation_ = ioVertical;
    TiOrientationSide orientationTickMarks_ = iosBottomRight;
    bool autoCenter_ = true;
    bool reverseScale_ = false;
    TiPointerFillReferenceStyle indicatorFillReferenceStyle_ = ipfrsMin;
    double indicatorFillReferenceValue_ = 0;
    bool indicatorUserCanMove_ = false;

    TiThermometerLayout layout_;
    TRect indicatorHitRect_;
    TRect maxPointerHitRect_;
    TRect minPointerHitRect_;
    DragTarget dragTarget_ = DragTarget::None;
    TPoint pressPoint_;
    double pressValue_ = 0;
};

using TiThermometerIndicatorStyle = TiThermometer::TiThermometerIndicatorStyle;
using enum TiThermometer::TiThermometerIndicatorStyle;
using TiOrientation = TiThermometer::TiOrientation;
using enum TiThermometer::TiOrientation;
using TiOrientationSide = TiThermometer::TiOrientationSide;
using enum TiThermometer::TiOrientationSide;
using TiPointerFillReferenceStyle = TiThermometer::TiPointerFillReferenceStyle;
using enum TiThermometer::TiPointerFillReferenceStyle;
