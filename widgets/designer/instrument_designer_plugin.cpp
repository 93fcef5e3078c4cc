// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/designer/instrument_designer_plugin.h"

#include "widgets/base/component.h"
#include "widgets/designer/instrument_property_sheet.h"

#include <QIcon>
#include <QPixmap>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

namespace {

constexpr int kIconSize = 32;

// One sheet factory per extension manager, however many widgets initialise.
void RegisterSheetFactory(QDesignerFormEditorInterface* core)
{
    QExtensionManager* manager = core->extensionManager();
    if (manager == nullptr || manager->findChild<InstrumentSheetFactory*>() != nullptr)
        return;
    auto* factory = new InstrumentSheetFactory(manager);
    manager->registerExtensions(factory, Q_TYPEID(QDesignerPropertySheetExtension));
    manager->registerExtensions(factory, Q_TYPEID(QDesignerDynamicPropertySheetExtension));
}

}  // namespace

InstrumentDesignerWidget::InstrumentDesignerWidget(const TiInstrumentKind& kind, QObject* parent)
    : QObject(parent), kind_(kind)
{
}

QString InstrumentDesignerWidget::group() const { return QStringLiteral("Soft starter instruments"); }

QIcon InstrumentDesignerWidget::icon() const
{
    // The instrument as it looks at its default size, scaled to an icon.
    std::unique_ptr<TiComponent> widget(kind_.create(nullptr));
    widget->resize(kind_.defaultSize);
    const QPixmap picture = widget->grab();
    return QIcon(picture.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QWidget* InstrumentDesignerWidget::createWidget(QWidget* parent)
{
    TiComponent* widget = kind_.create(parent);
    widget->resize(kind_.defaultSize);
    return widget;
}

void InstrumentDesignerWidget::initialize(QDesignerFormEditorInterface* core)
{
    // Each form editor (a program may make more than one) gets the sheet factory.
    RegisterSheetFactory(core);
    initialized_ = true;
}

QString InstrumentDesignerWidget::domXml() const
{
    const QString objectName = kind_.className.mid(2, 1).toLower() + kind_.className.mid(3);
    return QStringLiteral(
               "<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
               "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>"
               "</property></widget></ui>")
        .arg(kind_.className, objectName)
        .arg(kind_.defaultSize.width())
        .arg(kind_.defaultSize.height());
}

InstrumentDesignerPlugin::InstrumentDesignerPlugin(QObject* parent) : QObject(parent)
{
    for (const TiInstrumentKind& kind : InstrumentKinds())
        widgets_ << new InstrumentDesignerWidget(kind, this);
}
