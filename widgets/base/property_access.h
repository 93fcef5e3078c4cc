// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Access to a widget's published properties by name, for the property file
// and the OPC interface points. Published properties are the Q_PROPERTYs
// declared from TiComponent downward (for other objects: those of the class
// below QObject), in meta-object order. A property whose type is a QObject
// pointer (a font, a picture, a pointer object) is a nested object: its own
// properties are named "<Property>.<Inner>".

#include <QMetaProperty>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <stdexcept>

// Visits every published property of `object` (nested objects recursively),
// with its dotted name. A property that a subclass publishes again (same name,
// same accessors) is visited once, at its first place.
void ForEachPublishedProperty(const QObject& object,
                              const std::function<void(const QString& name, const QObject& owner,
                                                       const QMetaProperty& property)>& visit);

// Finds the property named by a dotted path (case-insensitive). On success
// sets `owner` and `property`; returns false when nothing matches.
bool FindPublishedProperty(QObject& root, const QString& dottedName, QObject*& owner, QMetaProperty& property);

// Text of a property value: ordinals as decimal integers, floating point in
// general format, strings with CR as "#13" and LF as "#10".
QString PropertyValueText(const QObject& owner, const QMetaProperty& property);

// A property-file value converted for its property, to be written by Write().
struct TiPropertyAssignment {
    QObject* owner = nullptr;  // the object that has the property
    QMetaProperty property;  // the property to write
    QVariant value;  // invalid: nothing to write (a read-only property)
    QString text;    // as the file gave it, for the error message
    // Throws std::runtime_error when the property refuses the value.
    void Write() const;
};

// Finds the property and converts the text by the property-file rules; throws
// std::runtime_error with a message naming a bad value. Returns false if no
// property matches.
bool PreparePropertyText(QObject& root, const QString& dottedName, const QString& valueText,
                         TiPropertyAssignment& assignment);

// Prepares and writes at once.
bool AssignPropertyText(QObject& root, const QString& dottedName, const QString& valueText);

// Assigns a variant by the data-link rules (booleans also from "True"/"False"
// in any case). Returns false if no property matches or the value does not convert.
bool AssignPropertyVariant(QObject& root, const QString& dottedName, const QVariant& value);

// Declares the valid range of an enumeration registered with
// Q_DECLARE_METATYPE only, so that loading rejects values outside it.
// Enumerations registered with Q_ENUM or Q_ENUM_NS (the library's own) are
// checked against their keys.
void RegisterEnumRange(QMetaType type, int minimum, int maximum);
template <typename E> void RegisterEnumRange(int minimum, int maximum)
{
    RegisterEnumRange(QMetaType::fromType<E>(), minimum, maximum);
}
