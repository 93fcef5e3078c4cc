// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/scan_window.h"

#include "app/diagnostics/station_scan_runner.h"
#include "app/form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <initializer_list>

namespace {

QString Duration(double seconds)
{
    const int whole = static_cast<int>(std::ceil(seconds));
    if (whole < 60) return ScanWindow::tr("%1 秒").arg(whole);
    return ScanWindow::tr("%1 分 %2 秒").arg(whole / 60).arg(whole % 60);
}

QStringList ItemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

QSpinBox* SpinBox(QWidget* parent, int min, int max, int value)
{
    auto* box = new QSpinBox(parent);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

}  // namespace

ScanWindow::ScanWindow(TForm1& form, QWidget* parent)
    : QWidget(parent), form_(form), runner_(new StationScanRunner(form, this))
{
    setWindowTitle(tr("查找设备"));
    resize(560, 480);
    BuildControls();
    runner_->OnProgress = [this] { ShowProgress(); };
    runner_->OnFinished = [this] { ShowFinished(); };
    ShowEstimate();
}

void ScanWindow::BuildControls()
{
    FirstAddress = SpinBox(this, 1, ScanPlan::HighestStation, 1);
    LastAddress = SpinBox(this, 1, ScanPlan::HighestStation, ScanPlan::HighestStation);
    AnswerWait = SpinBox(this, 10, 5000, 100);
    AnswerWait->setSuffix(QStringLiteral(" ms"));
    StopAtFirst = new QCheckBox(tr("找到第一个站即停止"), this);
    auto* range = new QHBoxLayout;
    range->addWidget(FirstAddress);
    range->addWidget(new QLabel(tr("到"), this));
    range->addWidget(LastAddress);
    range->addStretch();
    auto* wait = new QHBoxLayout;
    wait->addWidget(AnswerWait);
    wait->addStretch();
    auto* form = new QFormLayout;
    form->addRow(tr("站号从"), range);
    form->addRow(tr("应答等待"), wait);
    form->addRow(QString(), StopAtFirst);
    Estimate = new QLabel(this);
    Estimate->setWordWrap(true);

    StartButton = new QPushButton(tr("开始查找"), this);
    CancelButton = new QPushButton(tr("取消"), this);
    CancelButton->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StartButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    // A count rather than a bar: the Fusion style draws a bar on the raster engine's
    // thread pool, which is not worth a thread for a number.
    Progress = new QLabel(this);
    Status = new QLabel(tr("只发读请求（功能码 03，块 0），不写任何寄存器。查找期间暂停通讯。"), this);
    Status->setWordWrap(true);

    Results = new QTableWidget(0, 5, this);
    Results->setHorizontalHeaderLabels({tr("站号"), tr("波特率"), tr("位元"), tr("应答"), tr("往返")});
    Results->setSelectionBehavior(QAbstractItemView::SelectRows);
    Results->setSelectionMode(QAbstractItemView::SingleSelection);
    Results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Results->horizontalHeader()->setStretchLastSection(true);
    ApplyButton = new QPushButton(tr("应用到端口设置"), this);
    ApplyButton->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Estimate);
    layout->addLayout(buttons);
    layout->addWidget(Progress);
    layout->addWidget(Status);
    layout->addWidget(Results, 1);
    layout->addWidget(ApplyButton);

