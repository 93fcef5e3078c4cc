// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_extras.h"

#include "app/extra_windows_menu.h"
#include "app/form1.h"

ExtraWindowsMenu& InstallConsoleExtras(TForm1& form)
{
    auto* menu = new ExtraWindowsMenu(form);
    return *menu;
}
