// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <termios.h>

#include <cstdint>
#include <optional>

namespace platform {

enum class DtrMode { Disable, Enable, Handshake };
enum class RtsMode { Disable, Enable, Handshake, TransmissionAvailable };
enum class ParityMode { None, Odd, Even, Mark, Space };
enum class StopBitsMode { One, OneAndHalf, Two };

// The line settings of a serial port as the console configures them. Some
// fields (DSR flow and sensitivity, transmit-continue-on-XOFF, the XON/XOFF
// limits and the parity replacement character) have no termios counterpart;
// they are kept so the record is complete but do not change the line.
struct LineSettings {
    std::uint32_t baudRate = 9600;
    bool parityCheck = false;
    bool outxCtsFlow = false;
    bool outxDsrFlow = false;
    DtrMode dtrControl = DtrMode::Enable;
    bool dsrSensitivity = false;
    bool txContinueOnXoff = true;
    bool outXonXoffFlow = true;
    bool inXonXoffFlow = true;
    bool replaceWhenParityError = false;
    bool ignoreNullChar = false;
    RtsMode rtsControl = RtsMode::Enable;
    std::uint16_t xonLimit = 500;
    std::uint16_t xoffLimit = 500;
    std::uint8_t dataBits = 8;  // 5 to 8
    ParityMode parity = ParityMode::None;
    StopBitsMode stopBits = StopBitsMode::One;
    char xonChar = 0x11;
    char xoffChar = 0x13;
    char replacedChar = 0x00;
};

// What a port needs to be told to take on a LineSettings record.
struct TermiosPlan {
    termios attributes{};               // complete attributes for tcsetattr
    std::optional<std::uint32_t> customBaud;  // rate without a B constant: set through termios2
    bool dtrOn = true;                  // DTR line level after applying
    bool rtsOn = true;                  // RTS line level after applying
    bool rtsOnSend = false;             // RTS raised only while transmitting (RS-485 style)
};

// The termios speed constant for a standard rate, or nothing.
std::optional<speed_t> StandardSpeed(std::uint32_t baudRate);

// Translates the record onto the port's current attributes. Returns nothing when
// the record cannot be applied at all (a rate of 0, which would hang the line up,
// or data bits outside 5 to 8): the caller then leaves the line as it is.
std::optional<TermiosPlan> TranslateLineSettings(const LineSettings& settings, const termios& current);

// The character framing bits (data bits, parity, stop bits) of c_cflag.
tcflag_t FramingBits(tcflag_t cflag);

}  // namespace platform
