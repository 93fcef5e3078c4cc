// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend and the start records as CSV (UTF-8, comma-separated, one row a sample): the
// sample's local time in ISO 8601 with milliseconds and offset, then one column a
// quantity with its unit in the header. A record adds the seconds from its start.

#include "app/trend/start_record.h"
#include "app/trend/trend_sample.h"
#include "app/trend/wall_clock.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <vector>

QByteArray TrendCsv(const std::deque<TrendSample>& samples, const WallClockAnchor& clock);
QByteArray RecordCsv(const StartRecord& record, const WallClockAnchor& clock);

// Writes the file whole or not at all (an existing file is replaced only once the new
// one is complete). False with a message for the operator when it cannot be written.
bool WriteExportFile(const QString& path, const QByteArray& content, QString* error);
