// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/port_thread_context.h"

#include "platform/serial/main_thread_mailbox.h"
#include "serial/comm_messages.h"

#include <cerrno>

bool TPortThreadContext::Post(std::uint32_t number, std::uint32_t first, std::uint32_t second,
                              std::unique_ptr<std::uint8_t[]> block) const
{
    platform::PostedMessage message;
    message.number = number;
    message.first = first;
    message.second = second;
    message.block = std::move(block);
    message.session = Session;
    return NotifyWindow->Post(std::move(message));
}

void TPortThreadContext::PostHangup() const
{
    Post(MSG_COMM_HANGUP);
}

int PollUntil(pollfd* fds, nfds_t count, std::optional<std::chrono::steady_clock::time_point> deadline)
{
    using namespace std::chrono;
    for (;;) {
        timespec timeout{};
        timespec* timeoutPtr = nullptr;
        if (deadline) {
            const auto left = std::max(nanoseconds::zero(), duration_cast<nanoseconds>(*deadline - steady_clock::now()));
            timeout.tv_sec = static_cast<time_t>(duration_cast<seconds>(left).count());
            timeout.tv_nsec = static_cast<long>((left % seconds(1)).count());
            timeoutPtr = &timeout;
        }
        const int result = ::ppoll(fds, count, timeoutPtr, nullptr);
        if (result >= 0 || errno != EINTR)
            return result;
    }
}
