// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Qt Designer plugin: every instrument of widgets/catalogue/ in the group
// "Soft starter instruments", with an icon drawn by the instrument itself, its
// default size, and the property sheet of instrument_property_sheet.h.

#include "widgets/catalogue/instrument_kinds.h"

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>
#include <vector>

class InstrumentDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    InstrumentDesignerWidget(const TiInstrumentKind& kind, QObject* parent);

    QString name() const override { return kind_.className; }
    QString group() const override;
    QString toolTip() const override { return kind_.toolTip; }
    QString whatsThis() const override { return kind_.toolTip; }
    QString includeFile() const override { return kind_.includeFile; }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    const TiInstrumentKind& kind_;
    bool initialized_ = false;
};

class InstrumentDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit InstrumentDesignerPlugin(QObject* parent = nullptr);
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets_; }

private:
    QList<QDesignerCustomWidgetInterface*> widgets_;
};
