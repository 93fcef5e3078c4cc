// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line settings a simulated device runs at (--expect-line BAUD,FORMAT). A real
// device on another baud rate or frame format receives garbage and answers nothing; on a
// pseudo-terminal every byte arrives whatever the settings, so the simulator reads the
// settings the master has set on the terminal and answers only when they match.
//
// A pseudo-terminal keeps the baud rate, the stop bits and the odd-parity flag the master
// sets, but always clears the parity-enable flag and forces 8 data bits. So the three
// formats are told apart by what is kept: 8_N_2 has two stop bits; 8_E_1 and 8_O_1 have
// one, and 8_O_1 the odd flag.

#include <termios.h>

#include <cstdint>
#include <optional>
#include <string>

enum class LineFormat { N2, E1, O1 };

struct ExpectedLine {
    std::uint32_t baud = 0;
    LineFormat format = LineFormat::N2;
};

// "9600,8_E_1": a baud rate from 1200 to 115200 and one of 8_N_2, 8_E_1, 8_O_1; nothing otherwise.
std::optional<ExpectedLine> ParseExpectedLine(const std::string& text);

// True when attributes read from the terminal carry this baud rate and format.
bool LineMatches(const termios& attributes, const ExpectedLine& expected);

// Reads the terminal's settings through its master side and compares them.
bool TerminalMatches(int masterFd, const ExpectedLine& expected);
