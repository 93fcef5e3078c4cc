// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window tells a screen reader on its display ticks: nothing when the
// device's registers did not change, and exactly the instruments whose shown value
// changed when they did. Runs under tests/support/with_accessibility_bus.
#include "tests/support/accessible_event_log.h"
#include "tests/support/console_test_support.h"

#include "widgets/edit/analog_output.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"

#include <gtest/gtest.h>

#include <set>

using namespace console_test;
using accessible_test::EventLog;

namespace {

using Registers = std::array<std::uint16_t, 30>;

// Answers the console's next poll with the registers of the block it asks for.
bool AnswerNextPoll(ConsoleOnPty& rig, const Registers& registers)
{
    rig.console.form.Timer1Timer();
    const Bytes request = rig.device.Read(8);
    if (request.size() != 8 || request[3] > 20)
        return false;
    std::array<std::uint16_t, 10> block{};
    std::copy_n(registers.begin() + request[3], 10, block.begin());
    rig.device.Write(ReadReply(1, block));
    return WaitUntil([&] { return rig.console.form.Link().BlockDone(); });
}

bool AnswerEveryBlock(ConsoleOnPty& rig, const Registers& registers)
{
    for (int block = 0; block < 3; ++block) {
        if (!AnswerNextPoll(rig, registers))
            return false;
    }
    return true;
}

std::set<QObject*> ToldAbout(const EventLog& log)
{
    std::set<QObject*> objects;
    for (const auto& event : log.Events()) {
        // What the window shows; not the focus, which is the operator's.
        if (event.type == QAccessible::ValueChanged || event.type == QAccessible::NameChanged ||
            event.type == QAccessible::DescriptionChanged ||
            (event.type == QAccessible::StateChanged && event.changed.checked))
            objects.insert(event.object);
    }
    return objects;
}

}  // namespace

TEST(ConsoleAccessibilityEvents, AnEqualTickTellsNothingAndAChangeOnlyWhatChanged)
{
    ASSERT_TRUE(EventLog::WaitForActiveBridge())
        << "Qt's accessibility bridge never became active: run under tests/support/with_accessibility_bus";
    InstallInstrumentAccessibility();  // as main() does, before the window is built
    ConsoleOnPty rig;
    TForm1& f = rig.console.form;
    f.Timer1->stop();  // the test makes the polls and the display ticks
    f.Timer2->stop();
    f.show();
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    Registers registers{};
    registers[0] = 1;     // running
    registers[4] = 625;   // output 62.5 %
    registers[6] = 47;    // 47 'C
    registers[7] = 0x11;  // PWER, TEMP MAX
    ASSERT_TRUE(AnswerEveryBlock(rig, registers));
    f.Timer2Timer();

    EventLog log;
    ASSERT_TRUE(AnswerEveryBlock(rig, registers));
    f.Timer2Timer();
    EXPECT_TRUE(ToldAbout(log).empty()) << ToldAbout(log).size() << " objects told about on an equal tick";

    registers[0] = 0;     // stopped: the switch offers RUN
    registers[4] = 700;   // output 70.0 %
    registers[7] = 0x13;  // R raised as well
    ASSERT_TRUE(AnswerEveryBlock(rig, registers));
    log.Clear();
    f.Timer2Timer();
    const std::set<QObject*> expected{f.iAnalogOutput4, f.iLedBar2, f.iLedRound2, f.iSwitchLed1};
    EXPECT_EQ(ToldAbout(log), expected);
    ASSERT_EQ(log.About(f.iLedBar2, QAccessible::ValueChanged).size(), 1u);
    EXPECT_EQ(log.About(f.iLedBar2, QAccessible::ValueChanged)[0].value.toDouble(), 70.0);
    EXPECT_EQ(log.About(f.iLedRound2, QAccessible::DescriptionChanged).size(), 1u);
    EXPECT_EQ(log.About(f.iSwitchLed1, QAccessible::NameChanged).size(), 1u);
}
