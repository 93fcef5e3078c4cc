// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a screen reader reads it: every instrument's role, its name (the
// caption beside it in the window), its value and text after a display tick, the alarm
// lamps' states in words, in the console's language.
#include "tests/support/console_test_support.h"

#include "app/console_language.h"
#include "widgets/accessibility/instrument_accessibility.h"
#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"
#include "widgets/edit/analog_output.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"

#include <QAccessible>
#include <gtest/gtest.h>

using namespace console_test;

namespace {

QAccessibleInterface* Accessible(QWidget* widget)
{
    InstallInstrumentAccessibility();
    return QAccessible::queryAccessibleInterface(widget);
}

struct Reading {
    QWidget* widget;
    QAccessible::Role role;
    QString name;
    double value;
    const char* text;  // nullptr: no text interface
};

void ExpectReadings(const std::vector<Reading>& readings)
{
    for (const Reading& r : readings) {
        SCOPED_TRACE(r.widget->metaObject()->className() + std::string(" ") + r.name.toStdString());
        QAccessibleInterface* accessible = Accessible(r.widget);
        EXPECT_EQ(accessible->role(), r.role);
        EXPECT_EQ(accessible->text(QAccessible::Name), r.name);
        ASSERT_NE(accessible->valueInterface(), nullptr);
        EXPECT_EQ(accessible->valueInterface()->currentValue().toDouble(), r.value);
        if (r.text) {
            ASSERT_NE(accessible->textInterface(), nullptr);
            EXPECT_EQ(accessible->textInterface()->text(0, -1), QString::fromUtf8(r.text));
        }
    }
}

std::array<TiLedRound*, 9> AlarmLamps(const TForm1& f)
{
    return {f.iLedRound1, f.iLedRound2, f.iLedRound3, f.iLedRound4, f.iLedRound5,
            f.iLedRound6, f.iLedRound7, f.iLedRound8, f.iLedRound9};
}

const char* const AlarmNames[] = {"PWER", "R", "S", "T", "TEMP MAX", "TEMP LOA", "CUUR MAX", "CUUR PLO", "CUUR SHO"};

}  // namespace

TEST(ConsoleAccessibility, EveryInstrumentReadsAsItsCaptionWithTheValueShown)
{
    InstallInstrumentAccessibility();  // as main() does, before the window is built
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    //                 run  volt start stop out  cur temp alarms
    ASSERT_TRUE(rig.FeedBlock0({1, 455, 12, 7, 625, 43, 150, 0x0111, 0, 0}));
    TForm1& f = rig.console.form;
    f.Timer2Timer();

    using R = QAccessible::Role;
    ExpectReadings({
        {f.iKnob1, R::Dial, QStringLiteral("启动电压%"), 300, nullptr},  // the knob is the operator's
        {f.iAnalogOutput2, R::EditableText, QStringLiteral("启动电压%"), 45.5, "45.50"},
        {f.iAnalogOutput4, R::EditableText, QStringLiteral("输出量"), 62.5, "62.5"},
        {f.iLedBar2, R::ProgressBar, QStringLiteral("输出量"), 62.5, nullptr},
        {f.iThermometer1, R::Slider, QStringLiteral("温度"), 100, nullptr},  // at the top of its scale
        {f.iAnalogOutput1, R::EditableText, QStringLiteral("温度"), 150, "150'C"},
        {f.iAnalogDisplay5, R::StaticText, QStringLiteral("缓启动时间"), 12, "12.0"},
        {f.iKnob2, R::Dial, QStringLiteral("缓启动时间"), 0, nullptr},
        {f.iAnalogDisplay6, R::StaticText, QStringLiteral("缓停止时间"), 7, "7.0"},
        {f.iKnob3, R::Dial, QStringLiteral("缓停止时间"), 0, nullptr},
        {f.iAnalogDisplay1, R::StaticText, QStringLiteral("R_C"), 4.3, "4.3"},
    });
    EXPECT_EQ(Accessible(f.iThermometer1)->valueInterface()->maximumValue().toDouble(), 100.0);
    EXPECT_EQ(Accessible(f.iKnob1)->valueInterface()->minimumValue().toDouble(), 300.0);

    // Alarm bits 0, 4 and 8 raised: PWER, TEMP MAX and CUUR SHO.
    const auto lamps = AlarmLamps(f);
    for (int n = 0; n < 9; ++n) {
        QAccessibleInterface* lamp = Accessible(lamps[n]);
        EXPECT_EQ(lamp->role(), QAccessible::Indicator);
        EXPECT_EQ(lamp->text(QAccessible::Name), QString::fromLatin1(AlarmNames[n]));
        const bool raised = n == 0 || n == 4 || n == 8;
        EXPECT_EQ(lamp->text(QAccessible::Description), raised ? QStringLiteral("报警") : QStringLiteral("正常"))
            << AlarmNames[n];
    }
    // Running: the switch offers STOP, and is named so.
    QAccessibleInterface* switchLed = Accessible(f.iSwitchLed1);
    EXPECT_EQ(switchLed->role(), QAccessible::Button);
    EXPECT_EQ(switchLed->text(QAccessible::Name), "STOP");
    // The captions themselves read as static text.
    EXPECT_EQ(Accessible(f.iLabel12)->role(), QAccessible::StaticText);
    EXPECT_EQ(Accessible(f.iLabel12)->text(QAccessible::Name), QStringLiteral("温度："));
}

TEST(ConsoleAccessibility, NamesAndAlarmStatesFollowTheLanguage)
{
    ConsoleTranslation english(ConsoleLanguage::English);
    ASSERT_TRUE(english.Loaded());
    InstallInstrumentAccessibility();
    ConsoleUnderTest console;
    TForm1& f = console.form;
    f.Timer2Timer();
    const std::pair<QWidget*, const char*> named[] = {
        {f.iKnob1, "Starting voltage %"}, {f.iAnalogOutput4, "Output"},     {f.iThermometer1, "Temp."},
        {f.iAnalogDisplay5, "Soft start time"}, {f.iKnob3, "Soft stop time"}, {f.iAnalogDisplay1, "R_C"},
        {f.iLedRound9, "CUUR SHO"},
    };
    for (const auto& [widget, name] : named)
        EXPECT_EQ(Accessible(widget)->text(QAccessible::Name), QString::fromLatin1(name));
    EXPECT_EQ(Accessible(f.iLedRound1)->text(QAccessible::Description), "normal");
    EXPECT_EQ(TForm1::AlarmStateText(true), "alarm");
}
