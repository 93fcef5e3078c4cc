// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads the system's font configuration (fontconfig's configuration files and font
// caches, some 5 ms) on a thread of its own while the main thread connects to the
// display, so the first text the window draws does not wait for it. Construct it
// first thing in main(), before the application object; Wait() before building
// windows (the destructor waits too).

#include <thread>

class FontSetupInBackground {
public:
    FontSetupInBackground();
    ~FontSetupInBackground();
    FontSetupInBackground(const FontSetupInBackground&) = delete;
    FontSetupInBackground& operator=(const FontSetupInBackground&) = delete;

    void Wait();

private:
    std::thread thread_;
};
