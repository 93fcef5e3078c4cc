// SPDX-License-Identifier: GPL-3.0-or-later
// A form with every instrument and edited properties of each kind of value
// (colour, enumerations of a widget and of the shared set, numbers, text), written
// as Designer writes them (stdset="0": uic sets them with setProperty), compiled
// with uic in the build (AUTOUIC) and shown offscreen.

#include "ui_every_instrument.h"
#include "widgets/base/property_access.h"
#include "widgets/catalogue/instrument_kinds.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <algorithm>

TEST(DesignerForms, EveryInstrumentFormShowsWithItsValues)
{
    QWidget form;
    Ui::EveryInstrument ui;
    ui.setupUi(&form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (const TiInstrumentKind& kind : InstrumentKinds()) {
        const auto found = form.findChildren<TiComponent*>();
        EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](TiComponent* w) {
            return kind.className == w->metaObject()->className() && w->isVisible();
        })) << kind.className.toStdString();
    }
    // The value is set after its range, whatever order the form's lines had.
    EXPECT_EQ(ui.knob->GetPositionMin(), 300);
    EXPECT_EQ(ui.knob->GetPosition(), 500);
    EXPECT_EQ(ui.knob->IndicatorActiveColor(), clRed);
    EXPECT_EQ(ui.knob->KnobStyle(), iksSunken);
    EXPECT_EQ(ui.knob->TickMinorAlignment(), itmnaOutside);
    EXPECT_EQ(ui.thermometer->GetPosition(), 42);
    EXPECT_TRUE(ui.ledRound->Active());
    EXPECT_EQ(ui.switchLed->Caption(), "RUN");
    EXPECT_EQ(ui.label->Caption(), QString::fromUtf8("温度:"));
    EXPECT_EQ(ui.analogDisplay->Value(), 12.5);
    EXPECT_EQ(ui.analogOutput->FilterStyle(), ifisAuto);
}
