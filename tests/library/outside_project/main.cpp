// SPDX-License-Identifier: GPL-3.0-or-later
// Places a knob, a thermometer and the guide's tank gauge on a panel, draws them
// offscreen and checks what they show; a property file of the knob is saved and
// loaded into a second knob. Exits non-zero, naming the check, on a failure.

#include "tank_gauge.h"

#include <widgets/dials/knob.h>
#include <widgets/dials/thermometer.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

namespace {

int failures = 0;

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "outside panel: %s\n", what);
        ++failures;
    }
}

QRgb Rgb(TColor color) { return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget panel;
    panel.resize(320, 200);
    auto* knob = new TiKnob(&panel);
    auto* thermometer = new TiThermometer(&panel);
    auto* tank = new TankGauge(&panel);
    {
        TiLoadingBracket loading{knob, thermometer, tank};
        knob->SetBounds(0, 0, 140, 140);
        knob->SetPositionMin(300);
        knob->SetPositionMax(700);
        knob->SetPosition(500);
        thermometer->SetBounds(150, 0, 60, 180);
        thermometer->SetPosition(42);
        tank->SetBounds(220, 0, 60, 120);
        tank->SetLevel(150);  // brought to 100 when loading ends
    }
    panel.show();

    Check(knob->GetPosition() == 500, "knob position on 300..700");
    Check(tank->Level() == 100, "tank level clamped when loading ended");
    tank->SetLevel(50);

    const QImage tankImage = tank->grab().toImage();
    const int x = tank->width() / 2;
    Check(tankImage.pixel(x, tank->height() - 14) == Rgb(clBlue), "liquid at the bottom of the tank");
    Check(tankImage.pixel(x, 14) == Rgb(clWhite), "empty top of the tank");
    const QImage knobImage = knob->grab().toImage();
    Check(knobImage.pixel(70, 70) != knobImage.pixel(2, 2), "knob face drawn");

    QTemporaryDir dir;
    const QString file = dir.filePath("knob.txt");
    knob->SavePropertiesToFile(file);
    TiKnob reloaded;
    reloaded.LoadPropertiesFromFile(file);
    Check(reloaded.GetPositionMin() == 300 && reloaded.GetPosition() == 500, "knob property file round trip");

    if (failures == 0)
        std::puts("outside panel: knob, thermometer and tank gauge drawn; property file read back");
    return failures == 0 ? 0 : 1;
}
