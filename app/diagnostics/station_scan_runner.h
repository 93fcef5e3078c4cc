// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a device scan on the main window's port: takes the port over (PortTakeover),
// opens it with its own serial component at each try's line settings, sends what the
// scan asks for (function 03 reads of block 0, nothing else) and hands back whatever
// arrives. Event driven: it never waits on the main thread, and Cancel() ends it at once.

#include "device/station_scan.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class PortTakeover;
class QTimer;
class TComm;
class TForm1;

class StationScanRunner : public QObject {
    Q_OBJECT

public:
    explicit StationScanRunner(TForm1& form, QObject* parent = nullptr);
    ~StationScanRunner() override;

    // Starts a scan of the plan on the port the port box names; false with the reason in
    // Error() if the plan is empty or the scan is already running.
    bool Start(const ScanPlan& plan);
    void Cancel();

    bool Running() const { return takeover_ != nullptr; }
    // The scan running or last run (null before the first).
    const StationScan* Scan() const { return scan_ ? &*scan_ : nullptr; }
    const ScanTry& Current() const { return current_; }
    const QString& Error() const { return error_; }

    std::function<void()> OnProgress;   // a try sent or a station found
    std::function<void()> OnFinished;   // ended: done, cancelled or failed (Error())

private:
    void Drive();
    bool SetLine(const ScanTry& attempt);
    void Received(const void* buffer, std::uint16_t length);
    void End(const QString& error);
    static std::int64_t NowMs();

    TForm1& form_;
    TComm* comm_ = nullptr;
    QTimer* wake_ = nullptr;
    std::optional<StationScan> scan_;
    std::unique_ptr<PortTakeover> takeover_;
    ScanTry current_;
    QString error_;
};
