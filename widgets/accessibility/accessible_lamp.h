// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A lamp (TiLed and the round lamp): an indicator, checked while it is lit. What a
// colour means is the window's to tell, in the lamp's description.

#include "widgets/accessibility/accessible_instrument.h"

class TiLed;

class TiAccessibleLamp : public TiAccessibleInstrument {
public:
    explicit TiAccessibleLamp(TiLed* lamp);

    QAccessible::State state() const override;
};
