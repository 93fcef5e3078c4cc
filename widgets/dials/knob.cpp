// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dials/knob.h"

#include "widgets/base/enum_range.h"
#include "widgets/base/property_access.h"

namespace {

void RegisterKnobEnumerations()
{
    static const bool registered = [] {
        RegisterEnumRange<TiKnobStyle>(iksRaisedEdge, iksSunkenEdge);
        RegisterEnumRange<TiKnobIndicatorStyle>(ikisDotLowered, ikisTriangle);
        return true;
    }();
    (void)registered;
}

}  // namespace

TiKnob::TiKnob(QWidget* parent)
    : TiScaleComponent(parent), positionDisplayFont_(std::make_unique<TFont>())
{
    RegisterKnobEnumerations();
    connect(positionDisplayFont_.get(), &TFont::Changed, this, [this] { InvalidateChange(); });
    CreateBackGroundPicture();
    SetShowDisabledState(true);
    SetTickMinorColor(clGray);
    SetTickLabelMargin(15);
    setFocusPolicy(Qt::StrongFocus);
    resize(150, 150);
}

TiKnob::~TiKnob() = default;

void TiKnob::SetPositionDisplayFont(const TFont* font)
{
    if (font != nullptr)
        positionDisplayFont_->Assign(*font);
}

void TiKnob::SetPositionDisplayPrecision(int value)
{
    SetProperty(value < 0 ? 0 : value, positionDisplayPrecision_, ickInvalidate);
}

void TiKnob::SetPositionDisplayUnits(const QString& value)
{
    SetProperty(value.trimmed().isEmpty() ? QString() : value, positionDisplayUnits_, ickInvalidate);
}

void TiKnob::SetIndicatorSize(int value)
{
    SetProperty(value <= 0 ? 1 : value, indicatorSize_, ickInvalidate);
}

void TiKnob::SetIndicatorStyle(TiKnobIndicatorStyle value)
{
    // Values outside the enumeration (from a damaged property file) are ignored.
    if (value == indicatorStyle_ || !InEnumRange(value, ikisDotLowered, ikisTriangle))
        return;
    indicatorStyle_ = value;
    BackGroundChange();
}

void TiKnob::SetKnobStyle(TiKnobStyle value)
{
    if (value == knobStyle_ || !InEnumRange(value, iksRaisedEdge, iksSunkenEdge))
        return;
    knobStyle_ = value;
    BackGroundChange();
}

bool TiKnob::TabStop() const
{
    return (focusPolicy() & Qt::TabFocus) != 0;
}

void TiKnob::SetTabStop(bool value)
{
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

double TiKnob::ValueToAngle(double value) const
{
    return RotationStartDegrees() - PositionFraction(value) * RotationMaxDegrees();
}

double TiKnob::CurrentRotation() const
{
    if (GetPositionMin() == GetPositionMax())
        return 0;
    return PositionFraction(GetPosition()) * RotationMaxDegrees();
}

void TiKnob::SetPositionByRotation(double degrees)
{
    // A knob without any sweep has no rotation to map; dividing by it would
    // turn every move into a jump to one end of the range.
    if (RotationMaxDegrees() == 0)
        return;
    const double span = GetPositionMax() - GetPositionMin();
    SetPosition(GetPositionMin() + span * degrees / RotationMaxDegrees());
}
