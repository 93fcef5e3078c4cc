// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/statistics_panel.h"

#include <QFormLayout>
#include <QLabel>

namespace {

QString Number(std::uint64_t value)
{
    return QString::number(value);
}

QString Milliseconds(std::int64_t ms)
{
    return ms < 0 ? QStringLiteral("—") : QStringLiteral("%1 ms").arg(ms);
}

QString Age(const std::optional<std::int64_t>& ms)
{
    if (!ms) return StatisticsPanel::tr("未收到");
    return StatisticsPanel::tr("%1 秒前").arg(*ms / 1000);
}

}  // namespace

std::vector<std::pair<QString, QString>> StatisticsRows(const LinkStatistics& statistics, std::int64_t nowMs)
{
    const LinkCounters& c = statistics.Counters();
    const RoundTrips& rt = statistics.RoundTrip();
    const QString mean = rt.count ? QStringLiteral("%1 ms").arg(QString::number(rt.MeanMs(), 'f', 1))
                                  : QStringLiteral("—");
    std::vector<std::pair<QString, QString>> rows{
        {StatisticsPanel::tr("请求"), Number(c.requests)},
        {StatisticsPanel::tr("未发出"), Number(c.notSent)},
        {StatisticsPanel::tr("已解码应答"), Number(c.decoded)},
        {StatisticsPanel::tr("写入回显"), Number(c.writeEchoes)},
        {StatisticsPanel::tr("异常应答"), Number(c.exceptions)},
        {StatisticsPanel::tr("CRC 错误"), Number(c.crcErrors)},
        {StatisticsPanel::tr("不完整"), Number(c.incomplete)},
        {StatisticsPanel::tr("无对应请求"), Number(c.unanswered)},
        {StatisticsPanel::tr("其中迟到"), Number(c.late)},
        {StatisticsPanel::tr("噪声"), Number(c.noise)},
        {StatisticsPanel::tr("放弃的请求"), Number(c.dropped)},
        {StatisticsPanel::tr("往返 最近"), Milliseconds(rt.lastMs)},
        {StatisticsPanel::tr("往返 最短"), Milliseconds(rt.minMs)},
        {StatisticsPanel::tr("往返 平均"), mean},
        {StatisticsPanel::tr("往返 最长"), Milliseconds(rt.maxMs)},
        {StatisticsPanel::tr("往返 不确定"), Number(rt.uncertain)},
    };
    for (int block = 0; block < LinkStatistics::BlockCount; ++block)
        rows.emplace_back(StatisticsPanel::tr("块 %1 数值").arg(block), Age(statistics.BlockAgeMs(block, nowMs)));
    return rows;
}

StatisticsPanel::StatisticsPanel(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QFormLayout(this);
    for (const auto& [name, value] : StatisticsRows(LinkStatistics{}, 0)) {
        auto* nameLabel = new QLabel(name, this);
        auto* valueLabel = new QLabel(value, this);
        valueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // A fixed width: a value changing its length must not lay the panel out again
        // (and repaint every row) at each refresh.
        valueLabel->setAutoFillBackground(true);   // repainting a value leaves the panel alone
        valueLabel->setFixedWidth(valueLabel->fontMetrics().horizontalAdvance(QStringLiteral("00000000 秒前")));
        layout->addRow(nameLabel, valueLabel);
        rows_.emplace_back(nameLabel, valueLabel);
    }
}

void StatisticsPanel::Show(const LinkStatistics& statistics, std::int64_t nowMs)
{
    const auto rows = StatisticsRows(statistics, nowMs);
    for (std::size_t i = 0; i < rows.size() && i < rows_.size(); ++i)
        if (rows_[i].second->text() != rows[i].second) rows_[i].second->setText(rows[i].second);
}

QString StatisticsPanel::ValueOf(const QString& name) const
{
    for (const auto& [nameLabel, valueLabel] : rows_)
        if (nameLabel->text() == name) return valueLabel->text();
    return QString();
}