    for (QSpinBox* box : {FirstAddress, LastAddress, AnswerWait})
        connect(box, &QSpinBox::valueChanged, this, [this] { ShowEstimate(); });
    connect(StartButton, &QPushButton::clicked, this, [this] { StartScan(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { runner_->Cancel(); });
    connect(Results, &QTableWidget::itemSelectionChanged, this,
            [this] { ApplyButton->setEnabled(!runner_->Running() && !Results->selectedItems().isEmpty()); });
    connect(ApplyButton, &QPushButton::clicked, this, [this] {
        if (!Results->selectedItems().isEmpty()) ApplyFound(Results->selectedItems().first()->row());
    });
}

ScanPlan ScanWindow::Plan() const
{
    ScanPlan plan;
    for (const QString& baud : ItemsOf(form_.ComboBox5))
        if (baud.toUInt() > 0) plan.bauds.push_back(baud.toUInt());
    for (const QString& format : ItemsOf(form_.ComboBox6)) plan.formats.push_back(format.toStdString());
    plan.firstAddress = static_cast<std::uint8_t>(FirstAddress->value());
    plan.lastAddress = static_cast<std::uint8_t>(LastAddress->value());
    plan.answerWaitMs = AnswerWait->value();
    plan.stopAtFirst = StopAtFirst->isChecked();
    return plan;
}

void ScanWindow::ShowEstimate()
{
    const ScanPlan plan = Plan();
    if (!plan.Valid()) {
        Estimate->setText(tr("站号范围无效：起始站号不能大于结束站号。"));
        StartButton->setEnabled(false);
        return;
    }
    QStringList parts;
    double total = 0;
    for (std::uint32_t baud : plan.bauds) {
        parts << QStringLiteral("%1 bps %2").arg(baud).arg(Duration(plan.SecondsAt(baud)));
        total += plan.SecondsAt(baud);
    }
    Estimate->setText(tr("%1 次尝试，找不到设备时最长用时：%2；共 %3。")
                          .arg(plan.TryCount())
                          .arg(parts.join(tr("，")), Duration(total)));
    StartButton->setEnabled(!runner_->Running());
}

void ScanWindow::StartScan()
{
    Results->setRowCount(0);
    ApplyButton->setEnabled(false);
    const ScanPlan plan = Plan();
    Progress->clear();
    if (!runner_->Start(plan)) {
        Status->setText(runner_->Error());
        return;
    }
    if (!runner_->Running()) return;   // it ended at once (the port would not open): already shown
    StartButton->setEnabled(false);
    CancelButton->setEnabled(true);
    LockPlan(true);
}

void ScanWindow::LockPlan(bool locked)
{
    for (QWidget* control : std::initializer_list<QWidget*>{FirstAddress, LastAddress, AnswerWait, StopAtFirst})
        control->setEnabled(!locked);
}

void ScanWindow::ShowFound()
{
    const auto& found = runner_->Scan()->Found();
    for (int row = Results->rowCount(); row < static_cast<int>(found.size()); ++row) {
        const FoundStation& station = found[static_cast<std::size_t>(row)];
        Results->insertRow(row);
        const QString answer = station.exception ? tr("异常应答 %1").arg(station.exceptionCode) : tr("正常");
        const QString roundTrip = station.roundTripMs >= 0 ? QStringLiteral("%1 ms").arg(station.roundTripMs) : tr("迟到");
        const QStringList cells{QString::number(station.address), QString::number(station.baud),
                                QString::fromStdString(station.format), answer, roundTrip};
        for (int column = 0; column < cells.size(); ++column)
            Results->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

void ScanWindow::ShowProgress()
{
    const StationScan* scan = runner_->Scan();
    ShowTriesDone();
    const ScanTry& now = runner_->Current();
    Status->setText(tr("正在试：%1 bps %2 站号 %3，已找到 %4 个站")
                        .arg(now.baud)
                        .arg(QString::fromStdString(now.format))
                        .arg(now.address)
                        .arg(scan->Found().size()));
    ShowFound();
}

void ScanWindow::ShowFinished()
{
    const StationScan* scan = runner_->Scan();
    if (scan) ShowFound();
    StartButton->setEnabled(true);
    CancelButton->setEnabled(false);
    LockPlan(false);
    const std::size_t found = scan ? scan->Found().size() : 0;
    if (!runner_->Error().isEmpty())
        Status->setText(runner_->Error());
    else if (scan && scan->Cancelled())
        Status->setText(tr("已取消，找到 %1 个站。端口设置已恢复。").arg(found));
    else
        Status->setText(found ? tr("查找完毕，找到 %1 个站。选中一行可应用它的设置。").arg(found)
                              : tr("查找完毕，没有站应答。检查接线、终端电阻和站号范围。"));
    if (scan) ShowTriesDone();
}

void ScanWindow::ShowTriesDone()
{
    const StationScan* scan = runner_->Scan();
    const std::size_t total = scan->Plan().TryCount();
    const std::size_t done = scan->TriesDone();
    Progress->setText(tr("已试 %1 / %2 次（%3%）").arg(done).arg(total).arg(total ? done * 100 / total : 0));
}

void ScanWindow::ApplyFound(int row)
{
    const StationScan* scan = runner_->Scan();
    if (runner_->Running() || !scan || row < 0 || row >= static_cast<int>(scan->Found().size())) return;
    const FoundStation& station = scan->Found()[static_cast<std::size_t>(row)];
    form_.ComboBox5->setEditText(QString::number(station.baud));
    form_.ComboBox6->setEditText(QString::fromStdString(station.format));
    form_.ComboBox1->setEditText(QString::number(station.address));
    // The format reaches an open line only at its next opening: open it again now.
    if (form_.Comm1->IsOpen()) {
        form_.BitBtn7Click();
        form_.BitBtn7Click();
    }
    Status->setText(tr("已应用：站号 %1，%2 bps，%3。").arg(station.address).arg(station.baud).arg(QString::fromStdString(station.format)));
}

void ScanWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A scan holds the port: it does not go on behind a closed window (a minimised one,
    // hidden by the window system, goes on).
    if (!event->spontaneous()) runner_->Cancel();
}
