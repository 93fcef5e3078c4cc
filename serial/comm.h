// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/serial/port_open_failure.h"
#include "platform/serial/posted_message.h"
#include "serial/comm_timeouts.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace platform {
class CloseEvent;
class MainThreadMailbox;
class SerialDevice;
struct LineSettings;
}  // namespace platform

class TReadThread;
class TWriteThread;

class ECommsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ECommsError(const std::string& what, platform::PortOpenFailure why)
        : std::runtime_error(what), openFailure_(std::move(why))
    {
    }
    // Why the device could not be opened, when that is what failed.
    const std::optional<platform::PortOpenFailure>& OpenFailure() const { return openFailure_; }

private:
    std::optional<platform::PortOpenFailure> openFailure_;
};

enum class TDtrControl { DtrDisable = 0, DtrEnable = 1, DtrHandshake = 2 };
enum class TRtsControl { RtsDisable = 0, RtsEnable = 1, RtsHandshake = 2, RtsTransmissionAvailable = 3 };
enum class TByteSize { _5, _6, _7, _8 };
enum class TParity { None, Odd, Even, Mark, Space };
enum class TStopBits { _1, _1_5, _2 };

// A serial port with a reader and a writer thread. Opening configures the
// line and starts both threads; received bytes, line events and the writer's
// state come back as events, always called on the main thread (the thread
// that created the component) from its event loop.
//
// Property setters store the value and, while the port is open, apply it at
// once; CommName and Parity are only stored and take effect at the next
// OpenPort. Handlers may call ClosePort or OpenPort. Messages posted by the
// threads of a port session that has since been closed are discarded unseen
// (their blocks freed), so a closed port reports nothing.
class TComm : public QObject {
    Q_OBJECT

public:
    explicit TComm(QObject* owner = nullptr);
    ~TComm() override;  // closes an open port first

    void OpenPort();  // throws ECommsError
    void ClosePort();
    bool SendData(const void* Buffer, std::uint16_t Length);
    bool IsOpen() const;

    const std::string& CommName() const { return commName_; }
    void SetCommName(const std::string& value) { commName_ = value; }
    std::uint32_t BaudRate() const { return baudRate_; }
    void SetBaudRate(std::uint32_t value);
    bool ParityCheck() const { return parityCheck_; }
    void SetParityCheck(bool value);
    bool Outx_CtsFlow() const { return outxCtsFlow_; }
    void SetOutx_CtsFlow(bool value);
    bool Outx_DsrFlow() const { return outxDsrFlow_; }
    void SetOutx_DsrFlow(bool value);
    TDtrControl DtrControl() const { return dtrControl_; }
    void SetDtrControl(TDtrControl value);
    bool DsrSensitivity() const { return dsrSensitivity_; }
    void SetDsrSensitivity(bool value);
    bool TxContinueOnXoff() const { return txContinueOnXoff_; }
    void SetTxContinueOnXoff(bool value);
    bool Outx_XonXoffFlow() const { return outxXonXoffFlow_; }
    void SetOutx_XonXoffFlow(bool value);
    bool Inx_XonXoffFlow() const { return inxXonXoffFlow_; }
    void SetInx_XonXoffFlow(bool value);
    bool ReplaceWhenParityError() const { return replaceWhenParityError_; }
    void SetReplaceWhenParityError(bool value);
    bool IgnoreNullChar() const { return ignoreNullChar_; }
    void SetIgnoreNullChar(bool value);
    TRtsControl RtsControl() const { return rtsControl_; }
    void SetRtsControl(TRtsControl value);
    std::uint16_t XonLimit() const { return xonLimit_; }
    void SetXonLimit(std::uint16_t value);
    std::uint16_t XoffLimit() const { return xoffLimit_; }
    void SetXoffLimit(std::uint16_t value);
    TByteSize ByteSize() const { return byteSize_; }
    void SetByteSize(TByteSize value);
    TParity Parity() const { return parity_; }
    void SetParity(TParity value) { parity_ = value; }
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits value);
    char XonChar() const { return xonChar_; }
    void SetXonChar(char value);
    char XoffChar() const { return xoffChar_; }
    void SetXoffChar(char value);
    char ReplacedChar() const { return replacedChar_; }
    void SetReplacedChar(char value);
    std::uint32_t ReadIntervalTimeout() const { return timeouts_.ReadIntervalTimeout; }
    void SetReadIntervalTimeout(std::uint32_t value);
    std::uint32_t ReadTotalTimeoutMultiplier() const { return timeouts_.ReadTotalTimeoutMultiplier; }
    void SetReadTotalTimeoutMultiplier(std::uint32_t value);
    std::uint32_t ReadTotalTimeoutConstant() const { return timeouts_.ReadTotalTimeoutConstant; }
    void SetReadTotalTimeoutConstant(std::uint32_t value);
    std::uint32_t WriteTotalTimeoutMultiplier() const { return timeouts_.WriteTotalTimeoutMultiplier; }
    void SetWriteTotalTimeoutMultiplier(std::uint32_t value);
    std::uint32_t WriteTotalTimeoutConstant() const { return timeouts_.WriteTotalTimeoutConstant; }
    void SetWriteTotalTimeoutConstant(std::uint32_t value);

    std::function<void(TComm* Sender, const void* Buffer, std::uint16_t BufferLength)> OnReceiveData;
    std::function<void(TComm* Sender, std::uint32_t EventMask)> OnReceiveError;
    std::function<void(TComm* Sender, std::uint32_t ModemEvent)> OnModemStateChange;
    std::function<void(TComm* Sender)> OnRequestHangup;
    std::function<void(TComm* Sender)> OnSendDataEmpty;

