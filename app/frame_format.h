// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/comm.h"

#include <optional>
#include <string_view>

// A frame format item of the format combo: what it names is what the line gets.
struct FrameFormat {
    TByteSize byteSize;
    TParity parity;
    TStopBits stopBits;
};

// "8_N_2": 8 data bits, no parity, two stop bits; "8_E_1": even parity, one stop bit;
// "8_O_1": odd parity, one stop bit. Any other text names no format.
std::optional<FrameFormat> FrameFormatFromText(std::string_view text);
