// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/requests_in_flight.h"

#include <algorithm>

namespace {

bool IsRead(const RequestInFlight& r) { return r.kind == RequestInFlight::Kind::Read; }
bool IsWrite(const RequestInFlight& r) { return r.kind == RequestInFlight::Kind::Write; }

bool Asks(const RequestInFlight& r, std::uint8_t station, std::uint8_t function)
{
    return r.Station() == station && r.frame[1] == function;
}

} // namespace

bool RequestsInFlight::Add(const RequestInFlight& request)
{
    if (IsRead(request) && !HasRoomForRead()) return false;
    if (IsWrite(request) && OutstandingWrites() >= WriteCapacity)
        requests_.erase(std::find_if(requests_.begin(), requests_.end(), IsWrite));
    requests_.push_back(request);
    return true;
}

std::vector<RequestInFlight> RequestsInFlight::GiveUpPastHorizon(std::int64_t nowMs)
{
    std::vector<RequestInFlight> givenUp;
    // Requests are in send order, so those past the horizon are at the front.
    while (!requests_.empty() && nowMs - requests_.front().sentAtMs > HorizonMs) {
        givenUp.push_back(requests_.front());
        givenUp_.push_back(requests_.front());
        if (givenUp_.size() > GivenUpMemory) givenUp_.pop_front();
        requests_.pop_front();
    }
    return givenUp;
}

ReplyMatch RequestsInFlight::MatchReadReply(std::uint8_t station)
{
    return TakeOldestOf(station, ReadHoldingRegistersFunction);
}

ReplyMatch RequestsInFlight::MatchException(std::uint8_t station, std::uint8_t function)
{
    return TakeOldestOf(station, function);
}

ReplyMatch RequestsInFlight::TakeOldestOf(std::uint8_t station, std::uint8_t function)
{
    const auto asks = [&](const RequestInFlight& r) { return Asks(r, station, function); };
    const auto oldest = std::find_if(requests_.begin(), requests_.end(), asks);
    if (oldest == requests_.end()) return NothingToAnswer(station, function, nullptr);
    ReplyMatch match{ReplyMatch::Outcome::Answered, *oldest};
    const bool oneBlock = std::all_of(requests_.begin(), requests_.end(), [&](const RequestInFlight& r) {
        return !asks(r) || !IsRead(r) || r.block == oldest->block;
    });
    if (!oneBlock) match.outcome = ReplyMatch::Outcome::Ambiguous;
    requests_.erase(oldest);
    return match;
}

ReplyMatch RequestsInFlight::MatchWriteEcho(const RequestFrame& frame)
{
    const auto echoed = std::find_if(requests_.begin(), requests_.end(),
                                     [&](const RequestInFlight& r) { return IsWrite(r) && r.frame == frame; });
    if (echoed == requests_.end()) return NothingToAnswer(frame[0], WriteSingleRegisterFunction, &frame);
    ReplyMatch match{ReplyMatch::Outcome::Answered, *echoed};
    // Answers come in order: everything sent before the echoed write has been answered
    // already, or never will be.
    requests_.erase(requests_.begin(), std::next(echoed));
    return match;
}

ReplyMatch RequestsInFlight::NothingToAnswer(std::uint8_t station, std::uint8_t function, const RequestFrame* echo)
{
    const auto late = std::find_if(givenUp_.begin(), givenUp_.end(), [&](const RequestInFlight& r) {
        return Asks(r, station, function) && (echo == nullptr || r.frame == *echo);
    });
    if (late == givenUp_.end()) return {};
    ReplyMatch match{ReplyMatch::Outcome::LateBeyondHorizon, *late};
    givenUp_.erase(late);
    return match;
}

bool RequestsInFlight::AnyRequestTo(std::uint8_t station) const
{
    return std::any_of(requests_.begin(), requests_.end(), [station](const RequestInFlight& r) { return r.Station() == station; });
}

std::size_t RequestsInFlight::OutstandingReads() const
{
    return static_cast<std::size_t>(std::count_if(requests_.begin(), requests_.end(), IsRead));
}

std::size_t RequestsInFlight::OutstandingWrites() const
{
    return static_cast<std::size_t>(std::count_if(requests_.begin(), requests_.end(), IsWrite));
}
