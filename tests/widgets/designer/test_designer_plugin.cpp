// SPDX-License-Identifier: GPL-3.0-or-later
// The Designer plugin as Designer meets it: loaded from the build tree with
// QPluginLoader, every instrument created through it; and inside Designer's own
// form editor (run offscreen), the property sheet that the editor and the form
// writer see: repeats of QWidget's properties and nested objects hidden, colours
// as colours, enumerations as enumerations,
// written with stdset="0" so that uic's code sets them by name, and the value
// after its range.

#include "widgets/base/component.h"
#include "widgets/catalogue/instrument_kinds.h"
#include "widgets/dials/knob.h"

#include <QColor>
#include <QFileInfo>
#include <QPluginLoader>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerWidgetBoxInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace {

QList<QDesignerCustomWidgetInterface*> LoadPluginWidgets(QPluginLoader& loader)
{
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    return collection != nullptr ? collection->customWidgets() : QList<QDesignerCustomWidgetInterface*>{};
}

}  // namespace

TEST(DesignerPlugin, LoadsAndCreatesEveryInstrument)
{
    QPluginLoader loader(DESIGNER_PLUGIN_FILE);
    const QList<QDesignerCustomWidgetInterface*> widgets = LoadPluginWidgets(loader);
    ASSERT_EQ(widgets.size(), static_cast<qsizetype>(InstrumentKinds().size())) << loader.errorString().toStdString();
    for (QDesignerCustomWidgetInterface* entry : widgets) {
        SCOPED_TRACE(entry->name().toStdString());
        const TiInstrumentKind* kind = FindInstrumentKind(entry->name());
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(entry->group(), "Soft starter instruments");
        EXPECT_FALSE(entry->icon().isNull());
        EXPECT_FALSE(entry->toolTip().isEmpty());
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(SOURCE_DIR "/") + entry->includeFile()));
        QWidget parent;
        std::unique_ptr<QWidget> widget(entry->createWidget(&parent));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(entry->name(), widget->metaObject()->className());
        EXPECT_EQ(widget->size(), kind->defaultSize);
        QXmlStreamReader xml(entry->domXml());
        while (xml.readNextStartElement() && xml.name() != QStringLiteral("widget")) {
        }
        EXPECT_EQ(xml.attributes().value("class").toString(), entry->name());
        widget.reset();
    }
}

class DesignerCore : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Set up as Designer's own main window does.
        core_ = QDesignerComponents::createFormEditor(nullptr);
        QDesignerComponents::initializeResources();
        QDesignerComponents::initializePlugins(core_);
        core_->setWidgetBox(QDesignerComponents::createWidgetBox(core_, nullptr));
        core_->setPropertyEditor(QDesignerComponents::createPropertyEditor(core_, nullptr));
        new QDesignerIntegration(core_, core_);
        // The plugin is loaded once per process and was initialised with the first
        // test's editor; Designer would initialise it with this one.
        QPluginLoader loader(DESIGNER_PLUGIN_FILE);
        for (QDesignerCustomWidgetInterface* entry : LoadPluginWidgets(loader))
            entry->initialize(core_);
        window_ = core_->formWindowManager()->createFormWindow(nullptr);
        window_->setContents(QStringLiteral(
            "<ui version=\"4.0\"><class>Form</class><widget class=\"QWidget\" name=\"Form\">"
            "<widget class=\"TiKnob\" name=\"knob\"/></widget></ui>"));
        // The plugin carries its own copy of the library, so the knob is found by
        // its class name rather than by qobject_cast to this program's TiComponent.
        knob_ = window_->findChild<QWidget*>("knob");
        if (knob_ != nullptr && QString(knob_->metaObject()->className()) != "TiKnob")
            knob_ = nullptr;
    }
    void TearDown() override
    {
        delete window_;
        delete core_;
    }
    QDesignerPropertySheetExtension* Sheet() const
    {
        return qt_extension<QDesignerPropertySheetExtension*>(core_->extensionManager(), knob_);
    }

    QDesignerFormEditorInterface* core_ = nullptr;
    QDesignerFormWindowInterface* window_ = nullptr;
    QWidget* knob_ = nullptr;
};

TEST_F(DesignerCore, EditorSeesTheInstrumentSheet)
{
    ASSERT_NE(knob_, nullptr) << "the plugin did not give Designer the knob";
    QDesignerPropertySheetExtension* sheet = Sheet();
    ASSERT_NE(dynamic_cast<QObject*>(sheet), nullptr);
    EXPECT_STREQ(dynamic_cast<QObject*>(sheet)->metaObject()->className(), "InstrumentPropertySheet");
    for (const char* hidden : {"Left", "Width", "Hint", "Visible", "TabOrder", "OptionSaveAllProperties", "TickLabelFont"})
        EXPECT_FALSE(sheet->isVisible(sheet->indexOf(hidden))) << hidden;
    for (const char* shown : {"KnobStyle", "IndicatorActiveColor", "Position", "geometry"})
        EXPECT_TRUE(sheet->isVisible(sheet->indexOf(shown))) << shown;
    const int colour = sheet->indexOf("IndicatorActiveColor");
    EXPECT_EQ(sheet->property(colour).metaType(), QMetaType::fromType<QColor>());
    // A value of the wrong kind leaves the colour as it was; a number sets it.
    const QVariant before = sheet->property(colour);
    sheet->setProperty(colour, QVariant(QStringLiteral("red")));
    EXPECT_EQ(sheet->property(colour), before);
    sheet->setProperty(colour, QVariant(0x0000FFu));
    EXPECT_EQ(sheet->property(colour).value<QColor>(), QColor(255, 0, 0));
}

TEST_F(DesignerCore, SavedFormHoldsColoursEnumerationsAndTheValueAfterItsRange)
{
    ASSERT_NE(knob_, nullptr);
    QDesignerPropertySheetExtension* sheet = Sheet();
    // Changed value first, range after: the form still sets the range first.
    for (const auto& [name, value] : {std::pair{"Position", 50.0}, std::pair{"PositionMax", 700.0}}) {
        sheet->setProperty(sheet->indexOf(name), value);
        sheet->setChanged(sheet->indexOf(name), true);
    }
    const int colour = sheet->indexOf("IndicatorActiveColor");
    sheet->setProperty(colour, QColor(255, 0, 0));
    sheet->setChanged(colour, true);
    ASSERT_TRUE(knob_->setProperty("KnobStyle", static_cast<int>(iksSunken)));
    sheet->setChanged(sheet->indexOf("KnobStyle"), true);
    const QString form = window_->contents();
    EXPECT_TRUE(form.contains("<enum>TiKnob::iksSunken</enum>")) << form.toStdString();
    EXPECT_TRUE(form.contains("<red>255</red>")) << form.toStdString();
    const qsizetype maximum = form.indexOf("name=\"PositionMax\"");
    ASSERT_GE(maximum, 0);
    EXPECT_GT(form.indexOf("name=\"Position\"", maximum), maximum) << form.toStdString();
    // Not named setName, so uic sets them by name: the form must say so.
    EXPECT_TRUE(form.contains("<property name=\"IndicatorActiveColor\" stdset=\"0\">")) << form.toStdString();
}
