// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/message_queue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace platform {

MessageQueue::MessageQueue() : wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

MessageQueue::~MessageQueue()
{
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

bool MessageQueue::Post(PostedMessage&& message)
{
    if (wakeFd_ < 0)
        return false;
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(std::move(message));
    }
    const std::uint64_t one = 1;
    // EAGAIN means the counter is saturated: the descriptor is readable anyway.
    while (::write(wakeFd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
    return true;
}

std::optional<PostedMessage> MessageQueue::TryTake()
{
    std::lock_guard lock(mutex_);
    if (messages_.empty())
        return std::nullopt;
    PostedMessage message = std::move(messages_.front());
    messages_.pop_front();
    return message;
}

void MessageQueue::ClearWake()
{
    std::uint64_t count = 0;
    while (::read(wakeFd_, &count, sizeof count) < 0 && errno == EINTR) {
    }
}

}  // namespace platform
