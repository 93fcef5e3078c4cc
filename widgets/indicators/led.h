// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiLed: the common base of the single-lamp indicators. A lamp is active or
// inactive and shows one colour for each; the inactive colour is derived from
// the active one (each colour byte divided by 3) unless AutoInactiveColor is
// off. TiLed draws nothing itself; its descendants paint the lamp.

#include "widgets/base/component.h"

class TiLed : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(TColorProperty ActiveColor READ ActiveColor WRITE SetActiveColor)
    Q_PROPERTY(bool AutoInactiveColor READ AutoInactiveColor WRITE SetAutoInactiveColor)
    Q_PROPERTY(TColorProperty InactiveColor READ InactiveColor WRITE SetInactiveColor)
    Q_PROPERTY(TiEnums::TiBevelStyle BevelStyle READ BevelStyle WRITE SetBevelStyle)

public:
    explicit TiLed(QWidget* parent = nullptr);

    // Told after Active changed (also while loading).
    TNotifyEvent OnChange;

    bool Active() const { return active_; }
    void SetActive(bool value);
    TColor ActiveColor() const { return activeColor_; }
    void SetActiveColor(TColor value) { SetProperty(value, activeColor_, ickBackGround); }
    bool AutoInactiveColor() const { return autoInactiveColor_; }
    void SetAutoInactiveColor(bool value) { SetProperty(value, autoInactiveColor_, ickBackGround); }
    TColor InactiveColor() const { return inactiveColor_; }
    void SetInactiveColor(TColor value) { SetProperty(value, inactiveColor_, ickBackGround); }
    TiBevelStyle BevelStyle() const { return bevelStyle_; }
    void SetBevelStyle(TiBevelStyle value);

    // The colour the lamp's body shows now: ActiveColor when active, else the
    // derived or the explicit inactive colour.
    TColor BodyColor() const;

private:
    bool active_ = false;
    TColor activeColor_ = clLime;
    bool autoInactiveColor_ = true;
    TColor inactiveColor_ = 0x005500;
    TiBevelStyle bevelStyle_ = ibsLowered;
};
