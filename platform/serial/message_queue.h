// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/serial/posted_message.h"

#include <deque>
#include <mutex>
#include <optional>

namespace platform {

// A first-in first-out queue of posted messages that any thread may post to;
// its wake descriptor (an eventfd) becomes readable when something was posted,
// so the receiving thread can wait for it with poll() next to other descriptors.
class MessageQueue {
public:
    MessageQueue();
    ~MessageQueue();
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    bool IsValid() const { return wakeFd_ >= 0; }
    int WakeFd() const { return wakeFd_; }

    // Queues the message; false (and the message dropped) if the queue has no
    // wake descriptor.
    bool Post(PostedMessage&& message);

    // The oldest message, or nothing when the queue is empty.
    std::optional<PostedMessage> TryTake();

    // Resets the wake descriptor; call before draining with TryTake.
    void ClearWake();

private:
    int wakeFd_;
    std::mutex mutex_;
    std::deque<PostedMessage> messages_;
};

}  // namespace platform
