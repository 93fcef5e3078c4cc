// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/diagnostics_window.h"

#include "app/diagnostics/diagnostics_session.h"
#include "app/diagnostics/statistics_panel.h"
#include "app/diagnostics/traffic_text.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QShowEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int RefreshMs = 1000;   // the ages are shown in whole seconds

}  // namespace

DiagnosticsWindow::DiagnosticsWindow(DiagnosticsSession& session, QWidget* parent)
    : QWidget(parent), session_(&session)
{
    setWindowTitle(tr("通讯诊断"));
    resize(1300, 560);

    PauseButton = new QPushButton(tr("暂停"), this);
    ClearButton = new QPushButton(tr("清除"), this);
    CopyButton = new QPushButton(tr("复制"), this);
    SaveButton = new QPushButton(tr("保存为文本..."), this);
    HistoryLabel = new QLabel(this);
    HistoryLabel->setFixedWidth(HistoryLabel->fontMetrics().horizontalAdvance(
        tr("记录 %1 行（最多 %2 行）").arg(88888).arg(88888) + tr("，较早的 %1 行已移出").arg(888888888)));
    HistoryLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    HistoryLabel->setAutoFillBackground(true);
    auto* buttons = new QHBoxLayout;
    for (QWidget* button : {static_cast<QWidget*>(PauseButton), static_cast<QWidget*>(ClearButton),
                            static_cast<QWidget*>(CopyButton), static_cast<QWidget*>(SaveButton)})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(HistoryLabel);

    TrafficView = new QPlainTextEdit(this);
    TrafficView->setReadOnly(true);
    TrafficView->setLineWrapMode(QPlainTextEdit::NoWrap);
    TrafficView->setMaximumBlockCount(static_cast<int>(session.Log().Capacity()));
    TrafficView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    Statistics = new StatisticsPanel(this);
    auto* body = new QHBoxLayout;
    body->addWidget(TrafficView, 1);
    body->addWidget(Statistics);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(body, 1);

    refresh_ = new QTimer(this);
    refresh_->setInterval(RefreshMs);
    connect(refresh_, &QTimer::timeout, this, [this] { Refresh(); });
    connect(PauseButton, &QPushButton::clicked, this, [this] { TogglePause(); });
    connect(ClearButton, &QPushButton::clicked, this, [this] { ClearHistory(); });
    connect(CopyButton, &QPushButton::clicked, this, [this] { CopyToClipboard(); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { AskAndSave(); });
    session.OnEntry = [this](const TrafficEntry& entry) { Append(entry); };
}

DiagnosticsWindow::~DiagnosticsWindow()
{
    if (session_) {
        session_->OnEntry = nullptr;
        session_->SetMonitoring(false);
    }
}

void DiagnosticsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Shown again by the window system after minimising: it never stopped recording.
    if (!session_ || event->spontaneous()) return;
    session_->SetMonitoring(true);
    if (!paused_) Rebuild();
    Refresh();
    refresh_->start();
}

void DiagnosticsWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;   // minimised: it goes on recording
    refresh_->stop();
    if (session_) session_->SetMonitoring(false);
    // The history stays in the session; the view's document, some ten times its size,
    // is made again when the window is shown.
    TrafficView->clear();
}

void DiagnosticsWindow::Append(const TrafficEntry& entry)
{
    if (paused_) return;   // kept in the history; shown when the view runs again
    QScrollBar* bar = TrafficView->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    TrafficView->appendPlainText(TrafficLineText(entry));
    if (atEnd) bar->setValue(bar->maximum());
}

void DiagnosticsWindow::Rebuild()
{
    QStringList lines;
    if (session_)
        for (const TrafficEntry& entry : session_->Log().Entries()) lines << TrafficLineText(entry);
    TrafficView->setPlainText(lines.join(QLatin1Char('\n')));
    TrafficView->verticalScrollBar()->setValue(TrafficView->verticalScrollBar()->maximum());
}

void DiagnosticsWindow::TogglePause()
{
    paused_ = !paused_;
    PauseButton->setText(paused_ ? tr("继续") : tr("暂停"));
    if (!paused_) Rebuild();
}

void DiagnosticsWindow::ClearHistory()
{
    if (session_) session_->ClearLog();
    TrafficView->clear();
    Refresh();
}

QString DiagnosticsWindow::HistoryText() const
{
    QString text;
    if (!session_) return text;
    for (const TrafficEntry& entry : session_->Log().Entries()) text += TrafficLineText(entry) + QLatin1Char('\n');
    return text;
}

void DiagnosticsWindow::CopyToClipboard()
{
    const QString selected = TrafficView->textCursor().selectedText();
    // A selection of the view holds paragraph separators where its lines break.
    QApplication::clipboard()->setText(selected.isEmpty() ? HistoryText()
                                                          : QString(selected).replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
}

bool DiagnosticsWindow::SaveTo(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    file.write(HistoryText().toUtf8());
    return file.commit();
}

void DiagnosticsWindow::AskAndSave()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("保存通讯记录"), QStringLiteral("traffic.txt"),
                                                      tr("文本文件 (*.txt)"));
    if (!path.isEmpty() && !SaveTo(path))
        QMessageBox::warning(this, windowTitle(), tr("无法保存到 %1").arg(path));
}

void DiagnosticsWindow::Refresh()
{
    if (!session_) return;
    Statistics->Show(session_->Statistics(), DiagnosticsSession::LinkNowMs());
    const TrafficLog& log = session_->Log();
    QString text = tr("记录 %1 行（最多 %2 行）").arg(log.Entries().size()).arg(log.Capacity());
    if (log.PushedOut() > 0) text += tr("，较早的 %1 行已移出").arg(log.PushedOut());
    if (HistoryLabel->text() != text) HistoryLabel->setText(text);
}
