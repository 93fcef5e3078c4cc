// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A simulated soft starter whose registers never change: stopped, at ambient temperature,
// with distinct values in every block, so a value decoded into the wrong register shows.

#include "device/device_link.h"
#include "sim/softstarter_model.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace steady_starter {

// Presets that keep the stopped model at rest, so the registers never change.
inline std::vector<std::pair<int, int>> ConstantPresets()
{
    std::vector<std::pair<int, int>> presets{{1, 456}, {2, 17}, {3, 23}, {6, 25}, {7, 0x0105}, {8, 808}, {9, 909}};
    for (int n = 10; n <= 19; ++n) presets.emplace_back(n, 1000 + n);
    for (int n = 20; n <= 29; ++n) presets.emplace_back(n, 2000 + n);
    return presets;
}

// The values the device holds, for the registers the console keeps (0 elsewhere).
inline std::array<std::uint32_t, DeviceLink::RegisterCount> DeviceRegisters()
{
    SoftStarterModel model;
    for (const auto& [reg, value] : ConstantPresets()) model.Preset(reg, static_cast<std::uint16_t>(value));
    std::array<std::uint32_t, DeviceLink::RegisterCount> values{};
    for (int n = 0; n < DeviceLink::RegisterCount; ++n)
        if (DeviceLink::IsKeptRegister(n)) values[static_cast<std::size_t>(n)] = model.Register(n);
    return values;
}

// The simulator options that preset these registers.
inline std::vector<std::string> PresetOptions()
{
    std::vector<std::string> args;
    for (const auto& [reg, value] : ConstantPresets()) {
        args.emplace_back("--set");
        args.push_back(std::to_string(reg) + "=" + std::to_string(value));
    }
    return args;
}

} // namespace steady_starter
