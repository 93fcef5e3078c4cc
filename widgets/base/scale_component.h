// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Base of the widgets that carry a graduated scale. Owns a TiScaleObject and
// forwards the tick and label settings to it; runs the auto-scale when enabled.
// Subclasses publish the settings they show with Q_PROPERTY, e.g.
//   Q_PROPERTY(int TickMajorCount READ TickMajorCount WRITE SetTickMajorCount)
//   Q_PROPERTY(TFont* TickLabelFont READ TickLabelFont)

#include "widgets/base/position_component.h"
#include "widgets/base/scale_object.h"

class TiScaleComponent : public TiPositionComponent {
    Q_OBJECT

public:
    explicit TiScaleComponent(QWidget* parent = nullptr);
    ~TiScaleComponent() override;

    TiScaleObject& Scale() { return *scale_; }
    const TiScaleObject& Scale() const { return *scale_; }

    // Forwarded settings (each change rebuilds the picture).
    bool ShowTicksMajor() const { return scale_->ShowTicksMajor(); }
    void SetShowTicksMajor(bool v) { scale_->SetShowTicksMajor(v); }
    bool ShowTicksMinor() const { return scale_->ShowTicksMinor(); }
    void SetShowTicksMinor(bool v) { scale_->SetShowTicksMinor(v); }
    bool ShowTickLabels() const { return scale_->ShowTickLabels(); }
    void SetShowTickLabels(bool v) { scale_->SetShowTickLabels(v); }
    bool ShowTicksMajorFirstLast() const { return scale_->ShowTicksMajorFirstLast(); }
    void SetShowTicksMajorFirstLast(bool v) { scale_->SetShowTicksMajorFirstLast(v); }
    int TickMajorCount() const { return scale_->TickMajorCount(); }
    void SetTickMajorCount(int v) { scale_->SetTickMajorCount(v); }
    int TickMajorLength() const { return scale_->TickMajorLength(); }
    void SetTickMajorLength(int v) { scale_->SetTickMajorLength(v); }
    TColor TickMajorColor() const { return scale_->TickMajorColor(); }
    void SetTickMajorColor(TColor v) { scale_->SetTickMajorColor(v); }
    TiBevelStyle TickMajorStyle() const { return scale_->TickMajorStyle(); }
    void SetTickMajorStyle(TiBevelStyle v) { scale_->SetTickMajorStyle(v); }
    int TickMinorCount() const { return scale_->TickMinorCount(); }
    void SetTickMinorCount(int v) { scale_->SetTickMinorCount(v); }
    int TickMinorLength() const { return scale_->TickMinorLength(); }
    void SetTickMinorLength(int v) { scale_->SetTickMinorLength(v); }
    TColor TickMinorColor() const { return scale_->TickMinorColor(); }
    void SetTickMinorColor(TColor v) { scale_->SetTickMinorColor(v); }
    TiBevelStyle TickMinorStyle() const { return scale_->TickMinorStyle(); }
    void SetTickMinorStyle(TiBevelStyle v) { scale_->SetTickMinorStyle(v); }
    TiTickMinorAlignment TickMinorAlignment() const { return scale_->TickMinorAlignment(); }
    void SetTickMinorAlignment(TiTickMinorAlignment v) { scale_->SetTickMinorAlignment(v); }
    int TickMargin() const { return scale_->TickMargin(); }
    void SetTickMargin(int v) { scale_->SetTickMargin(v); }
    int TickLabelMargin() const { return scale_->TickLabelMargin(); }
    void SetTickLabelMargin(int v) { scale_->SetTickLabelMargin(v); }
    TFont* TickLabelFont() const { return scale_->TickLabelFont(); }
    void SetTickLabelFont(const TFont* v) { scale_->SetTickLabelFont(v); }
    int TickLabelPrecision() const { return scale_->TickLabelPrecision(); }
    void SetTickLabelPrecision(int v) { scale_->SetTickLabelPrecision(v); }
    TiPrecisionStyle PrecisionStyle() const { return scale_->PrecisionStyle(); }
    void SetPrecisionStyle(TiPrecisionStyle v) { scale_->SetPrecisionStyle(v); }
    const TOnCustomizeTickLabel& OnCustomizeTickLabel() const { return scale_->OnCustomizeTickLabel; }
    void SetOnCustomizeTickLabel(TOnCustomizeTickLabel handler) { scale_->OnCustomizeTickLabel = std::move(handler); }

    bool AutoScaleEnabled() const { return autoScaleEnabled_; }
    void SetAutoScaleEnabled(bool v);
    int AutoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }
    void SetAutoScaleDesiredTicks(int v);  // below 2 ignored
    int AutoScaleMaxTicks() const { return autoScaleMaxTicks_; }
    void SetAutoScaleMaxTicks(int v);  // below 2 ignored
    TiAutoScaleStyle AutoScaleStyle() const { return autoScaleStyle_; }
    void SetAutoScaleStyle(TiAutoScaleStyle v);
    double TickStart() const { return tickStart_; }
    double TickEnd() const { return tickEnd_; }

    // With the auto-scale on, these run it with the requested bound.
    void SetPositionMax(double value) override;
    void SetPositionMin(double value) override;

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
