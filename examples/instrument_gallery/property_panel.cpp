// SPDX-License-Identifier: GPL-3.0-or-later
#include "property_panel.h"

#include "platform/canvas/colors.h"
#include "widgets/base/property_access.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <limits>

namespace {

void Write(QObject& owner, const QMetaProperty& property, const QVariant& value) { property.write(&owner, value); }

void PaintSwatch(QPushButton& button, TColor color)
{
    button.setText(QStringLiteral("0x%1").arg(color, 8, 16, QLatin1Char('0')));
    button.setStyleSheet(QStringLiteral("background-color: %1").arg(ToQColor(color).name()));
}

}  // namespace

PropertyPanel::PropertyPanel(QWidget* parent) : QWidget(parent), form_(new QFormLayout(this)) {}

void PropertyPanel::Show(QObject* target)
{
    while (form_->rowCount() > 0)
        form_->removeRow(0);
    if (target == nullptr)
        return;
    ForEachPublishedProperty(*target, [this](const QString& name, const QObject& owner, const QMetaProperty& p) {
        if (QWidget* editor = EditorFor(const_cast<QObject&>(owner), p))
            form_->addRow(name, editor);
    });
}

QWidget* PropertyPanel::EditorFor(QObject& owner, const QMetaProperty& property)
{
    if (!property.isWritable())
        return nullptr;
    const QVariant value = property.read(&owner);
    QPointer<QObject> target(&owner);
    const auto write = [target, property](const QVariant& v) {
        if (target)
            Write(*target, property, v);
    };
    if (property.isEnumType()) {
        auto* box = new QComboBox;
        const QMetaEnum meta = property.enumerator();
        for (int i = 0; i < meta.keyCount(); ++i)
            box->addItem(QString::fromLatin1(meta.key(i)), meta.value(i));
        box->setCurrentIndex(box->findData(PropertyValueText(owner, property).toInt()));
        connect(box, &QComboBox::activated, box, [box, target, property] {
            if (target)
                AssignPropertyText(*target, property.name(), QString::number(box->currentData().toInt()));
        });
        return box;
    }
    if (property.metaType() == QMetaType::fromType<TColorProperty>()) {
        auto* button = new QPushButton;
        PaintSwatch(*button, value.value<TColorProperty>());
        connect(button, &QPushButton::clicked, button, [button, target, property] {
            if (!target)
                return;
            const QColor chosen = QColorDialog::getColor(ToQColor(property.read(target).value<TColorProperty>()), button);
            if (!chosen.isValid())
                return;
            Write(*target, property, QVariant::fromValue(TColorProperty(FromQColor(chosen))));
            PaintSwatch(*button, property.read(target).value<TColorProperty>());
        });
        return button;
    }
    switch (property.metaType().id()) {
    case QMetaType::Bool: {
        auto* box = new QCheckBox;
        box->setChecked(value.toBool());
        connect(box, &QCheckBox::toggled, box, [write](bool on) { write(on); });
        return box;
    }
    case QMetaType::Int: {
        auto* box = new QSpinBox;
        box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        box->setValue(value.toInt());
        connect(box, &QSpinBox::valueChanged, box, [write](int v) { write(v); });
        return box;
    }
    case QMetaType::Double: {
        auto* box = new QDoubleSpinBox;
        box->setRange(-1e9, 1e9);
        box->setDecimals(3);
        box->setValue(value.toDouble());
        connect(box, &QDoubleSpinBox::valueChanged, box, [write](double v) { write(v); });
        return box;
    }
    case QMetaType::QString: {
        auto* edit = new QLineEdit(value.toString());
        connect(edit, &QLineEdit::editingFinished, edit, [edit, write] { write(edit->text()); });
        return edit;
    }
    default: return nullptr;
    }
}
