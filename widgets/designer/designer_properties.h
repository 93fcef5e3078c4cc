// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How an instrument's published properties appear in Qt Designer, without
// Designer itself: which ones it offers and the values its property editor shows.
// Designer writes them into a form with stdset="0" (their setters are not named
// setName), so uic's code sets them with setProperty(). Colours (0x00BBGGRR) are
// shown as their unsigned number: a QColor could not be set back by name, as Qt
// converts no QColor to an unsigned number.

#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>

class QObject;
class TiComponent;

enum class TiDesignerValueKind { Plain, Object };

// Whether Designer offers the published property `name` at all: not those that
// repeat what QWidget offers already (geometry, tool tip, visibility, enabled
// state, focus) nor the property file's own switch.
bool IsOfferedInDesigner(const QString& name);
// A nested object (a font, a picture: not offered, a form cannot set it) or a
// value the editor shows as it is.
TiDesignerValueKind DesignerValueKind(const QMetaProperty& property);
// The published properties Designer offers for `widget`, in the widget's order.
QStringList DesignerPropertyNames(const TiComponent& widget);

// The value Designer's editor shows for a published property.
QVariant DesignerValue(const QObject& widget, const QMetaProperty& property);
// Writes a value from Designer's editor; false when it does not fit the property.
bool SetDesignerValue(QObject& widget, const QMetaProperty& property, const QVariant& value);
