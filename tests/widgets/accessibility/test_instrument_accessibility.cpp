// SPDX-License-Identifier: GPL-3.0-or-later
// What each instrument tells assistive technology, read through Qt's accessibility
// interfaces as a screen reader reads them: role, name, value, text, states and actions,
// and the answers to requests that make no sense.
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

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>

namespace {

QAccessibleInterface* Accessible(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

// Qt keeps the first interface it made for a widget: the factory is installed before any
// widget is made, as a program does.
class InstrumentAccessibility : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InstallInstrumentAccessibility(); }
};

QAccessibleValueInterface* Value(QWidget* widget) { return Accessible(widget)->valueInterface(); }
QAccessibleTextInterface* Text(QWidget* widget) { return Accessible(widget)->textInterface(); }
QAccessibleActionInterface* Actions(QWidget* widget) { return Accessible(widget)->actionInterface(); }

struct Kind {
    const char* name;
    std::function<TiComponent*(QWidget*)> make;
    QAccessible::Role role;
    bool hasValue;
    bool hasText;
    bool readOnly;
};

template <typename W> std::function<TiComponent*(QWidget*)> Make()
{
    return [](QWidget* parent) { return new W(parent); };
}

}  // namespace

TEST_F(InstrumentAccessibility, EachWidgetHasItsRoleAndInterfaces)
{
    const Kind kinds[] = {
        {"knob", Make<TiKnob>(), QAccessible::Dial, true, false, false},
        {"thermometer", Make<TiThermometer>(), QAccessible::Slider, true, false, true},
        {"LED bar", Make<TiLedBar>(), QAccessible::ProgressBar, true, false, true},
        {"round LED", Make<TiLedRound>(), QAccessible::Indicator, false, false, true},
        {"switch", Make<TiSwitchLed>(), QAccessible::Button, false, false, false},
        {"label", Make<TiLabel>(), QAccessible::StaticText, false, true, false},
        {"display", Make<TiAnalogDisplay>(), QAccessible::StaticText, true, true, true},
        {"numeric edit", Make<TiAnalogOutput>(), QAccessible::EditableText, true, true, false},
    };
    QWidget window;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        QAccessibleInterface* accessible = Accessible(kind.make(&window));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), kind.role);
        EXPECT_EQ(accessible->valueInterface() != nullptr, kind.hasValue);
        EXPECT_EQ(accessible->textInterface() != nullptr, kind.hasText);
        EXPECT_EQ(bool(accessible->state().readOnly), kind.readOnly);
        EXPECT_EQ(accessible->parent(), Accessible(&window));
    }
    // Other objects are left to Qt's own interfaces.
    QWidget plain;
    QObject object;
    EXPECT_EQ(InstrumentAccessibleInterface(QStringLiteral("QWidget"), &plain), nullptr);
    EXPECT_EQ(InstrumentAccessibleInterface(QStringLiteral("QObject"), &object), nullptr);
    EXPECT_EQ(InstrumentAccessibleInterface(QStringLiteral("QObject"), nullptr), nullptr);
}

TEST_F(InstrumentAccessibility, NameIsTheWindowsNameElseTheWidgetsOwnCaption)
{
    QWidget window;
    auto* switchLed = new TiSwitchLed(&window);
    auto* label = new TiLabel(&window);
    auto* knob = new TiKnob(&window);
    const auto name = [](QWidget* w) { return Accessible(w)->text(QAccessible::Name); };

    // The switch's caption reads without its accelerator mark; "&&" is an ampersand.
    for (const auto& [caption, read] : {std::pair{"&Run", "Run"}, {"R&&D", "R&D"}, {"A&", "A&"}, {"STOP", "STOP"}}) {
        switchLed->SetCaption(QString::fromLatin1(caption));
        EXPECT_EQ(name(switchLed), QString::fromLatin1(read)) << caption;
    }
    // The label's ampersand marks an accelerator only while it focuses a control.
    label->SetCaption(QStringLiteral("&Start"));
    EXPECT_EQ(name(label), "&Start");
    label->SetFocusControl(knob);
    EXPECT_EQ(name(label), "Start");
    EXPECT_EQ(Text(label)->text(0, -1), "Start");

    // A name given by the window wins; the switch still reads its caption as its text.
    EXPECT_EQ(name(knob), "");
    knob->setAccessibleName(QStringLiteral("启动电压%"));
    switchLed->setAccessibleName(QStringLiteral("运行"));
    EXPECT_EQ(name(knob), QStringLiteral("启动电压%"));
    EXPECT_EQ(name(switchLed), QStringLiteral("运行"));
    EXPECT_EQ(Accessible(switchLed)->text(QAccessible::Value), "STOP");
    knob->setAccessibleDescription(QStringLiteral("0.1 %"));
    EXPECT_EQ(Accessible(knob)->text(QAccessible::Description), "0.1 %");
}

