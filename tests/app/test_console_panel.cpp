// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/console_test_support.h"

#include "app/up_down_arrows.h"
#include "sim/sim_process.h"
#include "tests/support/widget_test_support.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/edit/analog_output.h"
#include "widgets/dials/knob.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"
#include "widgets/dials/thermometer.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace console_test;

namespace {

std::array<TiLedRound*, 9> Leds(TForm1& form)
{
    return {form.iLedRound1, form.iLedRound2, form.iLedRound3, form.iLedRound4, form.iLedRound5,
            form.iLedRound6, form.iLedRound7, form.iLedRound8, form.iLedRound9};
}

// Pixels of this colour in a round LED as drawn on screen; the body of a 20 x 20 lamp
// inside its bevel ring covers well over a hundred.
int LedPixels(TiLedRound* led, TColor color)
{
    return widget_test::CountColor(widget_test::Render(*led), color);
}

// Segment k (0 = bottom) of the console's 25 x 153 bar: 21 segments of 5 pixels with a
// 2-pixel gap, the bottom one at (2, 144, 23, 149).
TColor LedBarSegment(const QImage& bar, int k)
{
    return widget_test::PixelAt(bar, 12, 146 - 7 * k);
}

}  // namespace

TEST(ConsoleDisplayTick, ShowsTheZeroStateBeforeTheFirstReply)
{
    widget_test::ClassicPaletteScope palette;
    ConsoleUnderTest console;
    TForm1& form = console.form;
    form.Timer2Timer();
    EXPECT_EQ(form.iSwitchLed1->Caption(), "RUN");
    EXPECT_EQ(form.iSwitchLed1->ActiveColor(), clRed);
    for (TiLedRound* led : Leds(form)) {
        EXPECT_EQ(led->ActiveColor(), clLime);
        EXPECT_GT(LedPixels(led, 0x005500), 100);
    }
    EXPECT_EQ(form.iAnalogOutput4->Value(), 0.0);
    EXPECT_EQ(form.iLedBar2->GetPosition(), 0.0);
    EXPECT_EQ(form.iThermometer1->GetPosition(), 0.0);
    EXPECT_EQ(form.iAnalogDisplay5->DisplayText(), "0.0");
    EXPECT_EQ(form.iAnalogOutput1->Text(), "0'C");
}

TEST(ConsoleDisplayTick, ShowsTheDecodedRegistersOnTheInstruments)
{
    widget_test::ClassicPaletteScope palette;
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    //                 run  volt start stop out  cur temp alarms
    ASSERT_TRUE(rig.FeedBlock0({1, 455, 12, 7, 625, 43, 150, 0x0101, 0, 0}));
    TForm1& form = rig.console.form;
    form.Timer2Timer();

    EXPECT_EQ(form.iAnalogDisplay5->DisplayText(), "12.0");
    EXPECT_EQ(form.iAnalogDisplay6->DisplayText(), "7.0");
    EXPECT_EQ(form.iAnalogDisplay1->DisplayText(), "4.3");
    EXPECT_EQ(form.iAnalogOutput2->Text(), "45.50");
    EXPECT_EQ(form.iAnalogOutput4->Text(), "62.5");
    EXPECT_EQ(form.iLedBar2->GetPosition(), 62.5);
    EXPECT_EQ(form.iAnalogOutput1->Text(), "150'C");
    EXPECT_EQ(form.iThermometer1->GetPosition(), 100.0);  // clamped to its maximum

    // 62.5 of 100 lights 14 of the 21 segments (round(0.625 x 21 + 0.5)), all in the
    // first section's yellow; the rest show it dimmed.
    const QImage bar = widget_test::Render(*form.iLedBar2);
    for (int k = 0; k < 14; ++k)
        EXPECT_EQ(LedBarSegment(bar, k), clYellow) << "segment " << k;
    for (int k = 14; k < 21; ++k)
        EXPECT_EQ(LedBarSegment(bar, k), 0x005555u) << "segment " << k;

    // Alarm bits 0 and 8: "PWER" and "SHO" dim red, the others dim green.
    const auto leds = Leds(form);
    for (int n = 0; n < 9; ++n) {
        const bool raised = n == 0 || n == 8;
        EXPECT_GT(LedPixels(leds[n], raised ? 0x000055 : 0x005500), 100) << "LED " << n + 1;
        EXPECT_EQ(LedPixels(leds[n], raised ? 0x005500 : 0x000055), 0) << "LED " << n + 1;
    }

    // Running: the switch offers "STOP" in green. Register 0 = 2 (bit 0 clear) is stopped.
    EXPECT_EQ(form.iSwitchLed1->Caption(), "STOP");
    EXPECT_EQ(form.iSwitchLed1->ActiveColor(), clLime);
    form.Link().Timer1Timer();  // the block is done: the cycle moves on to block 1
    ASSERT_EQ(rig.device.Read(8), ReadRequest(1, 10));
    EXPECT_FALSE(rig.console.form.Link().WritePending());
}

