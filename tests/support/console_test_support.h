// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/form1.h"
#include "device/frame_codec.h"
#include "tests/support/pty_device.h"
#include "tests/support/qt_wait.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <cstdint>
#include <vector>

// Shared by the console tests: the main window with its modal message captured, and
// the frames a device sends and receives.
namespace console_test {

using Bytes = std::vector<std::uint8_t>;

// A valid 25-byte function 03 reply carrying ten registers.
inline Bytes ReadReply(std::uint8_t address, const std::array<std::uint16_t, 10>& registers)
{
    Bytes reply{address, 0x03, 20};
    for (std::uint16_t value : registers) {
        reply.push_back(static_cast<std::uint8_t>(value >> 8));
        reply.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }
    const std::uint16_t crc = Crc16(reply.data(), reply.size());
    reply.push_back(static_cast<std::uint8_t>(crc >> 8));
    reply.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return reply;
}

inline Bytes ReadRequest(std::uint8_t address, std::uint8_t start)
{
    const auto frame = BuildReadRequest(address, start, 10);
    return Bytes(frame.begin(), frame.end());
}

inline Bytes WriteRequest(std::uint8_t address, std::uint8_t reg, std::uint16_t value)
{
    const auto frame = BuildWriteRequest(address, reg, static_cast<std::uint8_t>(value >> 8),
                                         static_cast<std::uint8_t>(value & 0xFF));
    return Bytes(frame.begin(), frame.end());
}

// The main window under test, with its modal message captured instead of shown.
struct ConsoleUnderTest {
    explicit ConsoleUnderTest(const QString& port = QString()) : form(port)
    {
        form.ShowMessage = [this](const QString& text) { messages << text; };
        form.ShowDetailedMessage = [this](const QString& text, const QString& detail) {
            messages << text;
            details << detail;
        };
    }
    bool PortLampLit() const { return !form.Image20->isHidden(); }
    bool CommunicationLampLit() const { return !form.Image14->isHidden(); }
    bool Open()
    {
        form.BitBtn7->click();
        return form.Comm1->IsOpen();
    }
    void Tick() { form.CheckBox2->click(); }

    TForm1 form;
    QStringList messages;
    QStringList details;   // the detail beneath each detailed message
};

// A console opened on a pseudo-terminal whose device end the test plays by hand.
struct ConsoleOnPty {
    ConsoleOnPty() : console(QString::fromStdString(device.SlavePath())) {}

    // Polls block 0 and answers with these registers; true once they are decoded.
    bool FeedBlock0(const std::array<std::uint16_t, 10>& registers)
    {
        console.form.Timer1Timer();
        if (device.Read(8) != ReadRequest(1, 0))
            return false;
        device.Write(ReadReply(1, registers));
        return WaitUntil([&] { return console.form.Link().BlockDone(); });
    }

    PtyDevice device;
    ConsoleUnderTest console;
};

}  // namespace console_test
