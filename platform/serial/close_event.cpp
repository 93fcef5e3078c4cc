// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/close_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace platform {

CloseEvent::CloseEvent() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CloseEvent::~CloseEvent()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void CloseEvent::Signal()
{
    const std::uint64_t one = 1;
    while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool CloseEvent::IsSignalled() const
{
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}

}  // namespace platform
