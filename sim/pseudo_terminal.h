// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulator's end of a pseudo-terminal: the master side it reads and writes, and
// the slave device path a master program opens as its serial port.

#include <cstddef>
#include <string>

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens a new pseudo-terminal with its slave side in raw mode. The slave stays open
    // here too, so the line does not hang up while the client closes and reopens it.
    // Returns false with a message in error().
    bool Open();

    // Makes linkPath a symlink to the slave device; fails if anything exists there.
    bool Link(const std::string& linkPath);

    // Bytes written to the master that the client has not read yet. Closing the master
    // discards them, so a deliberate close waits for this to reach zero first.
    std::size_t UnreadByClient() const;

    void Close();

    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& what);

    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
    std::string error_;
};
