// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/trend_csv.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace {

QByteArray Header(bool withOffset)
{
    QString header = QCoreApplication::translate("TrendCsv", "时间 (ISO 8601)");
    if (withOffset) header += QLatin1Char(',') + QCoreApplication::translate("TrendCsv", "自启动 (s)");
    header += QLatin1Char(',') + QCoreApplication::translate("TrendCsv", "输出 (%)");
    header += QLatin1Char(',') + QCoreApplication::translate("TrendCsv", "电流 (A)");
    header += QLatin1Char(',') + QCoreApplication::translate("TrendCsv", "温度 (°C)");
    header += QLatin1Char(',') + QCoreApplication::translate("TrendCsv", "运行 (0/1)");
    header += QLatin1Char(',') + QCoreApplication::translate("TrendCsv", "警报位 (寄存器 7)");
    return header.toUtf8() + "\r\n";
}

// Tenths as a decimal number with one place, whatever the locale.
void AppendTenths(QByteArray& row, int tenths)
{
    char text[24];
    std::snprintf(text, sizeof text, ",%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10, std::abs(tenths) % 10);
    row += text;
}

void AppendRow(QByteArray& csv, const TrendSample& s, const WallClockAnchor& clock, const std::int64_t* startMs)
{
    csv += clock.Iso8601(s.atMs).c_str();
    if (startMs) {
        const std::int64_t ms = s.atMs - *startMs;
        char text[32];
        std::snprintf(text, sizeof text, ",%s%lld.%03lld", ms < 0 ? "-" : "", static_cast<long long>(std::llabs(ms) / 1000),
                      static_cast<long long>(std::llabs(ms) % 1000));
        csv += text;
    }
    AppendTenths(csv, s.outputTenths);
    AppendTenths(csv, s.currentTenths);
    csv += ',' + QByteArray::number(s.temperatureC);
    csv += s.Running() ? ",1" : ",0";
    csv += ',' + QByteArray::number(s.alarms);
    csv += "\r\n";
}

} // namespace

QByteArray TrendCsv(const std::deque<TrendSample>& samples, const WallClockAnchor& clock)
{
    QByteArray csv = Header(false);
    for (const TrendSample& s : samples) AppendRow(csv, s, clock, nullptr);
    return csv;
}

QByteArray RecordCsv(const StartRecord& record, const WallClockAnchor& clock)
{
    QByteArray csv = Header(true);
    for (const TrendSample& s : record.samples) AppendRow(csv, s, clock, &record.startMs);
    return csv;
}

bool WriteExportFile(const QString& path, const QByteArray& content, QString* error)
{
    QSaveFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        if (error)
            *error = QCoreApplication::translate("TrendCsv", "无法写入文件 %1：%2")
                         .arg(path, path.isEmpty() ? QCoreApplication::translate("TrendCsv", "没有文件名") : file.errorString());
        return false;
    }
    return true;
}
