// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/progress_component.h"

TiProgressComponent::TiProgressComponent(QWidget* parent) : TiPositionComponent(parent)
{
    resize(16, 200);
}

TColor TiProgressComponent::SectionColor(int section) const
{
    if (section < 1 || section > MaxSectionCount)
        return clBlack;
    return sectionColors_[section - 1];
}

void TiProgressComponent::SetSectionColor(int section, TColor value)
{
    if (section >= 1 && section <= MaxSectionCount)
        SetProperty(value, sectionColors_[section - 1], ickInvalidate);
}

double TiProgressComponent::SectionEnd(int index) const
{
    if (index < 1 || index >= MaxSectionCount)
        return 0.0;
    return sectionEnds_[index - 1];
}

void TiProgressComponent::SetSectionEnd(int index, double value)
{
    if (index >= 1 && index < MaxSectionCount)
        SetProperty(value, sectionEnds_[index - 1], ickInvalidate);
}

void TiProgressComponent::SetSectionCount(int value)
{
    if (value < 1 || value > MaxSectionCount)
        return;
    SetProperty(value, sectionCount_, ickInvalidate);
}
