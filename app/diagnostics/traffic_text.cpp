// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/traffic_text.h"

#include <QCoreApplication>
#include <QDateTime>

namespace {

constexpr int RegistersPerBlock = 10;

QString Hex(std::uint32_t value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString HexBytes(const TrafficEntry& entry)
{
    QString text;
    for (std::uint8_t byte : entry.KeptFrame()) {
        if (!text.isEmpty()) text += QLatin1Char(' ');
        text += Hex(byte, 2);
    }
    if (entry.byteCount > TrafficEntry::KeptBytes) text += QCoreApplication::translate("TrafficText", " …（共 %1 字节）").arg(entry.byteCount);
    return text;
}

QString Direction(TrafficKind kind)
{
    switch (kind) {
    case TrafficKind::ReadRequest:
    case TrafficKind::WriteRequest: return QStringLiteral("→");
    case TrafficKind::GivenUp: return QStringLiteral("·");
    default: return QStringLiteral("←");
    }
}

// One round trip, or the range it lies in when the reply might answer several requests.
QString RoundTrip(const TrafficEntry& entry)
{
    if (entry.roundTripMs < 0) return QString();
    if (entry.newestRoundTripMs < 0 || entry.newestRoundTripMs == entry.roundTripMs)
        return QCoreApplication::translate("TrafficText", "，往返 %1 ms").arg(entry.roundTripMs);
    return QCoreApplication::translate("TrafficText", "，往返 %1-%2 ms（可能应答其中任一请求）").arg(entry.newestRoundTripMs).arg(entry.roundTripMs);
}

QString ReadOfBlock(int block)
{
    return QCoreApplication::translate("TrafficText", "读块 %1（寄存器 %2-%3）").arg(block).arg(block * RegistersPerBlock).arg(block * RegistersPerBlock + 9);
}

QString UnansweredText(const TrafficEntry& entry)
{
    switch (entry.reason) {
    case UnansweredReason::LateBeyondHorizon: return QCoreApplication::translate("TrafficText", "有效应答，但它的请求已超过 10 秒被放弃（迟到）");
    case UnansweredReason::Ambiguous: return QCoreApplication::translate("TrafficText", "有效应答，但无法确定它应答的是哪个块（不解码）");
    case UnansweredReason::OtherStation: return QCoreApplication::translate("TrafficText", "有效应答，但来自站号 %1，没有向它发过请求").arg(entry.station);
    default: return QCoreApplication::translate("TrafficText", "有效应答，但没有等待应答的请求");
    }
}

QString GivenUpText(const TrafficEntry& entry)
{
    const QString seconds = QString::number(static_cast<double>(entry.roundTripMs) / 1000.0, 'f', 1);
    if (entry.requestKind == LinkRequestKind::Read) return QCoreApplication::translate("TrafficText", "放弃：读块 %1 的请求 %2 秒无应答").arg(entry.block).arg(seconds);
    return QCoreApplication::translate("TrafficText", "放弃：写寄存器 %1 = %2 的请求 %3 秒无回显").arg(entry.reg).arg(entry.value).arg(seconds);
}

}  // namespace

QString ExceptionName(std::uint8_t code)
{
    switch (code) {
    case 0x01: return QCoreApplication::translate("TrafficText", "非法功能");
    case 0x02: return QCoreApplication::translate("TrafficText", "非法数据地址");
    case 0x03: return QCoreApplication::translate("TrafficText", "非法数据值");
    case 0x04: return QCoreApplication::translate("TrafficText", "从站设备故障");
    case 0x05: return QCoreApplication::translate("TrafficText", "确认");
    case 0x06: return QCoreApplication::translate("TrafficText", "从站设备忙");
    case 0x08: return QCoreApplication::translate("TrafficText", "存储奇偶校验错误");
    case 0x0A: return QCoreApplication::translate("TrafficText", "网关路径不可用");
    case 0x0B: return QCoreApplication::translate("TrafficText", "网关目标设备无响应");
    default: return QCoreApplication::translate("TrafficText", "未知异常");
    }
}

QString TrafficMeaningText(const TrafficEntry& entry)
{
    switch (entry.kind) {
    case TrafficKind::ReadRequest:
        return entry.sent ? ReadOfBlock(entry.block) : ReadOfBlock(entry.block) + QCoreApplication::translate("TrafficText", "，未发出（串口未打开）");
    case TrafficKind::WriteRequest: {
        const QString text = QCoreApplication::translate("TrafficText", "写寄存器 %1 = %2").arg(entry.reg).arg(entry.value);
        return entry.sent ? text : text + QCoreApplication::translate("TrafficText", "，未发出（串口未打开）");
    }
    case TrafficKind::Decoded: return QCoreApplication::translate("TrafficText", "应答：块 %1").arg(entry.block) + RoundTrip(entry);
    case TrafficKind::WriteEcho:
        return QCoreApplication::translate("TrafficText", "写入回显：寄存器 %1 = %2").arg(entry.reg).arg(entry.value) + RoundTrip(entry);
    case TrafficKind::Exception:
        return QCoreApplication::translate("TrafficText", "异常应答：功能码 %1，异常码 %2 %3")
                   .arg(Hex(entry.function, 2), Hex(entry.exceptionCode, 2), ExceptionName(entry.exceptionCode)) +
               RoundTrip(entry);
    case TrafficKind::Damaged:
        return entry.damage == DamageKind::Incomplete ? QCoreApplication::translate("TrafficText", "不完整的应答（被截断）") : QCoreApplication::translate("TrafficText", "CRC 错误");
    case TrafficKind::Unanswered: return UnansweredText(entry);
    case TrafficKind::Noise: return QCoreApplication::translate("TrafficText", "噪声（不是应答）");
    case TrafficKind::GivenUp: return GivenUpText(entry);
    }
    return QString();
}

QString TrafficLineText(const TrafficEntry& entry)
{
    const QString time = QDateTime::fromMSecsSinceEpoch(entry.wallMs).toString(QStringLiteral("HH:mm:ss.zzz"));
    QString line = time + QStringLiteral("  ") + Direction(entry.kind) + QStringLiteral("  ");
    const QString bytes = HexBytes(entry);
    if (!bytes.isEmpty()) line += bytes + QStringLiteral("  ");
    return line + TrafficMeaningText(entry);
}
