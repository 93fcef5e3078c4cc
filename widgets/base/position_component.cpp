// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/position_component.h"

#include <cmath>
#include <stdexcept>

namespace {

void Fire(const TNotifyEvent& event, TObject* sender)
{
    if (event)
        event(sender);
}

}  // namespace

TiPositionComponent::TiPositionComponent(QWidget* parent)
    : TiCustomComponent(parent),
      maxPointer_(std::make_unique<TiGaugePointer>()),
      minPointer_(std::make_unique<TiGaugePointer>())
{
}

TiPositionComponent::~TiPositionComponent() = default;

void TiPositionComponent::SetPosition(double value)
{
    if (IsLoading()) {
        position_ = value;
        return;
    }
    // The maximum is applied first, so crossed bounds give PositionMin; a NaN
    // also ends at PositionMin.
    double v = value;
    if (v > positionMax_)
        v = positionMax_;
    if (!(v >= positionMin_))
        v = positionMin_;
    if (v == position_)
        return;
    if (!AskVetoHook(QStringLiteral("Position")))
        return;
    position_ = v;
    positionChanged_ = true;
    UpdateRunningMinMax(v);
    InvalidateChange();
    DoPositionChange();
}

void TiPositionComponent::DoPositionChange()
{
    if (IsLoading())
        return;
    if (!userChange_)
        PublishPositionValue();
    NotifyChangeHook(QStringLiteral("Position"));
    Fire(OnPositionChange, this);
    if (userChange_)
        Fire(OnPositionChangeUser, this);
}

void TiPositionComponent::DoPositionChangeFinished()
{
    if (IsLoading() || !positionChanged_)
        return;
    positionChanged_ = false;
    PublishPositionValue();
    Fire(OnPositionChangeFinished, this);
}

void TiPositionComponent::UpdateRunningMinMax(double value)
{
    if (minMaxFixed_)
        return;
    if (!(GetCurrentMax() >= value)) {
        SetCurrentMax(value);
        Fire(OnPositionOverMax, this);
    }
    if (value < GetCurrentMin()) {
        SetCurrentMin(value);
        Fire(OnPositionUnderMin, this);
    }
    for (int i = 0; i < LimitCount(); ++i) {
        if (!(value <= limits_[i].UpperValue) && OnPositionOverLimit)
            OnPositionOverLimit(this, i);
        if (value < limits_[i].LowerValue && OnPositionUnderLimit)
            OnPositionUnderLimit(this, i);
    }
}

// Stores a running minimum or maximum, brought into the range unless loading: below
// PositionMin takes PositionMin, then above PositionMax takes PositionMax, so the
// maximum wins when the bounds are crossed (std::clamp would be undefined there).
// True when it changed and its events are due.
bool TiPositionComponent::StoreRunningLimit(TiGaugePointer& pointer, bool shown, double value)
{
    const bool loading = IsLoading();
    double v = value;
    if (!loading && v < positionMin_)
        v = positionMin_;
    if (!loading && v > positionMax_)
        v = positionMax_;
    if (v == pointer.Position())
        return false;
    pointer.SetPosition(v);
    if (shown)
        InvalidateChange();
    return !loading;
}

void TiPositionComponent::SetCurrentMax(double value)
{
    if (!StoreRunningLimit(*maxPointer_, showMaxPointer_, value))
        return;
    Fire(OnCurrentMaxChange, this);
    if (GetCurrentMax() < position_)
        Fire(OnPositionOverMax, this);
}

void TiPositionComponent::SetCurrentMin(double value)
{
    if (!StoreRunningLimit(*minPointer_, showMinPointer_, value))
        return;
    Fire(OnCurrentMinChange, this);
    if (GetCurrentMin() > position_)
        Fire(OnPositionUnderMin, this);
}

void TiPositionComponent::SetMinMaxFixed(bool value)
{
    if (minMaxFixed_ == value)
        return;
    minMaxFixed_ = value;
    InvalidateChange();
}

void TiPositionComponent::SetPositionMax(double value)
{
    if (value == positionMax_)
        return;
    SetRange(positionMin_, value);
}

void TiPositionComponent::SetPositionMin(double value)
{
    if (value == positionMin_)
        return;
    SetRange(value, positionMax_);
}

void TiPositionComponent::SetRange(double min, double max)
{
    // A bound that is not a number would break every comparison: ignored.
    if (!std::isfinite(min) || !std::isfinite(max))
        return;
    if (min == positionMin_ && max == positionMax_)
        return;
    positionMin_ = min;
    positionMax_ = max;
    if (!IsLoading() && !minMaxFixed_) {
        if (GetCurrentMin() < positionMin_)
            SetCurrentMin(positionMin_);
        if (GetCurrentMax() > positionMax_)
            SetCurrentMax(positionMax_);
    }
    ClampPosition();
    BackGroundChange();
}

void TiPositionComponent::ClampPosition()
{
    if (IsLoading())
        return;
    if (position_ < positionMin_)
        SetPosition(positionMin_);
    if (position_ > positionMax_)
        SetPosition(positionMax_);
}

QStringList TiPositionComponent::PropertiesLoadedLast() const
{
    return TiCustomComponent::PropertiesLoadedLast() << QStringLiteral("Position");
}

double TiPositionComponent::PositionFraction(double value) const
{
    if (value > positionMax_)
        return 1.0;
    if (value >= positionMin_ && positionMax_ != positionMin_)
        return (value - positionMin_) / (positionMax_ - positionMin_);
    return 0.0;
}

const TiLimit& TiPositionComponent::GetLimit(int index) const
{
    if (index < 0 || index >= LimitCount())
        throw std::out_of_range("Limit Index out of bounds");
    return limits_[static_cast<std::size_t>(index)];
}
