// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/custom_baud.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace platform {

bool SetCustomBaud(int fd, std::uint32_t baudRate)
{
    if (baudRate == 0)
        return false;
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;
    const struct termios2 previous = t;
    t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = baudRate;
    t.c_ospeed = baudRate;
    if (ioctl(fd, TCSETS2, &t) != 0) {
        ioctl(fd, TCSETS2, &previous);
        return false;
    }
    return true;
}

bool GetActualBaud(int fd, std::uint32_t& inputRate, std::uint32_t& outputRate)
{
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;
    inputRate = t.c_ispeed;
    outputRate = t.c_ospeed;
    return true;
}

}  // namespace platform
