// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device scan window: the address range and answer wait to try, the time a full
// scan takes at each baud rate, progress, the stations found with their settings, and
// applying a found station's settings to the main window's port controls. It tries the
// baud rates and frame formats the main window's boxes offer.

#include "device/station_scan.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class StationScanRunner;
class TForm1;

class ScanWindow : public QWidget {
    Q_OBJECT

public:
    explicit ScanWindow(TForm1& form, QWidget* parent = nullptr);

    // The plan the controls describe.
    ScanPlan Plan() const;
    StationScanRunner& Runner() { return *runner_; }
    // Puts the settings of a found station (a row of the table) in the port controls.
    void ApplyFound(int row);

    QSpinBox* FirstAddress = nullptr;
    QSpinBox* LastAddress = nullptr;
    QSpinBox* AnswerWait = nullptr;
    QCheckBox* StopAtFirst = nullptr;
    QLabel* Estimate = nullptr;
    QPushButton* StartButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* Progress = nullptr;   // tries done of all
    QLabel* Status = nullptr;
    QTableWidget* Results = nullptr;
    QPushButton* ApplyButton = nullptr;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void ShowEstimate();
    void StartScan();
    void ShowProgress();
    void ShowFinished();
    void ShowFound();
    void ShowTriesDone();
    void LockPlan(bool locked);   // the plan's controls, while a scan runs

    TForm1& form_;
    StationScanRunner* runner_ = nullptr;
};
