// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/expected_line.h"

#include <array>
#include <charconv>
#include <utility>

namespace {

// The rates a soft starter's line may run at.
constexpr std::array<std::pair<std::uint32_t, speed_t>, 8> Speeds{{
    {1200, B1200}, {2400, B2400}, {4800, B4800}, {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
}};

std::optional<speed_t> SpeedOf(std::uint32_t baud)
{
    for (const auto& [rate, speed] : Speeds)
        if (rate == baud) return speed;
    return std::nullopt;
}

std::optional<LineFormat> FormatNamed(const std::string& name)
{
    if (name == "8_N_2") return LineFormat::N2;
    if (name == "8_E_1") return LineFormat::E1;
    if (name == "8_O_1") return LineFormat::O1;
    return std::nullopt;
}

}  // namespace

std::optional<ExpectedLine> ParseExpectedLine(const std::string& text)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    std::uint32_t baud = 0;
    const char* first = text.data();
    const char* last = text.data() + comma;
    const auto [end, ec] = std::from_chars(first, last, baud);
    if (ec != std::errc() || end != last || !SpeedOf(baud)) return std::nullopt;
    const auto format = FormatNamed(text.substr(comma + 1));
    if (!format) return std::nullopt;
    return ExpectedLine{baud, *format};
}

bool LineMatches(const termios& attributes, const ExpectedLine& expected)
{
    const auto speed = SpeedOf(expected.baud);
    if (!speed || cfgetospeed(&attributes) != *speed) return false;
    const bool twoStopBits = (attributes.c_cflag & CSTOPB) != 0;
    const bool odd = (attributes.c_cflag & PARODD) != 0;
    switch (expected.format) {
    case LineFormat::N2: return twoStopBits && !odd;
    case LineFormat::E1: return !twoStopBits && !odd;
    case LineFormat::O1: return !twoStopBits && odd;
    }
    return false;
}

bool TerminalMatches(int masterFd, const ExpectedLine& expected)
{
    termios attributes{};
    // On the master side the terminal's settings are the slave's, as the master program set them.
    return tcgetattr(masterFd, &attributes) == 0 && LineMatches(attributes, expected);
}
