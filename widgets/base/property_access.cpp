// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/property_access.h"

#include "widgets/base/component.h"
#include "widgets/base/types.h"

#include <QLocale>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

namespace {

int PublishedOffset(const QObject& object)
{
    if (qobject_cast<const TiComponent*>(&object) != nullptr)
        return TiComponent::staticMetaObject.propertyOffset();
    return QObject::staticMetaObject.propertyCount();
}

bool IsNestedObject(const QMetaProperty& property)
{
    return (property.metaType().flags() & QMetaType::PointerToQObject) != 0;
}

bool IsColour(const QMetaProperty& property) { return property.metaType() == QMetaType::fromType<TColorProperty>(); }

// A colour property's value from the unsigned number parsed for it.
QVariant AsColour(const QVariant& number)
{
    return number.isValid() ? QVariant::fromValue(TColorProperty(number.toUInt())) : QVariant();
}

bool IsEnumeration(const QMetaProperty& property)
{
    return property.isEnumType() || (property.metaType().flags() & QMetaType::IsEnumeration) != 0;
}

QObject* NestedObject(const QObject& owner, const QMetaProperty& property)
{
    return qvariant_cast<QObject*>(property.read(&owner));
}

std::map<int, std::pair<int, int>>& EnumRanges()
{
    // Enumerations registered with Q_ENUM are checked against their keys instead.
    static std::map<int, std::pair<int, int>> ranges;
    return ranges;
}

long long EnumToInteger(const QVariant& value)
{
    const qsizetype size = value.metaType().sizeOf();
    if (size == 1)
        return *static_cast<const qint8*>(value.constData());
    if (size == 2)
        return *static_cast<const qint16*>(value.constData());
    if (size == 8)
        return *static_cast<const qint64*>(value.constData());
    return *static_cast<const qint32*>(value.constData());
}

QVariant EnumFromInteger(QMetaType type, long long number)
{
    QVariant value(type);
    void* data = value.data();
    switch (type.sizeOf()) {
    case 1: *static_cast<qint8*>(data) = static_cast<qint8>(number); break;
    case 2: *static_cast<qint16*>(data) = static_cast<qint16>(number); break;
    case 8: *static_cast<qint64*>(data) = number; break;
    default: *static_cast<qint32*>(data) = static_cast<qint32>(number); break;
    }
    return value;
}

// The enumeration's keys: from the property when moc saw its scope, else from the
// meta-object that registered it with Q_ENUM (a property declared with the
// enumeration's name unqualified, as a class outside its namespace may write it).
QMetaEnum EnumKeys(const QMetaProperty& property)
{
    if (property.isEnumType())
        return property.enumerator();
    const QMetaObject* scope = property.metaType().metaObject();
    if (scope == nullptr)
        return {};
    QByteArray name = property.metaType().name();
    name = name.mid(name.lastIndexOf(':') + 1);
    return scope->enumerator(scope->indexOfEnumerator(name.constData()));
}

bool EnumValueValid(const QMetaProperty& property, long long number)
{
    if (const QMetaEnum meta = EnumKeys(property); meta.isValid())
        return meta.isFlag() || meta.valueToKey(static_cast<int>(number)) != nullptr;
    const auto it = EnumRanges().find(property.metaType().id());
    if (it == EnumRanges().end())
        return number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max();
    return number >= it->second.first && number <= it->second.second;
}

std::runtime_error BadValue(const QString& text, const char* what)
{
    return std::runtime_error(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)).toStdString());
}

long long ParseInteger(const QString& text)
{
    bool ok = false;
    const long long number = text.toLongLong(&ok, 10);
    if (!ok)
        throw BadValue(text, "integer value");
    return number;
}

double ParseFloat(QString text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text[comma] = QLatin1Char('.');
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(number))
        throw BadValue(text, "floating point value");
    return number;
}

QString DecodeLineBreaks(QString text)
{
    text.replace(QStringLiteral("#13"), QStringLiteral("\r"), Qt::CaseInsensitive);
    text.replace(QStringLiteral("#10"), QStringLiteral("\n"), Qt::CaseInsensitive);
    return text;
}

// Colours: both the unsigned form and the signed 32-bit form are accepted.
QVariant UnsignedFromText(const QString& text)
{
    const long long number = ParseInteger(text);
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<unsigned int>::max())
        throw BadValue(text, "integer value");
    return QVariant(static_cast<unsigned int>(static_cast<std::uint32_t>(number)));
}

// Converts the text of a property-file line to the property's type.
QVariant ValueFromText(const QMetaProperty& property, const QString& text)
{
    const QMetaType type = property.metaType();
    if (IsEnumeration(property)) {
        const long long number = ParseInteger(text);
        if (!EnumValueValid(property, number))
            throw BadValue(text, "value of this enumeration");
        return EnumFromInteger(type, number);
    }
    if (IsColour(property))
        return AsColour(UnsignedFromText(text));
    switch (type.id()) {
    case QMetaType::Bool: return QVariant(ParseInteger(text) != 0);
    case QMetaType::Int: {
        const long long number = ParseInteger(text);
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            throw BadValue(text, "integer value");
        return QVariant(static_cast<int>(number));
    }
    case QMetaType::UInt: return UnsignedFromText(text);
    case QMetaType::Double: return QVariant(ParseFloat(text));
    case QMetaType::Float: return QVariant(static_cast<float>(ParseFloat(text)));
    case QMetaType::QString: return QVariant(DecodeLineBreaks(text));
    default: return QVariant();
    }
}

