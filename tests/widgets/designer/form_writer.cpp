// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a form with every instrument and every property Designer offers for it,
// each set to a value other than its default, the way Designer writes forms
// (stdset="0", colours as <color>, enumerations as <enum>Scope::key</enum>),
// and beside it the property file text each widget should then hold:
//   designer_form_writer <form.ui> <expected.txt>
// Compiling the form with uic proves that every offered property has a setter a
// form can call; the test that shows it compares the widgets with the expectations.

#include "widgets/base/component.h"
#include "widgets/base/property_access.h"
#include "widgets/catalogue/instrument_kinds.h"
#include "widgets/designer/designer_properties.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QMetaEnum>
#include <QTextStream>
#include <QXmlStreamWriter>
#include <cstdio>
#include <memory>

namespace {

// A value other than `current` that the property takes, as Designer's editor gives it.
QVariant OtherValue(const QMetaProperty& property, const QVariant& current)
{
    if (property.isEnumType()) {
        const QMetaEnum meta = property.enumerator();
        for (int i = 0; i < meta.keyCount(); ++i)
            if (meta.value(i) != current.toInt())
                return meta.value(i);
        return {};
    }
    switch (property.metaType().id()) {
    case QMetaType::Bool: return !current.toBool();
    case QMetaType::Int: return current.toInt() + 3;
    case QMetaType::Double: return current.toDouble() + 7;
    case QMetaType::QString: return current.toString() + QStringLiteral("x");
    default: break;
    }
    if (current.metaType().id() == QMetaType::QColor)
        return current.value<QColor>() == QColor(0x12, 0x34, 0x56) ? QColor(Qt::red) : QColor(0x12, 0x34, 0x56);
    return {};
}

// Applies what the form will set: enumerations by their number, the rest as Designer does.
bool Apply(TiComponent& widget, const QString& name, const QMetaProperty& property, const QVariant& value)
{
    if (property.isEnumType())
        return AssignPropertyText(widget, name, QString::number(value.toInt()));
    return SetDesignerValue(widget, property, value);
}

void WriteValue(QXmlStreamWriter& xml, const QMetaProperty& property, const QVariant& value)
{
    if (property.isEnumType()) {
        const QMetaEnum meta = property.enumerator();
        xml.writeTextElement("enum", QString::fromLatin1(meta.scope()) + "::" + meta.valueToKey(value.toInt()));
        return;
    }
    switch (value.metaType().id()) {
    case QMetaType::Bool: xml.writeTextElement("bool", value.toBool() ? "true" : "false"); break;
    case QMetaType::Int: xml.writeTextElement("number", QString::number(value.toInt())); break;
    case QMetaType::Double: xml.writeTextElement("double", QString::number(value.toDouble(), 'g', 17)); break;
    case QMetaType::QString: xml.writeTextElement("string", value.toString()); break;
    case QMetaType::QColor: {
        const QColor color = value.value<QColor>();
        xml.writeStartElement("color");
        xml.writeTextElement("red", QString::number(color.red()));
        xml.writeTextElement("green", QString::number(color.green()));
        xml.writeTextElement("blue", QString::number(color.blue()));
        xml.writeEndElement();
        break;
    }
    default: break;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: designer_form_writer <form.ui> <expected.txt>\n");
        return 2;
    }
    QFile form(QString::fromLocal8Bit(argv[1]));
    QFile expected(QString::fromLocal8Bit(argv[2]));
    if (!form.open(QIODevice::WriteOnly) || !expected.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "designer_form_writer: cannot write the output files\n");
        return 1;
    }
    QXmlStreamWriter xml(&form);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement("ui");
    xml.writeAttribute("version", "4.0");
    xml.writeTextElement("class", "EveryProperty");
    xml.writeStartElement("widget");
    xml.writeAttribute("class", "QWidget");
    xml.writeAttribute("name", "EveryProperty");
    QTextStream out(&expected);
    for (const TiInstrumentKind& kind : InstrumentKinds()) {
        // The widget that the form's values are applied to, as uic's code will.
        std::unique_ptr<TiComponent> widget(kind.create(nullptr));
        xml.writeStartElement("widget");
        xml.writeAttribute("class", kind.className);
        xml.writeAttribute("name", kind.className.toLower());
        for (const QString& name : DesignerPropertyNames(*widget)) {
            const QMetaProperty property =
                widget->metaObject()->property(widget->metaObject()->indexOfProperty(name.toLatin1().constData()));
            const QVariant value = OtherValue(property, DesignerValue(*widget, property));
            if (!value.isValid() || !Apply(*widget, name, property, value))
                continue;
            xml.writeStartElement("property");
            xml.writeAttribute("name", name);
            xml.writeAttribute("stdset", "0");
            WriteValue(xml, property, value);
            xml.writeEndElement();
        }
        xml.writeEndElement();
        ForEachPublishedProperty(*widget, [&](const QString& name, const QObject& owner, const QMetaProperty& p) {
            out << kind.className << ' ' << name << " = " << PropertyValueText(owner, p) << '\n';
        });
    }
    xml.writeEndElement();  // the form's widget
    xml.writeStartElement("customwidgets");
    for (const TiInstrumentKind& kind : InstrumentKinds()) {
        xml.writeStartElement("customwidget");
        xml.writeTextElement("class", kind.className);
        // As Designer writes it: the base class when that is an instrument too.
        const std::unique_ptr<TiComponent> widget(kind.create(nullptr));
        const QString base = widget->metaObject()->superClass()->className();
        xml.writeTextElement("extends", FindInstrumentKind(base) != nullptr ? base : QStringLiteral("QWidget"));
        xml.writeTextElement("header", kind.includeFile);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return 0;
}
