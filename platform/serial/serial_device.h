// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/serial/line_events.h"
#include "platform/serial/line_settings.h"
#include "platform/serial/port_open_failure.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {

enum class PurgeSide { Receive, Transmit, Both };

// An open serial device: a raw, non-blocking, exclusively held terminal.
// Reads and writes go straight to Fd(); this class covers opening, exclusive
// ownership, configuration, purging and the modem-line queries.
class SerialDevice {
public:
    // "COMn" (n from 1) names /dev/ttyS(n-1); any other name is a device path.
    static std::string DevicePath(const std::string& name);

    // Opens the named device read/write, non-blocking, without becoming its
    // controlling terminal, and takes it exclusively. Returns nullptr when the
    // path does not exist, is not a terminal, or is already held by anyone.
    // With `error`, a failure also says which step failed and its errno.
    static std::unique_ptr<SerialDevice> Open(const std::string& name, OpenError* error = nullptr);

    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    int Fd() const { return fd_; }

    // Applies the record. Failures are ignored: a record the driver cannot take
    // leaves the line as it was. When only the character framing is refused
    // (a pseudo-terminal takes no parity and only 8 data bits), everything
    // else is still applied with the framing left as it was.
    void ApplyLineSettings(const LineSettings& settings);

    void Purge(PurgeSide side);

    // The driver's line counters or modem-line bits; nothing when the device
    // has none (a pseudo-terminal answers ENOTTY or EINVAL).
    std::optional<LineCounters> ReadCounters() const;
    std::optional<int> ReadModemBits() const;

private:
    explicit SerialDevice(int fd) : fd_(fd) {}
    void SetModemLine(int bit, bool on);
    void SetRtsOnSend(bool on);

    int fd_;
};

}  // namespace platform
