// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend window: the live chart of output, current and temperature with its markers,
// the start records with their figures, the operator's "follow the start" choice, and
// export of the trend or a record as CSV and of the chart as PNG. Nothing is written
// unless the operator exports.

#include "app/trend/trend_session.h"

#include <QString>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;
class TrendChart;

class TrendWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int RefreshMs = 500;   // the chart is redrawn at most this often, and only when it changed

    explicit TrendWindow(TrendSession& session, QWidget* parent = nullptr);

    // Exports, as the buttons do after their file dialog. False after telling the
    // operator (ShowMessage) why nothing was written.
    bool ExportTrendCsv(const QString& path);
    bool ExportRecordCsv(int recordIndex, const QString& path);   // index into the list, 0 = newest
    bool ExportChartPng(const QString& path);

    // Shows a modal message; tests replace it so nothing blocks.
    std::function<void(const QString&)> ShowMessage;

    TrendChart* Chart() const { return chart_; }
    QTableWidget* RecordTable() const { return records_; }
    QCheckBox* FollowBox() const { return follow_; }
    QPushButton* OverlayButton() const { return overlay_; }

    // Draws the record at this list index over the live trend (-1: none).
    void OverlayRecord(int recordIndex);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildToolbar();
    QWidget* BuildRecordPanel();
    void ShowRecords();
    void ShowStatus();
    void MarkChanged();
    void RefreshIfChanged();
    const StartRecord* RecordAt(int recordIndex) const;
    void AskAndExportTrendCsv();
    void AskAndExportRecordCsv();
    void AskAndExportChartPng();
    bool Report(bool written, const QString& error);

    TrendSession& session_;
    TrendChart* chart_ = nullptr;
    QTableWidget* records_ = nullptr;
    QCheckBox* follow_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* overlay_ = nullptr;
    QTimer* refresh_ = nullptr;
    bool changed_ = true;
};
