// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/traffic_entry.h"

#include <algorithm>

void TrafficEntry::KeepBytes(std::span<const std::uint8_t> frame)
{
    byteCount = static_cast<std::uint32_t>(frame.size());
    const std::size_t kept = std::min(frame.size(), KeptBytes);
    std::copy_n(frame.begin(), kept, bytes.begin());
}

std::span<const std::uint8_t> TrafficEntry::KeptFrame() const
{
    return {bytes.data(), std::min<std::size_t>(byteCount, KeptBytes)};
}
