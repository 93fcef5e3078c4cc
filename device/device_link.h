// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Modbus RTU master of the console: the poll cycle over the holding register
// blocks 0, 10 and 20, reply decoding into the register state, and the operator's
// single-register write commands. Plain C++; the main window supplies its controls
// and serial port through DeviceLinkHost and calls the handlers below.
//
// Each received block is matched to the request it answers: a valid read reply to the
// oldest read in flight, decoded only when that cannot be mistaken for another block;
// a write echo to the write it repeats; anything else answers nothing and unlights the
// communication lamp (see RequestsInFlight for the rule). The cycle moves on to the next
// block only when no read is in flight, so a late reply always answers a request for
// the block it carries. A pending write still holds polling back until its echo
// arrives or four display ticks pass.

#include "device/requests_in_flight.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What the link asks of the main window. The window implements it with its controls and Comm1.
class DeviceLinkHost {
public:
    virtual ~DeviceLinkHost() = default;
    virtual bool CommunicationTicked() const = 0;          // CheckBox2 ticked
    virtual std::string StationAddressText() const = 0;    // ComboBox1 text
    virtual bool SendData(const std::uint8_t* data, std::uint16_t length) = 0;  // Comm1.SendData
    virtual void Pause(int milliseconds) = 0;              // pause after a send (5 ms read, 40 ms write)
    virtual void SetCommunicationLamp(bool lit) = 0;       // Image14 shown / hidden
    virtual void SetMemo12Text(const std::string& text) = 0;
    virtual void SetMemo13Text(const std::string& text) = 0;
    // Milliseconds of a clock that never goes back; replies are matched to requests by it.
    virtual std::int64_t MonotonicMs() const
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

// What became of the read replies received so far.
struct ReplyCounts {
    std::uint64_t Decoded = 0;   // valid read replies decoded as the block they answer
    std::uint64_t Dropped = 0;   // valid read replies with no request to answer, or an ambiguous one
    std::uint64_t Rejected = 0;  // blocks that were neither a valid read reply nor an awaited echo
};

// Register number and value bytes of the last write command.
struct PendingWriteContents {
    std::uint8_t Register = 0;
    std::uint8_t ValueHi = 0;
    std::uint8_t ValueLo = 0;
};

class DeviceLink {
public:
    static constexpr int ReplyBufferSize = 258;
    static constexpr int FrameAreaSize = 255;          // bytes 0..254 take each received block
    static constexpr int BlockIndexByte = 255;
    static constexpr int BlockDoneByte = 256;
    static constexpr int WriteWaitTicksByte = 257;
    static constexpr int RegisterCount = 30;           // registers 0..29 are polled
    static constexpr int ReadPauseMs = 5;
    static constexpr int WritePauseMs = 40;

    explicit DeviceLink(DeviceLinkHost& host);

    void Timer1Timer();                                          // poll tick
    void Comm1ReceiveData(const void* Buffer, std::uint16_t BufferLength);
    void WriteExpiryStep();                                      // run once per display tick
    void KnobClick(int registerNumber, double position);         // iKnob1Click (1), iKnob2Click (2), iKnob3Click (3)
    void SwitchChange(const std::string& switchCaption);         // iSwitchLed1Change: "STOP" -> 0 / "1111", "RUN" -> 1 / "3333"

    std::uint32_t Register(int number) const;                    // RegisterState, 0 for registers not kept
    const std::array<std::uint8_t, 258>& ReplyBuffer() const;
    int BlockIndex() const;
    bool BlockDone() const;
    int WriteWaitTicks() const;
    bool WritePending() const;
    const PendingWriteContents& PendingWrite() const;            // the last PendingWrite contents

    // The station address to talk to: the address text read leniently, accepted only
    // as 1 to 255 (0 is the broadcast address and larger values are no station).
    std::optional<std::uint8_t> StationAddress() const;

    // True if a register is mirrored from the device (0..12, 14, 15, 20..24).
    static bool IsKeptRegister(int number);

    // The 16-bit value a knob at this position writes: nearest integer, ties to even,
    // low 16 bits (two's complement for negative values). Empty for NaN or infinity.
    static std::optional<std::uint16_t> KnobValue(double position);

    // Requests sent and not yet answered or expired, and what became of the replies.
    const RequestsInFlight& InFlight() const { return inFlight_; }
    const ReplyCounts& Replies() const { return replyCounts_; }

private:
    void AdvanceBlockIfDone();
    void SendReadRequest(std::uint8_t start, std::uint8_t count);
    bool SendWriteRequest();
    void IssueWrite(std::uint8_t reg, std::uint16_t value);
    bool IsReadReply(std::size_t length) const;
    void DecodeAnswer(int block);
    void DecodeBlock(int block);
    void ClearFrameArea();

    DeviceLinkHost& host_;
    std::array<std::uint8_t, 258> replyBuffer_{};
    bool writePending_ = false;
    PendingWriteContents pendingWrite_{};
    std::array<std::uint32_t, RegisterCount> registerState_{};
    bool readAwaitingReply_ = false;   // a read request went out and no reply was decoded since
    RequestsInFlight inFlight_;
    ReplyCounts replyCounts_;
};