TEST_F(InstrumentAccessibility, RangesGiveThePositionBetweenTheirBounds)
{
    QWidget window;
    auto* knob = new TiKnob(&window);
    knob->SetPositionMax(700);
    knob->SetPositionMin(300);
    knob->SetPosition(455);
    knob->SetKeyArrowStepSize(0.5);
    knob->SetPositionDisplayPrecision(1);
    knob->SetPositionDisplayUnits(QStringLiteral("%"));
    knob->SetShowPostionDisplay(true);
    EXPECT_EQ(Value(knob)->currentValue().toDouble(), 455.0);
    EXPECT_EQ(Value(knob)->minimumValue().toDouble(), 300.0);
    EXPECT_EQ(Value(knob)->maximumValue().toDouble(), 700.0);
    EXPECT_EQ(Value(knob)->minimumStepSize().toDouble(), 0.5);
    EXPECT_EQ(Accessible(knob)->text(QAccessible::Value), "455.0%");  // the read-out
    knob->SetShowPostionDisplay(false);
    EXPECT_EQ(Accessible(knob)->text(QAccessible::Value), "455");

    auto* bar = new TiLedBar(&window);
    bar->SetPositionMax(100);
    bar->SetPosition(62.5);
    EXPECT_EQ(Value(bar)->currentValue().toDouble(), 62.5);
    EXPECT_EQ(Value(bar)->maximumValue().toDouble(), 100.0);
    EXPECT_EQ(Accessible(bar)->text(QAccessible::Value), "62.5");

    auto* thermometer = new TiThermometer(&window);
    thermometer->SetPositionMin(-20);
    thermometer->SetPosition(-7.25);
    EXPECT_EQ(Value(thermometer)->minimumValue().toDouble(), -20.0);
    EXPECT_EQ(Accessible(thermometer)->text(QAccessible::Value), "-7.25");
}

// Requests come from other programs: only a finite number the operator could set takes
// effect, bounded as the widget bounds it. A random mix of good and bad requests (fixed
// seed) leaves each widget where the good ones alone put it.
TEST_F(InstrumentAccessibility, SetValueTakesOnlyFiniteNumbersTheOperatorMaySet)
{
    QWidget window;
    window.show();
    auto* knob = new TiKnob(&window);
    knob->SetPositionMax(700);
    knob->SetPositionMin(300);
    auto* movable = new TiThermometer(&window);
    movable->SetIndicatorUserCanMove(true);
    auto* fixed = new TiThermometer(&window);
    auto* bar = new TiLedBar(&window);
    auto* display = new TiAnalogDisplay(&window);
    auto* edit = new TiAnalogOutput(&window);
    edit->SetValueMax(50);
    edit->SetValueMin(-50);
    auto* freeEdit = new TiAnalogOutput(&window);
    for (QWidget* w : window.findChildren<QWidget*>())
        w->show();

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QVariant bad[] = {QVariant(), QVariant(nan), QVariant(inf), QVariant(-inf), QVariant(QStringLiteral("abc")),
                            QVariant(QStringLiteral("12abc")), QVariant(QStringList{QStringLiteral("1")})};
    struct Target {
        QWidget* widget;
        std::function<double()> read;
        double low, high;  // the bounds the widget keeps; low > high: never set
    };
    const Target targets[] = {
        {knob, [&] { return knob->GetPosition(); }, 300, 700},
        {movable, [&] { return movable->GetPosition(); }, 0, 100},
        {fixed, [&] { return fixed->GetPosition(); }, 1, 0},
        {bar, [&] { return bar->GetPosition(); }, 1, 0},
        {display, [&] { return display->Value(); }, 1, 0},
        {edit, [&] { return edit->Value(); }, -50, 50},
        {freeEdit, [&] { return freeEdit->Value(); }, -1e9, 1e9},
    };
    std::mt19937 random(18);
    std::uniform_int_distribution<int> pick(0, 2 * static_cast<int>(std::size(bad)) - 1);
    std::uniform_real_distribution<double> number(-1000, 1000);
    for (const Target& target : targets) {
        double expected = target.read();
        for (int step = 0; step < 60; ++step) {
            const int choice = pick(random);
            const bool good = choice >= static_cast<int>(std::size(bad));
            const double v = std::round(number(random) * 4) / 4;
            // A number arrives as a double or as its text, as D-Bus clients send either.
            const QVariant request = !good ? bad[choice] : (step % 2 ? QVariant(v) : QVariant(QString::number(v)));
            Value(target.widget)->setCurrentValue(request);
            if (good && target.low <= target.high)
                expected = std::clamp(v, target.low, target.high);
            ASSERT_EQ(target.read(), expected) << target.widget->metaObject()->className() << " step " << step;
        }
    }
    // A disabled or hidden knob takes no request.
    knob->SetPosition(400);
    knob->setEnabled(false);
    Value(knob)->setCurrentValue(500);
    knob->setEnabled(true);
    knob->hide();
    Value(knob)->setCurrentValue(500);
    EXPECT_EQ(knob->GetPosition(), 400.0);
}

