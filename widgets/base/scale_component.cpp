// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/scale_component.h"

#include "widgets/base/drawing_helpers.h"

TiScaleComponent::TiScaleComponent(QWidget* parent)
    : TiPositionComponent(parent), scale_(std::make_unique<TiScaleObject>(this, [this] { BackGroundChange(); }))
{
    scale_->SetPrecisionStyle(ipsFixedDecimalPoints);
    scale_->SetAutoScaleDesiredTicks(autoScaleDesiredTicks_);
    scale_->SetAutoScaleMaxTicks(autoScaleMaxTicks_);
    scale_->SetShowTicksMajor(true);
    scale_->SetShowTicksMinor(true);
    scale_->SetShowTickLabels(true);
}

TiScaleComponent::~TiScaleComponent() = default;

void TiScaleComponent::SetAutoScaleEnabled(bool v)
{
    if (autoScaleEnabled_ == v)
        return;
    autoScaleEnabled_ = v;
    scale_->SetAutoScaleEnabled(v);
    DoAutoScale(GetPositionMin(), GetPositionMax());
}

void TiScaleComponent::SetAutoScaleDesiredTicks(int v)
{
    if (v < 2 || autoScaleDesiredTicks_ == v)
        return;
    autoScaleDesiredTicks_ = v;
    scale_->SetAutoScaleDesiredTicks(v);
    DoAutoScale(GetPositionMin(), GetPositionMax());
}

void TiScaleComponent::SetAutoScaleMaxTicks(int v)
{
    if (v < 2 || autoScaleMaxTicks_ == v)
        return;
    autoScaleMaxTicks_ = v;
    scale_->SetAutoScaleMaxTicks(v);
    DoAutoScale(GetPositionMin(), GetPositionMax());
}

void TiScaleComponent::SetAutoScaleStyle(TiAutoScaleStyle v)
{
    if (autoScaleStyle_ == v)
        return;
    autoScaleStyle_ = v;
    scale_->SetAutoScaleStyle(v);
    DoAutoScale(GetPositionMin(), GetPositionMax());
}

void TiScaleComponent::SetPositionMax(double value)
{
    if (autoScaleEnabled_ && !IsLoading())
        DoAutoScale(GetPositionMin(), value);
    else
        TiPositionComponent::SetPositionMax(value);
}

void TiScaleComponent::SetPositionMin(double value)
{
    if (autoScaleEnabled_ && !IsLoading())
        DoAutoScale(value, GetPositionMax());
    else
        TiPositionComponent::SetPositionMin(value);
}

void TiScaleComponent::DoAutoScale(double min, double max)
{
    if (!autoScaleEnabled_ || IsLoading())
        return;
    int count = 2;
    if (autoScaleStyle_ == iassAutoMinMax) {
        double fittedMin = min;
        double fittedMax = max;
        FitNiceRangeAuto(autoScaleDesiredTicks_, autoScaleMaxTicks_, min, max, fittedMin, fittedMax, count);
        SetRange(fittedMin, fittedMax);
    } else {
        SetRange(min, max);
        FitNiceRangeFixed(autoScaleDesiredTicks_, autoScaleMaxTicks_, min, max, tickStart_, tickEnd_, count);
        scale_->SetTickStartEnd(tickStart_, tickEnd_);
        BackGroundChange();
    }
    scale_->SetTickMajorCount(count);
}

void TiScaleComponent::Loaded()
{
    TiPositionComponent::Loaded();
    DoAutoScale(GetPositionMin(), GetPositionMax());
}

void TiScaleComponent::PrepareScale() { scale_->CopyRange(GetPositionMin(), GetPositionMax()); }

int TiScaleComponent::GetLabelDecimals() const
{
    return ScaleLabelDecimals(PrecisionStyle(), TickLabelPrecision(), GetPositionMin(), GetPositionMax());
}

QString TiScaleComponent::GetLabelText(double value, int index) const
{
    return scale_->LabelText(value, index, GetLabelDecimals());
}
