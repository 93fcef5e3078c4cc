// SPDX-License-Identifier: GPL-3.0-or-later
// Rules every instrument widget follows, checked on each widget class through its
// published properties: a setter never leaves the cached static layer stale, a
// property file gives back what was saved, Tab moves the focus on, and a raising
// OnClick handler does not leave a press or drag under way.

#include "tests/support/widget_test_support.h"
#include "widgets/base/property_access.h"
#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"
#include "widgets/edit/analog_output.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"

#include <QFile>
#include <QLineEdit>
#include <QMetaProperty>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace widget_test;

namespace {

struct WidgetClass {
    const char* name;
    std::function<TiComponent*(QWidget* parent)> make;
};

const std::vector<WidgetClass>& WidgetClasses()
{
    static const std::vector<WidgetClass> classes = {
        {"TiKnob", [](QWidget* p) { return new TiKnob(p); }},
        {"TiThermometer", [](QWidget* p) { return new TiThermometer(p); }},
        {"TiLedRound", [](QWidget* p) { return new TiLedRound(p); }},
        {"TiSwitchLed", [](QWidget* p) { return new TiSwitchLed(p); }},
        {"TiLedBar", [](QWidget* p) { return new TiLedBar(p); }},
        {"TiLabel", [](QWidget* p) { return new TiLabel(p); }},
        {"TiAnalogDisplay", [](QWidget* p) { return new TiAnalogDisplay(p); }},
        {"TiEditCustom", [](QWidget* p) { return new TiEditCustom(p); }},
        {"TiAnalogOutput", [](QWidget* p) { return new TiAnalogOutput(p); }},
    };
    return classes;
}

bool IsEnumeration(const QMetaProperty& property)
{
    return property.isEnumType() || (property.metaType().flags() & QMetaType::IsEnumeration) != 0;
}

// Writes a value different from the current one through the property-file path
// (enumerations: the next valid value). False when nothing different is accepted.
bool ChangeProperty(TiComponent& widget, const QString& name, const QObject& owner, const QMetaProperty& property)
{
    const QVariant current = property.read(&owner);
    QStringList candidates;
    if (IsEnumeration(property)) {
        const long long value = PropertyValueText(owner, property).toLongLong();
        candidates << QString::number(value + 1) << QString::number(value - 1);
    } else if (property.metaType() == QMetaType::fromType<TColorProperty>()) {
        const TColor colour = current.value<TColorProperty>();
        candidates << QString::number(colour == 0x123456u ? 0x0000FFu : 0x123456u);
    } else {
        switch (property.metaType().id()) {
        case QMetaType::Bool: candidates << (current.toBool() ? "0" : "1"); break;
        case QMetaType::Int: candidates << QString::number(current.toInt() + 3); break;
        case QMetaType::Double: candidates << QString::number(current.toDouble() + 7); break;
        case QMetaType::QString: candidates << current.toString() + "x"; break;
        default: return false;
        }
    }
    for (const QString& text : candidates) {
        try {
            AssignPropertyText(widget, name, text);
            return true;
        } catch (const std::runtime_error&) {
        }
    }
    return false;
}

// Names of the writable published properties (nested ones dotted), in order.
QStringList WritableProperties(const TiComponent& widget)
{
    QStringList names;
    ForEachPublishedProperty(widget, [&](const QString& name, const QObject&, const QMetaProperty& property) {
        if (property.isWritable() && property.isStored())
            names << name;
    });
    return names;
}

bool ChangeProperty(TiComponent& widget, const QString& name)
{
    QObject* owner = nullptr;
    QMetaProperty property;
    return FindPublishedProperty(widget, name, owner, property) && ChangeProperty(widget, name, *owner, property);
}

QStringList FileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

TEST(EveryWidget, NoSetterLeavesTheCachedStaticLayerStale)
{
    ClassicPaletteScope palette;
    for (const WidgetClass& kind : WidgetClasses()) {
        QWidget parent;
        const QStringList names = WritableProperties(*std::unique_ptr<TiComponent>(kind.make(nullptr)));
        for (const QString& name : names) {
            TiComponent* widget = kind.make(&parent);
            Render(*widget);  // the static layer is cached now
            if (!ChangeProperty(*widget, name)) {
                delete widget;
                continue;
            }
            const QImage painted = Render(*widget);
            widget->BackGroundChange();
            const QImage rebuilt = Render(*widget);
            EXPECT_TRUE(painted == rebuilt) << kind.name << "::" << name.toStdString()
                                            << " changes the static layer without rebuilding it";
            delete widget;
        }
    }
}

TEST(EveryWidget, NewValuesRepaintOnlyTheDynamicLayer)
{
    // What the console writes twice a second must not redraw the scale.
    for (const WidgetClass& kind : WidgetClasses()) {
        QWidget parent;
        TiComponent* widget = kind.make(&parent);
        Render(*widget);
        for (const char* name : {"Position", "Value"}) {
            QObject* owner = nullptr;
            QMetaProperty property;
            if (!FindPublishedProperty(*widget, name, owner, property))
                continue;
            AssignPropertyText(*widget, name, "42");
            EXPECT_FALSE(widget->IsBackGroundChanged()) << kind.name << "::" << name;
        }
    }
}

TEST(EveryWidget, PropertyFileGivesBackWhatWasSavedEachPropertyOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Set by hand below: ranges before values, so that each value lies inside its range.
    const QStringList ranged = {"Position", "PositionMax", "PositionMin", "CurrentMax", "CurrentMin",
                                "MinMaxFixed", "Value", "ValueMax", "ValueMin"};
    for (const WidgetClass& kind : WidgetClasses()) {
        QWidget parent;
        TiComponent* saved = kind.make(&parent);
        for (const QString& name : WritableProperties(*saved)) {
            if (!ranged.contains(name))
                ChangeProperty(*saved, name);
        }
        saved->SetOptionSaveAllProperties(true);
        // Non-default ranges with the value inside them, none of it inside 0..100.
        const std::vector<std::pair<const char*, const char*>> ranges = {
            {"PositionMax", "700"}, {"PositionMin", "300"}, {"Position", "500"},
            {"ValueMax", "700"},    {"ValueMin", "300"},    {"Value", "500"}};
        for (const auto& [name, value] : ranges) {
            QObject* owner = nullptr;
            QMetaProperty property;
            if (FindPublishedProperty(*saved, name, owner, property))
                AssignPropertyText(*saved, name, value);
        }
        const QString first = dir.filePath(QString(kind.name) + ".txt");
        const QString second = dir.filePath(QString(kind.name) + "-again.txt");
        saved->SavePropertiesToFile(first);

        TiComponent* loaded = kind.make(&parent);
        loaded->LoadPropertiesFromFile(first);
        loaded->SavePropertiesToFile(second);
        const QStringList lines = FileLines(first);
        EXPECT_EQ(lines.join('\n').toStdString(), FileLines(second).join('\n').toStdString()) << kind.name;
        for (const char* name : {"Position", "Value"}) {
            if (loaded->metaObject()->indexOfProperty(name) >= 0) {
                EXPECT_EQ(loaded->property(name).toDouble(), 500) << kind.name << "::" << name;
            }
        }

        // One line per published property and nothing else.
        QStringList names;
        for (const QString& line : lines)
            names << line.section('=', 0, 0).trimmed();
        EXPECT_EQ(names.removeDuplicates(), 0) << kind.name;
        names.removeFirst();  // File Type
        for (const QString& name : names) {
            QObject* owner = nullptr;
            QMetaProperty property;
            EXPECT_TRUE(FindPublishedProperty(*loaded, name, owner, property)) << kind.name << " " << name.toStdString();
        }
        EXPECT_EQ(names.filter("_2").size(), 0) << kind.name;
    }
}

TEST(EveryWidget, TabMovesTheFocusOnAndTabOrderPlacesTheWidget)
{
    for (const WidgetClass& kind : WidgetClasses()) {
        QWidget window;
        auto* before = new QLineEdit(&window);
        TiComponent* widget = kind.make(&window);
        auto* after = new QLineEdit(&window);
        const bool takesTab = (widget->focusPolicy() & Qt::TabFocus) != 0;
        // The widgets that take the focus by Tab publish their place in the Tab order.
        EXPECT_EQ(widget->metaObject()->indexOfProperty("TabOrder") >= 0, takesTab) << kind.name;
        if (!takesTab)
            continue;
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        widget->setFocus();
        ASSERT_TRUE(widget->hasFocus()) << kind.name;
        QTest::keyClick(widget, Qt::Key_Tab);
        EXPECT_TRUE(after->hasFocus()) << kind.name << " kept the focus on Tab";
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_TRUE(before->hasFocus()) << kind.name << " kept the focus on Backtab";

        EXPECT_EQ(widget->property("TabOrder").toInt(), 1) << kind.name;
        widget->setProperty("TabOrder", 0);
        EXPECT_EQ(widget->property("TabOrder").toInt(), 0) << kind.name;
        EXPECT_EQ(before->nextInFocusChain(), after) << kind.name;
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Tab);
        EXPECT_TRUE(before->hasFocus()) << kind.name << ": Tab does not follow TabOrder";
        widget->setProperty("TabOrder", 99);  // past the end: the last place
        EXPECT_EQ(widget->property("TabOrder").toInt(), 2) << kind.name;
    }
    // Without a parent the place is kept and taken when the widget is placed.
    TiSwitchLed loose;
    EXPECT_EQ(loose.property("TabOrder").toInt(), -1);
    loose.setProperty("TabOrder", 0);
    QWidget window;
    auto* first = new QLineEdit(&window);
    loose.setParent(&window);
    EXPECT_EQ(loose.property("TabOrder").toInt(), 0);
    EXPECT_EQ(loose.nextInFocusChain(), first);
    loose.setParent(nullptr);
}

