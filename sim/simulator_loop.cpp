// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/simulator_loop.h"

#include "device/frame_codec.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int IdlePollMs = 1000;   // upper bound on any sleep; a signal ends it sooner
constexpr int ClosingPollMs = 20;
// Closing the terminal discards what the client has not read, and written bytes reach
// the client's side a moment after the write. So the injected close waits for the next
// request (proof the client read the last reply), or for the client's side to be empty
// a while after the last reply, or at most a few seconds for a client that never reads.
constexpr auto CloseSettle = std::chrono::milliseconds(300);
constexpr auto CloseGiveUp = std::chrono::seconds(3);

} // namespace

SimulatorLoop::SimulatorLoop(int fd, SoftStarterModel& model, ModbusSlave& slave, RtuFramer& framer,
                             FaultInjector& faults, ReplySchedule& schedule, std::FILE* requestLog,
                             const volatile std::sig_atomic_t& stopFlag, std::function<std::size_t()> unreadByClient)
    : fd_(fd), model_(model), slave_(slave), framer_(framer), faults_(faults), schedule_(schedule), requestLog_(requestLog),
      stopFlag_(stopFlag), lastAdvance_(Clock::now()), unreadByClient_(std::move(unreadByClient))
{
}

SimulatorLoop::Ending SimulatorLoop::Run()
{
    sigset_t unblocked;
    sigemptyset(&unblocked);
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK) != 0) return Ending::LineError;
    while (!stopFlag_) {
        Clock::time_point now = Clock::now();
        AdvanceModel(now);
        if (!SendDue(now)) return Ending::LineError;
        if (ReadyToClose(now)) return Ending::InjectedClose;

        const bool outputWaiting = OutputWaiting(now);   // due but did not fit last time
        pollfd pfd{fd_, static_cast<short>(POLLIN | (outputWaiting ? POLLOUT : 0)), 0};
        const int timeoutMs = PollTimeoutMs(now);
        const timespec timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1'000'000L};
        const int ready = ppoll(&pfd, 1, &timeout, &unblocked);   // signals get through only here
        if (ready < 0 && errno != EINTR) return Ending::LineError;
        now = Clock::now();
        AdvanceModel(now);
        if (ready > 0 && (pfd.revents & POLLIN) && !ReadLine(now)) return Ending::LineError;
        if (ready > 0 && (pfd.revents & (POLLERR | POLLNVAL))) return Ending::LineError;
        if (auto frame = framer_.Expire(now)) HandleFrame(*frame, now);
    }
    return Ending::Stopped;
}

bool SimulatorLoop::ReadyToClose(Clock::time_point now)
{
    if (!closing_ || !schedule_.Empty()) return false;
    if (!lastReplySent_) lastReplySent_ = now;
    if (requestAfterClosing_) return true;
    const auto waited = now - *lastReplySent_;
    if (waited >= CloseGiveUp) return true;
    return waited >= CloseSettle && (!unreadByClient_ || unreadByClient_() == 0);
}

void SimulatorLoop::AdvanceModel(Clock::time_point now)
{
    model_.Advance(std::chrono::duration<double>(now - lastAdvance_).count());
    lastAdvance_ = now;
}

bool SimulatorLoop::ReadLine(Clock::time_point now)
{
    std::uint8_t buffer[4096];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n < 0) return errno == EINTR || errno == EAGAIN;
    for (const auto& frame : framer_.Feed(buffer, static_cast<std::size_t>(n), now)) HandleFrame(frame, now);
    return true;
}

void SimulatorLoop::HandleFrame(const std::vector<std::uint8_t>& frame, Clock::time_point now)
{
    LogRequest(frame);
    if (closing_) {   // the device is going away: no more answers
        requestAfterClosing_ = true;
        return;
    }
    if (lineMatches_ && !lineMatches_()) return;   // at other settings the device hears only garbage
    auto reply = slave_.Answer(frame);
    if (!reply) return;
    schedule_.Add(now, faults_.Shape(std::move(*reply)));   // dropped when the master stopped reading
    if (faults_.ShouldClose()) closing_ = true;
}

bool SimulatorLoop::SendDue(Clock::time_point now)
{
    // The terminal is non-blocking: a client that stops reading must not stall the
    // loop (and with it the stop signal). What does not fit now stays queued.
    while (!schedule_.Empty() && schedule_.NextDue() <= now) {
        const std::vector<std::uint8_t>& bytes = schedule_.FrontBytes();
        const ssize_t n = bytes.empty() ? 0 : ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) return errno == EAGAIN || errno == EINTR;
        const bool whole = static_cast<std::size_t>(n) == bytes.size();
        schedule_.Sent(static_cast<std::size_t>(n));
        if (!whole) return true;
    }
    return true;
}

bool SimulatorLoop::OutputWaiting(Clock::time_point now) const
{
    return !schedule_.Empty() && schedule_.NextDue() <= now;
}

int SimulatorLoop::PollTimeoutMs(Clock::time_point now) const
{
    auto wake = now + std::chrono::milliseconds(closing_ ? ClosingPollMs : IdlePollMs);
    if (!schedule_.Empty() && !OutputWaiting(now)) wake = std::min(wake, schedule_.NextDue());
    if (const auto deadline = framer_.Deadline()) wake = std::min(wake, *deadline);
    const double modelStep = model_.SecondsToNextChange();
    if (modelStep >= 0)
        wake = std::min(wake, now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(modelStep)));
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wake - now).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, IdlePollMs));
}

void SimulatorLoop::LogRequest(const std::vector<std::uint8_t>& frame)
{
    if (!requestLog_) return;
    std::fprintf(requestLog_, "%s\n", BytesToHexText(frame.data(), frame.size()).c_str());
    std::fflush(requestLog_);
}
