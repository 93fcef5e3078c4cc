// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/line_settings.h"

#include <array>
#include <utility>

namespace platform {
namespace {

constexpr std::array<std::pair<std::uint32_t, speed_t>, 31> kStandardSpeeds{{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000}, {0, B0},
}};

void MakeRaw(termios& t)
{
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                         IXOFF | IXANY | INPCK | IGNPAR | IUCLC | IMAXBEL);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
    // CLOCAL: the line is usable without carrier; HUPCL off: closing keeps DTR.
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cflag &= ~static_cast<tcflag_t>(HUPCL | CRTSCTS);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

tcflag_t DataBitsFlag(std::uint8_t bits)
{
    switch (bits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

tcflag_t ParityFlags(ParityMode parity)
{
    switch (parity) {
    case ParityMode::None: return 0;
    case ParityMode::Odd: return PARENB | PARODD;
    case ParityMode::Even: return PARENB;
    case ParityMode::Mark: return PARENB | PARODD | CMSPAR;
    case ParityMode::Space: return PARENB | CMSPAR;
    }
    return 0;
}

void ApplyFraming(const LineSettings& s, termios& t)
{
    t.c_cflag &= ~FramingBits(~tcflag_t{0});
    t.c_cflag |= DataBitsFlag(s.dataBits) | ParityFlags(s.parity);
    // With 5 data bits the UART sends one and a half stop bits for CSTOPB.
    if (s.stopBits != StopBitsMode::One)
        t.c_cflag |= CSTOPB;
}

void ApplyInputHandling(const LineSettings& s, termios& t)
{
    if (s.parityCheck)
        t.c_iflag |= INPCK;  // a byte received with a parity or framing error reads as NUL
    if (s.outXonXoffFlow)
        t.c_iflag |= IXON;
    if (s.inXonXoffFlow)
        t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = static_cast<cc_t>(s.xonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(s.xoffChar);
    // The tty layer has one switch for both CTS output flow and RTS input flow.
    if (s.outxCtsFlow || s.rtsControl == RtsMode::Handshake)
        t.c_cflag |= CRTSCTS;
}

}  // namespace

std::optional<speed_t> StandardSpeed(std::uint32_t baudRate)
{
    if (baudRate == 0)
        return std::nullopt;
    for (const auto& [rate, speed] : kStandardSpeeds)
        if (rate == baudRate)
            return speed;
    return std::nullopt;
}

tcflag_t FramingBits(tcflag_t cflag)
{
    return cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
}

std::optional<TermiosPlan> TranslateLineSettings(const LineSettings& settings, const termios& current)
{
    if (settings.baudRate == 0 || settings.dataBits < 5 || settings.dataBits > 8)
        return std::nullopt;
    TermiosPlan plan;
    plan.attributes = current;
    termios& t = plan.attributes;
    MakeRaw(t);
    ApplyFraming(settings, t);
    ApplyInputHandling(settings, t);
    if (auto speed = StandardSpeed(settings.baudRate)) {
        cfsetispeed(&t, *speed);
        cfsetospeed(&t, *speed);
    } else {
        plan.customBaud = settings.baudRate;
    }
    // DTR handshake has no tty counterpart: the line is raised as "ready".
    plan.dtrOn = settings.dtrControl != DtrMode::Disable;
    plan.rtsOn = settings.rtsControl != RtsMode::Disable;
    plan.rtsOnSend = settings.rtsControl == RtsMode::TransmissionAvailable;
    return plan;
}

}  // namespace platform
