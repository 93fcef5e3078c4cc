// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiLed: the common base of the single-lamp indicators. A lamp is active or
// inactive and shows one colour for each; the inactive colour is derived from
// the active one (each colour byte divided by 3) unless AutoInactiveColor is
// off. TiLed draws nothing itself; its descendants paint the lamp.

#include "widgets/base/component.h"

// The base of the single-lamp indicators: a lamp that is active or inactive, with a colour for each; the descendants paint it.
class TiLed : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(TColorProperty ActiveColor READ ActiveColor WRITE SetActiveColor)
    Q_PROPERTY(bool AutoInactiveColor READ AutoInactiveColor WRITE SetAutoInactiveColor)
    Q_PROPERTY(TColorProperty InactiveColor READ InactiveColor WRITE SetInactiveColor)
    Q_PROPERTY(TiEnums::TiBevelStyle BevelStyle READ BevelStyle WRITE SetBevelStyle)

public:
    explicit TiLed(QWidget* parent = nullptr);  // creates an inactive lamp, lime when active

    // Told after Active changed (also while loading).
    TNotifyEvent OnChange;

    bool Active() const { return active_; }  // whether the lamp is lit (shows ActiveColor); a change rebuilds the cached picture and fires OnChange
    void SetActive(bool value);  // asks the veto hook first
    TColor ActiveColor() const { return activeColor_; }  // colour of the lit lamp (lime by default); a change rebuilds the cached picture
    void SetActiveColor(TColor value) { SetProperty(value, activeColor_, ickBackGround); }  // rebuilds the cached picture
    bool AutoInactiveColor() const { return autoInactiveColor_; }  // whether the unlit colour is ActiveColor with each byte divided by 3 (on by default) rather than InactiveColor; a change rebuilds the cached picture
    void SetAutoInactiveColor(bool value) { SetProperty(value, autoInactiveColor_, ickBackGround); }  // rebuilds the cached picture
    TColor InactiveColor() const { return inactiveColor_; }  // colour of the unlit lamp while AutoInactiveColor is off; a change rebuilds the cached picture
    void SetInactiveColor(TColor value) { SetProperty(value, inactiveColor_, ickBackGround); }  // rebuilds the cached picture
    TiBevelStyle BevelStyle() const { return bevelStyle_; }  // the bevel around the lamp (lowered by default); a change rebuilds the cached picture
    void SetBevelStyle(TiBevelStyle value);  // rebuilds the cached picture; an unknown value is ignored

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
