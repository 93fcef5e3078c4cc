// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_extras.h"

#include "app/diagnostics/diagnostics_session.h"
#include "app/diagnostics/scan_window.h"
#include "app/extra_windows_menu.h"
#include "app/form1.h"

#include <QCoreApplication>

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("ConsoleExtras", text);
}

}  // namespace

ExtraWindowsMenu& InstallConsoleExtras(TForm1& form)
{
    auto* menu = new ExtraWindowsMenu(form);
    auto* diagnostics = new DiagnosticsSession(form.Link(), &form);
    QObject::connect(&form, &TForm1::PortOpened, diagnostics, &DiagnosticsSession::ResetStatistics);
    menu->AddWindow(Tr("通讯诊断"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D),
                    [diagnostics] { return diagnostics->MakeWindow(); });
    menu->AddWindow(Tr("查找设备"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
                    [&form] { return new ScanWindow(form); });
    return *menu;
}
