// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// A message handed from one thread to another. The block, if any, changes
// owner with the message. The session tells the receiver which port session
// (or other epoch) the message belongs to.
struct PostedMessage {
    std::uint32_t number = 0;
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    std::unique_ptr<std::uint8_t[]> block;
    std::uint64_t session = 0;
};

}  // namespace platform
