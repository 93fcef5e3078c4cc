// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/gauge_pointer.h"

void TiGaugePointer::SetPosition(double v)
{
    if (position_ == v)
        return;
    position_ = v;
    if (owner_.Changed)
        owner_.Changed(this);
    if (owner_.PositionChanged)
        owner_.PositionChanged(this);
}
