// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/port_open_reason.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstring>

namespace {

using platform::PathKind;
using platform::PortOpenFailure;
using platform::PortOpenProblem;

QString ErrorName(int error)
{
    const char* name = strerrorname_np(error);
    return name ? QString::fromLatin1(name) : QString::number(error);
}

QString Path(const PortOpenFailure& failure)
{
    return QString::fromStdString(failure.path);
}

QString NoSuchDevice(const PortOpenFailure& failure, const std::vector<SerialPortEntry>& present)
{
    QString text = failure.kind == PathKind::CharacterDevice
                       ? QCoreApplication::translate("PortOpenReason", "原因：%1 没有对应的串口硬件（设备文件在，设备不在）。").arg(Path(failure))
                       : QCoreApplication::translate("PortOpenReason", "原因：设备 %1 不存在（适配器未插好，或端口名有误）。").arg(Path(failure));
    if (present.empty())
        return text + QLatin1Char('\n') + QCoreApplication::translate("PortOpenReason", "本机没有找到串口设备。");
    QStringList ports;
    for (const SerialPortEntry& entry : present)
        ports << QString::fromStdString(entry.devicePath);
    return text + QLatin1Char('\n') + QCoreApplication::translate("PortOpenReason", "本机现有的串口：%1").arg(ports.join(QCoreApplication::translate("PortOpenReason", "、")));
}

QString PermissionDenied(const PortOpenFailure& failure)
{
    const QString user = QString::fromStdString(failure.user);
    const QString group = QString::fromStdString(failure.group);
    if (group.isEmpty())
        return QCoreApplication::translate("PortOpenReason", "原因：没有权限打开 %1。").arg(Path(failure));
    QString text = QCoreApplication::translate("PortOpenReason", "原因：没有权限打开 %1，它属于用户组 %2。").arg(Path(failure), group) + QLatin1Char('\n');
    if (failure.userInGroupNow)
        return text + QCoreApplication::translate("PortOpenReason", "用户 %1 已在 %2 组中，但设备不允许该组读写，请检查设备的权限。").arg(user, group);
    if (failure.userListedInGroup)
        return text + QCoreApplication::translate("PortOpenReason", "用户 %1 已加入 %2 组，注销后重新登录才生效。").arg(user, group);
    return text + QCoreApplication::translate("PortOpenReason", "用户 %1 不在 %2 组中。加入该组后注销并重新登录：\nsudo adduser %1 %2").arg(user, group);
}

QString InUse(const PortOpenFailure& failure)
{
    if (failure.holders.empty())
        return QCoreApplication::translate("PortOpenReason", "原因：%1 正被其他程序占用。").arg(Path(failure));
    QStringList holders;
    for (const platform::PortHolder& holder : failure.holders)
        holders << QCoreApplication::translate("PortOpenReason", "%1（进程号 %2）").arg(QString::fromStdString(holder.command)).arg(holder.pid);
    return QCoreApplication::translate("PortOpenReason", "原因：%1 正被其他程序占用：%2。\n关闭该程序后再打开串口。")
        .arg(Path(failure), holders.join(QCoreApplication::translate("PortOpenReason", "、")));
}

QString NotSerialDevice(const PortOpenFailure& failure)
{
    switch (failure.kind) {
    case PathKind::Directory: return QCoreApplication::translate("PortOpenReason", "原因：%1 是一个目录，不是串口设备。").arg(Path(failure));
    case PathKind::RegularFile: return QCoreApplication::translate("PortOpenReason", "原因：%1 是一个普通文件，不是串口设备。").arg(Path(failure));
    default: return QCoreApplication::translate("PortOpenReason", "原因：%1 不是串口设备。").arg(Path(failure));
    }
}

}  // namespace

QString PortOpenReasonText(const PortOpenFailure& failure, const std::vector<SerialPortEntry>& present)
{
    switch (failure.problem) {
    case PortOpenProblem::NoSuchDevice: return NoSuchDevice(failure, present);
    case PortOpenProblem::PermissionDenied: return PermissionDenied(failure);
    case PortOpenProblem::InUse: return InUse(failure);
    case PortOpenProblem::NotSerialDevice: return NotSerialDevice(failure);
    case PortOpenProblem::SettingsFailed:
        return QCoreApplication::translate("PortOpenReason", "原因：打开了 %1，但读不出它的串口参数（错误码 %2）。").arg(Path(failure), ErrorName(failure.error));
    case PortOpenProblem::Other: break;
    }
    return QCoreApplication::translate("PortOpenReason", "原因：打开 %1 失败（错误码 %2）。").arg(Path(failure), ErrorName(failure.error));
}

QString PortStartFailureText()
{
    return QCoreApplication::translate("PortOpenReason", "原因：无法启动串口的读写线程。");
}
