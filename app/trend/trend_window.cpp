// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/trend_window.h"

#include "app/trend/trend_chart.h"
#include "app/trend/trend_csv.h"

#include <QBuffer>
#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString Seconds(std::int64_t ms)
{
    return QString::number(static_cast<double>(ms) / 1000.0, 'f', 1);
}

QString Tenths(int tenths)
{
    return QString::number(tenths / 10.0, 'f', 1);
}

QPushButton* Button(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TrendWindow::TrendWindow(TrendSession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setWindowTitle(tr("运行趋势与启动记录"));
    resize(900, 640);
    ShowMessage = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    chart_ = new TrendChart(session_, this);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(chart_);
    splitter->addWidget(BuildRecordPanel());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({440, 150});

    status_ = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(BuildToolbar());
    layout->addWidget(splitter, 1);
    layout->addWidget(status_);

    refresh_ = new QTimer(this);
    refresh_->setInterval(RefreshMs);
    connect(refresh_, &QTimer::timeout, this, [this] { RefreshIfChanged(); });
    connect(&session_, &TrendSession::SampleAdded, this, [this] { MarkChanged(); });
    connect(&session_, &TrendSession::RecordsChanged, this, [this] {
        ShowRecords();
        MarkChanged();
    });
    ShowRecords();
    ShowStatus();
}

QWidget* TrendWindow::BuildToolbar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    follow_ = new QCheckBox(tr("跟踪启动"), bar);
    follow_->setToolTip(tr("启动记录进行中只读取输出、电流和温度，设备一应答就再读；记录结束后恢复正常轮询"));
    follow_->setChecked(session_.FollowTheStart());
    connect(follow_, &QCheckBox::toggled, this, [this](bool on) { session_.SetFollowTheStart(on); });
    row->addWidget(follow_);
    row->addSpacing(12);
    const auto add = [&](const QString& text, auto handler) {
        QPushButton* button = Button(text, bar);
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button);
    };
    add(tr("放大"), [this] { chart_->ZoomBy(0.5); });
    add(tr("缩小"), [this] { chart_->ZoomBy(2.0); });
    add(tr("实时"), [this] { chart_->ShowLive(); });
    add(tr("全部"), [this] { chart_->ShowAll(); });
    row->addStretch(1);
    add(tr("导出趋势 CSV"), [this] { AskAndExportTrendCsv(); });
    add(tr("导出图表 PNG"), [this] { AskAndExportChartPng(); });
    return bar;
}

QWidget* TrendWindow::BuildRecordPanel()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    records_ = new QTableWidget(0, 8, panel);
    records_->setHorizontalHeaderLabels({tr("序号"), tr("启动时间"), tr("加速时间 (s)"), tr("峰值电流 (A)"),
                                         tr("峰值时刻 (s)"), tr("加速结束电流 (A)"), tr("温升 (°C)"), tr("结束")});
    records_->setSelectionBehavior(QAbstractItemView::SelectRows);
    records_->setSelectionMode(QAbstractItemView::SingleSelection);
    records_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    records_->verticalHeader()->hide();
    records_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    records_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(records_, 1);

    auto* row = new QHBoxLayout;
    overlay_ = Button(tr("叠加到趋势"), panel);
    overlay_->setCheckable(true);
    connect(overlay_, &QPushButton::toggled, this, [this](bool on) { OverlayRecord(on ? records_->currentRow() : -1); });
    connect(records_, &QTableWidget::currentCellChanged, this, [this](int rowIndex) {
        if (overlay_->isChecked()) OverlayRecord(rowIndex);
    });
    QPushButton* exportRecord = Button(tr("导出所选记录 CSV"), panel);
    connect(exportRecord, &QPushButton::clicked, this, [this] { AskAndExportRecordCsv(); });
    row->addWidget(new QLabel(tr("最近十次启动记录"), panel));
    row->addStretch(1);
    row->addWidget(overlay_);
    row->addWidget(exportRecord);
    layout->addLayout(row);
    return panel;
}

const StartRecord* TrendWindow::RecordAt(int recordIndex) const
{
    const auto& kept = session_.Recorder().Records();
    if (recordIndex < 0 || recordIndex >= static_cast<int>(kept.size())) return nullptr;
    return &kept[kept.size() - 1 - static_cast<std::size_t>(recordIndex)];
}

