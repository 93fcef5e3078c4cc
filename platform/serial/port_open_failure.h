// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a serial device could not be opened, worked out from the errno of the step that
// failed and a look at the device: whether it exists, what it is, which group may open
// it and whether this user belongs to that group, and which processes hold it.

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// The step of opening that failed.
enum class OpenStep { Open, ReadSettings, TakeExclusively };

struct OpenError {
    OpenStep step = OpenStep::Open;
    int error = 0;   // errno of that step
};

enum class PortOpenProblem {
    NoSuchDevice,       // nothing at the path, or a device node with no device behind it
    PermissionDenied,   // the user may not open it
    InUse,              // another program holds it
    NotSerialDevice,    // a file, a directory or a device that is no terminal
    SettingsFailed,     // it opened, but its line settings could not be read
    Other,
};

// What is at the path.
enum class PathKind { Nothing, Directory, RegularFile, CharacterDevice, Other };

struct PortHolder {
    pid_t pid = 0;
    std::string command;   // the process's name (/proc/PID/comm)
};

struct PortOpenFailure {
    PortOpenProblem problem = PortOpenProblem::Other;
    int error = 0;                  // the errno behind it
    std::string path;               // the device path tried
    PathKind kind = PathKind::Nothing;
    // PermissionDenied: the group that may open the device, whether this user is a
    // member of it now and in the group database (a new member must log in again).
    std::string group;
    std::string user;
    bool userInGroupNow = false;
    bool userListedInGroup = false;
    // InUse: the processes that have the device open, this one left out.
    std::vector<PortHolder> holders;
};

// Where the system describes itself; tests point these at a fake tree.
struct SystemRoots {
    std::string proc = "/proc";
};

// The processes other than this one with `path` open (at most `limit`), by comparing
// the device or file behind each of their descriptors.
std::vector<PortHolder> ProcessesHolding(const std::string& path, const SystemRoots& roots = {},
                                         std::size_t limit = 8);

PortOpenFailure ExplainOpenFailure(const std::string& path, const OpenError& error, const SystemRoots& roots = {});

}  // namespace platform
