// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiLedRound: a round lamp with an optional bevel ring and a white
// reflection. It keeps itself square: a change of the width sets the height to
// match, a change of the height alone sets the width.

#include "widgets/indicators/led.h"

class TiLedRound : public TiLed {
    Q_OBJECT
    Q_PROPERTY(bool ShowReflection READ ShowReflection WRITE SetShowReflection)
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    explicit TiLedRound(QWidget* parent = nullptr);  // creates a round lamp with its reflection shown

    bool ShowReflection() const { return showReflection_; }  // whether a white reflection is drawn on the lamp (on by default); a change rebuilds the cached picture
    void SetShowReflection(bool value) { SetProperty(value, showReflection_, ickBackGround); }  // rebuilds the cached picture

    // Moves and resizes, keeping the lamp square (a new width sets the height, else a new height sets the width); not while loading.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void PaintContent(TCanvas& canvas) override;

private:
    void DrawLamp(TCanvas& canvas);
    TRect DrawBevelRing(TCanvas& canvas);
    void DrawReflection(TCanvas& canvas, const TRect& lamp);

    bool showReflection_ = true;
};
