// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Command line of softstarter-sim.

#include "sim/expected_line.h"
#include "sim/fault_injector.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SimOptions {
    std::uint8_t address = 1;
    int baud = 19200;                  // sets the silent interval that ends a request
    std::string linkPath;              // symlink to the terminal, if given
    std::string requestLogPath;        // "-" for stderr
    std::vector<std::pair<int, std::uint16_t>> presets;
    FaultOptions faults;
    bool queueReplies = false;         // answer every request in order, none dropped
    int rejectBlock = -1;              // reads of this block get an exception reply
    std::optional<ExpectedLine> expectLine;   // answer only while the terminal is set so
    bool help = false;
};

struct SimOptionsResult {
    SimOptions options;
    std::string error;                 // empty on success
};

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args);
std::string SimUsage();
