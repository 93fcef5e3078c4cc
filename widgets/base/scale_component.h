// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Base of the widgets that carry a graduated scale. Owns a TiScaleObject and
// forwards the tick and label settings to it; runs the auto-scale when enabled.
// Subclasses publish the settings they show with Q_PROPERTY, e.g.
//   Q_PROPERTY(int TickMajorCount READ TickMajorCount WRITE SetTickMajorCount)
//   Q_PROPERTY(TFont* TickLabelFont READ TickLabelFont)

#include "widgets/base/position_component.h"
#include "widgets/base/scale_object.h"

// A position control with a graduated scale: the tick and label settings and the auto-scale that fits the range to round numbers.
class TiScaleComponent : public TiPositionComponent {
    Q_OBJECT

public:
    explicit TiScaleComponent(QWidget* parent = nullptr);  // creates it with major and minor ticks and labels shown
    ~TiScaleComponent() override;

    TiScaleObject& Scale() { return *scale_; }  // the scale's settings and drawing
    const TiScaleObject& Scale() const { return *scale_; }  // the scale's settings and drawing

    // --- Forwarded to the scale: each change rebuilds the cached picture ---
    bool ShowTicksMajor() const { return scale_->ShowTicksMajor(); }  // whether the major ticks are drawn; a change rebuilds the cached picture
    void SetShowTicksMajor(bool v) { scale_->SetShowTicksMajor(v); }  // rebuilds the cached picture
    bool ShowTicksMinor() const { return scale_->ShowTicksMinor(); }  // whether the minor ticks are drawn; a change rebuilds the cached picture
    void SetShowTicksMinor(bool v) { scale_->SetShowTicksMinor(v); }  // rebuilds the cached picture
    bool ShowTickLabels() const { return scale_->ShowTickLabels(); }  // whether the major ticks carry value labels; a change rebuilds the cached picture
    void SetShowTickLabels(bool v) { scale_->SetShowTickLabels(v); }  // rebuilds the cached picture
    bool ShowTicksMajorFirstLast() const { return scale_->ShowTicksMajorFirstLast(); }  // whether the first and last major ticks are drawn (their labels are drawn either way); a change rebuilds the cached picture
    void SetShowTicksMajorFirstLast(bool v) { scale_->SetShowTicksMajorFirstLast(v); }  // rebuilds the cached picture
    int TickMajorCount() const { return scale_->TickMajorCount(); }  // number of major ticks, ends included (2 to 100; the auto-scale sets it); a change rebuilds the cached picture
    void SetTickMajorCount(int v) { scale_->SetTickMajorCount(v); }  // clamped to 2..100; rebuilds the cached picture
    int TickMajorLength() const { return scale_->TickMajorLength(); }  // length of a major tick in pixels (at least 1); a change rebuilds the cached picture
    void SetTickMajorLength(int v) { scale_->SetTickMajorLength(v); }  // <= 0 stored as 1; rebuilds the cached picture
    TColor TickMajorColor() const { return scale_->TickMajorColor(); }  // colour of the major ticks; a change rebuilds the cached picture
    void SetTickMajorColor(TColor v) { scale_->SetTickMajorColor(v); }  // rebuilds the cached picture
    TiBevelStyle TickMajorStyle() const { return scale_->TickMajorStyle(); }  // whether the major ticks are flat lines, raised or lowered; a change rebuilds the cached picture
    void SetTickMajorStyle(TiBevelStyle v) { scale_->SetTickMajorStyle(v); }  // rebuilds the cached picture
    int TickMinorCount() const { return scale_->TickMinorCount(); }  // minor ticks between two major ticks (1 to 100); a change rebuilds the cached picture
    void SetTickMinorCount(int v) { scale_->SetTickMinorCount(v); }  // clamped to 1..100; rebuilds the cached picture
    int TickMinorLength() const { return scale_->TickMinorLength(); }  // length of a minor tick in pixels (at least 1); a change rebuilds the cached picture
    void SetTickMinorLength(int v) { scale_->SetTickMinorLength(v); }  // <= 0 stored as 1; rebuilds the cached picture
    TColor TickMinorColor() const { return scale_->TickMinorColor(); }  // colour of the minor ticks; a change rebuilds the cached picture
    void SetTickMinorColor(TColor v) { scale_->SetTickMinorColor(v); }  // rebuilds the cached picture
    TiBevelStyle TickMinorStyle() const { return scale_->TickMinorStyle(); }  // whether the minor ticks are flat lines, raised or lowered; a change rebuilds the cached picture
    void SetTickMinorStyle(TiBevelStyle v) { scale_->SetTickMinorStyle(v); }  // rebuilds the cached picture
    TiTickMinorAlignment TickMinorAlignment() const { return scale_->TickMinorAlignment(); }  // where a minor tick lies against the major ticks' band: inside, centred or outside; a change rebuilds the cached picture
    void SetTickMinorAlignment(TiTickMinorAlignment v) { scale_->SetTickMinorAlignment(v); }  // rebuilds the cached picture
    int TickMargin() const { return scale_->TickMargin(); }  // pixels between the scale's base line and the ticks; a change rebuilds the cached picture
    void SetTickMargin(int v) { scale_->SetTickMargin(v); }  // rebuilds the cached picture
    int TickLabelMargin() const { return scale_->TickLabelMargin(); }  // pixels between the major ticks and their labels; a change rebuilds the cached picture
    void SetTickLabelMargin(int v) { scale_->SetTickLabelMargin(v); }  // rebuilds the cached picture
    TFont* TickLabelFont() const { return scale_->TickLabelFont(); }  // font of the tick labels, owned by the widget; a change rebuilds the cached picture
    void SetTickLabelFont(const TFont* v) { scale_->SetTickLabelFont(v); }  // copies the attributes
    int TickLabelPrecision() const { return scale_->TickLabelPrecision(); }  // decimals (ipsFixedDecimalPoints) or significant digits (ipsSignificantDigits) of the labels, 0 and up; a change rebuilds the cached picture
    void SetTickLabelPrecision(int v) { scale_->SetTickLabelPrecision(v); }  // below 0 stored as 0; rebuilds the cached picture
    TiPrecisionStyle PrecisionStyle() const { return scale_->PrecisionStyle(); }  // how TickLabelPrecision is read (fixed decimals by default); a change rebuilds the cached picture
    void SetPrecisionStyle(TiPrecisionStyle v) { scale_->SetPrecisionStyle(v); }  // rebuilds the cached picture
    const TOnCustomizeTickLabel& OnCustomizeTickLabel() const { return scale_->OnCustomizeTickLabel; }  // the handler that may rewrite each label's text
    void SetOnCustomizeTickLabel(TOnCustomizeTickLabel handler) { scale_->OnCustomizeTickLabel = std::move(handler); }  // sets the handler that may rewrite each label's text

