// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/write_thread.h"

#include "platform/serial/close_event.h"
#include "platform/serial/serial_device.h"
#include "serial/comm_messages.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

// The moment a write of count bytes times out, or nothing without write timeouts.
std::optional<std::chrono::steady_clock::time_point> WriteDeadline(const TCommTimeouts& t, std::size_t count)
{
    const std::uint64_t ms = std::uint64_t{t.WriteTotalTimeoutMultiplier} * count + t.WriteTotalTimeoutConstant;
    if (ms == 0)
        return std::nullopt;
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(std::min(ms, kLongestTimeoutMs));
}

}  // namespace

TWriteThread::~TWriteThread()
{
    Join();
}

void TWriteThread::Start()
{
    running_.store(true);
    try {
        thread_ = std::thread([this] { Execute(); });
    } catch (...) {
        running_.store(false);
        throw;
    }
}

void TWriteThread::Join()
{
    if (thread_.joinable())
        thread_.join();
}

void TWriteThread::Execute()
{
    pthread_setname_np(pthread_self(), "comm-writer");
    while (ProcessNext()) {
    }
    // Requests still queued are dropped with the queue.
    running_.store(false);
    context_.Port->Purge(platform::PurgeSide::Transmit);
    sendEmpty_->store(true);
}

// Takes and handles one message, or waits for one. False ends the thread.
bool TWriteThread::ProcessNext()
{
    std::optional<platform::PostedMessage> message = queue_.TryTake();
    if (!message)
        return WaitForMessage();
    if (context_.CloseEvent->IsSignalled())
        return false;
    if (message->number != MSG_COMM_WRITE || !message->block)
        return true;  // not ours: dropped
    switch (WriteBlock(message->block.get(), message->first)) {
    case TWriteResult::Written:
        notifyWhenEmpty_ = true;
        return true;
    case TWriteResult::TimedOut:
        // The rest of a timed-out block is abandoned; the queue goes on.
        context_.Port->Purge(platform::PurgeSide::Transmit);
        return true;
    case TWriteResult::Failed:
        return false;
    }
    return false;
}

bool TWriteThread::WaitForMessage()
{
    sendEmpty_->store(true);
    if (notifyWhenEmpty_) {
        if (!context_.Post(MSG_COMM_SENT)) {
            context_.PostHangup();
            return false;
        }
        notifyWhenEmpty_ = false;
    }
    pollfd fds[2] = {{context_.CloseEvent->Fd(), POLLIN, 0}, {queue_.WakeFd(), POLLIN, 0}};
    if (PollUntil(fds, 2, std::nullopt) < 0) {
        context_.PostHangup();
        return false;
    }
    if (fds[0].revents != 0)
        return false;
    queue_.ClearWake();
    return true;
}

TWriteThread::TWriteResult TWriteThread::WriteBlock(const std::uint8_t* block, std::size_t count)
{
    const auto deadline = WriteDeadline(context_.Settings->Timeouts(), count);
    std::size_t offset = 0;
    while (offset < count) {
        const ssize_t n = ::write(context_.Port->Fd(), block + offset, count - offset);
        if (n > 0) {
            offset += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            context_.PostHangup();  // EIO and the like: the device is gone
            return TWriteResult::Failed;
        }
        if (const auto waited = WaitWritable(deadline); waited != TWriteResult::Written)
            return waited;
    }
    return TWriteResult::Written;
}

// Waits until the port takes more bytes (Written), the deadline passes, the
// close event is signalled or the device goes away (Failed).
TWriteThread::TWriteResult TWriteThread::WaitWritable(std::optional<std::chrono::steady_clock::time_point> deadline)
{
    pollfd fds[2] = {{context_.CloseEvent->Fd(), POLLIN, 0}, {context_.Port->Fd(), POLLOUT, 0}};
    const int ready = PollUntil(fds, 2, deadline);
    if (ready < 0) {
        context_.PostHangup();
        return TWriteResult::Failed;
    }
    if (ready == 0)
        return TWriteResult::TimedOut;
    if (fds[0].revents != 0)
        return TWriteResult::Failed;
    if ((fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) && !(fds[1].revents & POLLOUT)) {
        context_.PostHangup();
        return TWriteResult::Failed;
    }
    return TWriteResult::Written;
}
