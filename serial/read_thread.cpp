// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/read_thread.h"

#include "platform/serial/close_event.h"
#include "platform/serial/serial_device.h"
#include "serial/comm_messages.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::size_t RemoveNullBytes(std::uint8_t* data, std::size_t count)
{
    return static_cast<std::size_t>(std::remove(data, data + count, std::uint8_t{0}) - data);
}

}  // namespace

TReadThread::~TReadThread()
{
    Join();
}

void TReadThread::Start()
{
    thread_ = std::thread([this] { Execute(); });
}

void TReadThread::Join()
{
    if (thread_.joinable())
        thread_.join();
}

void TReadThread::Execute()
{
    pthread_setname_np(pthread_self(), "comm-reader");
    const auto now = Clock::now();
    completion_.Start(now);
    CheckLineEvents();  // sets the baseline, or finds the device has no line events
    nextLineCheck_ = now + kLineEventPeriod;
    while (WaitAndRead()) {
    }
    context_.Port->Purge(platform::PurgeSide::Receive);
}

std::optional<TReadThread::Clock::time_point> TReadThread::NextWake() const
{
    auto wake = completion_.Deadline(count_, context_.Settings->Timeouts());
    if (hasLineEvents_)
        wake = wake ? std::min(*wake, nextLineCheck_) : nextLineCheck_;
    return wake;
}

// One round of the reader: wait for the close event, input or a deadline, then
// act on what happened. False ends the thread.
bool TReadThread::WaitAndRead()
{
    pollfd fds[2] = {{context_.CloseEvent->Fd(), POLLIN, 0}, {context_.Port->Fd(), POLLIN, 0}};
    if (PollUntil(fds, 2, NextWake()) < 0)
        return EndWithHangup();
    if (fds[0].revents != 0)
        return false;
    if (fds[1].revents & POLLIN) {
        if (!ReadAvailable())
            return false;
    } else if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        // The device went away with nothing left to read.
        Deliver();
        return EndWithHangup();
    }
    const auto now = Clock::now();
    if (!CompleteIfDue(now))
        return false;
    if (hasLineEvents_ && now >= nextLineCheck_) {
        nextLineCheck_ = now + kLineEventPeriod;
        return CheckLineEvents();
    }
    return true;
}

bool TReadThread::ReadAvailable()
{
    const ssize_t n = ::read(context_.Port->Fd(), buffer_.data() + count_, buffer_.size() - count_);
    if (n > 0) {
        std::size_t kept = static_cast<std::size_t>(n);
        if (context_.Settings->StripNulls())
            kept = RemoveNullBytes(buffer_.data() + count_, kept);
        count_ += kept;
        completion_.OnBytes(Clock::now());
        return true;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return true;
    // End of file or EIO: the device was removed or the other side hung up.
    Deliver();
    return EndWithHangup();
}

bool TReadThread::CompleteIfDue(Clock::time_point now)
{
    if (!completion_.IsComplete(now, count_, context_.Settings->Timeouts()))
        return true;
    const bool delivered = Deliver();
    completion_.Start(now);
    return delivered;
}

// Posts the collected bytes as one block (count + 1 bytes, the last one 0).
// Nothing collected (a read that timed out empty, or only stripped NULs) is
// not an error: there is simply nothing to post.
bool TReadThread::Deliver()
{
    if (count_ == 0)
        return true;
    auto block = std::make_unique<std::uint8_t[]>(count_ + 1);
    std::memcpy(block.get(), buffer_.data(), count_);
    const auto count = static_cast<std::uint32_t>(count_);
    count_ = 0;
    if (!context_.Post(MSG_COMM_DATA, count, 0, std::move(block)))
        return EndWithHangup();
    return true;
}

bool TReadThread::CheckLineEvents()
{
    const auto counters = context_.Port->ReadCounters();
    const auto modemBits = context_.Port->ReadModemBits();
    if (!counters && !modemBits) {
        hasLineEvents_ = false;  // a pseudo-terminal, for one: nothing to watch
        return true;
    }
    const platform::LineEvents events = lineEvents_.Update(counters, modemBits);
    if (events.errorFlags != 0 && !context_.Post(MSG_COMM_ERROR, 0, events.errorFlags))
        return EndWithHangup();
    if (events.modemCode != 0 && !context_.Post(MSG_COMM_MODEM, 0, events.modemCode))
        return EndWithHangup();
    return true;
}

bool TReadThread::EndWithHangup()
{
    context_.PostHangup();
    return false;
}
