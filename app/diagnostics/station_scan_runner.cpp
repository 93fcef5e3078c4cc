// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/station_scan_runner.h"

#include "app/diagnostics/port_open_reason.h"
#include "app/diagnostics/port_takeover.h"
#include "app/form1.h"
#include "app/frame_format.h"
#include "serial/comm.h"

#include <QTimer>

#include <chrono>

StationScanRunner::StationScanRunner(TForm1& form, QObject* parent)
    : QObject(parent), form_(form), comm_(new TComm(this)), wake_(new QTimer(this))
{
    wake_->setSingleShot(true);
    connect(wake_, &QTimer::timeout, this, [this] { Drive(); });
    comm_->SetOutx_XonXoffFlow(false);
    comm_->SetInx_XonXoffFlow(false);
    comm_->SetRtsControl(TRtsControl::RtsDisable);
    comm_->OnReceiveData = [this](TComm*, const void* buffer, std::uint16_t length) { Received(buffer, length); };
    comm_->OnRequestHangup = [this](TComm*) { End(tr("串口断开了")); };
}

StationScanRunner::~StationScanRunner()
{
    // Made and kept by its window until the main window goes: nothing to give back then.
    if (takeover_) takeover_->Abandon();
    comm_->ClosePort();
}

std::int64_t StationScanRunner::NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool StationScanRunner::Start(const ScanPlan& plan)
{
    if (Running()) {
        error_ = tr("查找已在进行");
        return false;
    }
    if (plan.TryCount() == 0) {
        error_ = tr("查找范围无效");
        return false;
    }
    error_.clear();
    scan_.emplace(plan);
    takeover_ = std::make_unique<PortTakeover>(form_);
    comm_->SetCommName(takeover_->PortName());
    Drive();
    return true;
}

void StationScanRunner::Cancel()
{
    if (!Running()) return;
    scan_->Cancel();
    End(QString());
}

bool StationScanRunner::SetLine(const ScanTry& attempt)
{
    comm_->ClosePort();
    const auto format = FrameFormatFromText(attempt.format);
    if (!format) {
        error_ = tr("未知的位元格式 %1").arg(QString::fromStdString(attempt.format));
        return false;
    }
    comm_->SetBaudRate(attempt.baud);
    comm_->SetByteSize(format->byteSize);
    comm_->SetParity(format->parity);
    comm_->SetStopBits(format->stopBits);
    comm_->SetReadIntervalTimeout(static_cast<std::uint32_t>(scan_->Plan().quietMs));
    try {
        comm_->OpenPort();
    } catch (const ECommsError& failure) {
        error_ = tr("打开串口错误");
        if (failure.OpenFailure()) error_ += QLatin1Char('\n') + PortOpenReasonText(*failure.OpenFailure(), {});
        return false;
    }
    return true;
}

void StationScanRunner::Drive()
{
    while (Running()) {
        const std::int64_t now = NowMs();
        const StationScan::Step step = scan_->Next(now);
        switch (step.action) {
        case StationScan::Action::SetLine:
            current_ = step.attempt;
            if (!SetLine(step.attempt)) return End(error_);
            continue;
        case StationScan::Action::Send:
            current_ = step.attempt;
            if (!comm_->SendData(step.request.data(), static_cast<std::uint16_t>(step.request.size())))
                return End(tr("发送失败"));
            wake_->start(static_cast<int>(std::max<std::int64_t>(0, step.wakeAtMs - now)));
            if (OnProgress) OnProgress();
            return;
        case StationScan::Action::Wait:
            wake_->start(static_cast<int>(std::max<std::int64_t>(0, step.wakeAtMs - now)));
            return;
        case StationScan::Action::Finished:
            return End(QString());
        }
    }
}

void StationScanRunner::Received(const void* buffer, std::uint16_t length)
{
    if (!Running() || !buffer) return;
    const std::size_t found = scan_->Found().size();
    const std::size_t done = scan_->TriesDone();
    scan_->Received({static_cast<const std::uint8_t*>(buffer), length}, NowMs());
    if (scan_->Found().size() != found && OnProgress) OnProgress();
    if (scan_->TriesDone() != done || scan_->Finished()) Drive();
}

void StationScanRunner::End(const QString& error)
{
    if (!Running()) return;
    wake_->stop();
    comm_->ClosePort();
    if (!error.isEmpty()) error_ = error;
    if (!scan_->Finished()) scan_->Cancel();
    takeover_.reset();   // the port goes back to the main window
    if (OnFinished) OnFinished();
}
