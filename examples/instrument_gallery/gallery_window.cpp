// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery_window.h"

#include "property_panel.h"
#include "widgets/base/component.h"
#include "widgets/base/property_access.h"
#include "widgets/catalogue/instrument_kinds.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

// The property the slider moves: the value of a range, else a lamp's state.
QString ValueProperty(const QObject& widget)
{
    for (const char* name : {"Position", "Value", "Active"})
        if (widget.metaObject()->indexOfProperty(name) >= 0)
            return QString::fromLatin1(name);
    return {};
}

}  // namespace

GalleryWindow::GalleryWindow(QWidget* parent)
    : QWidget(parent),
      list_(new QListWidget),
      stage_(new QWidget),
      stageLayout_(new QVBoxLayout(stage_)),
      slider_(new QSlider(Qt::Horizontal)),
      panel_(new PropertyPanel)
{
    setWindowTitle(tr("仪表控件库"));
    for (const TiInstrumentKind& kind : InstrumentKinds())
        list_->addItem(kind.className);
    list_->setFixedWidth(140);

    auto* save = new QPushButton(tr("保存属性文件"));
    auto* load = new QPushButton(tr("读取属性文件"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(load);
    slider_->setRange(0, 1000);
    auto* middle = new QVBoxLayout;
    middle->addWidget(stage_, 1);
    middle->addWidget(slider_);
    middle->addLayout(buttons);

    auto* scroll = new QScrollArea;
    scroll->setWidget(panel_);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(330);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(middle, 1);
    layout->addWidget(scroll);
    resize(900, 560);

    connect(list_, &QListWidget::currentRowChanged, this, &GalleryWindow::ShowInstrument);
    connect(slider_, &QSlider::valueChanged, this, &GalleryWindow::ApplySlider);
    connect(save, &QPushButton::clicked, this, &GalleryWindow::SaveProperties);
    connect(load, &QPushButton::clicked, this, &GalleryWindow::LoadProperties);
    list_->setCurrentRow(0);
}

void GalleryWindow::ShowInstrument(int row)
{
    if (row < 0 || row >= static_cast<int>(InstrumentKinds().size()))
        return;
    panel_->Show(nullptr);
    delete instrument_;
    const TiInstrumentKind& kind = InstrumentKinds()[static_cast<size_t>(row)];
    instrument_ = kind.create(stage_);
    instrument_->setMinimumSize(kind.defaultSize);  // the layout gives no size of its own
    stageLayout_->addWidget(instrument_, 0, Qt::AlignCenter);
    instrument_->show();
    slider_->setEnabled(!ValueProperty(*instrument_).isEmpty());
    panel_->Show(instrument_);
}

void GalleryWindow::ApplySlider(int value)
{
    if (instrument_ == nullptr)
        return;
    const QString name = ValueProperty(*instrument_);
    const double fraction = value / 1000.0;
    if (name == QLatin1String("Active")) {
        instrument_->setProperty("Active", fraction >= 0.5);
        return;
    }
    const QString low = name == QLatin1String("Position") ? "PositionMin" : "ValueMin";
    const QString high = name == QLatin1String("Position") ? "PositionMax" : "ValueMax";
    const double min = instrument_->property(low.toLatin1()).isValid() ? instrument_->property(low.toLatin1()).toDouble() : 0;
    const double max = instrument_->property(high.toLatin1()).isValid() ? instrument_->property(high.toLatin1()).toDouble() : 100;
    instrument_->setProperty(name.toLatin1(), min + (max - min) * fraction);
}

void GalleryWindow::SaveProperties()
{
    const QString file = QFileDialog::getSaveFileName(this, tr("保存属性文件"));
    if (file.isEmpty() || instrument_ == nullptr)
        return;
    try {
        instrument_->SavePropertiesToFile(file);
    } catch (const std::exception& error) {
        QMessageBox::warning(this, tr("保存属性文件"), QString::fromUtf8(error.what()));
    }
}

void GalleryWindow::LoadProperties()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("读取属性文件"));
    if (file.isEmpty() || instrument_ == nullptr)
        return;
    try {
        instrument_->LoadPropertiesFromFile(file);
    } catch (const std::exception& error) {
        QMessageBox::warning(this, tr("读取属性文件"), QString::fromUtf8(error.what()));
    }
    panel_->Show(instrument_);
}
