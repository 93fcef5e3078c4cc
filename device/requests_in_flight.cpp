// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/requests_in_flight.h"

#include <algorithm>
#include <cstring>

namespace {
bool IsRead(const RequestInFlight& r) { return r.kind == RequestInFlight::Kind::Read; }
bool IsWrite(const RequestInFlight& r) { return r.kind == RequestInFlight::Kind::Write; }
} // namespace

void RequestsInFlight::Add(const RequestInFlight& request)
{
    requests_.push_back(request);
    while (requests_.size() > Capacity) requests_.pop_front();
}

void RequestsInFlight::Expire(std::int64_t nowMs)
{
    // Requests are in send order, so the expired ones are at the front. A clock that
    // went backwards expires nothing.
    while (!requests_.empty() && nowMs - requests_.front().sentAtMs > ReplyExpiryMs) requests_.pop_front();
}

std::optional<int> RequestsInFlight::MatchReadReply(std::int64_t nowMs)
{
    Expire(nowMs);
    const auto oldest = std::find_if(requests_.begin(), requests_.end(), IsRead);
    if (oldest == requests_.end()) return std::nullopt;
    const int block = oldest->block;
    const bool sameBlock = std::all_of(requests_.begin(), requests_.end(),
                                       [block](const RequestInFlight& r) { return !IsRead(r) || r.block == block; });
    requests_.erase(oldest);
    if (!sameBlock) return std::nullopt;
    return block;
}

bool RequestsInFlight::MatchWriteEcho(const std::uint8_t* frame, std::size_t length, std::int64_t nowMs)
{
    Expire(nowMs);
    if (frame == nullptr || length < RequestFrameLength) return false;
    const auto echoed = std::find_if(requests_.begin(), requests_.end(), [frame](const RequestInFlight& r) {
        return IsWrite(r) && std::memcmp(r.frame.data(), frame, RequestFrameLength) == 0;
    });
    if (echoed == requests_.end()) return false;
    // Writes older than the echoed one were never answered in order: forget them too.
    const auto end = std::next(echoed);
    requests_.erase(std::remove_if(requests_.begin(), end, IsWrite), end);
    return true;
}

void RequestsInFlight::MatchDamagedBlock(std::int64_t nowMs)
{
    Expire(nowMs);
    if (!requests_.empty()) requests_.pop_front();
}

void RequestsInFlight::ForgetWrites()
{
    requests_.erase(std::remove_if(requests_.begin(), requests_.end(), IsWrite), requests_.end());
}

std::size_t RequestsInFlight::OutstandingReads() const
{
    return static_cast<std::size_t>(std::count_if(requests_.begin(), requests_.end(), IsRead));
}

std::size_t RequestsInFlight::OutstandingWrites() const
{
    return static_cast<std::size_t>(std::count_if(requests_.begin(), requests_.end(), IsWrite));
}
