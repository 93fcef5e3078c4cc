// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The device end of a pseudo-terminal pair, for tests that play the device by hand:
// the console opens SlavePath(); the test reads the console's frames and answers.
class PtyDevice {
public:
    PtyDevice();
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    int MasterFd() const { return master_; }

    // Reads what arrives until `count` bytes are in or the deadline passes.
    std::vector<std::uint8_t> Read(std::size_t count, int timeoutMs = 3000);
    // Reads whatever arrives within the time given (to check that nothing was sent).
    std::vector<std::uint8_t> ReadAvailable(int waitMs);
    void Write(const std::vector<std::uint8_t>& bytes);
    // Closes the device end: the console's side sees the device go away.
    void Close();

private:
    int master_ = -1;
    std::string slavePath_;
};
