// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame_format.h"

std::optional<FrameFormat> FrameFormatFromText(std::string_view text)
{
    if (text == "8_N_2")
        return FrameFormat{TByteSize::_8, TParity::None, TStopBits::_2};
    if (text == "8_E_1")
        return FrameFormat{TByteSize::_8, TParity::Even, TStopBits::_1};
    if (text == "8_O_1")
        return FrameFormat{TByteSize::_8, TParity::Odd, TStopBits::_1};
    return std::nullopt;
}
