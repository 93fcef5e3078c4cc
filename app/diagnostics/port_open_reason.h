// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reason shown beneath "打开串口错误": why the port could not be opened and what
// to do about it, in the operator's words.

#include "platform/serial/port_open_failure.h"
#include "platform/serial/serial_port_list.h"

#include <QString>

#include <vector>

// `present` lists the serial ports on this machine, named when the device is missing.
QString PortOpenReasonText(const platform::PortOpenFailure& failure, const std::vector<SerialPortEntry>& present);

// The reason for a failure that is no failure of the device itself (the port's threads
// or events could not be set up).
QString PortStartFailureText();