TEST_F(InstrumentAccessibility, LampsAreCheckedWhileLitAndTheSwitchWhileActive)
{
    QWidget window;
    auto* lamp = new TiLedRound(&window);
    auto* switchLed = new TiSwitchLed(&window);
    EXPECT_FALSE(Accessible(lamp)->state().checked);
    EXPECT_FALSE(Accessible(lamp)->state().checkable);
    lamp->SetActive(true);
    EXPECT_TRUE(Accessible(lamp)->state().checked);
    EXPECT_TRUE(Accessible(switchLed)->state().checkable);
    EXPECT_FALSE(Accessible(switchLed)->state().checked);
    switchLed->SetActive(true);
    EXPECT_TRUE(Accessible(switchLed)->state().checked);
    EXPECT_TRUE(Accessible(switchLed)->state().focusable);
    EXPECT_FALSE(Accessible(lamp)->state().focusable);
}

// Pressing the switch is the operator's click: the change events of a click, the
// momentary switch back off after it, and nothing while the switch is disabled.
TEST_F(InstrumentAccessibility, SwitchPressIsTheOperatorsClick)
{
    QWidget window;
    auto* switchLed = new TiSwitchLed(&window);
    window.show();
    int changes = 0;
    int userChanges = 0;
    switchLed->OnChange = [&](TObject*) { ++changes; };
    switchLed->OnChangeUser = [&](TObject*) { ++userChanges; };
    QAccessibleActionInterface* actions = Actions(switchLed);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()), QStringList{"Space"});

    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(switchLed->Active());
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(switchLed->Active());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(userChanges, 2);

    switchLed->SetMomentaryStyle(ismsSimple);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(switchLed->Active());
    EXPECT_EQ(userChanges, 4);  // on at the press, off at the release

    switchLed->SetMomentaryStyle(ismsNone);
    switchLed->setEnabled(false);
    actions->doAction(QAccessibleActionInterface::pressAction());
    actions->doAction(QStringLiteral("no such action"));
    EXPECT_FALSE(switchLed->Active());
    EXPECT_EQ(changes, 4);
}

