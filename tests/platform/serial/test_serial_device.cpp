// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/custom_baud.h"
#include "platform/serial/serial_device.h"
#include "tests/support/pty_pair.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

using platform::LineSettings;
using platform::ParityMode;
using platform::SerialDevice;

TEST(SerialDevice, DeviceNames)
{
    EXPECT_EQ(SerialDevice::DevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(SerialDevice::DevicePath("COM4"), "/dev/ttyS3");
    EXPECT_EQ(SerialDevice::DevicePath("COM10"), "/dev/ttyS9");
    EXPECT_EQ(SerialDevice::DevicePath("com2"), "/dev/ttyS1");
    EXPECT_EQ(SerialDevice::DevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevice::DevicePath("/dev/pts/5"), "/dev/pts/5");
    // Not a COM number: taken as the path it is (and refused below if it is none).
    for (const char* odd : {"COM", "COM0", "COM-1", "COM+1", "COM 1", "COM1x", "COMx", "COM99999999999999999999"})
        EXPECT_EQ(SerialDevice::DevicePath(odd), odd) << odd;
}

TEST(SerialDevice, RefusesWhatIsNotAnAvailableTerminal)
{
    EXPECT_EQ(SerialDevice::Open(""), nullptr);
    EXPECT_EQ(SerialDevice::Open("/dev/does-not-exist"), nullptr);
    EXPECT_EQ(SerialDevice::Open("COM0"), nullptr);
    EXPECT_EQ(SerialDevice::Open("COM99999999999999999999"), nullptr);
    EXPECT_EQ(SerialDevice::Open(std::string("/dev/null\0x", 11)), nullptr) << "embedded NUL";
    EXPECT_EQ(SerialDevice::Open("/dev/null"), nullptr) << "not a terminal";

    char dir[] = "/tmp/serial-device-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string file = std::string(dir) + "/plain";
    std::ofstream(file) << "not a terminal";
    EXPECT_EQ(SerialDevice::Open(file), nullptr);
    EXPECT_EQ(SerialDevice::Open(dir), nullptr) << "a directory";
    std::remove(file.c_str());
    rmdir(dir);
}

TEST(SerialDevice, ExclusiveAlsoAgainstOtherProcesses)
{
    PtyPair pty;
    auto first = SerialDevice::Open(pty.SlavePath());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(SerialDevice::Open(pty.SlavePath()), nullptr) << "second opener in this process";

    // The tests run as root, whom the terminal's own exclusive flag lets through.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(SerialDevice::Open(pty.SlavePath()) == nullptr ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "another process opened the held port";

    first.reset();
    EXPECT_NE(SerialDevice::Open(pty.SlavePath()), nullptr) << "closing releases the port";
}

TEST(SerialDevice, AppliesWhatThePseudoTerminalTakes)
{
    PtyPair pty;
    auto port = SerialDevice::Open(pty.SlavePath());
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(pty.Attributes().c_cflag & HUPCL, 0u);

    LineSettings s;
    s.baudRate = 19200;
    s.outXonXoffFlow = s.inXonXoffFlow = false;
    port->ApplyLineSettings(s);
    termios t = pty.Attributes();
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);

    // A pseudo-terminal refuses parity; the rest of the record still applies.
    s.parity = ParityMode::Even;
    s.baudRate = 38400;
    s.outXonXoffFlow = true;
    port->ApplyLineSettings(s);
    t = pty.Attributes();
    EXPECT_EQ(cfgetospeed(&t), B38400);
    EXPECT_NE(t.c_iflag & IXON, 0u);

    // Rate 0 is never applied: the line keeps its previous settings.
    s.parity = ParityMode::None;
    s.baudRate = 0;
    s.outXonXoffFlow = false;
    port->ApplyLineSettings(s);
    t = pty.Attributes();
    EXPECT_EQ(cfgetospeed(&t), B38400);
    EXPECT_NE(t.c_iflag & IXON, 0u);

    // A rate without a B constant.
    s.baudRate = 250000;
    port->ApplyLineSettings(s);
    std::uint32_t in = 0, out = 0;
    ASSERT_TRUE(platform::GetActualBaud(pty.Master(), in, out));
    EXPECT_EQ(out, 250000u);
    EXPECT_EQ(in, 250000u);

    // A pseudo-terminal has no line counters or modem lines.
    EXPECT_FALSE(port->ReadCounters());
    EXPECT_FALSE(port->ReadModemBits());
}
