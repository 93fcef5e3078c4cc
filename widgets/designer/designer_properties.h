// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How an instrument's published properties appear in Qt Designer, without
// Designer itself: which ones it offers, in which order a form sets them, and
// the values its property editor shows (a colour as a QColor, a font as a QFont).

#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>

class QObject;
class TiComponent;

enum class TiDesignerValueKind { Plain, Colour, Font };

// Whether Designer offers the published property `name` at all: not those that
// repeat what QWidget offers already (geometry, tool tip, visibility, enabled
// state, focus) nor the property file's own switch.
bool IsOfferedInDesigner(const QString& name);
// A colour (0x00BBGGRR), a font, or a value the editor shows as it is.
TiDesignerValueKind DesignerValueKind(const QMetaProperty& property);
// The published properties Designer offers for `widget`, in the order a form sets
// them: the widget's order, with the values that depend on others last.
QStringList DesignerPropertyNames(const TiComponent& widget);
// QWidget properties that a published property of `widget` replaces in Designer
// ("font" where the widget has a Font of its own: both would be written as setFont).
QStringList ReplacedQWidgetProperties(const TiComponent& widget);

// The value Designer's editor shows for a published property.
QVariant DesignerValue(const QObject& widget, const QMetaProperty& property);
// Writes a value from Designer's editor; false when it does not fit the property.
bool SetDesignerValue(QObject& widget, const QMetaProperty& property, const QVariant& value);
