// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diagnostics window: the traffic monitor (every request and block with its time,
// bytes and meaning) beside the link statistics. It records while it is shown; hidden,
// the session records nothing and the window refreshes nothing.

#include <QPointer>
#include <QString>
#include <QWidget>

class DiagnosticsSession;
class QPlainTextEdit;
class QPushButton;
class QLabel;
class QTimer;
class StatisticsPanel;
struct TrafficEntry;

class DiagnosticsWindow : public QWidget {
    Q_OBJECT

public:
    explicit DiagnosticsWindow(DiagnosticsSession& session, QWidget* parent = nullptr);
    ~DiagnosticsWindow() override;

    // Every line of the history as text, oldest first.
    QString HistoryText() const;
    // Writes the history to a UTF-8 text file; false (and nothing half-written kept) on failure.
    bool SaveTo(const QString& path) const;
    bool Paused() const { return paused_; }

    QPlainTextEdit* TrafficView = nullptr;
    QPushButton* PauseButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* CopyButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QLabel* HistoryLabel = nullptr;
    StatisticsPanel* Statistics = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;   // closed (not minimised): records nothing

private:
    void Append(const TrafficEntry& entry);
    void Rebuild();
    void TogglePause();
    void ClearHistory();
    void CopyToClipboard();
    void AskAndSave();
    void Refresh();

    QPointer<DiagnosticsSession> session_;
    QTimer* refresh_ = nullptr;
    bool paused_ = false;
};
