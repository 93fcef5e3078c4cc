// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/designer/designer_properties.h"

#include "widgets/base/component.h"
#include "widgets/base/property_access.h"
#include "widgets/base/qt_setters.h"

#include <QColor>
#include <QFont>
#include <cstring>

namespace {

TFont* FontOf(const QObject& widget, const QMetaProperty& property)
{
    return qobject_cast<TFont*>(qvariant_cast<QObject*>(property.read(&widget)));
}

QFont ToDesignerFont(const TFont& font)
{
    QFont result;
    result.setFamily(font.Name());
    result.setPixelSize(font.Height() < 0 ? -font.Height() : (font.Height() > 0 ? font.Height() : 11));
    result.setBold(font.Bold());
    result.setItalic(font.Italic());
    result.setUnderline(font.Underline());
    result.setStrikeOut(font.StrikeOut());
    return result;
}

}  // namespace

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
    if (std::strcmp(property.typeName(), "TColor") == 0)
        return TiDesignerValueKind::Colour;
    if (property.metaType() == QMetaType::fromType<TFont*>())
        return TiDesignerValueKind::Font;
    return TiDesignerValueKind::Plain;
}

QStringList DesignerPropertyNames(const TiComponent& widget)
{
    QStringList names;
    const QMetaObject* meta = widget.metaObject();
    for (int i = TiComponent::staticMetaObject.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QString name = QString::fromLatin1(meta->property(i).name());
        if (IsOfferedInDesigner(name) && !names.contains(name))
            names << name;
    }
    for (const QString& last : widget.PropertiesLoadedLast()) {
        if (names.removeAll(last) > 0)
            names << last;
    }
    return names;
}

QStringList ReplacedQWidgetProperties(const TiComponent& widget)
{
    return DesignerPropertyNames(widget).contains("Font") ? QStringList{"font"} : QStringList{};
}

QVariant DesignerValue(const QObject& widget, const QMetaProperty& property)
{
    switch (DesignerValueKind(property)) {
    case TiDesignerValueKind::Colour: return QVariant(ToQColor(property.read(&widget).value<TColor>()));
    case TiDesignerValueKind::Font: {
        const TFont* font = FontOf(widget, property);
        return font != nullptr ? QVariant(ToDesignerFont(*font)) : QVariant();
    }
    case TiDesignerValueKind::Plain: break;
    }
    return property.read(&widget);
}

bool SetDesignerValue(QObject& widget, const QMetaProperty& property, const QVariant& value)
{
    switch (DesignerValueKind(property)) {
    case TiDesignerValueKind::Colour:
        if (value.metaType() != QMetaType::fromType<QColor>())
            return false;
        return property.write(&widget, QVariant::fromValue<TColor>(FromQColor(value.value<QColor>())));
    case TiDesignerValueKind::Font: {
        TFont* font = FontOf(widget, property);
        if (font == nullptr || value.metaType() != QMetaType::fromType<QFont>())
            return false;
        TiAssignQtFont(*font, value.value<QFont>());
        return true;
    }
    case TiDesignerValueKind::Plain: break;
    }
    return property.write(&widget, value);
}
