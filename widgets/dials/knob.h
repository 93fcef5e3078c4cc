// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiKnob: a round rotary control. A shaded face with an indicator mark, a
// circular scale of major and minor ticks with labels around it, an optional
// numeric read-out in the middle and an optional focus frame. The user turns
// it by dragging (relative to the pointer's angle around the centre), with the
// arrow, page, Home and End keys, or with the mouse wheel.
//
// Angles are degrees, 0 pointing right, counter-clockwise positive. With the
// defaults PositionMin sits at 225 (lower left) and PositionMax at -45 (lower
// right): increasing values turn clockwise through the top.

#include "widgets/base/scale_component.h"

#include <QString>
#include <memory>

class TiKnob : public TiScaleComponent {
    Q_OBJECT
    Q_PROPERTY(TFont* PositionDisplayFont READ PositionDisplayFont)
    Q_PROPERTY(int PositionDisplayPrecision READ PositionDisplayPrecision WRITE SetPositionDisplayPrecision)
    Q_PROPERTY(QString PositionDisplayUnits READ PositionDisplayUnits WRITE SetPositionDisplayUnits)
    Q_PROPERTY(TColorProperty IndicatorActiveColor READ IndicatorActiveColor WRITE SetIndicatorActiveColor)
    Q_PROPERTY(TColorProperty IndicatorInactiveColor READ IndicatorInactiveColor WRITE SetIndicatorInactiveColor)
    Q_PROPERTY(int IndicatorMargin READ IndicatorMargin WRITE SetIndicatorMargin)
    Q_PROPERTY(int IndicatorSize READ IndicatorSize WRITE SetIndicatorSize)
    Q_PROPERTY(TiKnobIndicatorStyle IndicatorStyle READ IndicatorStyle WRITE SetIndicatorStyle)
    Q_PROPERTY(double KeyArrowStepSize READ KeyArrowStepSize WRITE SetKeyArrowStepSize)
    Q_PROPERTY(double KeyPageStepSize READ KeyPageStepSize WRITE SetKeyPageStepSize)
    Q_PROPERTY(double MouseWheelStepSize READ MouseWheelStepSize WRITE SetMouseWheelStepSize)
    Q_PROPERTY(int KnobEdgeWidth READ KnobEdgeWidth WRITE SetKnobEdgeWidth)
    Q_PROPERTY(int KnobRadius READ KnobRadius WRITE SetKnobRadius)
    Q_PROPERTY(TiKnobStyle KnobStyle READ KnobStyle WRITE SetKnobStyle)
    Q_PROPERTY(int RotationMaxDegrees READ RotationMaxDegrees WRITE SetRotationMaxDegrees)
    Q_PROPERTY(int RotationStartDegrees READ RotationStartDegrees WRITE SetRotationStartDegrees)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(bool ShowPostionDisplay READ ShowPostionDisplay WRITE SetShowPostionDisplay)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int OuterMargin READ OuterMargin WRITE SetOuterMargin)
    Q_PROPERTY(bool UseKeyboard READ UseKeyboard WRITE SetUseKeyboard)
    // Republished from the bases.
    Q_PROPERTY(bool ShowDisabledState READ ShowDisabledState WRITE SetShowDisabledState)
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(TBitmap* BackGroundPicture READ BackGroundPicture)
    Q_PROPERTY(int OffsetX READ OffsetX WRITE SetOffsetX)
    Q_PROPERTY(int OffsetY READ OffsetY WRITE SetOffsetY)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool CachedDrawing READ CachedDrawing WRITE SetCachedDrawing)
    Q_PROPERTY(TColorProperty Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ShowTicksMajor READ ShowTicksMajor WRITE SetShowTicksMajor)
    Q_PROPERTY(bool ShowTicksMinor READ ShowTicksMinor WRITE SetShowTicksMinor)
    Q_PROPERTY(bool ShowTickLabels READ ShowTickLabels WRITE SetShowTickLabels)
    Q_PROPERTY(int TickMajorCount READ TickMajorCount WRITE SetTickMajorCount)
    Q_PROPERTY(TColorProperty TickMajorColor READ TickMajorColor WRITE SetTickMajorColor)
    Q_PROPERTY(int TickMajorLength READ TickMajorLength WRITE SetTickMajorLength)
    Q_PROPERTY(TiEnums::TiTickMinorAlignment TickMinorAlignment READ TickMinorAlignment WRITE SetTickMinorAlignment)
    Q_PROPERTY(int TickMinorCount READ TickMinorCount WRITE SetTickMinorCount)
    Q_PROPERTY(TColorProperty TickMinorColor READ TickMinorColor WRITE SetTickMinorColor)
    Q_PROPERTY(int TickMinorLength READ TickMinorLength WRITE SetTickMinorLength)
    Q_PROPERTY(int TickMargin READ TickMargin WRITE SetTickMargin)
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
    // How the face is shaded: raised (iksRaised) or sunken (iksSunken); the ...Edge styles
    // also lay a flat disc inside a rim of KnobEdgeWidth pixels.
    enum TiKnobStyle { iksRaisedEdge, iksRaised, iksSunken, iksSunkenEdge };
    Q_ENUM(TiKnobStyle)
    // Shape of the indicator mark: a lowered, raised or flat dot, a line from the rim to the
    // centre (ikisLineCenter), a line of IndicatorSize pixels in from the rim
    // (ikisLineCustom), or a triangle.
    enum TiKnobIndicatorStyle { ikisDotLowered, ikisDotRaised, ikisDot, ikisLineCenter, ikisLineCustom, ikisTriangle };
    Q_ENUM(TiKnobIndicatorStyle)

    explicit TiKnob(QWidget* parent = nullptr);  // creates a knob with a range of 0 to 100
    ~TiKnob() override;

    // --- Read-out ---
    TFont* PositionDisplayFont() const { return positionDisplayFont_.get(); }  // font of the numeric read-out in the middle
    void SetPositionDisplayFont(const TFont* font);  // copies the attributes
    int PositionDisplayPrecision() const { return positionDisplayPrecision_; }  // decimals of the read-out (0 and up); a change repaints only
    void SetPositionDisplayPrecision(int value);  // below 0 stored as 0
    const QString& PositionDisplayUnits() const { return positionDisplayUnits_; }  // text after the read-out's number; a change repaints only
    void SetPositionDisplayUnits(const QString& value);  // blank stored as empty
    bool ShowPostionDisplay() const { return showPostionDisplay_; }  // whether the numeric read-out of Position is shown
    void SetShowPostionDisplay(bool value) { SetProperty(value, showPostionDisplay_, ickBackGround); }  // rebuilds the cached picture

    // --- Indicator ---
    TColor IndicatorActiveColor() const { return indicatorActiveColor_; }  // colour of the indicator mark while the knob is being turned (dragged or a key held)
    void SetIndicatorActiveColor(TColor value) { SetProperty(value, indicatorActiveColor_, ickBackGround); }  // rebuilds the cached picture
    TColor IndicatorInactiveColor() const { return indicatorInactiveColor_; }  // colour of the indicator mark at rest
    void SetIndicatorInactiveColor(TColor value) { SetProperty(value, indicatorInactiveColor_, ickBackGround); }  // rebuilds the cached picture
    int IndicatorMargin() const { return indicatorMargin_; }  // pixels between the face's edge and the indicator mark
    void SetIndicatorMargin(int value) { SetProperty(value, indicatorMargin_, ickBackGround); }  // rebuilds the cached picture
    int IndicatorSize() const { return indicatorSize_; }  // size of the indicator mark in pixels
    void SetIndicatorSize(int value);  // <= 0 stored as 1
    TiKnobIndicatorStyle IndicatorStyle() const { return indicatorStyle_; }  // shape of the indicator mark (dot, line, triangle)
    void SetIndicatorStyle(TiKnobIndicatorStyle value);  // rebuilds the cached picture; an unknown value is ignored

    // --- Steps of the keys and the wheel ---
    double KeyArrowStepSize() const { return keyArrowStepSize_; }  // change of Position per arrow key
    void SetKeyArrowStepSize(double value) { SetProperty(value, keyArrowStepSize_, ickInvalidate); }  // repaints only
    double KeyPageStepSize() const { return keyPageStepSize_; }  // change of Position per Page Up / Page Down
    void SetKeyPageStepSize(double value) { SetProperty(value, keyPageStepSize_, ickInvalidate); }  // repaints only
    double MouseWheelStepSize() const { return mouseWheelStepSize_; }  // change of Position per wheel notch
    void SetMouseWheelStepSize(double value) { SetProperty(value, mouseWheelStepSize_, ickInvalidate); }  // repaints only

    // --- Face and geometry ---
    TColor Color() const { return color_; }  // colour of the knob's face
    void SetColor(TColor value) { SetProperty(value, color_, ickBackGround); }  // rebuilds the cached picture
    int KnobEdgeWidth() const { return knobEdgeWidth_; }  // width of the face's bevelled edge in pixels
    void SetKnobEdgeWidth(int value) { SetProperty(value, knobEdgeWidth_, ickBackGround); }  // rebuilds the cached picture
    int KnobRadius() const { return knobRadius_; }  // radius of the face in pixels (AutoSize computes it)
    void SetKnobRadius(int value) { SetProperty(value, knobRadius_, ickBackGround); }  // rebuilds the cached picture
    TiKnobStyle KnobStyle() const { return knobStyle_; }  // how the face is shaded: raised or sunken, with or without an edge
    void SetKnobStyle(TiKnobStyle value);  // rebuilds the cached picture; an unknown value is ignored
    int RotationMaxDegrees() const { return rotationMaxDegrees_; }  // degrees the knob turns from PositionMin to PositionMax
    void SetRotationMaxDegrees(int value) { SetProperty(value, rotationMaxDegrees_, ickBackGround); }  // rebuilds the cached picture
    int RotationStartDegrees() const { return rotationStartDegrees_; }  // angle of PositionMin (degrees, 0 right, counter-clockwise positive)
    void SetRotationStartDegrees(int value) { SetProperty(value, rotationStartDegrees_, ickBackGround); }  // rebuilds the cached picture
    bool AutoSize() const { return autoSize_; }  // whether the face's radius follows the widget's size, scale and labels
    void SetAutoSize(bool value) { SetProperty(value, autoSize_, ickBackGround); }  // rebuilds the cached picture
    int OuterMargin() const { return outerMargin_; }  // pixels kept free around the knob when AutoSize computes its radius
    void SetOuterMargin(int value) { SetProperty(value, outerMargin_, ickBackGround); }  // rebuilds the cached picture

    // --- Focus and keyboard ---
    bool ShowFocusRect() const { return showFocusRect_; }  // whether a focus frame is drawn while the knob has the focus
    void SetShowFocusRect(bool value) { SetProperty(value, showFocusRect_, ickInvalidate); }  // repaints only
    bool UseKeyboard() const { return useKeyboard_; }  // whether the arrow, page, Home and End keys turn the knob
    void SetUseKeyboard(bool value) { SetProperty(value, useKeyboard_, ickBackGround); }  // rebuilds the cached picture
    // Whether Tab moves the focus to the knob (on by default); a click focuses it either way.
    bool TabStop() const;
    void SetTabStop(bool value);  // sets the focus policy (Tab and click, or click only)

    // --- Geometry shared by drawing and input ---
    // Angle of value x in degrees: RotationStartDegrees - fraction(x) * RotationMaxDegrees.
    double ValueToAngle(double value) const;
    // fraction(Position) * RotationMaxDegrees; 0 when PositionMin = PositionMax.
    double CurrentRotation() const;
    // Sets Position to the value that lies `degrees` of rotation past PositionMin.
    void SetPositionByRotation(double degrees);
    // The centre of the last paint (the mouse handling measures angles from it).
    TPoint KnobCenter() const { return center_; }
    // The radius AutoSize gives for the current size, scale and label font.
    int ComputeAutoSizeRadius(TCanvas& canvas);

    // Run-time state.
    bool IsDragging() const { return dragging_; }
    bool IsKeyDown() const { return keyDown_; }  // whether a turning key is held

