// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The traffic monitor's text: a line per entry with its time to the millisecond, its
// direction, its bytes in hexadecimal and what it means.

#include "app/diagnostics/traffic_entry.h"

#include <QString>

// "23:41:05.123  →  01 03 00 00 00 0A C5 CD  读块 0（寄存器 0-9）"
QString TrafficLineText(const TrafficEntry& entry);

// What the entry means, alone.
QString TrafficMeaningText(const TrafficEntry& entry);

// The name of a Modbus exception code ("非法数据地址").
QString ExceptionName(std::uint8_t code);
