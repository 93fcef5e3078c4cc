// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How an instrument's published properties appear in Qt Designer, without
// Designer itself: which ones it offers, in which order a form sets them, and the
// values its property editor shows (a colour as a QColor). Designer writes them
// into a form with stdset="0" (their setters are not named setName), so uic's code
// sets them with setProperty(); a colour goes into the form as a QColor (<color>),
// which converts back to the property's TColorProperty.

#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>

class QObject;
class TiComponent;

enum class TiDesignerValueKind { Plain, Colour, Object };

// Whether Designer offers the published property `name` at all: not those that
// repeat what QWidget offers already (geometry, tool tip, visibility, enabled
// state, focus) nor the property file's own switch.
bool IsOfferedInDesigner(const QString& name);
// A colour (TColorProperty), a nested object (a font, a picture: not offered, a
// form cannot set it) or a value the editor shows as it is.
TiDesignerValueKind DesignerValueKind(const QMetaProperty& property);
// The published properties Designer offers for `widget`, in the order Designer
// writes them: by the place of their last declaration (a widget declares Position
// again after its range, so that a form sets the range first).
QStringList DesignerPropertyNames(const TiComponent& widget);

// The editor's form of a property's value (a colour's number as a QColor), and
// back: the property's value for what the editor gives (invalid when it does not
// fit; a colour also takes a number).
QVariant ToEditorValue(const QMetaProperty& property, const QVariant& value);
QVariant FromEditorValue(const QMetaProperty& property, const QVariant& value);

// The value Designer's editor shows for a published property of `widget`.
QVariant DesignerValue(const QObject& widget, const QMetaProperty& property);
// Writes a value from Designer's editor; false when it does not fit the property.
bool SetDesignerValue(QObject& widget, const QMetaProperty& property, const QVariant& value);
