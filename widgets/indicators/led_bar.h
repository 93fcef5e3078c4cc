// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiLedBar: shows the position as a column (or row) of small lamps, the
// segments, each lit or dark and coloured by the section it falls in. With
// FillReferenceEnabled the bar fills from FillReferenceValue towards the
// position in either direction.

#include "widgets/base/progress_component.h"

// A bar of small lamps (segments) showing the position: the segments up to it are lit, each in the colour of its section. The segments are drawn over the cached background, so their settings repaint only.
class TiLedBar : public TiProgressComponent {
    Q_OBJECT
    Q_PROPERTY(TiDirection SegmentDirection READ SegmentDirection WRITE SetSegmentDirection)
    Q_PROPERTY(int SegmentMargin READ SegmentMargin WRITE SetSegmentMargin)
    Q_PROPERTY(int SegmentSize READ SegmentSize WRITE SetSegmentSize)
    Q_PROPERTY(int SegmentSpacing READ SegmentSpacing WRITE SetSegmentSpacing)
    Q_PROPERTY(TiLedBarSegmentStyle SegmentStyle READ SegmentStyle WRITE SetSegmentStyle)
    Q_PROPERTY(double FillReferenceValue READ FillReferenceValue WRITE SetFillReferenceValue)
    Q_PROPERTY(bool FillReferenceEnabled READ FillReferenceEnabled WRITE SetFillReferenceEnabled)
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(TiEnums::TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    // Position once more, after its range: Designer writes a form's properties in
    // the order of their last declaration, and uic's code sets them in that order.
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)

public:
    // The direction the bar fills in (from the low end): up, down, right or left.
    enum TiDirection { idUp, idDown, idRight, idLeft };
    Q_ENUM(TiDirection)
    // Shape of a segment: rectangle, circle or triangle.
    enum TiLedBarSegmentStyle { ilbssRectangle, ilbssCircle, ilbssTriangle };
    Q_ENUM(TiLedBarSegmentStyle)

    explicit TiLedBar(QWidget* parent = nullptr);  // creates a bar filling upwards on black

    TiDirection SegmentDirection() const { return segmentDirection_; }  // the direction the bar fills in (up by default); a change repaints only
    // Switching between a vertical and a horizontal direction swaps Width and
    // Height (not while loading).
    void SetSegmentDirection(TiDirection value);
    int SegmentMargin() const { return segmentMargin_; }  // pixels between the segments and the bar's edges; a change repaints only
    void SetSegmentMargin(int value) { SetProperty(value, segmentMargin_, ickInvalidate); }  // repaints only
    int SegmentSize() const { return segmentSize_; }  // length of a segment along the bar in pixels; a change repaints only
    void SetSegmentSize(int value) { SetProperty(value, segmentSize_, ickInvalidate); }  // repaints only
    int SegmentSpacing() const { return segmentSpacing_; }  // pixels between two segments; a change repaints only
    void SetSegmentSpacing(int value) { SetProperty(value, segmentSpacing_, ickInvalidate); }  // repaints only
    TiLedBarSegmentStyle SegmentStyle() const { return segmentStyle_; }  // shape of the segments; a change repaints only
    void SetSegmentStyle(TiLedBarSegmentStyle value);  // repaints only; an unknown value is ignored
    double FillReferenceValue() const { return fillReferenceValue_; }  // value the fill starts from while FillReferenceEnabled; a change repaints only
    void SetFillReferenceValue(double value) { SetProperty(value, fillReferenceValue_, ickInvalidate); }  // repaints only
    bool FillReferenceEnabled() const { return fillReferenceEnabled_; }  // whether the lit part runs from FillReferenceValue to the position (either way) instead of from the low end; a change repaints only
    void SetFillReferenceEnabled(bool value) { SetProperty(value, fillReferenceEnabled_, ickInvalidate); }  // repaints only

protected:
    void PaintContent(TCanvas& canvas) override;

private:
    // What one paint needs to know about the segments.
    struct SegmentPlan {
        int count = 0;         // segments that fit
        int lit = 0;           // segments lit from the start (without a fill reference)
        int sectionStarts[MaxSectionCount - 1] = {0, 0, 0, 0};
        TRect first;           // rectangle of segment 0
        int stepX = 0;         // move from one segment to the next
        int stepY = 0;
    };

    static bool IsVertical(TiDirection direction) { return direction == idUp || direction == idDown; }
    SegmentPlan PlanSegments() const;
    TRect BarRect() const;
    int SegmentIndexOf(double value, int count) const;
    void DrawSegments(TCanvas& canvas, const SegmentPlan& plan);
    void DrawSegment(TCanvas& canvas, const TRect& rect, TColor color, bool lit, TColor onColor);
    void DrawTriangle(TCanvas& canvas, const TRect& rect);
    void DrawCircle(TCanvas& canvas, const TRect& rect, bool lit, TColor onColor);

    TiDirection segmentDirection_ = idUp;
    int segmentMargin_ = 2;
    int segmentSize_ = 5;
    int segmentSpacing_ = 2;
    TiLedBarSegmentStyle segmentStyle_ = ilbssRectangle;
    double fillReferenceValue_ = 0.0;
    bool fillReferenceEnabled_ = false;
};

using TiDirection = TiLedBar::TiDirection;
using enum TiLedBar::TiDirection;
using TiLedBarSegmentStyle = TiLedBar::TiLedBarSegmentStyle;
using enum TiLedBar::TiLedBarSegmentStyle;
