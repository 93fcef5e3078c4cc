// SPDX-License-Identifier: GPL-3.0-or-later
// The Designer plugin as Designer meets it: loaded from the build tree with
// QPluginLoader, every instrument created through it; and inside Designer's own
// form editor (run offscreen), the property sheet that the editor and the form
// writer see: hidden repeats, colours as colours, enumerations as enumerations,
// and the value written after its range.

#include "widgets/base/component.h"
#include "widgets/catalogue/instrument_kinds.h"
#include "widgets/dials/knob.h"
#include "widgets/designer/instrument_property_sheet.h"

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
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <gtest/gtest.h>
#include <memory>

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
        window_ = core_->formWindowManager()->createFormWindow(nullptr);
        window_->setContents(QStringLiteral(
            "<ui version=\"4.0\"><class>Form</class><widget class=\"QWidget\" name=\"Form\">"
            "<widget class=\"TiKnob\" name=\"knob\"/></widget></ui>"));
        knob_ = window_->findChild<TiComponent*>("knob");
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
    TiComponent* knob_ = nullptr;
};

TEST_F(DesignerCore, EditorSeesTheInstrumentSheet)
{
    ASSERT_NE(knob_, nullptr) << "the plugin did not give Designer the knob";
    QDesignerPropertySheetExtension* sheet = Sheet();
    ASSERT_NE(qobject_cast<InstrumentPropertySheet*>(dynamic_cast<QObject*>(sheet)), nullptr);
    for (const char* hidden : {"Left", "Width", "Hint", "Visible", "TabOrder", "OptionSaveAllProperties"})
        EXPECT_FALSE(sheet->isVisible(sheet->indexOf(hidden))) << hidden;
    for (const char* shown : {"KnobStyle", "IndicatorActiveColor", "TickLabelFont", "Position", "geometry"})
        EXPECT_TRUE(sheet->isVisible(sheet->indexOf(shown))) << shown;
    EXPECT_EQ(sheet->property(sheet->indexOf("IndicatorActiveColor")).metaType(), QMetaType::fromType<QColor>());
    EXPECT_EQ(sheet->property(sheet->indexOf("TickLabelFont")).metaType(), QMetaType::fromType<QFont>());
    // A value of the wrong kind leaves the colour as it was.
    const QVariant before = sheet->property(sheet->indexOf("IndicatorActiveColor"));
    sheet->setProperty(sheet->indexOf("IndicatorActiveColor"), QVariant(42));
    EXPECT_EQ(sheet->property(sheet->indexOf("IndicatorActiveColor")), before);
}

TEST_F(DesignerCore, SavedFormHoldsColoursEnumerationsAndTheValueAfterItsRange)
{
    ASSERT_NE(knob_, nullptr);
    QDesignerPropertySheetExtension* sheet = Sheet();
    const auto set = [&](const char* name, const QVariant& value) {
        const int index = sheet->indexOf(name);
        sheet->setProperty(index, value);
        sheet->setChanged(index, true);
    };
    set("Position", 500.0);
    set("PositionMax", 700.0);
    set("IndicatorActiveColor", QColor(255, 0, 0));
    knob_->setProperty("KnobStyle", QVariant::fromValue(iksSunken));
    sheet->setChanged(sheet->indexOf("KnobStyle"), true);
    const QString form = window_->contents();
    EXPECT_TRUE(form.contains("<enum>TiKnob::iksSunken</enum>")) << form.toStdString();
    EXPECT_TRUE(form.contains("<color>")) << form.toStdString();
    const qsizetype position = form.indexOf("name=\"Position\"");
    const qsizetype maximum = form.indexOf("name=\"PositionMax\"");
    ASSERT_GE(position, 0);
    ASSERT_GE(maximum, 0);
    EXPECT_LT(maximum, position);
    EXPECT_FALSE(form.contains("stdset=\"0\"")) << "properties are written for their setters";
}
