// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Modbus RTU master of the console: the poll cycle over the holding register
// blocks 0, 10 and 20, reply decoding into the register state, and the operator's
// single-register write commands. Plain C++; the main window supplies its controls
// and serial port through DeviceLinkHost and calls the handlers below.
//
// Each received block is judged by its own bytes (ClassifyBlock) and matched to the
// request it answers (RequestsInFlight, which states the rule): a read reply is decoded
// only as the block that every read which might still be answered asked for, a write
// echo answers the write it repeats, an exception reply answers its request and is
// decoded as nothing, and anything else answers nothing and unlights the communication
// lamp. The cycle moves on to the next block only when no read might still be answered,
// so under a slow or faulty line it slows down instead of guessing. A write holds
// polling back until its echo arrives or four display ticks pass; a new write restarts
// that wait. Observers (LinkObserver) are told of every request, block and verdict.
//
// "Follow the start" (off unless switched on, by the operator's choice only) reads block
// 0 alone as fast as the device answers: one read at a time, the next as soon as the
// reply is in or, with no reply, at the first poll tick after its reply window. Its first
// read goes out as soon as no read of another block might still be answered, and when
// it is switched off the cycle moves on from block 0 as usual.

#include "device/link_observer.h"
#include "device/received_block.h"
#include "device/requests_in_flight.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
    std::uint64_t Decoded = 0;     // valid read replies decoded as the block they answer
    std::uint64_t Dropped = 0;     // valid replies that answered nothing (late, ambiguous, unasked, other station)
    std::uint64_t Rejected = 0;    // blocks that were no valid frame: damaged replies and noise
    std::uint64_t Exceptions = 0;  // exception replies that answered a request
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
    // Following the start: how long a read waits for its reply before the next poll tick
    // may send another.
    static constexpr std::int64_t FollowReplyWindowMs = 500;

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

    // The station address to talk to: accepted only when the whole address text (blanks
    // around it allowed) is one number as the lenient rule reads it, decimal or
    // hexadecimal ("0x10", "$1F"), from 1 to 255. 0 is the broadcast address, larger
    // values are no station, and text with anything left over ("12abc", "1O") names none.
    std::optional<std::uint8_t> StationAddress() const;

    // True if a register is mirrored from the device (0..12, 14, 15, 20..24).
    static bool IsKeptRegister(int number);

    // The 16-bit value a knob at this position writes: nearest integer, ties to even,
    // low 16 bits (two's complement for negative values). Empty for NaN or infinity.
    static std::optional<std::uint16_t> KnobValue(double position);

    // Requests that might still be answered, and what became of the replies.
    const RequestsInFlight& InFlight() const { return inFlight_; }
    const ReplyCounts& Replies() const { return replyCounts_; }

    // Observers are told of every event from then on; they must outlive their
    // registration and must not add or remove observers while being told.
    void AddObserver(LinkObserver* observer);
    void RemoveObserver(LinkObserver* observer);

    // Reads block 0 alone, as fast as the device answers, while on (see above). Switching
    // it on sends the first read at once if no read might still be answered.
    void SetFollowBlock0(bool on);
    bool FollowingBlock0() const { return followBlock0_; }

private:
    void GiveUpPastHorizon(std::int64_t nowMs);
    void AdvanceBlockIfDone();
    bool FollowReadWithinReplyWindow(std::int64_t nowMs) const;
    void FollowUpWithNextRead();
    void SendReadRequest(std::uint8_t start, std::uint8_t count);
    bool SendWriteRequest();
    void IssueWrite(std::uint8_t reg, std::uint16_t value);
    void JudgeFrames(std::span<const std::uint8_t> frameArea, std::span<const std::uint8_t> delivered, std::int64_t now);
    void JudgeBlock(const ReceivedBlock& block, std::span<const std::uint8_t> bytes, BlockJudgedEvent& event);
    void JudgeReadReply(const ReceivedBlock& block, BlockJudgedEvent& event);
    void JudgeWriteFrame(std::span<const std::uint8_t> bytes, BlockJudgedEvent& event);
    void JudgeException(const ReceivedBlock& block, BlockJudgedEvent& event);
    void AnswersNothing(const ReplyMatch& match, BlockJudgedEvent& event);
    bool FromOtherStation(std::uint8_t station) const;
    // Send time of the newest request in flight that a reply of this kind might answer.
    std::optional<std::int64_t> NewestCandidateSentAt(std::uint8_t station, std::uint8_t function,
                                                      const RequestFrame* echo) const;
    void DecodeAnswer(int block, const BlockRegisters& registers);
    void DecodeBlock(int block, const BlockRegisters& registers);
    void ClearFrameArea();
    void SetLamp(bool lit);
    template <typename Event>
    void Notify(void (LinkObserver::*method)(const Event&), const Event& event);

    DeviceLinkHost& host_;
    std::array<std::uint8_t, 258> replyBuffer_{};
    bool writePending_ = false;
    PendingWriteContents pendingWrite_{};
    std::array<std::uint32_t, RegisterCount> registerState_{};
    bool readAwaitingReply_ = false;   // a read request went out and no reply was decoded since
    std::optional<RequestFrame> awaitedWrite_;   // the last write sent: its echo ends the wait
    std::optional<std::uint8_t> lastStation_;    // the station the last request went to
    bool lampLit_ = false;
    bool followBlock0_ = false;
    std::int64_t lastReadSentMs_ = 0;
    RequestsInFlight inFlight_;
    ReplyCounts replyCounts_;
    std::vector<LinkObserver*> observers_;
};
