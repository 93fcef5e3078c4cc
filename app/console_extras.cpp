// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_extras.h"

#include "app/diagnostics/diagnostics_session.h"
#include "app/diagnostics/scan_window.h"
#include "app/extra_windows_menu.h"
#include "app/form1.h"
#include "app/trend/trend_session.h"
#include "app/trend/trend_window.h"

#include <QCoreApplication>

ConsoleExtras InstallConsoleExtras(TForm1& form)
{
    auto* menu = new ExtraWindowsMenu(form);
    ConsoleExtras extras{*menu};
    // The sessions watch the link from the start; their windows are made when first opened.
    // They belong to the menu, which the main window deletes before its link.
    auto* diagnostics = new DiagnosticsSession(form.Link(), menu);
    QObject::connect(&form, &TForm1::PortOpened, diagnostics, &DiagnosticsSession::ResetStatistics);
    extras.diagnostics = menu->AddWindow(QCoreApplication::translate("ConsoleExtras", "通讯诊断"),
                                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D),
                                         [diagnostics] { return diagnostics->MakeWindow(); });
    extras.scan = menu->AddWindow(QCoreApplication::translate("ConsoleExtras", "查找设备"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
                                  [&form] { return new ScanWindow(form); });
    auto* trend = new TrendSession(form.Link(), WallClockAnchor::Now(), menu);
    extras.trend = menu->AddWindow(QCoreApplication::translate("ConsoleExtras", "运行趋势与启动记录"),
                                   QKeySequence(Qt::CTRL | Qt::Key_T), [trend, &form] {
                                       auto* window = new TrendWindow(*trend);
                                       window->setFont(form.font());   // with its built-in Song face
                                       return window;
                                   });
    return extras;
}
