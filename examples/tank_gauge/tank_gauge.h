// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TankGauge: an instrument written outside the library, as the guide
// docs/writing-an-instrument.md describes. A tank outline with level marks (the
// static layer, kept in the cache) and the liquid in it (the dynamic layer,
// drawn on top at every paint).

#include <widgets/base/component.h>

class TankGauge : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(double Level READ Level WRITE SetLevel)
    Q_PROPERTY(TColorProperty LiquidColor READ LiquidColor WRITE SetLiquidColor)
    Q_PROPERTY(TColorProperty TankColor READ TankColor WRITE SetTankColor)
    Q_PROPERTY(int MarkCount READ MarkCount WRITE SetMarkCount)
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)

public:
    explicit TankGauge(QWidget* parent = nullptr);

    // Told after Level changed, never while loading.
    TNotifyEvent OnChange;

    // Filling in percent, 0 to 100 (values outside are brought to the nearer end).
    double Level() const { return level_; }
    void SetLevel(double value);
    // Drawn over the cached picture: a change repaints the dynamic layer only.
    TColor LiquidColor() const { return liquidColor_; }
    void SetLiquidColor(TColor value) { SetProperty(value, liquidColor_, ickInvalidate); }
    // Part of the cached picture: a change rebuilds the static layer.
    TColor TankColor() const { return tankColor_; }
    void SetTankColor(TColor value) { SetProperty(value, tankColor_, ickBackGround); }
    // Level marks on the tank's side, 0 to 20.
    int MarkCount() const { return markCount_; }
    void SetMarkCount(int value);

protected:
    void PaintContent(TCanvas& canvas) override;
    void Loaded() override;

private:
    TRect TankRect() const;
    void DrawTank(TCanvas& canvas);
    void DrawLiquid(TCanvas& canvas);

    double level_ = 0;
    TColor liquidColor_ = clBlue;
    TColor tankColor_ = clGray;
    int markCount_ = 4;
};
