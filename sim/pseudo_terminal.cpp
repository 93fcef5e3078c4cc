// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::~PseudoTerminal() { Close(); }

bool PseudoTerminal::Fail(const std::string& what)
{
    error_ = what + ": " + std::strerror(errno);
    Close();
    return false;
}

bool PseudoTerminal::Open()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return Fail("posix_openpt");
    if (grantpt(master_) != 0) return Fail("grantpt");
    if (unlockpt(master_) != 0) return Fail("unlockpt");
    const char* name = ptsname(master_);
    if (!name) return Fail("ptsname");
    slavePath_ = name;
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return Fail("open " + slavePath_);
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0) return Fail("tcgetattr");
    cfmakeraw(&tio);   // bytes pass unchanged: no echo, no line editing, no CR/LF mapping
    if (tcsetattr(slave_, TCSANOW, &tio) != 0) return Fail("tcsetattr");
    return true;
}

bool PseudoTerminal::Link(const std::string& linkPath)
{
    // Whatever is there already (a file, a directory, someone's symlink) is not ours
    // to replace or to delete at exit: symlink() refuses it.
    if (::symlink(slavePath_.c_str(), linkPath.c_str()) != 0) {
        error_ = "symlink " + linkPath + ": " + std::strerror(errno);
        return false;
    }
    linkPath_ = linkPath;
    return true;
}

std::size_t PseudoTerminal::UnreadByClient() const
{
    int count = 0;
    if (slave_ < 0 || ::ioctl(slave_, FIONREAD, &count) != 0 || count < 0) return 0;
    return static_cast<std::size_t>(count);
}

void PseudoTerminal::Close()
{
    if (!linkPath_.empty()) ::unlink(linkPath_.c_str());
    linkPath_.clear();
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}
