// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the device link's receive handler with arbitrary blocks and block sequences,
// interleaved with poll ticks, writes, display ticks and the passing of time.
//
// The input is a script: each step takes one operation byte and its operands. After
// every block delivered the invariants are checked:
//  - a reply is decoded as block B only when every read that might still be answered
//    by its station (every one in flight, within the horizon) asked for block B;
//  - the register state changes only for a block whose first 25 bytes are a valid
//    function 03 reply of ten registers from a station a read in flight went to; the
//    changed registers all lie in one block that a read sent within the horizon asked
//    for, and hold exactly the values the reply carries;
//  - a block that is no valid frame leaves every request in flight in place, and a
//    reply takes at most one request (a write echo also settles those sent before it);
//  - the poll state bytes after the frame area (block index, write-wait ticks) are
//    never written by a block; the block-done flag only rises with a decoded reply or
//    an exception reply;
//  - the frame area is clear after every block.
// After every poll tick: the cycle moved to another block only with no read in flight.
#include "device/device_link.h"
#include "device/frame_codec.h"
#include "fuzz/fuzz_check.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

class FuzzHost : public DeviceLinkHost {
public:
    bool ticked = true;
    std::string address = "1";
    bool sendSucceeds = true;
    std::int64_t nowMs = 0;
    bool lamp = false;
    // Read requests sent, with their send times.
    std::vector<std::pair<int, std::int64_t>> readsSent;
    RequestFrame lastWrite{};

    bool CommunicationTicked() const override { return ticked; }
    std::string StationAddressText() const override { return address; }
    bool SendData(const std::uint8_t* data, std::uint16_t length) override
    {
        FUZZ_CHECK(length == RequestFrameLength, "a request is not 8 bytes");
        if (sendSucceeds) {
            if (data[1] == ReadHoldingRegistersFunction) readsSent.emplace_back(data[3] / 10, nowMs);
            else std::copy(data, data + length, lastWrite.begin());
        }
        return sendSucceeds;
    }
    void Pause(int) override {}
    void SetCommunicationLamp(bool lit) override { lamp = lit; }
    void SetMemo12Text(const std::string&) override {}
    void SetMemo13Text(const std::string&) override {}
    std::int64_t MonotonicMs() const override { return nowMs; }
};

