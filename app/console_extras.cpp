// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_extras.h"

#include "app/extra_windows_menu.h"
#include "app/form1.h"
#include "app/trend/trend_session.h"
#include "app/trend/trend_window.h"

#include <QCoreApplication>

ExtraWindowsMenu& InstallConsoleExtras(TForm1& form)
{
    auto* menu = new ExtraWindowsMenu(form);
    // The trend watches the link from the start of the session; its window is made when first opened.
    auto* trend = new TrendSession(form.Link(), WallClockAnchor::Now(), menu);
    menu->AddWindow(QCoreApplication::translate("ConsoleExtras", "运行趋势与启动记录"), QKeySequence(Qt::CTRL | Qt::Key_T),
                    [trend, &form] {
                        auto* window = new TrendWindow(*trend);
                        window->setFont(form.font());   // the console's font, with its built-in Song face
                        return window;
                    });
    return *menu;
}
