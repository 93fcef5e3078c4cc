// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Designer's property sheet for an instrument: Designer's own sheet of the widget,
// with the published properties that designer_properties.h offers shown and the
// rest hidden (repeats of QWidget's properties, fonts and pictures).

#include <QObject>
#include <QtDesigner/QDesignerDynamicPropertySheetExtension>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionFactory>

class TiComponent;

class InstrumentPropertySheet : public QObject,
                                public QDesignerPropertySheetExtension,
                                public QDesignerDynamicPropertySheetExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerPropertySheetExtension QDesignerDynamicPropertySheetExtension)

public:
    // `designerSheet` is Designer's own sheet of `widget` (both interfaces).
    InstrumentPropertySheet(TiComponent* widget, QObject* designerSheet, QObject* parent);

    int count() const override;
    int indexOf(const QString& name) const override;
    QString propertyName(int index) const override;
    QString propertyGroup(int index) const override;
    void setPropertyGroup(int index, const QString& group) override;
    bool hasReset(int index) const override;
    bool reset(int index) override;
    bool isVisible(int index) const override;
    void setVisible(int index, bool visible) override;
    bool isAttribute(int index) const override;
    void setAttribute(int index, bool attribute) override;
    QVariant property(int index) const override;
    void setProperty(int index, const QVariant& value) override;
    bool isChanged(int index) const override;
    void setChanged(int index, bool changed) override;
    bool isEnabled(int index) const override;

    bool dynamicPropertiesAllowed() const override;
    int addDynamicProperty(const QString& name, const QVariant& value) override;
    bool removeDynamicProperty(int index) override;
    bool isDynamicProperty(int index) const override;
    bool canAddDynamicProperty(const QString& name) const override;

private:
    // Index in Designer's sheet of our index, and back (the same: one place to
    // change should the two ever differ).
    int Inner(int index) const;
    int Outer(int innerIndex) const;
    // The published property behind our index, or an invalid one.
    QMetaProperty Published(int index) const;

    TiComponent* widget_;
    QDesignerPropertySheetExtension* sheet_;
    QDesignerDynamicPropertySheetExtension* dynamicSheet_;
};

// Gives instruments their InstrumentPropertySheet; other widgets keep Designer's.
class InstrumentSheetFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit InstrumentSheetFactory(QExtensionManager* parent);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;

private:
    mutable bool creating_ = false;
};
