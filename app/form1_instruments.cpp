// SPDX-License-Identifier: GPL-3.0-or-later
// The instrument panel of the main window: which widgets exist, where, with which
// settings, and how the register state reaches them on every display tick.
#include "app/form1.h"

#include "app/caption_room.h"
#include "app/console_look.h"
#include "app/up_down_arrows.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/edit/analog_output.h"
#include "widgets/dials/knob.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"
#include "widgets/dials/thermometer.h"

#include <QFrame>
#include <QLabel>

namespace {

// Creates an instrument widget in its loading state; BuildInstrumentPanel ends it.
template <typename Widget>
Widget* Create(QWidget* parent)
{
    auto* widget = new Widget(parent);
    widget->BeginLoading();
    return widget;
}

constexpr int StartingVoltageMin = 300;  // tenths of a percent, the range of iKnob1
constexpr int StartingVoltageMax = 700;
constexpr double UpDown1Step = 0.1;      // what one arrow click moves the shown value

TiLabel* MakeCaption(QWidget* parent, const QString& caption, int left, int top)
{
    auto* label = Create<TiLabel>(parent);
    label->SetCaption(caption);
    label->move(left, top);
    return label;
}

// Numeric edits and displays share the console's error display settings: off, "Error",
// red bold on black.
template <typename Widget>
void SetConsoleErrorDisplay(Widget* widget)
{
    widget->SetErrorActive(false);
    widget->SetErrorText(QStringLiteral("Error"));
    widget->ErrorFont()->SetColor(clRed);
    widget->ErrorFont()->SetBold(true);
    widget->SetErrorBackGroundColor(clBlack);
}

TiAnalogOutput* MakeNumericEdit(QWidget* parent, int left, int top, int width, int precision)
{
    auto* edit = Create<TiAnalogOutput>(parent);
    edit->move(left, top);
    edit->resize(width, edit->height());
    edit->SetPrecision(precision);
    edit->Font()->SetBold(true);
    SetConsoleErrorDisplay(edit);
    return edit;
}

TiAnalogDisplay* MakeNumericDisplay(QWidget* parent, int left, int top)
{
    auto* display = Create<TiAnalogDisplay>(parent);
    display->move(left, top);
    display->resize(57, display->height());
    display->SetPrecision(1);
    display->Font()->SetColor(clAqua);
    display->Font()->SetBold(true);
    SetConsoleErrorDisplay(display);
    return display;
}

TiKnob* MakeTimeKnob(QWidget* parent)
{
    auto* knob = Create<TiKnob>(parent);
    knob->setGeometry(40, 48, 145, 137);
    knob->SetPositionMax(99);
    knob->SetKeyArrowStepSize(0.1);
    knob->SetKeyPageStepSize(1);
    knob->SetMouseWheelStepSize(1);
    knob->SetKnobRadius(29);
    return knob;
}

bool Bit(std::uint32_t value, int bit)
{
    return ((value >> bit) & 1u) != 0;
}

}  // namespace

void TForm1::BuildInstrumentPanel()
{
    BuildAlarmPanel();
    BuildStartingVoltagePanel();
    BuildTemperaturePanel();
    BuildSoftStartStopPanels();
    BuildCurrentPanels();
    BuildRunStopSwitch();
    // Every widget was created inside the loading bracket (Create), so no value event
    // fired while its settings were applied; closing the bracket ends the loading state.
    for (TiComponent* widget : InstrumentWidgets())
        widget->EndLoading();
    // The captions have sized themselves to their text; a translation's longer caption
    // over an instrument wraps before the instrument to its right.
    WrapCaptionBefore(iLabel13, iKnob1->x());
    WrapCaptionBefore(iLabel12, iThermometer1->x());
    WrapCaptionBefore(iLabel23, iAnalogDisplay5->x());
    WrapCaptionBefore(iLabel24, iAnalogDisplay6->x());
}

void TForm1::BuildAlarmPanel()
{
    Panel1 = MakePanel(Panel2, QRect(0, 40, 513, 97), PanelBevel::Raised);
    Label2 = new QLabel(tr("警报："), Panel1);
    Label2->move(8, 8);

    // The lamps' captions and group headings are the device's own abbreviations, the same
    // in every language, and are not translated.
    struct AlarmLamp {
        TiLedRound** led;
        int ledLeft;
        TiLabel** caption;
        const char* text;
        int captionLeft;
    };
    const AlarmLamp lamps[] = {
        {&iLedRound1, 24, &iLabel1, "PWER", 16},  {&iLedRound2, 64, &iLabel2, "R", 64},
        {&iLedRound3, 104, &iLabel3, "S", 104},   {&iLedRound4, 144, &iLabel4, "T", 144},
        {&iLedRound5, 232, &iLabel6, "MAX", 232}, {&iLedRound6, 272, &iLabel7, "LOA", 272},
        {&iLedRound7, 360, &iLabel9, "MAX", 360}, {&iLedRound8, 400, &iLabel10, "PLO", 400},
        {&iLedRound9, 448, &iLabel11, "SHO", 440},
    };
    for (const AlarmLamp& lamp : lamps) {
        *lamp.led = Create<TiLedRound>(Panel1);
        (*lamp.led)->move(lamp.ledLeft, 48);
        *lamp.caption = MakeCaption(Panel1, QString::fromLatin1(lamp.text), lamp.captionLeft, 32);
        (*lamp.caption)->SetWordWrap(false);
    }
    iLabel5 = MakeCaption(Panel1, QStringLiteral("TEMP"), 248, 8);
    iLabel8 = MakeCaption(Panel1, QStringLiteral("CUUR"), 400, 8);
    iLedRound1->SetInactiveColor(clHighlightText);
}

