// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A device link host for unit tests: records what the link sends and shows, on a clock
// the test moves by hand; and the read replies a device sends.

#include "device/device_link.h"
#include "device/frame_codec.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fake_link_host {

using Frame = std::vector<std::uint8_t>;

class FakeHost : public DeviceLinkHost {
public:
    bool ticked = true;
    std::string address = "1";
    std::vector<Frame> sent;
    std::vector<int> pauses;
    bool lamp = false;
    int lampChanges = 0;
    std::string memo12 = "unset";
    std::string memo13 = "unset";
    bool sendSucceeds = true;
    std::int64_t nowMs = 1000;

    bool CommunicationTicked() const override { return ticked; }
    std::string StationAddressText() const override { return address; }
    bool SendData(const std::uint8_t* data, std::uint16_t length) override
    {
        sent.emplace_back(data, data + length);
        return sendSucceeds;
    }
    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }
    void SetCommunicationLamp(bool lit) override
    {
        lamp = lit;
        ++lampChanges;
    }
    void SetMemo12Text(const std::string& text) override { memo12 = text; }
    void SetMemo13Text(const std::string& text) override { memo13 = text; }
    std::int64_t MonotonicMs() const override { return nowMs; }
};

// A function 03 reply of ten registers, values[i] for register start + i.
inline Frame ReadReply(std::uint8_t address, const std::vector<std::uint16_t>& values)
{
    Frame frame{address, 0x03, 20};
    for (std::uint16_t v : values) {
        frame.push_back(static_cast<std::uint8_t>(v >> 8));
        frame.push_back(static_cast<std::uint8_t>(v & 0xFF));
    }
    return WithCrc(frame);
}

inline std::vector<std::uint16_t> Sequence(std::uint16_t first)
{
    std::vector<std::uint16_t> values;
    for (std::uint16_t i = 0; i < 10; ++i) values.push_back(static_cast<std::uint16_t>(first + i));
    return values;
}

} // namespace fake_link_host