QVariant ValueFromVariant(const QMetaProperty& property, const QVariant& value)
{
    const QMetaType type = property.metaType();
    bool ok = false;
    if (type.id() == QMetaType::Bool) {
        const QString text = value.toString().trimmed();
        if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return QVariant(false);
        const long long number = value.toLongLong(&ok);
        return ok ? QVariant(number != 0) : QVariant();
    }
    if (IsEnumeration(property)) {
        const long long number = value.toLongLong(&ok);
        return ok && EnumValueValid(property, number) ? EnumFromInteger(type, number) : QVariant();
    }
    if (IsColour(property)) {
        if (value.metaType() == QMetaType::fromType<QColor>())
            return QVariant::fromValue(TColorProperty(FromQColor(value.value<QColor>())));
        const long long number = value.toLongLong(&ok);
        return ok ? AsColour(QVariant(static_cast<unsigned int>(static_cast<std::uint32_t>(number)))) : QVariant();
    }
    switch (type.id()) {
    case QMetaType::Int: {
        const int number = value.toInt(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case QMetaType::UInt: {
        const long long number = value.toLongLong(&ok);
        return ok ? QVariant(static_cast<unsigned int>(static_cast<std::uint32_t>(number))) : QVariant();
    }
    case QMetaType::Double: case QMetaType::Float: {
        const double number = value.toDouble(&ok);
        return ok && std::isfinite(number) ? QVariant(number) : QVariant();
    }
    case QMetaType::QString: return QVariant(value.toString());
    default: return QVariant();
    }
}

bool FindByName(const QObject& object, const QString& name, QMetaProperty& found)
{
    const QMetaObject* meta = object.metaObject();
    for (int i = PublishedOffset(object); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0) {
            found = property;
            return true;
        }
    }
    return false;
}

void VisitObject(const QObject& object, const QString& prefix,
                 const std::function<void(const QString&, const QObject&, const QMetaProperty&)>& visit, int depth)
{
    const QMetaObject* meta = object.metaObject();
    QSet<QString> seen;
    for (int i = PublishedOffset(object); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = prefix + QLatin1String(property.name());
        if (seen.contains(name))
            continue;
        seen.insert(name);
        if (!IsNestedObject(property)) {
            visit(name, object, property);
            continue;
        }
        const QObject* child = NestedObject(object, property);
        if (child != nullptr && depth < 8)
            VisitObject(*child, name + QLatin1Char('.'), visit, depth + 1);
    }
}

}  // namespace

void RegisterEnumRange(QMetaType type, int minimum, int maximum) { EnumRanges()[type.id()] = {minimum, maximum}; }

void ForEachPublishedProperty(const QObject& object,
                              const std::function<void(const QString&, const QObject&, const QMetaProperty&)>& visit)
{
    VisitObject(object, QString(), visit, 0);
}

bool FindPublishedProperty(QObject& root, const QString& dottedName, QObject*& owner, QMetaProperty& property)
{
    const QStringList parts = dottedName.split(QLatin1Char('.'));
    QObject* current = &root;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QMetaProperty found;
        if (!FindByName(*current, parts[i].trimmed(), found))
            return false;
        const bool last = i == parts.size() - 1;
        if (last) {
            if (IsNestedObject(found))
                return false;
            owner = current;
            property = found;
            return true;
        }
        if (!IsNestedObject(found))
            return false;
        current = NestedObject(*current, found);
        if (current == nullptr)
            return false;
    }
    return false;
}

QString PropertyValueText(const QObject& owner, const QMetaProperty& property)
{
    const QVariant value = property.read(&owner);
    if (IsEnumeration(property))
        return QString::number(EnumToInteger(value));
    if (IsColour(property))
        return QString::number(value.value<TColorProperty>().value);
    switch (property.metaType().id()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::Char:
        return QString::number(value.toLongLong());
    case QMetaType::UInt: case QMetaType::ULongLong: case QMetaType::UShort: case QMetaType::UChar:
        return QString::number(value.toULongLong());
    case QMetaType::Double: case QMetaType::Float: return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QString: {
        QString text = value.toString();
        text.replace(QLatin1Char('\r'), QStringLiteral("#13"));
        text.replace(QLatin1Char('\n'), QStringLiteral("#10"));
        return text;
    }
    default: return QString();
    }
}

void TiPropertyAssignment::Write() const
{
    if (value.isValid() && !property.write(owner, value))
        throw std::runtime_error(QStringLiteral("Invalid property value '%1'").arg(text).toStdString());
}

bool PreparePropertyText(QObject& root, const QString& dottedName, const QString& valueText,
                         TiPropertyAssignment& assignment)
{
    assignment = TiPropertyAssignment();
    assignment.text = valueText;
    if (!FindPublishedProperty(root, dottedName, assignment.owner, assignment.property))
        return false;
    if (assignment.property.isWritable())
        assignment.value = ValueFromText(assignment.property, valueText);
    return true;
}

bool AssignPropertyText(QObject& root, const QString& dottedName, const QString& valueText)
{
    TiPropertyAssignment assignment;
    if (!PreparePropertyText(root, dottedName, valueText, assignment))
        return false;
    assignment.Write();
    return true;
}

bool AssignPropertyVariant(QObject& root, const QString& dottedName, const QVariant& value)
{
    QObject* owner = nullptr;
    QMetaProperty property;
    if (!FindPublishedProperty(root, dottedName, owner, property) || !property.isWritable())
        return false;
    const QVariant converted = ValueFromVariant(property, value);
    return converted.isValid() && property.write(owner, converted);
}
