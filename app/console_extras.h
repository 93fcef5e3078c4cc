// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's extra windows, beyond the main window: which there are, their menu
// texts and keyboard shortcuts (listed in the README's operator's guide).

class ExtraWindowsMenu;
class QAction;
class TForm1;

// The menu and its entries.
struct ConsoleExtras {
    ExtraWindowsMenu& menu;
    QAction* diagnostics = nullptr;   // 通讯诊断: traffic monitor and link statistics
    QAction* scan = nullptr;          // 查找设备: finding the device
    QAction* trend = nullptr;         // 运行趋势与启动记录: trend and motor start records
};

// Adds the right-click menu and shortcuts for the extra windows to the main window.
// The menu is owned by the main window.
ConsoleExtras InstallConsoleExtras(TForm1& form);