void TForm1::BuildStartingVoltagePanel()
{
    Panel6 = MakePanel(Panel2, QRect(-8, 136, 633, 177), PanelBevel::Raised);
    //: The motor's starting voltage, in percent of the full voltage.
    iLabel13 = MakeCaption(Panel6, tr("启动电压%："), 16, 8);

    iKnob1 = Create<TiKnob>(Panel6);
    iKnob1->move(88, 16);
    iKnob1->SetPositionMax(StartingVoltageMax);
    iKnob1->SetPositionMin(StartingVoltageMin);
    iKnob1->SetPosition(StartingVoltageMin);
    iKnob1->SetCurrentMin(StartingVoltageMin);
    iKnob1->PositionDisplayFont()->SetHeight(-19);
    iKnob1->SetPositionDisplayPrecision(0);
    iKnob1->SetPositionDisplayUnits(QStringLiteral("0"));
    iKnob1->SetKeyArrowStepSize(0.1);
    iKnob1->SetKeyPageStepSize(1);
    iKnob1->SetMouseWheelStepSize(1);
    iKnob1->SetKnobRadius(33);

    iAnalogOutput2 = MakeNumericEdit(Panel6, 16, 40, 57, 2);
    iAnalogOutput2->SetMaxLength(0);
    UpDown1 = new UpDownArrows(Panel6);
    UpDown1->setGeometry(73, 40, 15, 21);

    //: The soft starter's output level, in percent.
    iLabel15 = MakeCaption(Panel6, tr("输出量："), 488, 16);
    iAnalogOutput4 = MakeNumericEdit(Panel6, 488, 40, 57, 1);

    iLedBar2 = Create<TiLedBar>(Panel6);
    iLedBar2->setGeometry(560, 16, 25, 153);
    iLedBar2->SetPositionMax(100);
    iLedBar2->SetCurrentMax(100);
    iLedBar2->SetBackGroundColor(clSilver);
    iLedBar2->SetSectionColor1(clYellow);
    iLedBar2->SetSectionEnd1(50);
    iLedBar2->SetSectionEnd2(75);
}

void TForm1::BuildTemperaturePanel()
{
    Panel4 = MakePanel(Panel2, QRect(624, 136, 177, 177), PanelBevel::Raised);
    //: Before the thermometer there is room for a short word only (about 55 px).
    iLabel12 = MakeCaption(Panel4, tr("温度："), 8, 8);
    iThermometer1 = Create<TiThermometer>(Panel4);
    iThermometer1->move(72, 16);
    iThermometer1->SetPositionMax(100);
    iThermometer1->SetPosition(25);
    iThermometer1->SetIndicatorFillReferenceStyle(ipfrsMin);
    iAnalogOutput1 = MakeNumericEdit(Panel4, 8, 40, 49, 0);
    iAnalogOutput1->SetUnitsText(QStringLiteral("'C"));
}

void TForm1::BuildSoftStartStopPanels()
{
    Panel11 = MakePanel(Panel2, QRect(0, 312, 225, 209), PanelBevel::Raised);
    iLabel23 = MakeCaption(Panel11, tr("缓启动时间："), 16, 8);
    iAnalogDisplay5 = MakeNumericDisplay(Panel11, 126, 13);
    iKnob2 = MakeTimeKnob(Panel11);

    Panel10 = MakePanel(Panel2, QRect(224, 312, 225, 209), PanelBevel::Raised);
    iLabel24 = MakeCaption(Panel10, tr("缓停止时间："), 16, 8);
    iAnalogDisplay6 = MakeNumericDisplay(Panel10, 126, 13);
    iKnob3 = MakeTimeKnob(Panel10);
}

void TForm1::BuildCurrentPanels()
{
    Panel7 = MakePanel(Panel2, QRect(448, 312, 185, 145), PanelBevel::Raised);
    iAnalogDisplay1 = MakeNumericDisplay(Panel7, 54, 21);
    iLabel19 = MakeCaption(Panel7, QStringLiteral("R_C"), 20, 24);
    iLabel16 = MakeCaption(Panel7, QStringLiteral("A"), 121, 23);
    Panel8 = MakePanel(Panel2, QRect(632, 312, 169, 145), PanelBevel::Raised);
}