private:
    template <typename T>
    void SetLineProperty(T& field, T value);
    void SetTimeout(std::uint32_t TCommTimeouts::*field, std::uint32_t value);
    platform::LineSettings LineSettingsRecord() const;
    void ApplyCommState();
    void ApplyCommTimeouts();
    void StartThreads();
    void StopReader();
    void StopWriter();
    void ReleasePort();
    void PortWindowProc(platform::PostedMessage& message);

    std::string commName_ = "COM2";
    std::uint32_t baudRate_ = 9600;
    bool parityCheck_ = false;
    bool outxCtsFlow_ = false;
    bool outxDsrFlow_ = false;
    TDtrControl dtrControl_ = TDtrControl::DtrEnable;
    bool dsrSensitivity_ = false;
    bool txContinueOnXoff_ = true;
    bool outxXonXoffFlow_ = true;
    bool inxXonXoffFlow_ = true;
    bool replaceWhenParityError_ = false;
    bool ignoreNullChar_ = false;
    TRtsControl rtsControl_ = TRtsControl::RtsEnable;
    std::uint16_t xonLimit_ = 500;
    std::uint16_t xoffLimit_ = 500;
    TByteSize byteSize_ = TByteSize::_8;
    TParity parity_ = TParity::None;
    TStopBits stopBits_ = TStopBits::_1;
    char xonChar_ = 0x11;
    char xoffChar_ = 0x13;
    char replacedChar_ = 0x00;
    TCommTimeouts timeouts_;

    std::unique_ptr<platform::SerialDevice> portHandle_;  // null: closed
    std::unique_ptr<platform::CloseEvent> closeEvent_;
    std::unique_ptr<TReadThread> reader_;
    std::unique_ptr<TWriteThread> writer_;
    std::unique_ptr<platform::MainThreadMailbox> notifyWindow_;
    std::atomic<bool> sendEmpty_{true};
    TLivePortSettings liveSettings_;
    std::uint64_t session_ = 0;      // session of the open port; 0 while closed
    std::uint64_t lastSession_ = 0;  // last session number handed out
};
