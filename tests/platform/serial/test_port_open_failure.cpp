// SPDX-License-Identifier: GPL-3.0-or-later
// Why a device does not open: the real errno of each step, classified with a look at
// the device. A missing path, a file, a directory, a device that is no terminal, a
// terminal held by another process and one this user may not open.
#include "platform/serial/port_open_failure.h"
#include "platform/serial/serial_device.h"
#include "tests/support/port_holder.h"
#include "tests/support/pty_pair.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using platform::OpenError;
using platform::PathKind;
using platform::PortOpenFailure;
using platform::PortOpenProblem;
using platform::SerialDevice;

namespace {

struct TempDir {
    TempDir()
    {
        char pattern[] = "/tmp/port-open-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::system(("rm -rf " + path).c_str()); }
    std::string path;
};

// Opens the path as the console does and explains the failure; the port must not open.
PortOpenFailure FailToOpen(const std::string& path)
{
    OpenError error;
    EXPECT_EQ(SerialDevice::Open(path, &error), nullptr) << path;
    return platform::ExplainOpenFailure(path, error);
}

}  // namespace

TEST(PortOpenFailure, WhatIsAtThePathSaysWhy)
{
    TempDir dir;
    const std::string file = dir.path + "/plain";
    std::ofstream(file) << "not a port";

    struct Row {
        std::string path;
        PortOpenProblem problem;
        PathKind kind;
    };
    for (const Row& row : {Row{dir.path + "/missing", PortOpenProblem::NoSuchDevice, PathKind::Nothing},
                           Row{"COM250", PortOpenProblem::NoSuchDevice, PathKind::Nothing},
                           Row{file, PortOpenProblem::NotSerialDevice, PathKind::RegularFile},
                           Row{dir.path, PortOpenProblem::NotSerialDevice, PathKind::Directory},
                           Row{"/dev/null", PortOpenProblem::NotSerialDevice, PathKind::CharacterDevice},
                           Row{file + "/below-a-file", PortOpenProblem::NotSerialDevice, PathKind::Nothing}}) {
        const std::string path = SerialDevice::DevicePath(row.path);
        const PortOpenFailure failure = FailToOpen(path);
        EXPECT_EQ(failure.problem, row.problem) << row.path;
        EXPECT_EQ(failure.kind, row.kind) << row.path;
        EXPECT_EQ(failure.path, path);
        EXPECT_NE(failure.error, 0) << row.path;
    }
}

TEST(PortOpenFailure, ATerminalHeldByAnotherProcessNamesThatProcess)
{
    PtyPair pty;
    PortHolderProcess holder(pty.SlavePath());
    ASSERT_TRUE(holder.Held());

    const PortOpenFailure failure = FailToOpen(pty.SlavePath());
    EXPECT_EQ(failure.problem, PortOpenProblem::InUse);
    ASSERT_FALSE(failure.holders.empty());
    bool named = false;
    for (const auto& h : failure.holders)
        named = named || (h.pid == holder.Pid() && !h.command.empty());
    EXPECT_TRUE(named) << "the holding child is listed with its name";
    for (const auto& h : failure.holders) EXPECT_NE(h.pid, getpid()) << "this process is never its own holder";
}

TEST(PortOpenFailure, ADeviceThisUserMayNotOpenNamesItsGroup)
{
    // Run as a user without access: a terminal owned by root with mode 0660, opened
    // by a child that has given up root for "nobody". Without root the test user
    // makes a file it may not open instead, which shows the same errno.
    PtyPair pty;
    TempDir dir;
    const bool root = geteuid() == 0;
    std::string path = pty.SlavePath();
    if (root) {
        ASSERT_EQ(chown(path.c_str(), 0, 0), 0);
        ASSERT_EQ(chmod(path.c_str(), 0660), 0);
    } else {
        path = dir.path + "/locked";
        std::ofstream(path) << "x";
        ASSERT_EQ(chmod(path.c_str(), 0), 0);
    }
    int result[2];
    ASSERT_EQ(pipe(result), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (root && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        OpenError error;
        const bool opened = SerialDevice::Open(path, &error) != nullptr;
        const PortOpenFailure failure = platform::ExplainOpenFailure(path, error);
        const std::string report = std::to_string(opened) + " " + std::to_string(static_cast<int>(failure.problem)) +
                                   " " + failure.group + " " + std::to_string(failure.userInGroupNow) + " " +
                                   failure.user;
        (void)!write(result[1], report.data(), report.size());
        _exit(0);
    }
    ::close(result[1]);
    char buffer[256] = {};
    const ssize_t n = read(result[0], buffer, sizeof buffer - 1);
    ::close(result[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_GT(n, 0) << "child status " << status;
    int opened = -1, problem = -1, inGroup = -1;
    char group[64] = {}, user[64] = {};
    ASSERT_EQ(std::sscanf(buffer, "%d %d %63s %d %63s", &opened, &problem, group, &inGroup, user), 5) << buffer;
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(problem, static_cast<int>(PortOpenProblem::PermissionDenied)) << buffer;
    if (root) {
        EXPECT_EQ(inGroup, 0) << buffer;   // "nobody" is not in the terminal's group
        EXPECT_STREQ(group, "root");
        EXPECT_STRNE(user, "root");
    }
}

TEST(PortOpenFailure, ClassifiesTheErrnoOfEachStep)
{
    // The steps' errors as the platform gives them, on a character device that exists.
    struct Row {
        OpenError error;
        PortOpenProblem problem;
    };
    for (const Row& row : {Row{{platform::OpenStep::Open, EACCES}, PortOpenProblem::PermissionDenied},
                           Row{{platform::OpenStep::Open, EBUSY}, PortOpenProblem::InUse},
                           Row{{platform::OpenStep::TakeExclusively, EWOULDBLOCK}, PortOpenProblem::InUse},
                           Row{{platform::OpenStep::Open, ENXIO}, PortOpenProblem::NoSuchDevice},
                           Row{{platform::OpenStep::ReadSettings, ENOTTY}, PortOpenProblem::NotSerialDevice},
                           Row{{platform::OpenStep::ReadSettings, EINVAL}, PortOpenProblem::NotSerialDevice},
                           Row{{platform::OpenStep::ReadSettings, EIO}, PortOpenProblem::SettingsFailed},
                           Row{{platform::OpenStep::Open, EIO}, PortOpenProblem::NoSuchDevice},   // a node without a UART
                           Row{{platform::OpenStep::TakeExclusively, EIO}, PortOpenProblem::Other},
                           Row{{platform::OpenStep::Open, 0}, PortOpenProblem::Other}}) {
        const PortOpenFailure failure = platform::ExplainOpenFailure("/dev/null", row.error);
        EXPECT_EQ(failure.problem, row.problem) << "errno " << row.error.error;
        EXPECT_EQ(failure.error, row.error.error);
    }
    EXPECT_EQ(platform::ExplainOpenFailure("", {platform::OpenStep::Open, ENOENT}).problem, PortOpenProblem::NoSuchDevice);
}

TEST(PortOpenFailure, HolderLookupSurvivesAnOddProcTree)
{
    TempDir dir;
    const std::string proc = dir.path + "/proc";
    ASSERT_EQ(std::system(("mkdir -p " + proc + "/123/fd " + proc + "/self " + proc + "/x12 " + proc + "/99999999999999999999/fd").c_str()), 0);
    ASSERT_EQ(symlink("/dev/null", (proc + "/123/fd/4").c_str()), 0);
    ASSERT_EQ(symlink("/nowhere", (proc + "/123/fd/5").c_str()), 0);
    std::ofstream(proc + "/123/comm") << "holder\n";

    const auto holders = platform::ProcessesHolding("/dev/null", {proc});
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders[0].pid, 123);
    EXPECT_EQ(holders[0].command, "holder");
    EXPECT_TRUE(platform::ProcessesHolding("/dev/null", {dir.path + "/none"}).empty());
    EXPECT_TRUE(platform::ProcessesHolding(dir.path + "/missing", {proc}).empty());
}
