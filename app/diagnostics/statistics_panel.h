// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link statistics as a column of named values.

#include "app/diagnostics/link_statistics.h"

#include <QString>
#include <QWidget>

#include <utility>
#include <vector>

class QLabel;

// The rows shown: each counter's name and its value as text, the round-trip times and
// each block's age, measured at nowMs on the link's clock.
std::vector<std::pair<QString, QString>> StatisticsRows(const LinkStatistics& statistics, std::int64_t nowMs);

class StatisticsPanel : public QWidget {
    Q_OBJECT

public:
    explicit StatisticsPanel(QWidget* parent = nullptr);

    void Show(const LinkStatistics& statistics, std::int64_t nowMs);
    // The value shown in a row, by its name (tests).
    QString ValueOf(const QString& name) const;

private:
    std::vector<std::pair<QLabel*, QLabel*>> rows_;
};
