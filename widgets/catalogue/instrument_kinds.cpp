// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/catalogue/instrument_kinds.h"

#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"
#include "widgets/edit/analog_output.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"

#include <QCoreApplication>

namespace {

template <typename Widget> std::function<TiComponent*(QWidget*)> Maker()
{
    return [](QWidget* parent) { return new Widget(parent); };
}

QString Tip(const char* text) { return QCoreApplication::translate("InstrumentKinds", text); }

}  // namespace

const std::vector<TiInstrumentKind>& InstrumentKinds()
{
    static const std::vector<TiInstrumentKind> kinds = {
        {"TiKnob", "widgets/dials/knob.h", Tip("旋钮：拖动、方向键或滚轮设定数值"), {150, 150}, Maker<TiKnob>()},
        {"TiThermometer", "widgets/dials/thermometer.h", Tip("温度计：液柱和刻度显示数值"), {60, 180},
         Maker<TiThermometer>()},
        {"TiLedRound", "widgets/indicators/led_round.h", Tip("圆形指示灯"), {20, 20}, Maker<TiLedRound>()},
        {"TiSwitchLed", "widgets/indicators/switch_led.h", Tip("带指示灯的开关按钮"), {60, 40}, Maker<TiSwitchLed>()},
        {"TiLedBar", "widgets/indicators/led_bar.h", Tip("LED 光柱"), {25, 150}, Maker<TiLedBar>()},
        {"TiLabel", "widgets/indicators/label.h", Tip("标签"), {80, 17}, Maker<TiLabel>()},
        {"TiAnalogDisplay", "widgets/indicators/analog_display.h", Tip("数值显示框"), {80, 21},
         Maker<TiAnalogDisplay>()},
        {"TiEditCustom", "widgets/edit/edit_custom.h", Tip("单行编辑框"), {80, 21}, Maker<TiEditCustom>()},
        {"TiAnalogOutput", "widgets/edit/analog_output.h", Tip("数值输入框"), {80, 21}, Maker<TiAnalogOutput>()},
    };
    return kinds;
}

const TiInstrumentKind* FindInstrumentKind(const QString& className)
{
    for (const TiInstrumentKind& kind : InstrumentKinds())
        if (kind.className == className)
            return &kind;
    return nullptr;
}
