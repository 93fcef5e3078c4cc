// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A serial device present on this machine, as offered in the port combo.
struct SerialPortEntry {
    std::string devicePath;  // e.g. "/dev/ttyUSB0"
    std::string byIdName;    // e.g. "usb-Maker_Adapter_123-if00-port0", empty when there is none
};

// Where the kernel describes its terminals; tests point these at a fake tree.
struct SerialPortRoots {
    std::string sysClassTty = "/sys/class/tty";
    std::string dev = "/dev";
    std::string serialById = "/dev/serial/by-id";
};

// Lists the serial devices present: USB and ACM adapters, and those ttyS ports whose
// UART the kernel has actually detected (its "type" attribute is not 0, unknown).
// Virtual consoles, pseudo-terminals and absent 8250 slots are left out. Sorted by path.
std::vector<SerialPortEntry> ListSerialPorts(const SerialPortRoots& roots = {});

// The text the port combo shows for an entry: the path, then the by-id name in brackets.
std::string SerialPortDisplayText(const SerialPortEntry& entry);
