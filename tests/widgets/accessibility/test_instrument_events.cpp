// SPDX-License-Identifier: GPL-3.0-or-later
// The events that tell assistive technology what an instrument now shows: one for each
// change of the shown value, none for an equal write, none while loading. Runs under
// tests/support/with_accessibility_bus.
#include "tests/support/accessible_event_log.h"

#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"
#include "widgets/edit/analog_output.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using accessible_test::EventLog;

namespace {

class InstrumentEvents : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallInstrumentAccessibility();  // before any widget is asked for its interface
        bridgeActive_ = EventLog::WaitForActiveBridge();
    }
    void SetUp() override
    {
        ASSERT_TRUE(bridgeActive_) << "Qt's accessibility bridge never became active: run this suite under "
                                      "tests/support/with_accessibility_bus";
    }
    static inline bool bridgeActive_ = false;
};

struct Shown {
    const char* name;
    TiComponent* widget;
    std::function<void(int)> write;  // writes one of the values 0, 1, 2
    std::function<QVariant()> read;
    QAccessible::Event told;
};

}  // namespace

// Writes drawn at random from three values (fixed seed) repeat often: every real change
// is told once, with the new value, and every repeat is not told at all.
TEST_F(InstrumentEvents, EachChangeOfTheShownValueIsToldOnceAndAnEqualWriteNever)
{
    QWidget window;
    auto* knob = new TiKnob(&window);
    auto* thermometer = new TiThermometer(&window);
    auto* bar = new TiLedBar(&window);
    auto* display = new TiAnalogDisplay(&window);
    auto* edit = new TiAnalogOutput(&window);
    auto* lamp = new TiLedRound(&window);
    auto* switchLed = new TiSwitchLed(&window);
    const double values[] = {12.5, 40, 77.25};
    const Shown shown[] = {
        {"knob", knob, [&](int i) { knob->SetPosition(values[i]); }, [&] { return QVariant(knob->GetPosition()); },
         QAccessible::ValueChanged},
        {"thermometer", thermometer, [&](int i) { thermometer->SetPosition(values[i]); },
         [&] { return QVariant(thermometer->GetPosition()); }, QAccessible::ValueChanged},
        {"bar", bar, [&](int i) { bar->SetPosition(values[i]); }, [&] { return QVariant(bar->GetPosition()); },
         QAccessible::ValueChanged},
        {"display", display, [&](int i) { display->SetValue(values[i]); }, [&] { return QVariant(display->Value()); },
         QAccessible::ValueChanged},
        {"edit", edit, [&](int i) { edit->SetValue(values[i]); }, [&] { return QVariant(edit->Value()); },
         QAccessible::ValueChanged},
        {"lamp", lamp, [&](int i) { lamp->SetActive(i == 1); }, [] { return QVariant(); }, QAccessible::StateChanged},
        {"switch", switchLed, [&](int i) { switchLed->SetActive(i == 1); }, [] { return QVariant(); },
         QAccessible::StateChanged},
    };
    window.show();
    EventLog log;
    std::mt19937 random(2026);
    std::uniform_int_distribution<int> pick(0, 2);
    std::uniform_int_distribution<int> widget(0, static_cast<int>(std::size(shown)) - 1);
    std::vector<int> expected(std::size(shown), 0);
    int repeats = 0;
    for (int step = 0; step < 400; ++step) {
        const int k = widget(random);
        const Shown& s = shown[k];
        const bool wasChecked = QAccessible::queryAccessibleInterface(s.widget)->state().checked;
        const QVariant old = s.read();
        s.write(pick(random));
        const bool changed = s.told == QAccessible::ValueChanged
                                 ? s.read() != old
                                 : QAccessible::queryAccessibleInterface(s.widget)->state().checked != wasChecked;
        expected[k] += changed ? 1 : 0;
        repeats += changed ? 0 : 1;
        const auto told = log.AboutShown(s.widget);
        ASSERT_EQ(static_cast<int>(told.size()), expected[k]) << s.name << " step " << step;
        if (changed && s.told == QAccessible::ValueChanged) {
            EXPECT_EQ(told.back().value, s.read()) << s.name;
        }
    }
    for (std::size_t k = 0; k < std::size(shown); ++k)
        EXPECT_GT(expected[k], 10) << shown[k].name;  // the sequence changed every widget often
    EXPECT_GT(repeats, 50);                           // and wrote equal values often
}

TEST_F(InstrumentEvents, CaptionsAreToldAsNameChangesUnlessTheWindowNamedTheWidget)
{
    QWidget window;
    auto* switchLed = new TiSwitchLed(&window);
    auto* label = new TiLabel(&window);
    window.show();
    EventLog log;
    switchLed->SetCaption(QStringLiteral("RUN"));
    switchLed->SetCaption(QStringLiteral("RUN"));
    label->SetCaption(QStringLiteral("温度："));
    label->SetCaption(QStringLiteral("温度："));
    EXPECT_EQ(log.About(switchLed, QAccessible::NameChanged).size(), 1u);
    EXPECT_EQ(log.About(label, QAccessible::NameChanged).size(), 1u);

    switchLed->setAccessibleName(QStringLiteral("运行"));
    log.Clear();
    switchLed->SetCaption(QStringLiteral("STOP"));
    EXPECT_TRUE(log.About(switchLed, QAccessible::NameChanged).empty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(switchLed)->text(QAccessible::Name), QStringLiteral("运行"));
}

TEST_F(InstrumentEvents, NothingIsToldWhileLoading)
{
    QWidget window;
    auto* knob = new TiKnob(&window);
    auto* edit = new TiAnalogOutput(&window);
    auto* switchLed = new TiSwitchLed(&window);
    auto* display = new TiAnalogDisplay(&window);
    auto* label = new TiLabel(&window);
    window.show();
    EventLog log;
    {
        TiLoadingBracket loading{knob, edit, switchLed, display, label};
        knob->SetPosition(30);
        edit->SetValue(3);
        switchLed->SetActive(true);
        display->SetValue(4);  // its change hook is told even while loading
        label->SetCaption(QStringLiteral("R_C"));
    }
    for (QObject* widget : std::initializer_list<QObject*>{knob, edit, switchLed, display, label})
        EXPECT_TRUE(log.AboutShown(widget).empty()) << widget->metaObject()->className();
    knob->SetPosition(31);
    EXPECT_EQ(log.About(knob, QAccessible::ValueChanged).size(), 1u);
}
