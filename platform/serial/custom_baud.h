// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace platform {

// Sets a rate that has no B constant (for example 250000) through the kernel's
// termios2 interface. Kept apart from <termios.h> users because the kernel's
// termios header and the C library's cannot be included together.
// Returns false when the driver refuses the rate; the line is then unchanged.
bool SetCustomBaud(int fd, std::uint32_t baudRate);

// The input and output rates the driver currently reports, or false on failure.
bool GetActualBaud(int fd, std::uint32_t& inputRate, std::uint32_t& outputRate);

}  // namespace platform
