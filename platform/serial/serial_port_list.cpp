// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/serial_port_list.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The kernel reports a detected UART through the "type" attribute; 0 means no UART
// answered at that slot, which is what most of the ttyS0..ttyS31 entries are.
// Read with plain system calls: the list is built while the window starts, and a
// stream would bring in the C++ locale machinery for one number.
bool UartDetected(const fs::path& ttyDir)
{
    const int fd = ::open((ttyDir / "type").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[32] = {};
    const ssize_t count = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (count <= 0)
        return false;
    char* end = nullptr;
    const long type = std::strtol(text, &end, 10);
    return end != text && type != 0;
}

bool IsPresentSerialDevice(const fs::path& ttyDir, const std::string& name)
{
    std::error_code ec;
    if (!fs::exists(ttyDir / "device", ec))
        return false;  // virtual terminals and the like have no backing device
    if (StartsWith(name, "ttyUSB") || StartsWith(name, "ttyACM"))
        return true;
    if (StartsWith(name, "ttyS"))
        return UartDetected(ttyDir);
    return false;
}

// Maps "ttyUSB0" to its by-id link name, from the links in /dev/serial/by-id.
std::map<std::string, std::string> ByIdNames(const fs::path& byIdDir)
{
    std::map<std::string, std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(byIdDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (linkError)
            continue;
        names.emplace(target.filename().string(), it->path().filename().string());
    }
    return names;
}

}  // namespace

std::vector<SerialPortEntry> ListSerialPorts(const SerialPortRoots& roots)
{
    std::vector<SerialPortEntry> ports;
    const auto byId = ByIdNames(roots.serialById);
    std::error_code ec;
    for (fs::directory_iterator it(roots.sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!IsPresentSerialDevice(it->path(), name))
            continue;
        SerialPortEntry entry;
        entry.devicePath = (fs::path(roots.dev) / name).string();
        if (auto found = byId.find(name); found != byId.end())
            entry.byIdName = found->second;
        ports.push_back(std::move(entry));
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.devicePath < b.devicePath; });
    return ports;
}

std::string SerialPortDisplayText(const SerialPortEntry& entry)
{
    if (entry.byIdName.empty())
        return entry.devicePath;
    return entry.devicePath + " (" + entry.byIdName + ")";
}