TEST(EveryWidget, ARaisingOnClickEndsThePressOrDrag)
{
    ClassicPaletteScope palette;
    QWidget parent;
    parent.resize(300, 300);
    const auto raise = [](TObject*) { throw std::runtime_error("click handler failed"); };

    // Knob: the drag ends, the face and indicator go back to rest, and the next
    // press outside the face does not continue the old drag.
    auto* knob = new TiKnob(&parent);
    knob->OnClick = raise;
    const QImage atRest = Render(*knob);
    const QPoint c(knob->KnobCenter().X, knob->KnobCenter().Y);
    MousePress(*knob, c + QPoint(0, -5));
    MouseMove(*knob, c + QPoint(60, 0), Qt::LeftButton);  // a quarter turn clockwise
    const double dragged = knob->GetPosition();
    ASSERT_NE(dragged, 0);
    MouseRelease(*knob, c + QPoint(60, 0));
    EXPECT_FALSE(knob->IsDragging());
    knob->SetPosition(0);
    EXPECT_TRUE(Render(*knob) == atRest) << "the knob still looks dragged";
    MousePress(*knob, QPoint(2, 2));
    MouseMove(*knob, c + QPoint(0, 60), Qt::LeftButton);  // clockwise on from the old drag's end
    MouseRelease(*knob, c + QPoint(0, 60));
    EXPECT_EQ(knob->GetPosition(), 0);

    // Thermometer: the marker drag ends; moving the mouse afterwards moves nothing.
    auto* thermometer = new TiThermometer(&parent);
    thermometer->OnClick = raise;
    thermometer->SetShowMaxPointer(true);
    thermometer->SetMinMaxUserCanMove(true);
    thermometer->SetPosition(50);
    Render(*thermometer);
    const TRect marker = thermometer->MaxPointerHitRect();
    const QPoint onMarker(marker.Left + 2, (marker.Top + marker.Bottom) / 2);
    MousePress(*thermometer, onMarker);
    MouseRelease(*thermometer, onMarker);
    MouseMove(*thermometer, onMarker - QPoint(0, 40));
    EXPECT_EQ(thermometer->GetCurrentMax(), 50);

    // Switch: no pressed look is left over and nothing toggles.
    auto* sw = new TiSwitchLed(&parent);
    sw->OnClick = raise;
    MousePress(*sw, QPoint(10, 10));
    MouseRelease(*sw, QPoint(10, 10));
    EXPECT_FALSE(sw->IsMousePressed());
    EXPECT_FALSE(sw->Active());

    // Edit: the mouse selection ends; hovering selects nothing.
    auto* edit = new TiAnalogOutput(&parent);
    edit->OnClick = raise;
    edit->SetValue(12345);
    FocusIn(*edit);
    MousePress(*edit, QPoint(3, 5));
    MouseRelease(*edit, QPoint(3, 5));
    const int selected = edit->SelLength();
    MouseMove(*edit, QPoint(edit->Width() - 3, 5));
    EXPECT_EQ(edit->SelLength(), selected);
}
