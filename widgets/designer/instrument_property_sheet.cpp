// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/designer/instrument_property_sheet.h"

#include "widgets/base/component.h"
#include "widgets/base/scoped_flag.h"
#include "widgets/designer/designer_properties.h"

#include <QtDesigner/QExtensionManager>

InstrumentPropertySheet::InstrumentPropertySheet(TiComponent* widget, QObject* designerSheet, QObject* parent)
    : QObject(parent),
      widget_(widget),
      sheet_(qobject_cast<QDesignerPropertySheetExtension*>(designerSheet)),
      dynamicSheet_(qobject_cast<QDesignerDynamicPropertySheetExtension*>(designerSheet))
{
}

int InstrumentPropertySheet::Inner(int index) const { return index; }
int InstrumentPropertySheet::Outer(int innerIndex) const { return innerIndex; }

QMetaProperty InstrumentPropertySheet::Published(int index) const
{
    const QString name = propertyName(index);
    if (!DesignerPropertyNames(*widget_).contains(name))
        return QMetaProperty();
    const QMetaObject* meta = widget_->metaObject();
    return meta->property(meta->indexOfProperty(name.toLatin1().constData()));
}

int InstrumentPropertySheet::count() const { return sheet_->count(); }
int InstrumentPropertySheet::indexOf(const QString& name) const { return Outer(sheet_->indexOf(name)); }
QString InstrumentPropertySheet::propertyName(int index) const { return sheet_->propertyName(Inner(index)); }
QString InstrumentPropertySheet::propertyGroup(int index) const { return sheet_->propertyGroup(Inner(index)); }
void InstrumentPropertySheet::setPropertyGroup(int index, const QString& group)
{
    sheet_->setPropertyGroup(Inner(index), group);
}
bool InstrumentPropertySheet::hasReset(int index) const { return sheet_->hasReset(Inner(index)); }
bool InstrumentPropertySheet::reset(int index) { return sheet_->reset(Inner(index)); }

bool InstrumentPropertySheet::isVisible(int index) const
{
    const QString name = propertyName(index);
    const QMetaObject* meta = widget_->metaObject();
    const int metaIndex = meta->indexOfProperty(name.toLatin1().constData());
    if (metaIndex >= TiComponent::staticMetaObject.propertyOffset())
        return DesignerPropertyNames(*widget_).contains(name);
    return sheet_->isVisible(Inner(index));
}

void InstrumentPropertySheet::setVisible(int index, bool visible) { sheet_->setVisible(Inner(index), visible); }
bool InstrumentPropertySheet::isAttribute(int index) const { return sheet_->isAttribute(Inner(index)); }
void InstrumentPropertySheet::setAttribute(int index, bool attribute)
{
    sheet_->setAttribute(Inner(index), attribute);
}

QVariant InstrumentPropertySheet::property(int index) const
{
    // Designer's sheet stays the keeper of the value (it writes the form from it).
    const QMetaProperty published = Published(index);
    const QVariant value = sheet_->property(Inner(index));
    return published.isValid() ? ToEditorValue(published, value) : value;
}

void InstrumentPropertySheet::setProperty(int index, const QVariant& value)
{
    const QMetaProperty published = Published(index);
    const QVariant converted = published.isValid() ? FromEditorValue(published, value) : value;
    if (converted.isValid())
        sheet_->setProperty(Inner(index), converted);
}

bool InstrumentPropertySheet::isChanged(int index) const { return sheet_->isChanged(Inner(index)); }
void InstrumentPropertySheet::setChanged(int index, bool changed) { sheet_->setChanged(Inner(index), changed); }
bool InstrumentPropertySheet::isEnabled(int index) const
{
    return sheet_->isEnabled(Inner(index));
}

bool InstrumentPropertySheet::dynamicPropertiesAllowed() const
{
    return dynamicSheet_ != nullptr && dynamicSheet_->dynamicPropertiesAllowed();
}

int InstrumentPropertySheet::addDynamicProperty(const QString& name, const QVariant& value)
{
    return dynamicSheet_ != nullptr ? Outer(dynamicSheet_->addDynamicProperty(name, value)) : -1;
}

bool InstrumentPropertySheet::removeDynamicProperty(int index)
{
    return dynamicSheet_ != nullptr && dynamicSheet_->removeDynamicProperty(Inner(index));
}

bool InstrumentPropertySheet::isDynamicProperty(int index) const
{
    return dynamicSheet_ != nullptr && dynamicSheet_->isDynamicProperty(Inner(index));
}

bool InstrumentPropertySheet::canAddDynamicProperty(const QString& name) const
{
    return dynamicSheet_ != nullptr && dynamicSheet_->canAddDynamicProperty(name);
}

InstrumentSheetFactory::InstrumentSheetFactory(QExtensionManager* parent) : QExtensionFactory(parent) {}

QObject* InstrumentSheetFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const
{
    if (iid != Q_TYPEID(QDesignerPropertySheetExtension) && iid != Q_TYPEID(QDesignerDynamicPropertySheetExtension))
        return nullptr;
    auto* widget = qobject_cast<TiComponent*>(object);
    // While this factory asks the manager for Designer's own sheet, it declines,
    // so that the manager goes on to Designer's factory.
    if (widget == nullptr || creating_)
        return nullptr;
    const ScopedFlag creating(creating_);
    QObject* designerSheet = extensionManager()->extension(object, Q_TYPEID(QDesignerPropertySheetExtension));
    if (qobject_cast<QDesignerPropertySheetExtension*>(designerSheet) == nullptr)
        return nullptr;
    return new InstrumentPropertySheet(widget, designerSheet, parent);
}
