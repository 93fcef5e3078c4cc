// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/serial_port_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Builds a fake /sys/class/tty, /dev and /dev/serial/by-id tree in a temporary folder.
class FakeTtyTree {
public:
    FakeTtyTree()
    {
        root_ = fs::temp_directory_path() / ("ttytree-" + std::to_string(::getpid()) + "-" +
                                             std::to_string(counter_++));
        fs::create_directories(root_ / "sys");
        fs::create_directories(root_ / "dev");
        fs::create_directories(root_ / "byid");
        fs::create_directories(root_ / "devices");
    }
    ~FakeTtyTree() { fs::remove_all(root_); }

    void AddTty(const std::string& name, bool withDevice, const char* uartType = nullptr)
    {
        const fs::path dir = root_ / "sys" / name;
        fs::create_directories(dir);
        if (withDevice) {
            fs::create_directories(root_ / "devices" / name);
            fs::create_directory_symlink(root_ / "devices" / name, dir / "device");
        }
        if (uartType)
            std::ofstream(dir / "type") << uartType;
    }
    void AddById(const std::string& linkName, const std::string& ttyName)
    {
        fs::create_symlink("../../" + ttyName, root_ / "byid" / linkName);
    }
    SerialPortRoots Roots() const
    {
        return {(root_ / "sys").string(), "/dev", (root_ / "byid").string()};
    }

private:
    static inline int counter_ = 0;
    fs::path root_;
};

}  // namespace

TEST(SerialPortList, OffersAdaptersAndDetectedUartsOnly)
{
    FakeTtyTree tree;
    tree.AddTty("tty0", false);              // virtual console
    tree.AddTty("ttyS0", true, "4\n");       // 16550A detected
    tree.AddTty("ttyS1", true, "0\n");       // empty 8250 slot
    tree.AddTty("ttyS2", true, "garbage");   // unreadable type: not offered
    tree.AddTty("ttyS3", true);              // no type attribute
    tree.AddTty("ttyUSB0", true);
    tree.AddTty("ttyACM1", true);
    tree.AddTty("ttyUSB9", false);           // stale entry without a device
    tree.AddTty("ptmx", false);
    tree.AddById("usb-Adapter_A1-if00-port0", "ttyUSB0");
    tree.AddById("dangling", "ttyUSB7");

    const auto ports = ListSerialPorts(tree.Roots());
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].devicePath, "/dev/ttyACM1");
    EXPECT_EQ(ports[0].byIdName, "");
    EXPECT_EQ(ports[1].devicePath, "/dev/ttyS0");
    EXPECT_EQ(ports[2].devicePath, "/dev/ttyUSB0");
    EXPECT_EQ(ports[2].byIdName, "usb-Adapter_A1-if00-port0");

    EXPECT_EQ(SerialPortDisplayText(ports[0]), "/dev/ttyACM1");
    EXPECT_EQ(SerialPortDisplayText(ports[2]), "/dev/ttyUSB0 (usb-Adapter_A1-if00-port0)");
}

TEST(SerialPortList, MissingFoldersGiveAnEmptyList)
{
    SerialPortRoots roots{"/nonexistent/sys/class/tty", "/dev", "/nonexistent/by-id"};
    EXPECT_TRUE(ListSerialPorts(roots).empty());
}
