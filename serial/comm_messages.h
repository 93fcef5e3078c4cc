// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Messages the port threads post to the component's notify mailbox.
constexpr std::uint32_t MSG_COMM_DATA = 1025;    // first: byte count; block: the bytes
constexpr std::uint32_t MSG_COMM_ERROR = 1026;   // second: line error flags
constexpr std::uint32_t MSG_COMM_HANGUP = 1027;  // the thread met a failure and has ended
constexpr std::uint32_t MSG_COMM_MODEM = 1028;   // second: 8 carrier-detect change, 4 ring, 12 both
constexpr std::uint32_t MSG_COMM_SENT = 1029;    // the writer's queue ran empty

// Message the main thread posts to the writer: first: byte count; block: the bytes.
constexpr std::uint32_t MSG_COMM_WRITE = 1025;