// Reads operands from the script; past its end every operand is zero.
class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return pos_ >= size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::vector<std::uint8_t> Bytes(std::size_t count)
    {
        count = std::min(count, size_ - std::min(pos_, size_));
        std::vector<std::uint8_t> bytes(data_ + pos_, data_ + pos_ + count);
        pos_ += count;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool IsValidReadReply(const std::vector<std::uint8_t>& block)
{
    if (block.size() < 25 || block[1] != 0x03 || block[2] != 20) return false;
    return HasValidCrc(block.data(), 25);
}

std::vector<std::uint8_t> ValidReadReply(Script& script)
{
    std::vector<std::uint8_t> reply{script.Byte(), 0x03, 20};
    const std::vector<std::uint8_t> data = script.Bytes(20);
    reply.insert(reply.end(), data.begin(), data.end());
    reply.resize(23, 0);
    return WithCrc(reply);
}

class Harness {
public:
    void Deliver(const std::vector<std::uint8_t>& block, std::size_t claimedLength)
    {
        const auto registersBefore = Registers();
        const auto& buffer = link_.ReplyBuffer();
        const std::array<std::uint8_t, 3> stateBefore{buffer[255], buffer[256], buffer[257]};
        const ReplyCounts countsBefore = link_.Replies();
        // What might still be answered once the horizon has been applied at this time.
        std::vector<RequestInFlight> inFlight;
        for (const auto& r : link_.InFlight().Requests())
            if (host.nowMs - r.sentAtMs <= RequestsInFlight::HorizonMs) inFlight.push_back(r);

        const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(claimedLength, 65535));
        link_.Comm1ReceiveData(block.empty() ? nullptr : block.data(), block.empty() ? length : static_cast<std::uint16_t>(block.size()));

        const ReplyCounts& counts = link_.Replies();
        const bool decoded = counts.Decoded != countsBefore.Decoded;
        const bool exception = counts.Exceptions != countsBefore.Exceptions;
        const bool rejected = counts.Rejected != countsBefore.Rejected;
        FUZZ_CHECK(!decoded || IsValidReadReply(block), "a block that is no valid read reply was decoded");
        if (decoded) CheckEveryReadAskedForTheDecodedBlock(inFlight, block[0]);
        const std::size_t after = link_.InFlight().Requests().size();
        FUZZ_CHECK(!rejected || after == inFlight.size(), "a block that is no valid frame took a request");
        FUZZ_CHECK(!(decoded || exception) || after + 1 == inFlight.size(), "a reply took other than one request");
        FUZZ_CHECK(buffer[255] == stateBefore[0], "a block wrote the block index");
        FUZZ_CHECK(buffer[257] == stateBefore[2], "a block wrote the write-wait ticks");
        FUZZ_CHECK(buffer[256] == stateBefore[1] || ((decoded || exception) && buffer[256] == 1), "a block wrote the done flag");
        for (int i = 0; i < DeviceLink::FrameAreaSize; ++i) FUZZ_CHECK(buffer[i] == 0, "frame area not cleared");
        CheckRegisters(registersBefore, block, decoded);
    }

    void Tick()
    {
        const int blockBefore = link_.BlockIndex();
        std::size_t readsInFlight = 0;
        for (const auto& r : link_.InFlight().Requests())
            readsInFlight += r.kind == RequestInFlight::Kind::Read && host.nowMs - r.sentAtMs <= RequestsInFlight::HorizonMs;
        link_.Timer1Timer();
        CheckBlockIndex();
        FUZZ_CHECK(link_.BlockIndex() == blockBefore || readsInFlight == 0, "the cycle moved on with a read in flight");
    }
    FuzzHost host;
    DeviceLink link_{host};

private:
    std::array<std::uint32_t, DeviceLink::RegisterCount> Registers() const
    {
        std::array<std::uint32_t, DeviceLink::RegisterCount> r{};
        for (int n = 0; n < DeviceLink::RegisterCount; ++n) r[static_cast<std::size_t>(n)] = link_.Register(n);
        return r;
    }

    void CheckRegisters(const std::array<std::uint32_t, DeviceLink::RegisterCount>& before,
                        const std::vector<std::uint8_t>& block, bool decoded)
    {
        const auto after = Registers();
        int changedBlock = -1;
        for (int n = 0; n < DeviceLink::RegisterCount; ++n) {
            const auto i = static_cast<std::size_t>(n);
            if (after[i] == before[i]) continue;
            FUZZ_CHECK(decoded, "registers changed without a decoded reply");
            FUZZ_CHECK(changedBlock < 0 || changedBlock == n / 10, "one reply changed two blocks");
            changedBlock = n / 10;
            const std::size_t at = 3 + 2 * static_cast<std::size_t>(n % 10);
            FUZZ_CHECK(after[i] == block[at] * 256u + block[at + 1], "a register holds a value the reply did not carry");
        }
        if (changedBlock < 0) return;
        FUZZ_CHECK(changedBlock == expectedBlock_, "a reply was decoded as another block than its reads asked for");
        const bool asked = std::any_of(host.readsSent.begin(), host.readsSent.end(), [&](const auto& read) {
            return read.first == changedBlock && host.nowMs - read.second <= RequestsInFlight::HorizonMs;
        });
        FUZZ_CHECK(asked, "a reply was decoded as a block no recent read asked for");
    }

    // The decoded block must be the one every read to that station in flight asked for.
    void CheckEveryReadAskedForTheDecodedBlock(const std::vector<RequestInFlight>& inFlight, std::uint8_t station)
    {
        int asked = -1;
        for (const auto& r : inFlight) {
            if (r.kind != RequestInFlight::Kind::Read || r.Station() != station) continue;
            FUZZ_CHECK(asked < 0 || asked == r.block, "a reply was decoded while reads for two blocks might be answered");
            asked = r.block;
        }
        FUZZ_CHECK(asked >= 0, "a reply was decoded with no read to its station in flight");
        expectedBlock_ = asked;
    }

    void CheckBlockIndex() const { FUZZ_CHECK(link_.BlockIndex() >= 0 && link_.BlockIndex() <= 2, "block index out of range"); }

    int expectedBlock_ = -1;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Harness h;
    Script script(data, size);
    while (!script.Done()) {
        switch (script.Byte() % 12) {
        case 0: h.Tick(); break;
        case 1: h.host.nowMs += 50 * script.Byte(); break;
        case 2: {   // an arbitrary block of up to 255 bytes
            const std::size_t length = script.Byte();
            h.Deliver(script.Bytes(length), length);
            break;
        }
        case 3: {   // an oversize block: the script bytes repeated up to 65535 bytes
            const std::size_t length = 256u + script.Byte() * 256u + script.Byte();
            std::vector<std::uint8_t> block = script.Bytes(16);
            block.resize(std::min<std::size_t>(length, 65535), block.empty() ? 0 : block.back());
            h.Deliver(block, block.size());
            break;
        }
        case 4: h.Deliver(ValidReadReply(script), 25); break;
        case 5: {   // a valid reply with bytes after it in the same block
            std::vector<std::uint8_t> block = ValidReadReply(script);
            const std::vector<std::uint8_t> tail = script.Bytes(script.Byte() % 40);
            block.insert(block.end(), tail.begin(), tail.end());
            h.Deliver(block, block.size());
            break;
        }
        case 6: {   // the echo of the last write, possibly damaged
            std::vector<std::uint8_t> echo(h.host.lastWrite.begin(), h.host.lastWrite.end());
            const std::uint8_t damage = script.Byte();
            if (damage < 64) echo[damage % echo.size()] ^= static_cast<std::uint8_t>(damage | 1);
            h.Deliver(echo, echo.size());
            break;
        }
        case 7: h.link_.SwitchChange(script.Byte() & 1 ? "RUN" : "STOP"); break;
        case 8: h.link_.KnobClick(script.Byte() % 5, script.Byte() * 3.5); break;
        case 9: h.link_.WriteExpiryStep(); break;
        case 10: h.Deliver({}, script.Byte()); break;   // no buffer at all
        case 11: {
            const std::uint8_t what = script.Byte();
            if (what < 32) h.host.ticked = !h.host.ticked;
            else if (what < 64) h.host.sendSucceeds = !h.host.sendSucceeds;
            else if (what < 96) h.host.address = std::to_string(what % 4);   // 0 is refused
            break;
        }
        }
    }
    return 0;
}