TEST_F(InstrumentAccessibility, KnobTurnsByTheArrowStepAndPressesLikeAClick)
{
    QWidget window;
    auto* knob = new TiKnob(&window);
    window.show();
    knob->SetPositionMax(10);
    knob->SetKeyArrowStepSize(0.5);
    knob->SetPosition(5);
    int clicks = 0;
    int userMoves = 0;
    knob->OnClick = [&](TObject*) { ++clicks; };
    knob->OnPositionChangeUser = [&](TObject*) { ++userMoves; };
    QAccessibleActionInterface* actions = Actions(knob);

    actions->doAction(QAccessibleActionInterface::increaseAction());
    actions->doAction(QAccessibleActionInterface::increaseAction());
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(knob->GetPosition(), 5.5);
    EXPECT_EQ(userMoves, 3);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(knob->GetPosition(), 5.5);  // a click in the middle does not turn it
    EXPECT_FALSE(knob->IsDragging());

    // Without the keyboard the knob offers no turning; a disabled knob does nothing.
    knob->SetUseKeyboard(false);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::increaseAction()));
    actions->doAction(QAccessibleActionInterface::increaseAction());
    knob->SetUseKeyboard(true);
    knob->setEnabled(false);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(knob->GetPosition(), 5.5);
    EXPECT_EQ(clicks, 1);
}

// Offsets come from other programs: any of them, in any order, gives an answer within
// the text, and requests to move the caret or the selection leave them to the operator.
TEST_F(InstrumentAccessibility, TextAnswersEveryOffsetWithinTheText)
{
    QWidget window;
    auto* edit = new TiAnalogOutput(&window);
    edit->SetPrecision(2);
    edit->SetUnitsText(QStringLiteral(" %"));
    edit->SetValue(45.5);
    QAccessibleTextInterface* text = Text(edit);
    EXPECT_EQ(Accessible(edit)->text(QAccessible::Value), "45.50 %");
    EXPECT_EQ(text->characterCount(), 7);
    EXPECT_EQ(Value(edit)->currentValue().toDouble(), 45.5);
    EXPECT_FALSE(Value(edit)->maximumValue().isValid());  // no bounds: ValueMin = ValueMax = 0

    const std::tuple<int, int, const char*> ranges[] = {
        {0, -1, "45.50 %"}, {0, 7, "45.50 %"}, {-3, 2, "45"}, {2, 999, ".50 %"}, {5, 2, ""},
        {7, 9, ""}, {-9, -2, "45.50 %"}, {INT_MIN, INT_MAX, "45.50 %"}, {INT_MAX, INT_MIN, ""},
    };
    for (const auto& [start, end, expected] : ranges)
        EXPECT_EQ(text->text(start, end), QString::fromUtf8(expected)) << start << ".." << end;

    int start = 7;
    int end = 7;
    edit->SelectAll();  // the number part
    EXPECT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 5));
    text->selection(-1, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 0));
    text->setSelection(0, 1, 2);
    text->addSelection(-5, 99);
    text->removeSelection(3);
    text->setCursorPosition(-4);
    EXPECT_EQ(edit->SelLength(), 5);
    EXPECT_EQ(text->cursorPosition(), edit->CaretIndex());
    for (int offset : {-100, -1, 0, 3, 7, 8, INT_MAX}) {
        int s = 0;
        int e = 0;
        text->attributes(offset, &s, &e);
        EXPECT_EQ(s <= e && s >= -1 && e <= 7, true) << offset;
        for (auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::LineBoundary}) {
            EXPECT_LE(text->textAtOffset(offset, boundary, &s, &e).size(), 7) << offset;
            EXPECT_LE(text->textBeforeOffset(offset, boundary, &s, &e).size(), 7) << offset;
            EXPECT_LE(text->textAfterOffset(offset, boundary, &s, &e).size(), 7) << offset;
        }
        EXPECT_TRUE(text->characterRect(offset).isEmpty());
    }
    EXPECT_EQ(text->offsetAtPoint(QPoint(-50, 1 << 30)), -1);

    // The error shown is the text then, and the selection is gone with it.
    edit->SetErrorActive(true);
    EXPECT_EQ(text->text(0, -1), "Error");
    EXPECT_EQ(text->selectionCount(), 0);
    EXPECT_EQ(text->cursorPosition(), 0);

    auto* display = new TiAnalogDisplay(&window);
    display->SetPrecision(1);
    display->SetValue(4.25);
    EXPECT_EQ(Text(display)->text(0, -1), "4.2");
    EXPECT_EQ(Value(display)->currentValue().toDouble(), 4.25);
    EXPECT_FALSE(Value(display)->minimumValue().isValid());
    display->SetErrorActive(true);
    EXPECT_EQ(Accessible(display)->text(QAccessible::Value), "Error");
}