TEST(ConsoleDisplayTick, SwitchCaptionFollowsBitZeroOfTheRunState)
{
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    int changes = 0;
    rig.console.form.iSwitchLed1->OnChange = [&](TObject*) { ++changes; };
    ASSERT_TRUE(rig.FeedBlock0({2, 300, 10, 10, 0, 0, 25, 0, 0, 0}));
    rig.console.form.Timer2Timer();
    EXPECT_EQ(rig.console.form.iSwitchLed1->Caption(), "RUN");
    EXPECT_EQ(rig.console.form.iSwitchLed1->ActiveColor(), clRed);
    EXPECT_EQ(changes, 0);  // caption and colour writes never count as a toggle
}

TEST(ConsoleCommands, KnobClicksWriteTheRoundedPosition)
{
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    TForm1& form = rig.console.form;

    form.iKnob1->SetPosition(350);
    widget_test::Click(*form.iKnob1, QPoint(2, 2));  // a click anywhere on the knob
    EXPECT_EQ(rig.device.Read(8), (Bytes{0x01, 0x06, 0x00, 0x01, 0x01, 0x5E, 0x58, 0x62}));
    EXPECT_TRUE(form.Link().WritePending());

    form.iKnob2->SetPosition(42.5);
    widget_test::Click(*form.iKnob2, QPoint(2, 2));
    EXPECT_EQ(rig.device.Read(8), WriteRequest(1, 2, 42));
    form.iKnob3->SetPosition(43.5);
    widget_test::Click(*form.iKnob3, QPoint(2, 2));
    EXPECT_EQ(rig.device.Read(8), WriteRequest(1, 3, 44));
}

TEST(ConsoleCommands, SwitchWritesTheRunStateItsCaptionOffers)
{
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    TForm1& form = rig.console.form;

    // Before the first display tick the caption is the form's "STOP": a toggle stops.
    form.iSwitchLed1->SetActive(!form.iSwitchLed1->Active());
    EXPECT_EQ(rig.device.Read(8), WriteRequest(1, 0, 0));
    EXPECT_EQ(form.Memo13->toPlainText(), "1111");

    form.Timer2Timer();  // all-zero state: stopped, the switch offers "RUN"
    widget_test::Click(*form.iSwitchLed1, QPoint(10, 10));
    EXPECT_EQ(rig.device.Read(8), WriteRequest(1, 0, 1));
    EXPECT_EQ(form.Memo13->toPlainText(), "3333");
}

TEST(ConsoleCommands, UntickedCommunicationSendsNothingAndPausesPolling)
{
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    TForm1& form = rig.console.form;
    form.iKnob1->SetPosition(400);
    widget_test::Click(*form.iKnob1, QPoint(2, 2));
    EXPECT_TRUE(form.Link().WritePending());
    rig.console.Tick();
    // Polling stays off for four display ticks, then resumes.
    for (int tick = 0; tick < 4; ++tick) {
        form.Timer1Timer();
        EXPECT_TRUE(rig.device.ReadAvailable(100).empty()) << "tick " << tick;
        form.Timer2Timer();
    }
    EXPECT_FALSE(form.Link().WritePending());
    form.Timer1Timer();
    EXPECT_EQ(rig.device.Read(8), ReadRequest(1, 0));
}

TEST(ConsoleCommands, WritesGoOnlyToAValidStationAddress)
{
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    TForm1& form = rig.console.form;
    form.ComboBox1->setEditText("256");
    form.iKnob1->SetPosition(500);
    widget_test::Click(*form.iKnob1, QPoint(2, 2));
    form.iSwitchLed1->SetActive(!form.iSwitchLed1->Active());
    EXPECT_TRUE(rig.device.ReadAvailable(200).empty());
}

// The arrows beside the starting voltage step the shown value by 0.1 and send nothing:
// a seeded mix of arrow clicks and display ticks, where each tick shows the device's
// value again.
TEST(ConsoleCommands, UpDownArrowsStepTheShownValueAndSendNothing)
{
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    TForm1& form = rig.console.form;
    form.Timer1->stop();  // whatever reaches the device now comes from the arrows
    ASSERT_TRUE(rig.FeedBlock0({0, 455, 10, 10, 0, 0, 25, 0, 0, 0}));
    form.Timer2Timer();

    std::mt19937 random(19);
    int steps = 0;
    for (int action = 0; action < 200; ++action) {
        switch (random() % 3) {
        case 0: form.UpDown1->UpButton()->click(); ++steps; break;
        case 1: form.UpDown1->DownButton()->click(); --steps; break;
        default: form.Timer2Timer(); steps = 0; break;
        }
        ASSERT_NEAR(form.iAnalogOutput2->Value(), 45.5 + 0.1 * steps, 1e-9) << "action " << action;
    }
    form.Timer2Timer();
    EXPECT_EQ(form.iAnalogOutput2->Text(), "45.50");
    EXPECT_TRUE(rig.device.ReadAvailable(200).empty());
    EXPECT_FALSE(form.Link().WritePending());  // polling is not held back either
}

