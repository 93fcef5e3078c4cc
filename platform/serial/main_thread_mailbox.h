// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/serial/message_queue.h"

#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

// Receives messages posted from any thread and hands them, one at a time and
// in the order they were posted, to a handler on the thread that created the
// mailbox (the main thread), from that thread's Qt event loop. The message
// (and its block) is owned by the mailbox during the handler call and freed
// after it returns.
class MainThreadMailbox {
public:
    using Handler = std::function<void(PostedMessage& message)>;

    explicit MainThreadMailbox(Handler handler);
    ~MainThreadMailbox();
    MainThreadMailbox(const MainThreadMailbox&) = delete;
    MainThreadMailbox& operator=(const MainThreadMailbox&) = delete;

    bool IsValid() const { return queue_.IsValid(); }

    // Any thread. False if the message could not be queued.
    bool Post(PostedMessage&& message);

    // Dispatches everything queued so far; also runs from the event loop.
    void Drain();

private:
    MessageQueue queue_;
    Handler handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::shared_ptr<bool> alive_;
};

}  // namespace platform
