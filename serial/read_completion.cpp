// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/read_completion.h"

#include <algorithm>
#include <cstdint>

namespace {

std::chrono::milliseconds TotalTimeout(const TCommTimeouts& t)
{
    const std::uint64_t ms = std::uint64_t{t.ReadTotalTimeoutMultiplier} * TReadCompletion::kReadBufferSize +
                             t.ReadTotalTimeoutConstant;
    return std::chrono::milliseconds(std::min<std::uint64_t>(ms, kLongestTimeoutMs));
}

}  // namespace

void TReadCompletion::Start(Clock::time_point now)
{
    start_ = now;
    lastByte_ = now;
}

std::optional<TReadCompletion::Clock::time_point> TReadCompletion::Deadline(std::size_t count,
                                                                            const TCommTimeouts& timeouts) const
{
    std::optional<Clock::time_point> deadline;
    if (count > 0 && timeouts.ReadIntervalTimeout > 0)
        deadline = lastByte_ + std::chrono::milliseconds(timeouts.ReadIntervalTimeout);
    const auto total = TotalTimeout(timeouts);
    if (total.count() > 0) {
        const auto totalDeadline = start_ + total;
        deadline = deadline ? std::min(*deadline, totalDeadline) : totalDeadline;
    }
    return deadline;
}

bool TReadCompletion::IsComplete(Clock::time_point now, std::size_t count, const TCommTimeouts& timeouts) const
{
    if (count >= kReadBufferSize)
        return true;
    const auto deadline = Deadline(count, timeouts);
    return deadline && now >= *deadline;
}
