// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/designer/designer_properties.h"

#include "widgets/base/component.h"
#include "widgets/base/property_access.h"


bool IsOfferedInDesigner(const QString& name)
{
    static const QStringList notOffered = {"Tag",     "Left",     "Top",      "Width",
                                           "Height",  "Hint",     "HelpContext", "Visible",
                                           "Enabled", "ShowHint", "OptionSaveAllProperties",
                                           "TabOrder", "TabStop", "BackGroundPicture", "Glyph"};
    return !notOffered.contains(name);
}

TiDesignerValueKind DesignerValueKind(const QMetaProperty& property)
{
    if ((property.metaType().flags() & QMetaType::PointerToQObject) != 0)
        return TiDesignerValueKind::Object;
    return TiDesignerValueKind::Plain;
}

QStringList DesignerPropertyNames(const TiComponent& widget)
{
    QStringList names;
    const QMetaObject* meta = widget.metaObject();
    for (int i = TiComponent::staticMetaObject.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QString name = QString::fromLatin1(meta->property(i).name());
        if (IsOfferedInDesigner(name) && DesignerValueKind(meta->property(i)) != TiDesignerValueKind::Object &&
            !names.contains(name))
            names << name;
    }
    return names;
}

QVariant DesignerValue(const QObject& widget, const QMetaProperty& property)
{
    switch (DesignerValueKind(property)) {
    case TiDesignerValueKind::Object:
    case TiDesignerValueKind::Plain: break;
    }
    return property.read(&widget);
}

bool SetDesignerValue(QObject& widget, const QMetaProperty& property, const QVariant& value)
{
    switch (DesignerValueKind(property)) {
    case TiDesignerValueKind::Object: return false;
    case TiDesignerValueKind::Plain: break;
    }
    return property.write(&widget, value);
}