void TrendWindow::ShowRecords()
{
    // The list is newest first: the selection follows its record, not its row. The
    // table still shows the records as they were: the number is read from it.
    const QTableWidgetItem* selected = records_->item(records_->currentRow(), 0);
    const int selectedNumber = selected ? selected->text().toInt() : 0;
    bool stillKept = false;
    const QSignalBlocker quiet(records_);
    const auto& kept = session_.Recorder().Records();
    records_->setRowCount(static_cast<int>(kept.size()));
    for (int row = 0; row < static_cast<int>(kept.size()); ++row) {
        const StartRecord& record = *RecordAt(row);
        const RecordFigures figures = FiguresOf(record);
        QString end = tr("超时");
        if (record.end == RecordEnd::FullOutput) end = tr("满输出");
        else if (record.end == RecordEnd::MotorStopped) end = tr("电机停止");
        const QStringList cells{
            QString::number(record.number),
            QString::fromStdString(session_.Clock().Iso8601(record.startMs)).left(23).replace(QLatin1Char('T'), QLatin1Char(' ')) +
                (record.startFromCommand ? tr(" (命令)") : QString()),
            figures.rampTimeMs ? Seconds(*figures.rampTimeMs) : tr("未到满输出"),
            Tenths(figures.peakCurrentTenths),
            Seconds(figures.peakCurrentAtMs - record.startMs),
            figures.currentAtRampEndTenths ? Tenths(*figures.currentAtRampEndTenths) : QStringLiteral("-"),
            QString::number(figures.temperatureRiseC),
            end};
        for (int column = 0; column < cells.size(); ++column) records_->setItem(row, column, new QTableWidgetItem(cells[column]));
        if (record.number == selectedNumber) {
            records_->selectRow(row);
            stillKept = true;
        }
    }
    if (!stillKept) records_->setCurrentCell(-1, -1);
    if (overlay_->isChecked()) OverlayRecord(records_->currentRow());
}

void TrendWindow::OverlayRecord(int recordIndex)
{
    const StartRecord* record = RecordAt(recordIndex);
    chart_->SetOverlay(record ? std::optional<StartRecord>(*record) : std::nullopt);
}

void TrendWindow::ShowStatus()
{
    const TrendHistory& history = session_.History();
    QString text = tr("样本 %1 个，占用 %2 KB").arg(history.Samples().size()).arg((history.MemoryBytes() + 1023) / 1024);
    if (session_.Recorder().Recording()) text += tr("，正在记录第 %1 次启动").arg(session_.Recorder().Current()->number);
    status_->setText(text);
}

void TrendWindow::MarkChanged()
{
    changed_ = true;
    if (isVisible() && !refresh_->isActive()) {
        RefreshIfChanged();   // the first change after a quiet spell is drawn at once
        refresh_->start();
    }
}

void TrendWindow::RefreshIfChanged()
{
    if (!changed_ || !isVisible()) {
        refresh_->stop();   // nothing new: the timer sleeps until the next change
        return;
    }
    changed_ = false;
    chart_->Refresh();
    ShowStatus();
}

void TrendWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    changed_ = true;
    RefreshIfChanged();
}

bool TrendWindow::Report(bool written, const QString& error)
{
    if (!written) ShowMessage(error);
    return written;
}

bool TrendWindow::ExportTrendCsv(const QString& path)
{
    QString error;
    return Report(WriteExportFile(path, TrendCsv(session_.History().Samples(), session_.Clock()), &error), error);
}

bool TrendWindow::ExportRecordCsv(int recordIndex, const QString& path)
{
    const StartRecord* record = RecordAt(recordIndex);
    if (!record) return Report(false, tr("请先在列表中选择一个启动记录"));
    QString error;
    return Report(WriteExportFile(path, RecordCsv(*record, session_.Clock()), &error), error);
}

bool TrendWindow::ExportChartPng(const QString& path)
{
    chart_->Refresh();
    const QPixmap picture = chart_->grab();
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!picture.save(&buffer, "PNG")) return Report(false, tr("无法生成图表图像"));
    }
    QString error;
    return Report(WriteExportFile(path, png, &error), error);
}

void TrendWindow::AskAndExportTrendCsv()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("导出趋势"), QStringLiteral("trend.csv"), tr("CSV 文件 (*.csv)"));
    if (!path.isEmpty()) ExportTrendCsv(path);
}

void TrendWindow::AskAndExportRecordCsv()
{
    const int row = records_->currentRow();
    if (!RecordAt(row)) {
        ShowMessage(tr("请先在列表中选择一个启动记录"));
        return;
    }
    const QString name = QStringLiteral("start-%1.csv").arg(RecordAt(row)->number);
    const QString path = QFileDialog::getSaveFileName(this, tr("导出启动记录"), name, tr("CSV 文件 (*.csv)"));
    if (!path.isEmpty()) ExportRecordCsv(row, path);
}

void TrendWindow::AskAndExportChartPng()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("导出图表"), QStringLiteral("trend.png"), tr("PNG 图像 (*.png)"));
    if (!path.isEmpty()) ExportChartPng(path);
}
