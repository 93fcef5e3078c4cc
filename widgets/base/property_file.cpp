// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading a widget's published properties to a text file:
//   File Type = <class name>
//   <Property> = <value>      (nested objects as <Property>.<Inner>)
// A file holds each published property once, in the order of the property list,
// and nothing else. Loading applies the lines in file order, except those that
// PropertiesLoadedLast() names: they follow all the others, so that a value is not
// clamped to the widget's old range before the range saved with it is loaded.

#include "widgets/base/component.h"
#include "widgets/base/property_access.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// Standard control properties written only with OptionSaveAllProperties.
const QStringList& StandardControlProperties()
{
    static const QStringList names = {
        QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"), QStringLiteral("Height"),
        QStringLiteral("Align"), QStringLiteral("Cursor"), QStringLiteral("ShowHint"), QStringLiteral("Tag"),
        QStringLiteral("Visible"), QStringLiteral("Enabled"), QStringLiteral("Hint"), QStringLiteral("HelpContext")};
    return names;
}

// Property files are small; a larger file is refused rather than read.
constexpr qint64 kMaximumFileSize = 16 * 1024 * 1024;

[[noreturn]] void Fail(const char* prefix, const QString& message)
{
    throw std::runtime_error(std::string(prefix) + message.toStdString());
}

}  // namespace

void TiComponent::SavePropertiesToFile(const QString& fileName)
{
    QStringList lines;
    lines << QStringLiteral("File Type = ") + QLatin1String(metaObject()->className());
    const bool saveAll = optionSaveAllProperties_;
    ForEachPublishedProperty(*this, [&](const QString& name, const QObject& owner, const QMetaProperty& property) {
        if (!property.isStored() || !property.isWritable())
            return;
        if (!saveAll && StandardControlProperties().contains(name))
            return;
        const QString text = PropertyValueText(owner, property);
        if (!text.isNull())
            lines << name + QStringLiteral(" = ") + text;
    });
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        Fail("Error Saving Properties - ", QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray bytes = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        Fail("Error Saving Properties - ", QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
}

void TiComponent::LoadPropertiesFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        Fail("Error Loading Properties - ", QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    if (file.size() > kMaximumFileSize)
        Fail("Error Loading Properties - ", QStringLiteral("File \"%1\" is too large").arg(fileName));
    const QByteArray bytes = file.read(kMaximumFileSize + 1);
    if (bytes.size() > kMaximumFileSize)
        Fail("Error Loading Properties - ", QStringLiteral("File \"%1\" is too large").arg(fileName));
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));

    // The update bracket is closed also when a line fails, so the widget
    // does not stay in update mode.
    BeginUpdate();
    struct CloseBracket {
        TiComponent& c;
        ~CloseBracket() { c.EndUpdate(); }
    } close{*this};
    const QStringList loadedLast = PropertiesLoadedLast();
    std::vector<TiPropertyAssignment> heldBack;
    // Lines before a failing one keep their values, the held-back ones included.
    const auto applyHeldBack = [&heldBack] {
        for (const TiPropertyAssignment& assignment : std::exchange(heldBack, {}))
            assignment.Write();
    };
    try {
        for (const QString& line : lines) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals < 0)
                continue;
            const QString name = line.left(equals).trimmed();
            const QString value = line.mid(equals + 1).trimmed();
            TiPropertyAssignment assignment;
            if (name.isEmpty() || !PreparePropertyText(*this, name, value, assignment))
                continue;
            if (loadedLast.contains(name, Qt::CaseInsensitive))
                heldBack.push_back(assignment);
            else
                assignment.Write();
        }
        applyHeldBack();
    } catch (const std::exception& e) {
        try {
            applyHeldBack();
        } catch (const std::exception&) {
            // The first failure is the one reported.
        }
        Fail("Error Loading Properties - ", QString::fromStdString(e.what()));
    }
}

QStringList TiComponent::PropertiesLoadedLast() const
{
    // A change of orientation or direction swaps the size: the saved size comes after it.
    return {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"), QStringLiteral("Height")};
}
