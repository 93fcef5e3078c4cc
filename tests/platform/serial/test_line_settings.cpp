// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/line_settings.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

// A terminal as the tty layer hands it out: cooked, echoing, hanging up on close.
termios CookedTerminal()
{
    termios t{};
    t.c_iflag = ICRNL | IXON | IXANY | IMAXBEL | BRKINT | ISTRIP | INLCR | IGNCR;
    t.c_oflag = OPOST | ONLCR;
    t.c_cflag = CS7 | PARENB | CSTOPB | HUPCL | CRTSCTS;
    t.c_lflag = ICANON | ECHO | ECHOE | ISIG | IEXTEN;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 5;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return t;
}

TermiosPlan Translate(const LineSettings& s, const termios& current = CookedTerminal())
{
    auto plan = TranslateLineSettings(s, current);
    EXPECT_TRUE(plan.has_value());
    return plan.value_or(TermiosPlan{});
}

}  // namespace

TEST(LineSettings, RawModeWhateverTheTerminalWasBefore)
{
    const termios t = Translate(LineSettings{}).attributes;
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ECHOE | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | BRKINT | IXANY | IMAXBEL), 0u);
    EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
    EXPECT_EQ(t.c_cflag & HUPCL, 0u) << "closing must not drop DTR";
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST(LineSettings, CharacterFramingTable)
{
    struct Row {
        std::uint8_t dataBits;
        ParityMode parity;
        StopBitsMode stopBits;
        tcflag_t framing;
    };
    const Row rows[] = {
        {8, ParityMode::None, StopBitsMode::One, CS8},
        {8, ParityMode::Even, StopBitsMode::One, CS8 | PARENB},
        {8, ParityMode::Odd, StopBitsMode::One, CS8 | PARENB | PARODD},
        {7, ParityMode::Mark, StopBitsMode::One, CS7 | PARENB | PARODD | CMSPAR},
        {7, ParityMode::Space, StopBitsMode::Two, CS7 | PARENB | CMSPAR | CSTOPB},
        {6, ParityMode::None, StopBitsMode::Two, CS6 | CSTOPB},
        {5, ParityMode::None, StopBitsMode::OneAndHalf, CS5 | CSTOPB},
    };
    for (const Row& row : rows) {
        LineSettings s;
        s.dataBits = row.dataBits;
        s.parity = row.parity;
        s.stopBits = row.stopBits;
        const termios t = Translate(s).attributes;
        EXPECT_EQ(FramingBits(t.c_cflag), row.framing)
            << int(row.dataBits) << " bits, parity " << int(row.parity) << ", stop " << int(row.stopBits);
    }
}

TEST(LineSettings, FlowControlAndInputHandlingTable)
{
    struct Row {
        const char* name;
        void (*change)(LineSettings&);
        tcflag_t iflagSet;
        tcflag_t cflagSet;
    };
    const Row rows[] = {
        {"no flow control", [](LineSettings& s) { s.outXonXoffFlow = s.inXonXoffFlow = false; }, 0, 0},
        {"XON/XOFF out", [](LineSettings& s) { s.inXonXoffFlow = false; }, IXON, 0},
        {"XON/XOFF in", [](LineSettings& s) { s.outXonXoffFlow = false; }, IXOFF, 0},
        {"XON/XOFF both", [](LineSettings&) {}, IXON | IXOFF, 0},
        {"parity check",
         [](LineSettings& s) {
             s.outXonXoffFlow = s.inXonXoffFlow = false;
             s.parityCheck = true;
         },
         INPCK, 0},
        {"CTS output flow",
         [](LineSettings& s) {
             s.outXonXoffFlow = s.inXonXoffFlow = false;
             s.outxCtsFlow = true;
         },
         0, CRTSCTS},
        {"RTS handshake",
         [](LineSettings& s) {
             s.outXonXoffFlow = s.inXonXoffFlow = false;
             s.rtsControl = RtsMode::Handshake;
         },
         0, CRTSCTS},
    };
    for (const Row& row : rows) {
        LineSettings s;
        row.change(s);
        const termios t = Translate(s).attributes;
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF | INPCK), row.iflagSet) << row.name;
        EXPECT_EQ(t.c_cflag & CRTSCTS, row.cflagSet) << row.name;
    }

    LineSettings s;
    s.xonChar = 0x21;
    s.xoffChar = 0x22;
    const termios t = Translate(s).attributes;
    EXPECT_EQ(t.c_cc[VSTART], 0x21);
    EXPECT_EQ(t.c_cc[VSTOP], 0x22);
}

TEST(LineSettings, ModemLineLevelsTable)
{
    struct Row {
        DtrMode dtr;
        RtsMode rts;
        bool dtrOn, rtsOn, rtsOnSend;
    };
    const Row rows[] = {
        {DtrMode::Enable, RtsMode::Disable, true, false, false},
        {DtrMode::Disable, RtsMode::Enable, false, true, false},
        {DtrMode::Handshake, RtsMode::Handshake, true, true, false},
        {DtrMode::Enable, RtsMode::TransmissionAvailable, true, true, true},
    };
    for (const Row& row : rows) {
        LineSettings s;
        s.dtrControl = row.dtr;
        s.rtsControl = row.rts;
        const TermiosPlan plan = Translate(s);
        EXPECT_EQ(plan.dtrOn, row.dtrOn) << int(row.dtr);
        EXPECT_EQ(plan.rtsOn, row.rtsOn) << int(row.rts);
        EXPECT_EQ(plan.rtsOnSend, row.rtsOnSend) << int(row.rts);
    }
}

TEST(LineSettings, BaudRates)
{
    const std::pair<std::uint32_t, speed_t> standard[] = {
        {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400}, {115200, B115200}, {4000000, B4000000}};
    for (const auto& [rate, speed] : standard) {
        LineSettings s;
        s.baudRate = rate;
        const TermiosPlan plan = Translate(s);
        EXPECT_EQ(cfgetospeed(&plan.attributes), speed) << rate;
        EXPECT_EQ(cfgetispeed(&plan.attributes), speed) << rate;
        EXPECT_FALSE(plan.customBaud) << rate;
    }

    // A rate without a B constant goes through termios2; the B speed stays as it was.
    LineSettings custom;
    custom.baudRate = 250000;
    const TermiosPlan plan = Translate(custom);
    ASSERT_TRUE(plan.customBaud);
    EXPECT_EQ(*plan.customBaud, 250000u);
    EXPECT_EQ(cfgetospeed(&plan.attributes), B9600);

    EXPECT_EQ(StandardSpeed(0), std::nullopt);
    EXPECT_EQ(StandardSpeed(19201), std::nullopt);
    EXPECT_EQ(StandardSpeed(19200), B19200);
}

TEST(LineSettings, RecordsThatCannotBeAppliedLeaveTheLineAlone)
{
    // Rate 0 would mean B0, which hangs the line up.
    LineSettings zeroRate;
    zeroRate.baudRate = 0;
    EXPECT_FALSE(TranslateLineSettings(zeroRate, CookedTerminal()));

    for (std::uint8_t bits : {0, 4, 9, 255}) {
        LineSettings s;
        s.dataBits = bits;
        EXPECT_FALSE(TranslateLineSettings(s, CookedTerminal())) << int(bits);
    }

    // Out-of-range enumeration values (say, from a corrupt record) give no parity
    // bits rather than garbage.
    LineSettings s;
    s.parity = static_cast<ParityMode>(42);
    EXPECT_EQ(FramingBits(Translate(s).attributes.c_cflag), tcflag_t(CS8));
}
