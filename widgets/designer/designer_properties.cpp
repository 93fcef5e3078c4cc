// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/designer/designer_properties.h"

#include "widgets/base/component.h"
#include "widgets/base/property_access.h"

#include <QColor>
#include <algorithm>

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
    if (property.metaType() == QMetaType::fromType<TColorProperty>())
        return TiDesignerValueKind::Colour;
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
    std::sort(names.begin(), names.end(), [meta](const QString& a, const QString& b) {
        return meta->indexOfProperty(a.toLatin1().constData()) < meta->indexOfProperty(b.toLatin1().constData());
    });
    return names;
}

QVariant ToEditorValue(const QMetaProperty& property, const QVariant& value)
{
    if (DesignerValueKind(property) == TiDesignerValueKind::Colour)
        return QVariant(ToQColor(value.value<TColorProperty>()));
    return value;
}

QVariant FromEditorValue(const QMetaProperty& property, const QVariant& value)
{
    switch (DesignerValueKind(property)) {
    case TiDesignerValueKind::Colour:
        if (value.metaType() == QMetaType::fromType<QColor>())
            return QVariant::fromValue(TColorProperty(FromQColor(value.value<QColor>())));
        if (value.metaType() == QMetaType::fromType<TColorProperty>())
            return value;
        return value.metaType() == QMetaType::fromType<TColor>() ? QVariant::fromValue(TColorProperty(value.toUInt()))
                                                                 : QVariant();
    case TiDesignerValueKind::Object: return {};
    case TiDesignerValueKind::Plain: break;
    }
    return value;
}

QVariant DesignerValue(const QObject& widget, const QMetaProperty& property)
{
    return ToEditorValue(property, property.read(&widget));
}

bool SetDesignerValue(QObject& widget, const QMetaProperty& property, const QVariant& value)
{
    const QVariant converted = FromEditorValue(property, value);
    return converted.isValid() && property.write(&widget, converted);
}
