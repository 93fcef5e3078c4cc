// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery's property panel: an editor for every writable published property of
// every instrument, edits that reach the widget (nested font properties included),
// and editors that outlive their widget doing nothing.

#include "property_panel.h"

#include "widgets/base/component.h"
#include "widgets/base/property_access.h"
#include "widgets/catalogue/instrument_kinds.h"
#include "widgets/dials/knob.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The panel's editors by the property names on their labels.
QMap<QString, QWidget*> Editors(const PropertyPanel& panel)
{
    QMap<QString, QWidget*> editors;
    const auto* form = panel.findChild<QFormLayout*>();
    for (int row = 0; form != nullptr && row < form->rowCount(); ++row) {
        const auto* label = qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget());
        editors.insert(label->text(), form->itemAt(row, QFormLayout::FieldRole)->widget());
    }
    return editors;
}

}  // namespace

TEST(PropertyPanel, EveryWritablePropertyOfEveryInstrumentHasAnEditor)
{
    for (const TiInstrumentKind& kind : InstrumentKinds()) {
        SCOPED_TRACE(kind.className.toStdString());
        std::unique_ptr<TiComponent> widget(kind.create(nullptr));
        PropertyPanel panel;
        panel.Show(widget.get());
        const QMap<QString, QWidget*> editors = Editors(panel);
        int writable = 0;
        ForEachPublishedProperty(*widget, [&](const QString& name, const QObject&, const QMetaProperty& property) {
            if (!property.isWritable())
                return;
            ++writable;
            EXPECT_TRUE(editors.contains(name)) << name.toStdString();
        });
        EXPECT_EQ(editors.size(), writable);
    }
}

TEST(PropertyPanel, EditsReachTheWidgetAndOutlivingEditorsDoNothing)
{
    auto widget = std::make_unique<TiKnob>();
    PropertyPanel panel;
    panel.Show(widget.get());
    const QMap<QString, QWidget*> editors = Editors(panel);

    auto* ticks = qobject_cast<QCheckBox*>(editors.value("ShowTicksMajor"));
    ASSERT_NE(ticks, nullptr);
    ticks->setChecked(!widget->ShowTicksMajor());
    EXPECT_EQ(widget->ShowTicksMajor(), ticks->isChecked());

    auto* style = qobject_cast<QComboBox*>(editors.value("KnobStyle"));
    ASSERT_NE(style, nullptr);
    const int sunken = style->findText("iksSunken");
    ASSERT_GE(sunken, 0);
    style->setCurrentIndex(sunken);
    emit style->activated(sunken);
    EXPECT_EQ(widget->KnobStyle(), TiKnob::iksSunken);

    auto* height = qobject_cast<QSpinBox*>(editors.value("PositionDisplayFont.Height"));
    ASSERT_NE(height, nullptr);
    height->setValue(23);
    EXPECT_EQ(widget->PositionDisplayFont()->Height(), 23);

    auto* units = qobject_cast<QLineEdit*>(editors.value("PositionDisplayUnits"));
    ASSERT_NE(units, nullptr);
    units->setText("rpm");
    emit units->editingFinished();
    EXPECT_EQ(widget->PositionDisplayUnits(), "rpm");

    auto* colour = qobject_cast<QPushButton*>(editors.value("IndicatorActiveColor"));
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->text(), QStringLiteral("0x%1").arg(widget->IndicatorActiveColor(), 8, 16, QLatin1Char('0')));

    widget.reset();
    ticks->toggle();
    emit style->activated(0);
    height->setValue(9);
    emit units->editingFinished();
}
