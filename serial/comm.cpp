// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/comm.h"

#include "platform/serial/close_event.h"
#include "platform/serial/line_settings.h"
#include "platform/serial/main_thread_mailbox.h"
#include "platform/serial/serial_device.h"
#include "serial/comm_messages.h"
#include "serial/read_thread.h"
#include "serial/write_thread.h"

#include <cstring>
#include <system_error>

TComm::TComm(QObject* owner)
    : QObject(owner),
      notifyWindow_(std::make_unique<platform::MainThreadMailbox>(
          [this](platform::PostedMessage& message) { PortWindowProc(message); }))
{
}

TComm::~TComm()
{
    ClosePort();
}

bool TComm::IsOpen() const
{
    return portHandle_ != nullptr;
}

void TComm::OpenPort()
{
    if (IsOpen())
        throw ECommsError("This serial port already opened");
    platform::OpenError error;
    auto port = platform::SerialDevice::Open(commName_, &error);
    if (!port)
        throw ECommsError("Error opening serial port",
                          platform::ExplainOpenFailure(platform::SerialDevice::DevicePath(commName_), error));
    // The tty layer sizes its own queues; there is nothing to set up.
    portHandle_ = std::move(port);
    portHandle_->Purge(platform::PurgeSide::Both);
    sendEmpty_.store(true);
    ApplyCommTimeouts();
    ApplyCommState();
    closeEvent_ = std::make_unique<platform::CloseEvent>();
    if (!closeEvent_->IsValid() || !notifyWindow_->IsValid()) {
        ReleasePort();
        throw ECommsError("Unable to create event");
    }
    session_ = ++lastSession_;
    StartThreads();
}

// Starts the reader, then the writer. Thread priorities are left at the
// default: the threads spend their time waiting in poll().
void TComm::StartThreads()
{
    TPortThreadContext context;
    context.Port = portHandle_.get();
    context.CloseEvent = closeEvent_.get();
    context.NotifyWindow = notifyWindow_.get();
    context.Settings = &liveSettings_;
    context.Session = session_;
    try {
        reader_ = std::make_unique<TReadThread>(context);
        reader_->Start();
    } catch (const std::system_error&) {
        reader_.reset();
        ReleasePort();
        throw ECommsError("Unable to create read thread");
    }
    try {
        writer_ = std::make_unique<TWriteThread>(context, &sendEmpty_);
        if (!writer_->IsValid())
            throw std::system_error(std::make_error_code(std::errc::too_many_files_open));
        writer_->Start();
    } catch (const std::system_error&) {
        StopReader();
        writer_.reset();
        ReleasePort();
        throw ECommsError("Unable to create write thread");
    }
}

void TComm::ClosePort()
{
    if (!IsOpen())
        return;
    StopReader();
    StopWriter();
    ReleasePort();
}

// The threads wait on the close event in every poll, so joining them is
// bounded; no thread is ever killed.
void TComm::StopReader()
{
    if (!reader_)
        return;
    closeEvent_->Signal();
    portHandle_->Purge(platform::PurgeSide::Receive);
    reader_.reset();
}

void TComm::StopWriter()
{
    if (!writer_)
        return;
    closeEvent_->Signal();
    portHandle_->Purge(platform::PurgeSide::Transmit);
    sendEmpty_.store(true);
    writer_.reset();
}

void TComm::ReleasePort()
{
    closeEvent_.reset();
    portHandle_.reset();
    session_ = 0;
}

bool TComm::SendData(const void* Buffer, std::uint16_t Length)
{
    if (!writer_ || !writer_->IsRunning() || Length == 0 || Buffer == nullptr)
        return false;
    platform::PostedMessage message;
    message.number = MSG_COMM_WRITE;
    message.first = Length;
    message.block = std::make_unique<std::uint8_t[]>(std::size_t{Length} + 1);
    std::memcpy(message.block.get(), Buffer, Length);
    message.session = session_;
    // Cleared before posting so that the writer's "empty" can never be
    // overwritten by a stale "not empty" from here.
    const bool wasEmpty = sendEmpty_.exchange(false);
    if (!writer_->PostThreadMessage(std::move(message))) {
        sendEmpty_.store(wasEmpty);
        return false;
    }
    return true;
}

void TComm::PortWindowProc(platform::PostedMessage& message)
{
    if (session_ == 0 || message.session != session_)
        return;  // from a port session that has been closed: discarded
    switch (message.number) {
    case MSG_COMM_DATA:
        if (OnReceiveData)
            OnReceiveData(this, message.block.get(), static_cast<std::uint16_t>(message.first & 0xFFFF));
        break;
    case MSG_COMM_ERROR:
        if (OnReceiveError)
            OnReceiveError(this, message.second);
        break;
    case MSG_COMM_HANGUP:
        if (OnRequestHangup)
            OnRequestHangup(this);
        break;
    case MSG_COMM_MODEM:
        if (OnModemStateChange)
            OnModemStateChange(this, message.second);
        break;
    case MSG_COMM_SENT:
        if (OnSendDataEmpty)
            OnSendDataEmpty(this);
        break;
    default:
        break;
    }
}

platform::LineSettings TComm::LineSettingsRecord() const
{
    platform::LineSettings s;
    s.baudRate = baudRate_;
    s.parityCheck = parityCheck_;
    s.outxCtsFlow = outxCtsFlow_;
    s.outxDsrFlow = outxDsrFlow_;
    s.dtrControl = static_cast<platform::DtrMode>(static_cast<int>(dtrControl_));
    s.dsrSensitivity = dsrSensitivity_;
    s.txContinueOnXoff = txContinueOnXoff_;
    s.outXonXoffFlow = outxXonXoffFlow_;
    s.inXonXoffFlow = inxXonXoffFlow_;
    s.replaceWhenParityError = replaceWhenParityError_;
    s.ignoreNullChar = ignoreNullChar_;
    s.rtsControl = static_cast<platform::RtsMode>(static_cast<int>(rtsControl_));
    s.xonLimit = xonLimit_;
    s.xoffLimit = xoffLimit_;
    s.dataBits = static_cast<std::uint8_t>(static_cast<int>(byteSize_) + 5);
    s.parity = static_cast<platform::ParityMode>(static_cast<int>(parity_));
    s.stopBits = static_cast<platform::StopBitsMode>(static_cast<int>(stopBits_));
    s.xonChar = xonChar_;
    s.xoffChar = xoffChar_;
    s.replacedChar = replacedChar_;
    return s;
}

void TComm::ApplyCommState()
{
    liveSettings_.SetStripNulls(ignoreNullChar_);
    portHandle_->ApplyLineSettings(LineSettingsRecord());
}

void TComm::ApplyCommTimeouts()
{
    liveSettings_.SetTimeouts(timeouts_);
}
