// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/port_open_failure.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace platform {
namespace {

std::optional<pid_t> PidOf(const char* name)
{
    pid_t pid = 0;
    const char* end = name + std::strlen(name);
    auto [ptr, ec] = std::from_chars(name, end, pid);
    if (ec != std::errc{} || ptr != end || pid <= 0)
        return std::nullopt;
    return pid;
}

std::string CommandOf(const std::string& processDir)
{
    const int fd = ::open((processDir + "/comm").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[64] = {};
    const ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    std::string command(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    while (!command.empty() && (command.back() == '\n' || command.back() == '\0'))
        command.pop_back();
    return command;
}

bool SameObject(const struct stat& a, const struct stat& b)
{
    if (S_ISCHR(a.st_mode) && S_ISCHR(b.st_mode))
        return a.st_rdev == b.st_rdev;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool HoldsObject(const std::string& processDir, const struct stat& target)
{
    const std::string fdDir = processDir + "/fd";
    DIR* dir = opendir(fdDir.c_str());
    if (!dir)
        return false;   // gone, or not ours to look at
    bool holds = false;
    while (dirent* entry = readdir(dir)) {
        struct stat behind{};
        if (entry->d_name[0] == '.' || stat((fdDir + "/" + entry->d_name).c_str(), &behind) != 0)
            continue;
        if (SameObject(behind, target)) {
            holds = true;
            break;
        }
    }
    closedir(dir);
    return holds;
}

std::string NameOfUser(uid_t uid, gid_t& primaryGroup)
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return std::to_string(uid);
    primaryGroup = found->pw_gid;
    return found->pw_name;
}

// The group's name, and whether `user` is listed among its members.
std::string NameOfGroup(gid_t gid, const std::string& user, bool& userListed)
{
    std::vector<char> buffer(65536);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return std::to_string(gid);
    for (char** member = found->gr_mem; member && *member; ++member)
        if (user == *member)
            userListed = true;
    return found->gr_name;
}

bool ProcessInGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

void DescribePermission(const struct stat& device, PortOpenFailure& failure)
{
    gid_t primary = static_cast<gid_t>(-1);
    failure.user = NameOfUser(geteuid(), primary);
    failure.group = NameOfGroup(device.st_gid, failure.user, failure.userListedInGroup);
    failure.userListedInGroup = failure.userListedInGroup || primary == device.st_gid;
    failure.userInGroupNow = ProcessInGroup(device.st_gid);
}

PathKind KindOf(const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return PathKind::Directory;
    if (S_ISREG(st.st_mode))
        return PathKind::RegularFile;
    if (S_ISCHR(st.st_mode))
        return PathKind::CharacterDevice;
    return PathKind::Other;
}

PortOpenProblem ProblemOf(const OpenError& error, const struct stat* device)
{
    switch (error.error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return PortOpenProblem::NoSuchDevice;
    case EACCES:
    case EPERM:
    case EROFS:
        return PortOpenProblem::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return PortOpenProblem::InUse;
    case EISDIR:
    case ENOTTY:
    case ENOTDIR:
    case ELOOP:
        return PortOpenProblem::NotSerialDevice;
    default:
        break;
    }
    if (device && !S_ISCHR(device->st_mode))
        return PortOpenProblem::NotSerialDevice;
    // A serial port's device node with no UART behind it (/dev/ttyS3 on a PC with two
    // ports) fails to open with EIO.
    if (error.step == OpenStep::Open && error.error == EIO)
        return PortOpenProblem::NoSuchDevice;
    if (error.step == OpenStep::ReadSettings)
        return error.error == EINVAL ? PortOpenProblem::NotSerialDevice : PortOpenProblem::SettingsFailed;
    return PortOpenProblem::Other;
}

}  // namespace

std::vector<PortHolder> ProcessesHolding(const std::string& path, const SystemRoots& roots, std::size_t limit)
{
    std::vector<PortHolder> holders;
    struct stat target{};
    if (stat(path.c_str(), &target) != 0)
        return holders;
    DIR* dir = opendir(roots.proc.c_str());
    if (!dir)
        return holders;
    const pid_t self = getpid();
    while (dirent* entry = readdir(dir)) {
        const auto pid = PidOf(entry->d_name);
        if (!pid || *pid == self)
            continue;
        const std::string processDir = roots.proc + "/" + entry->d_name;
        if (HoldsObject(processDir, target))
            holders.push_back({*pid, CommandOf(processDir)});
        if (holders.size() >= limit)
            break;
    }
    closedir(dir);
    std::sort(holders.begin(), holders.end(), [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
    return holders;
}

PortOpenFailure ExplainOpenFailure(const std::string& path, const OpenError& error, const SystemRoots& roots)
{
    PortOpenFailure failure;
    failure.path = path;
    failure.error = error.error;
    struct stat device{};
    const bool exists = !path.empty() && stat(path.c_str(), &device) == 0;
    failure.kind = exists ? KindOf(device) : PathKind::Nothing;
    failure.problem = ProblemOf(error, exists ? &device : nullptr);
    if (failure.problem == PortOpenProblem::NoSuchDevice && exists && !S_ISCHR(device.st_mode))
        failure.problem = PortOpenProblem::NotSerialDevice;
    if (failure.problem == PortOpenProblem::PermissionDenied && exists)
        DescribePermission(device, failure);
    if (failure.problem == PortOpenProblem::InUse)
        failure.holders = ProcessesHolding(path, roots);
    return failure;
}

}  // namespace platform
