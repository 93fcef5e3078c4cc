// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's extra windows, beyond the main window: which there are, their menu
// texts and keyboard shortcuts (listed in the README's operator's guide).

class ExtraWindowsMenu;
class TForm1;

// Adds the right-click menu and shortcuts for the extra windows to the main window.
// The menu is owned by the main window.
ExtraWindowsMenu& InstallConsoleExtras(TForm1& form);