void TForm1::BuildRunStopSwitch()
{
    iSwitchLed1 = Create<TiSwitchLed>(Panel5);
    iSwitchLed1->move(312, 8);
    iSwitchLed1->resize(177, iSwitchLed1->height());
    iSwitchLed1->SetCaption(QStringLiteral("STOP"));
    iSwitchLed1->SetCaptionMargin(2);
    iSwitchLed1->SetBorderSize(2);
    iSwitchLed1->SetBorderHighlightColor(clBtnHighlight);
    iSwitchLed1->SetBorderShadowColor(clBtnShadow);
}

std::array<TiLedRound*, 9> TForm1::AlarmLeds() const
{
    return {iLedRound1, iLedRound2, iLedRound3, iLedRound4, iLedRound5,
            iLedRound6, iLedRound7, iLedRound8, iLedRound9};
}

void TForm1::ConnectInstrumentHandlers()
{
    iKnob1->OnClick = [this](TObject* sender) { iKnob1Click(sender); };
    iKnob2->OnClick = [this](TObject* sender) { iKnob2Click(sender); };
    iKnob3->OnClick = [this](TObject* sender) { iKnob3Click(sender); };
    iSwitchLed1->OnChange = [this](TObject* sender) { iSwitchLed1Change(sender); };
    iAnalogOutput2->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        iAnalogOutput2MouseDown(sender, button, shift, x, y);
    };
    iAnalogOutput2->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        iAnalogOutput2MouseUp(sender, button, shift, x, y);
    };
    UpDown1->OnClick = [this](int direction) { UpDown1Click(direction); };
}

void TForm1::Timer2Timer()
{
    ShowRegisterState();
}

// One display tick: the register state goes to the instruments, in this order, with the
// write expiry step of the poll cycle in the middle.
void TForm1::ShowRegisterState()
{
    const double outputLevel = link_.Register(4) / 10.0;
    iAnalogOutput4->SetValue(outputLevel);
    iLedBar2->SetPosition(outputLevel);
    iAnalogOutput2->SetValue(link_.Register(1) / 10.0);
    const double temperature = link_.Register(6);
    iThermometer1->SetPosition(temperature);
    iAnalogOutput1->SetValue(temperature);

    link_.WriteExpiryStep();

    // The switch's caption names the action it offers: "STOP" while the motor runs. The
    // captions are data, not translated: the device link reads the caption to tell which
    // command a click means.
    if (Bit(link_.Register(0), 0)) {
        iSwitchLed1->SetActiveColor(clLime);
        iSwitchLed1->SetCaption(QStringLiteral("STOP"));
    } else {
        iSwitchLed1->SetActiveColor(clRed);
        iSwitchLed1->SetCaption(QStringLiteral("RUN"));
    }
    const std::uint32_t alarms = link_.Register(7);
    const auto leds = AlarmLeds();
    for (int n = 0; n < 9; ++n)
        ShowAlarmState(leds[n], Bit(alarms, n));

    iAnalogDisplay5->SetValue(link_.Register(2));
    iAnalogDisplay6->SetValue(link_.Register(3));
    iAnalogDisplay1->SetValue(link_.Register(5) / 10.0);
}

void TForm1::iKnob1Click(TObject*)
{
    link_.KnobClick(1, iKnob1->GetPosition());
}

void TForm1::iKnob2Click(TObject*)
{
    link_.KnobClick(2, iKnob2->GetPosition());
}

void TForm1::iKnob3Click(TObject*)
{
    link_.KnobClick(3, iKnob3->GetPosition());
}

void TForm1::iSwitchLed1Change(TObject*)
{
    link_.SwitchChange(iSwitchLed1->Caption().toStdString());
}

void TForm1::iAnalogOutput2MouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    iAnalogOutput2->SetValue(iAnalogOutput2->Value() - 0.1);
}

void TForm1::iAnalogOutput2MouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    iAnalogOutput2->SetValue(iAnalogOutput2->Value() + 0.1);
}

// The arrows beside the starting voltage step the value shown in its field by 0.1, as
// the platform's up-down control steps its buddy, and send nothing: the device's starting
// voltage is set with the knob, and the next display tick shows the device's value again.
void TForm1::UpDown1Click(int direction)
{
    iAnalogOutput2->SetValue(iAnalogOutput2->Value() + direction * UpDown1Step);
}

std::vector<TiComponent*> TForm1::InstrumentWidgets() const
{
    std::vector<TiComponent*> widgets;
    for (TiComponent* widget : findChildren<TiComponent*>())
        widgets.push_back(widget);
    return widgets;
}