TEST(ConsoleCommands, HeldArrowSendsNothingHoweverLongItRepeats)
{
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    TForm1& form = rig.console.form;
    form.Timer1->stop();
    ASSERT_TRUE(rig.FeedBlock0({0, 455, 10, 10, 0, 0, 25, 0, 0, 0}));

    for (QToolButton* arrow : {form.UpDown1->UpButton(), form.UpDown1->DownButton()}) {
        int repeats = 0;
        const auto counter = QObject::connect(arrow, &QToolButton::clicked, [&] { ++repeats; });
        widget_test::MousePress(*arrow, QPoint(3, 3));
        EXPECT_TRUE(WaitUntil([&] { return repeats >= 30; }, 30000));
        widget_test::MouseRelease(*arrow, QPoint(3, 3));
        QObject::disconnect(counter);
        EXPECT_TRUE(rig.device.ReadAvailable(200).empty());
        EXPECT_FALSE(form.Link().WritePending());
    }
}

TEST(ConsoleCommands, StartingVoltageFieldNudgesOnPressAndRelease)
{
    ConsoleUnderTest console;
    TForm1& form = console.form;
    form.iAnalogOutput2->SetValue(45.5);
    widget_test::MousePress(*form.iAnalogOutput2, QPoint(5, 5));
    EXPECT_DOUBLE_EQ(form.iAnalogOutput2->Value(), 45.4);
    widget_test::MouseRelease(*form.iAnalogOutput2, QPoint(5, 5));
    EXPECT_DOUBLE_EQ(form.iAnalogOutput2->Value(), 45.5);
}

// The operator's whole sequence against the simulated soft starter: open, tick, set the
// starting voltage, start, watch the output ramp up and the current follow, stop, and
// watch it ramp down.
TEST(ConsoleEndToEnd, OperatorStartsAndStopsTheSimulatedMotor)
{
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.Start({"--set", "2=6", "--set", "3=3"}));
    ConsoleUnderTest console(QString::fromStdString(simulator.DevicePath()));
    TForm1& form = console.form;
    form.Timer1->setInterval(250);  // poll faster than the operator's console, same cycle
    ASSERT_TRUE(console.Open());
    console.Tick();
    ASSERT_TRUE(WaitUntil([&] { return console.CommunicationLampLit() && form.Link().Register(2) == 6; }, 15000));

    form.iKnob1->SetPosition(400);
    widget_test::Click(*form.iKnob1, QPoint(2, 2));
    ASSERT_TRUE(WaitUntil([&] { return form.iAnalogOutput2->Value() == 40.0; }, 15000));

    ASSERT_EQ(form.iSwitchLed1->Caption(), "RUN");
    widget_test::Click(*form.iSwitchLed1, QPoint(10, 10));
    // The starter applies the starting voltage at once, then climbs over the 6 s soft
    // start: every level shown on the way is at least 40.0, none is lower than the one
    // before, and some lie between the starting voltage and full output.
    std::vector<double> levelsSeen;
    ASSERT_TRUE(WaitUntil([&] {
        const double level = form.iAnalogOutput4->Value();
        if (level > 0 && (levelsSeen.empty() || level != levelsSeen.back()))
            levelsSeen.push_back(level);
        return level == 100.0;
    }, 20000));
    EXPECT_TRUE(std::is_sorted(levelsSeen.begin(), levelsSeen.end())) << ::testing::PrintToString(levelsSeen);
    EXPECT_GE(levelsSeen.front(), 40.0) << ::testing::PrintToString(levelsSeen);
    EXPECT_TRUE(std::any_of(levelsSeen.begin(), levelsSeen.end(), [](double level) { return level > 40.0 && level < 100.0; }))
        << ::testing::PrintToString(levelsSeen);
    EXPECT_GT(form.iAnalogDisplay1->Value(), 0.0);  // the current follows the output
    EXPECT_EQ(form.iSwitchLed1->Caption(), "STOP");

    widget_test::Click(*form.iSwitchLed1, QPoint(10, 10));
    levelsSeen.clear();
    ASSERT_TRUE(WaitUntil([&] {
        const double level = form.iAnalogOutput4->Value();
        if (levelsSeen.empty() || level != levelsSeen.back())
            levelsSeen.push_back(level);
        return level == 0.0;
    }, 20000));
    EXPECT_TRUE(std::is_sorted(levelsSeen.rbegin(), levelsSeen.rend())) << ::testing::PrintToString(levelsSeen);
    EXPECT_EQ(form.iSwitchLed1->Caption(), "RUN");
    EXPECT_TRUE(console.messages.isEmpty());

    const std::string log = simulator.ReadRequestLog();
    EXPECT_NE(log.find(BytesToHexText(WriteRequest(1, 1, 400).data(), 8)), std::string::npos);
    EXPECT_NE(log.find(BytesToHexText(WriteRequest(1, 0, 1).data(), 8)), std::string::npos);
    EXPECT_NE(log.find(BytesToHexText(WriteRequest(1, 0, 0).data(), 8)), std::string::npos);
}
