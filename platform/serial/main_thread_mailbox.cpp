// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/main_thread_mailbox.h"

#include <QSocketNotifier>

namespace platform {

MainThreadMailbox::MainThreadMailbox(Handler handler)
    : handler_(std::move(handler)), alive_(std::make_shared<bool>(true))
{
    if (!queue_.IsValid())
        return;
    notifier_ = std::make_unique<QSocketNotifier>(queue_.WakeFd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Drain(); });
}

MainThreadMailbox::~MainThreadMailbox()
{
    *alive_ = false;
}

bool MainThreadMailbox::Post(PostedMessage&& message)
{
    return queue_.Post(std::move(message));
}

void MainThreadMailbox::Drain()
{
    // A handler may destroy this mailbox; the shared flag tells us to stop.
    const std::shared_ptr<bool> alive = alive_;
    const Handler handler = handler_;
    queue_.ClearWake();
    while (*alive) {
        std::optional<PostedMessage> message = queue_.TryTake();
        if (!message)
            return;
        if (handler)
            handler(*message);
    }
}

}  // namespace platform
