// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/serial_device.h"

#include "platform/serial/custom_baud.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>

namespace platform {
namespace {

constexpr unsigned kHighestComNumber = 256;

// The n of "COMn" (case-insensitive, n from 1), or nothing.
std::optional<unsigned> ComNumber(const std::string& name)
{
    if (name.size() < 4)
        return std::nullopt;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
            return std::nullopt;
    unsigned n = 0;
    const char* first = name.data() + 3;
    const char* last = name.data() + name.size();
    auto [end, ec] = std::from_chars(first, last, n);
    if (ec != std::errc{} || end != last || n < 1 || n > kHighestComNumber)
        return std::nullopt;
    return n;
}

bool TakeExclusively(int fd)
{
    // The lock also stops a second opener running as root, which TIOCEXCL lets through.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    return ioctl(fd, TIOCEXCL) == 0;
}

// Closes the descriptor (if any) and tells the caller which step failed, keeping its errno.
std::nullptr_t Fail(int fd, OpenStep step, OpenError* error, int errorNumber)
{
    if (fd >= 0)
        ::close(fd);
    if (error)
        *error = {step, errorNumber};
    return nullptr;
}

}  // namespace

std::string SerialDevice::DevicePath(const std::string& name)
{
    if (auto n = ComNumber(name))
        return "/dev/ttyS" + std::to_string(*n - 1);
    return name;
}

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& name, OpenError* error)
{
    const std::string path = DevicePath(name);
    if (path.empty() || path.find('\0') != std::string::npos)
        return Fail(-1, OpenStep::Open, error, ENOENT);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Fail(-1, OpenStep::Open, error, errno);
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return Fail(fd, OpenStep::ReadSettings, error, errno);
    if (!TakeExclusively(fd))
        return Fail(fd, OpenStep::TakeExclusively, error, errno);
    t.c_cflag &= ~static_cast<tcflag_t>(HUPCL);  // closing must not drop DTR
    tcsetattr(fd, TCSANOW, &t);
    return std::unique_ptr<SerialDevice>(new SerialDevice(fd));
}

SerialDevice::~SerialDevice()
{
    ioctl(fd_, TIOCNXCL);  // the exclusive flag outlives the descriptor otherwise
    ::close(fd_);          // releases the lock
}

void SerialDevice::ApplyLineSettings(const LineSettings& settings)
{
    termios current{};
    if (tcgetattr(fd_, &current) != 0)
        return;
    auto plan = TranslateLineSettings(settings, current);
    if (!plan)
        return;
    if (tcsetattr(fd_, TCSANOW, &plan->attributes) != 0) {
        termios keepFraming = plan->attributes;
        keepFraming.c_cflag = (keepFraming.c_cflag & ~FramingBits(~tcflag_t{0})) | FramingBits(current.c_cflag);
        if (tcsetattr(fd_, TCSANOW, &keepFraming) != 0)
            return;
    }
    if (plan->customBaud && !SetCustomBaud(fd_, *plan->customBaud)) {
        tcsetattr(fd_, TCSANOW, &current);  // an unsupported rate leaves the whole line as it was
        return;
    }
    SetModemLine(TIOCM_DTR, plan->dtrOn);
    SetModemLine(TIOCM_RTS, plan->rtsOn);
    SetRtsOnSend(plan->rtsOnSend);
}

void SerialDevice::SetModemLine(int bit, bool on)
{
    ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit);
}

void SerialDevice::SetRtsOnSend(bool on)
{
    serial_rs485 rs485{};
    if (ioctl(fd_, TIOCGRS485, &rs485) != 0)
        return;  // the driver has no RS-485 mode
    const bool enabled = (rs485.flags & SER_RS485_ENABLED) != 0;
    if (enabled == on)
        return;
    if (on)
        rs485.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    else
        rs485.flags &= ~static_cast<__u32>(SER_RS485_ENABLED);
    ioctl(fd_, TIOCSRS485, &rs485);
}

void SerialDevice::Purge(PurgeSide side)
{
    const int queue = side == PurgeSide::Receive ? TCIFLUSH : side == PurgeSide::Transmit ? TCOFLUSH : TCIOFLUSH;
    tcflush(fd_, queue);
}

std::optional<LineCounters> SerialDevice::ReadCounters() const
{
    serial_icounter_struct ic{};
    if (ioctl(fd_, TIOCGICOUNT, &ic) != 0)
        return std::nullopt;
    LineCounters c;
    c.frame = static_cast<std::uint32_t>(ic.frame);
    c.overrun = static_cast<std::uint32_t>(ic.overrun);
    c.parity = static_cast<std::uint32_t>(ic.parity);
    c.breaks = static_cast<std::uint32_t>(ic.brk);
    c.bufferOverrun = static_cast<std::uint32_t>(ic.buf_overrun);
    c.carrierDetect = static_cast<std::uint32_t>(ic.dcd);
    c.ring = static_cast<std::uint32_t>(ic.rng);
    return c;
}

std::optional<int> SerialDevice::ReadModemBits() const
{
    int bits = 0;
    if (ioctl(fd_, TIOCMGET, &bits) != 0)
        return std::nullopt;
    return bits;
}

}  // namespace platform
