// SPDX-License-Identifier: GPL-3.0-or-later
// The form written by designer_form_writer, with every property Designer offers
// set to a value other than its default, compiled with uic in the build (through
// qt6_wrap_ui, as the form is made at build time) and shown offscreen: every
// widget holds what the form set, as the same values set directly would give.

#include "ui_every_property.h"
#include "widgets/base/property_access.h"
#include "widgets/catalogue/instrument_kinds.h"
#include "widgets/designer/designer_properties.h"

#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>

TEST(DesignerForms, EveryOfferedPropertyReachesTheWidget)
{
    QFile file(EVERY_PROPERTY_EXPECTED);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::map<QString, QStringList> expected;  // class -> "Name = value" lines
    // What the form does not set (position, visibility) differs between the two.
    const auto offered = [](const QString& name) { return IsOfferedInDesigner(name.section('.', 0, 0)); };
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
        if (offered(line.section(' ', 1, 1)))
            expected[line.section(' ', 0, 0)] << line.section(' ', 1);

    QWidget form;
    Ui::EveryProperty ui;
    ui.setupUi(&form);
    form.show();
    for (const TiInstrumentKind& kind : InstrumentKinds()) {
        auto* widget = form.findChild<TiComponent*>(kind.className.toLower());
        ASSERT_NE(widget, nullptr) << kind.className.toStdString();
        QStringList shown;
        ForEachPublishedProperty(*widget, [&](const QString& name, const QObject& owner, const QMetaProperty& p) {
            if (offered(name))
                shown << name + " = " + PropertyValueText(owner, p);
        });
        EXPECT_EQ(shown, expected[kind.className]) << kind.className.toStdString();
    }
}
