// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's instruments tell assistive technology beyond what they show:
// each is named after the caption beside it in the window, in the console's language,
// and each alarm lamp says in words what its colour says.
#include "app/form1.h"

#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"
#include "widgets/edit/analog_output.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"

namespace {

// A caption as a name: the text without its colon and the blanks around it, on one line
// ("启动电压%：" names "启动电压%").
QString CaptionAsName(const TiLabel* caption)
{
    QString name = caption->Caption().simplified();
    while (name.endsWith(QChar(0xFF1A)) || name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    return name;
}

}  // namespace

void TForm1::NameInstrumentsAfterCaptions()
{
    // Each caption names the instruments beside it: the knob that sets a value and the
    // field that shows the device's, the field and the bar of the output level.
    const std::pair<TiLabel*, std::vector<TiComponent*>> captioned[] = {
        {iLabel13, {iKnob1, iAnalogOutput2}},
        {iLabel15, {iAnalogOutput4, iLedBar2}},
        {iLabel12, {iThermometer1, iAnalogOutput1}},
        {iLabel23, {iAnalogDisplay5, iKnob2}},
        {iLabel24, {iAnalogDisplay6, iKnob3}},
        {iLabel19, {iAnalogDisplay1}},
    };
    for (const auto& [caption, instruments] : captioned) {
        for (TiComponent* instrument : instruments)
            instrument->setAccessibleName(CaptionAsName(caption));
    }
    // An alarm lamp is named by its caption, after its group's heading where it has one:
    // "PWER", "TEMP MAX", "CUUR SHO".
    const std::pair<TiLedRound*, std::vector<TiLabel*>> lamps[] = {
        {iLedRound1, {iLabel1}},          {iLedRound2, {iLabel2}},          {iLedRound3, {iLabel3}},
        {iLedRound4, {iLabel4}},          {iLedRound5, {iLabel5, iLabel6}}, {iLedRound6, {iLabel5, iLabel7}},
        {iLedRound7, {iLabel8, iLabel9}}, {iLedRound8, {iLabel8, iLabel10}}, {iLedRound9, {iLabel8, iLabel11}},
    };
    for (const auto& [lamp, captions] : lamps) {
        QStringList words;
        for (const TiLabel* caption : captions)
            words << CaptionAsName(caption);
        lamp->setAccessibleName(words.join(QLatin1Char(' ')));
    }
}

QString TForm1::AlarmStateText(bool raised)
{
    //: The state of an alarm lamp, read by screen readers: the alarm is raised.
    if (raised)
        return tr("报警");
    //: The state of an alarm lamp, read by screen readers: no alarm.
    return tr("正常");
}

// Red for a raised alarm, green otherwise; the description says which.
void TForm1::ShowAlarmState(TiLedRound* lamp, bool raised)
{
    lamp->SetActiveColor(raised ? clRed : clLime);
    const QString state = AlarmStateText(raised);
    if (lamp->accessibleDescription() != state)
        lamp->setAccessibleDescription(state);
}