    bool AutoScaleEnabled() const { return autoScaleEnabled_; }  // whether setting the range fits the ticks (and with iassAutoMinMax the range) to round numbers; off by default
    void SetAutoScaleEnabled(bool v);  // fits the current range at once when turned on
    int AutoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }  // number of major ticks the auto-scale aims at (at least 2)
    void SetAutoScaleDesiredTicks(int v);  // below 2 ignored
    int AutoScaleMaxTicks() const { return autoScaleMaxTicks_; }  // most major ticks the auto-scale may use (at least 2)
    void SetAutoScaleMaxTicks(int v);  // below 2 ignored
    TiAutoScaleStyle AutoScaleStyle() const { return autoScaleStyle_; }  // whether the auto-scale widens the range to round numbers (iassAutoMinMax) or keeps it and places round ticks inside (iassFixedMinMax)
    void SetAutoScaleStyle(TiAutoScaleStyle v);  // fits the current range again
    double TickStart() const { return tickStart_; }  // first major tick's value under iassFixedMinMax
    double TickEnd() const { return tickEnd_; }  // last major tick's value under iassFixedMinMax

    // With the auto-scale on, these run it with the requested bound.
    void SetPositionMax(double value) override;
    void SetPositionMin(double value) override;  // with the auto-scale on, fits the range with the requested minimum

    // Label decimals for the widget's range (overridable).
    virtual int GetLabelDecimals() const;
    // Label text of value v at major index i (the widget as Sender for customizing).
    QString GetLabelText(double value, int index) const;

protected:
    void Loaded() override;
    // Runs the auto-scale for the requested range when enabled and not loading.
    void DoAutoScale(double min, double max);
    // Copies the range and auto-scale state into the scale object (before drawing).
    void PrepareScale();

private:
    std::unique_ptr<TiScaleObject> scale_;
    bool autoScaleEnabled_ = false;
    int autoScaleDesiredTicks_ = 5;
    int autoScaleMaxTicks_ = 6;
    TiAutoScaleStyle autoScaleStyle_ = iassAutoMinMax;
    double tickStart_ = 0;
    double tickEnd_ = 0;
};
