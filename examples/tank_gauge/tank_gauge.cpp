// SPDX-License-Identifier: GPL-3.0-or-later
#include "tank_gauge.h"

#include <algorithm>

TankGauge::TankGauge(QWidget* parent) : TiCustomComponent(parent)
{
    resize(60, 120);
    SetBackGroundColor(clWhite);
}

void TankGauge::SetLevel(double value)
{
    // While loading, store the raw value: the range is settled in Loaded().
    if (!IsLoading())
        value = std::clamp(value, 0.0, 100.0);
    if (!SetProperty(value, level_, ickInvalidate) || IsLoading())
        return;
    if (OnChange)
        OnChange(this);
}

void TankGauge::SetMarkCount(int value) { SetProperty(std::clamp(value, 0, 20), markCount_, ickBackGround); }

void TankGauge::Loaded() { level_ = std::clamp(level_, 0.0, 100.0); }

void TankGauge::PaintContent(TCanvas& canvas)
{
    if (CachedDrawing()) {
        if (IsBackGroundChanged()) {
            DrawTank(GetCacheBitmap().Canvas());
            ClearBackGroundChanged();
        }
        DrawCacheBitmap(canvas);
    } else {
        DrawTank(canvas);
    }
    DrawLiquid(canvas);
}

TRect TankGauge::TankRect() const { return TRect(8, 8, Width() - 8, Height() - 8); }

// Static layer: background, border, the tank's wall and its level marks.
void TankGauge::DrawTank(TCanvas& canvas)
{
    DrawBackground(canvas, BackGroundColor());
    const TRect tank = TankRect();
    canvas.Pen.Color = tankColor_;
    canvas.Pen.Width = 2;
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(tank);
    canvas.Pen.Width = 1;
    for (int i = 1; i <= markCount_; ++i) {
        const int y = tank.Bottom - (tank.Bottom - tank.Top) * i / (markCount_ + 1);
        canvas.MoveTo(tank.Left, y);
        canvas.LineTo(tank.Left + 6, y);
    }
}

// Dynamic layer: the liquid, from the bottom up to the level.
void TankGauge::DrawLiquid(TCanvas& canvas)
{
    const TRect tank = TankRect();
    const int inner = tank.Bottom - tank.Top - 4;
    const int height = static_cast<int>(inner * level_ / 100.0);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = liquidColor_;
    canvas.FillRect(TRect(tank.Left + 2, tank.Bottom - 2 - height, tank.Right - 2, tank.Bottom - 2));
}