protected:
    void PaintContent(TCanvas& canvas) override;
    void UserMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void UserMouseMove(TShiftState shift, int x, int y) override;
    void UserMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoWantSpecialKey(int& charCode, bool& result) override;
    void UserKeyDown(int& key, TShiftState shift) override;
    void UserKeyUp(int& key, TShiftState shift) override;
    bool UserMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos) override;
    void CancelMouseInteraction() override;
    void DoLostFocus() override;

private:
    // Painting (knob_painting.cpp).
    void DrawStaticLayer(TCanvas& canvas);
    void DrawFace(TCanvas& canvas);
    void DrawScale(TCanvas& canvas);
    void DrawScaleTick(TCanvas& canvas, double value, int innerRadius, int outerRadius);
    void DrawScaleLabel(TCanvas& canvas, double value, int index, int radius);
    struct ScaleRadii {
        int majorInner = 0;
        int majorOuter = 0;
        int minorInner = 0;
        int minorOuter = 0;
    };
    ScaleRadii ComputeScaleRadii() const;
    class CircularTickPainter;
    void DrawReadout(TCanvas& canvas);
    void DrawIndicator(TCanvas& canvas);
    void DrawIndicatorDot(TCanvas& canvas, TPoint at, int size);
    void DrawIndicatorTriangle(TCanvas& canvas, double angle, int size);
    bool IsActive() const { return dragging_ || keyDown_; }
    TColor FaceColor() const;
    TColor ScaleColor(TColor color) const;

    // Input (knob_input.cpp).
    double PointerAngle(int x, int y) const;
    bool ApplyKey(int key);

    std::unique_ptr<TFont> positionDisplayFont_;
    int positionDisplayPrecision_ = 1;
    QString positionDisplayUnits_;
    TColor indicatorActiveColor_ = 0xFFFF00;
    TColor indicatorInactiveColor_ = 0x0000FF;
    int indicatorMargin_ = 5;
    int indicatorSize_ = 4;
    TiKnobIndicatorStyle indicatorStyle_ = ikisDotLowered;
    double keyArrowStepSize_ = 0.1;
    double keyPageStepSize_ = 1;
    double mouseWheelStepSize_ = 1;
    TColor color_ = clBtnFace;
    int knobEdgeWidth_ = 3;
    int knobRadius_ = 35;
    TiKnobStyle knobStyle_ = iksRaised;
    int rotationMaxDegrees_ = 270;
    int rotationStartDegrees_ = 225;
    bool showFocusRect_ = true;
    bool showPostionDisplay_ = false;
    bool autoSize_ = true;
    int outerMargin_ = 2;
    bool useKeyboard_ = true;

    TPoint center_;
    bool dragging_ = false;
    bool keyDown_ = false;
    double lastDragAngle_ = 0;
    double lastWheelTime_ = 0;
};

using TiKnobStyle = TiKnob::TiKnobStyle;
using enum TiKnob::TiKnobStyle;
using TiKnobIndicatorStyle = TiKnob::TiKnobIndicatorStyle;
using enum TiKnob::TiKnobIndicatorStyle;
