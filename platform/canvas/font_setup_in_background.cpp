// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas/font_setup_in_background.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

// FcInit loads the default configuration once per process; the font database of the
// GUI toolkit later finds it loaded. Should both ever run at the same time, fontconfig
// keeps one of the two configurations and frees the other.
FontSetupInBackground::FontSetupInBackground()
{
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        FcInit();  // no thread to be had: set up here, as the first text would have
    }
}

FontSetupInBackground::~FontSetupInBackground()
{
    Wait();
}

void FontSetupInBackground::Wait()
{
    if (thread_.joinable())
        thread_.join();
}
