// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/station_scan.h"

#include "device/received_block.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint8_t Block0Start = 0;
constexpr std::uint8_t Block0Count = 10;
constexpr int BitsPerCharacter = 11;   // start, 8 data, parity or second stop, stop
constexpr std::size_t CharactersPerTry = RequestFrameLength + ReceivedBlock::ReadReplyLength;

}  // namespace

bool ScanPlan::Valid() const
{
    return !bauds.empty() && !formats.empty() && firstAddress >= 1 && firstAddress <= lastAddress &&
           lastAddress <= HighestStation && answerWaitMs >= 0 && quietMs >= 0 &&
           std::none_of(bauds.begin(), bauds.end(), [](std::uint32_t baud) { return baud == 0; });
}

std::size_t ScanPlan::TryCount() const
{
    if (!Valid()) return 0;
    return bauds.size() * formats.size() * static_cast<std::size_t>(lastAddress - firstAddress + 1);
}

int ScanPlan::TryWaitMs(std::uint32_t baud) const
{
    const double lineMs = std::ceil(1000.0 * CharactersPerTry * BitsPerCharacter / std::max<std::uint32_t>(baud, 1));
    return static_cast<int>(lineMs) + answerWaitMs + quietMs;
}

double ScanPlan::SecondsAt(std::uint32_t baud) const
{
    if (!Valid()) return 0;
    const double tries = static_cast<double>(formats.size()) * (lastAddress - firstAddress + 1);
    return tries * TryWaitMs(baud) / 1000.0;
}

StationScan::StationScan(ScanPlan plan) : plan_(std::move(plan))
{
    if (plan_.TryCount() == 0) finished_ = true;
}

ScanTry StationScan::TryAt(std::size_t index) const
{
    const std::size_t addresses = static_cast<std::size_t>(plan_.lastAddress - plan_.firstAddress + 1);
    const std::size_t line = index / addresses;
    ScanTry attempt;
    attempt.index = index;
    attempt.baud = plan_.bauds[line / plan_.formats.size()];
    attempt.format = plan_.formats[line % plan_.formats.size()];
    attempt.address = static_cast<std::uint8_t>(plan_.firstAddress + index % addresses);
    return attempt;
}

std::size_t StationScan::LineOf(std::size_t index) const
{
    return index / static_cast<std::size_t>(plan_.lastAddress - plan_.firstAddress + 1);
}

StationScan::Step StationScan::Next(std::int64_t nowMs)
{
    Step step;
    if (finished_) return step;
    if (awaiting_) {
        if (nowMs < deadlineMs_) {
            step.action = Action::Wait;
            step.wakeAtMs = deadlineMs_;
            return step;
        }
        awaiting_ = false;   // no answer in time: the next try
        ++next_;
    }
    if (next_ >= plan_.TryCount()) {
        Finish();
        return step;
    }
    step.attempt = TryAt(next_);
    if (LineOf(next_) != lineSet_) {
        lineSet_ = LineOf(next_);
        step.action = Action::SetLine;
        return step;
    }
    step.action = Action::Send;
    step.request = BuildReadRequest(step.attempt.address, Block0Start, Block0Count);
    awaiting_ = true;
    sentAtMs_ = nowMs;
    deadlineMs_ = nowMs + plan_.TryWaitMs(step.attempt.baud);
    step.wakeAtMs = deadlineMs_;
    return step;
}

bool StationScan::TriedOnThisLine(std::uint8_t station) const
{
    if (lineSet_ == SIZE_MAX || next_ >= plan_.TryCount() || LineOf(next_) != lineSet_) return false;
    const std::uint8_t current = TryAt(next_).address;
    const std::uint8_t lastTried = awaiting_ ? current : static_cast<std::uint8_t>(current - 1);
    return station >= plan_.firstAddress && station <= lastTried;
}

void StationScan::Received(std::span<const std::uint8_t> bytes, std::int64_t nowMs)
{
    if (finished_ || !awaiting_) return;
    const ReceivedBlock block = ClassifyBlock(bytes, std::nullopt);
    const bool readReply = block.shape == ReceivedBlock::Shape::ReadReply;
    const bool refused = block.shape == ReceivedBlock::Shape::ExceptionReply &&
                         block.function == (ReadHoldingRegistersFunction | 0x80);
    if ((!readReply && !refused) || !TriedOnThisLine(block.station)) return;

    const ScanTry current = TryAt(next_);
    const bool ownReply = block.station == current.address;
    Record({block.station, current.baud, current.format, refused, refused ? block.exceptionCode : std::uint8_t{0},
            ownReply ? nowMs - sentAtMs_ : -1});
    if (ownReply) {
        awaiting_ = false;
        ++next_;
    }
    if (plan_.stopAtFirst) Finish();
}

void StationScan::Record(const FoundStation& station)
{
    const bool known = std::any_of(found_.begin(), found_.end(), [&](const FoundStation& f) {
        return f.address == station.address && f.baud == station.baud && f.format == station.format;
    });
    if (!known) found_.push_back(station);
}

void StationScan::Cancel()
{
    cancelled_ = true;
    Finish();
}

void StationScan::Finish()
{
    finished_ = true;
    awaiting_ = false;
}
