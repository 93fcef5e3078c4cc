// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/custom_baud.h"
#include "serial/comm.h"
#include "tests/support/pty_pair.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {

template <typename Condition>
bool PumpUntil(Condition done, std::chrono::milliseconds limit = 10s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs the event loop for a while, for checks that something does NOT happen.
void PumpFor(std::chrono::milliseconds time)
{
    PumpUntil([] { return false; }, time);
}

Bytes Sequence(std::size_t count, std::uint8_t first = 1)
{
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

// The number of live port threads (they name themselves comm-reader and comm-writer).
std::size_t PortThreads(const char* name = nullptr)
{
    std::size_t count = 0;
    DIR* dir = opendir("/proc/self/task");
    if (!dir)
        return 0;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string threadName;
        std::getline(comm, threadName);
        if (name ? threadName == name : threadName.rfind("comm-", 0) == 0)
            ++count;
    }
    closedir(dir);
    return count;
}

// Records every event a TComm fires.
struct Recorder {
    std::vector<Bytes> blocks;
    bool terminated = true;     // every block had the zero byte after its data
    bool onMainThread = true;
    int hangups = 0;
    int sentEmpty = 0;
    std::thread::id mainThread = std::this_thread::get_id();

    void Attach(TComm& comm)
    {
        comm.OnReceiveData = [this](TComm*, const void* buffer, std::uint16_t length) {
            const auto* bytes = static_cast<const std::uint8_t*>(buffer);
            blocks.emplace_back(bytes, bytes + length);
            terminated = terminated && bytes[length] == 0;
            onMainThread = onMainThread && std::this_thread::get_id() == mainThread;
        };
        comm.OnRequestHangup = [this](TComm*) { ++hangups; };
        comm.OnSendDataEmpty = [this](TComm*) { ++sentEmpty; };
    }
    Bytes All() const
    {
        Bytes all;
        for (const Bytes& b : blocks)
            all.insert(all.end(), b.begin(), b.end());
        return all;
    }
    std::size_t Received() const { return All().size(); }
};

// A TComm set up as the console sets up its port, on the slave side of `pty`.
void ConsoleSetup(TComm& comm, const PtyPair& pty)
{
    comm.SetCommName(pty.SlavePath());
    comm.SetBaudRate(19200);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    comm.SetRtsControl(TRtsControl::RtsDisable);
}

std::string OpenError(TComm& comm)
{
    try {
        comm.OpenPort();
    } catch (const ECommsError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(Comm, DefaultsAreThePortsFactorySettings)
{
    TComm comm;
    EXPECT_EQ(comm.CommName(), "COM2");
    EXPECT_EQ(comm.BaudRate(), 9600u);
    EXPECT_EQ(comm.DtrControl(), TDtrControl::DtrEnable);
    EXPECT_EQ(comm.RtsControl(), TRtsControl::RtsEnable);
    EXPECT_TRUE(comm.TxContinueOnXoff());
    EXPECT_TRUE(comm.Outx_XonXoffFlow());
    EXPECT_TRUE(comm.Inx_XonXoffFlow());
    EXPECT_FALSE(comm.ParityCheck());
    EXPECT_EQ(comm.XonLimit(), 500);
    EXPECT_EQ(comm.XoffLimit(), 500);
    EXPECT_EQ(comm.ByteSize(), TByteSize::_8);
    EXPECT_EQ(comm.Parity(), TParity::None);
    EXPECT_EQ(comm.StopBits(), TStopBits::_1);
    EXPECT_EQ(comm.XonChar(), 0x11);
    EXPECT_EQ(comm.XoffChar(), 0x13);
    EXPECT_EQ(comm.ReadIntervalTimeout(), 100u);
    EXPECT_EQ(comm.ReadTotalTimeoutConstant(), 0u);
    EXPECT_EQ(comm.WriteTotalTimeoutConstant(), 0u);
    EXPECT_FALSE(comm.IsOpen());
}

TEST(Comm, OpenTwiceCloseTwiceAndBadNames)
{
    PtyPair pty;
    TComm comm;
    Recorder rec;
    rec.Attach(comm);
    ConsoleSetup(comm, pty);

    comm.ClosePort();  // closed: nothing happens
    EXPECT_FALSE(comm.IsOpen());

    comm.OpenPort();
    ASSERT_TRUE(comm.IsOpen());
    EXPECT_EQ(OpenError(comm), "This serial port already opened");
    ASSERT_TRUE(comm.IsOpen()) << "the first opening stays intact";
    ASSERT_TRUE(pty.Write({1, 2, 3}));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 3; }));

    comm.ClosePort();
    EXPECT_FALSE(comm.IsOpen());
    comm.ClosePort();
    EXPECT_FALSE(comm.IsOpen());

    TComm other;
    for (const char* name : {"/dev/does-not-exist", "", "COM0", "/dev/null", "COM1x"}) {
        other.SetCommName(name);
        EXPECT_EQ(OpenError(other), "Error opening serial port") << name;
        EXPECT_FALSE(other.IsOpen()) << name;
    }
}

TEST(Comm, SecondOpenerIsRefusedAndTheFirstKeepsWorking)
{
    PtyPair pty;
    TComm first, second;
    Recorder rec;
    rec.Attach(first);
    ConsoleSetup(first, pty);
    ConsoleSetup(second, pty);
    first.OpenPort();
    EXPECT_EQ(OpenError(second), "Error opening serial port");
    EXPECT_FALSE(second.IsOpen());
    ASSERT_TRUE(pty.Write({7}));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 1; }));

    first.ClosePort();
    second.OpenPort();  // free again
    EXPECT_TRUE(second.IsOpen());
}

TEST(Comm, RepliesArriveAsBlocksSplitByQuietTime)
{
    PtyPair pty;
    TComm comm;
    Recorder rec;
    rec.Attach(comm);
    ConsoleSetup(comm, pty);
    comm.OpenPort();

    const Bytes reply = Sequence(25);
    ASSERT_TRUE(pty.Write(reply));
    ASSERT_TRUE(PumpUntil([&] { return !rec.blocks.empty(); }));
    PumpFor(300ms);  // any stray second block would arrive by now
    ASSERT_EQ(rec.blocks.size(), 1u);
    EXPECT_EQ(rec.blocks[0], reply);

    // A pause longer than the 100 ms quiet time splits a reply in two. The
    // second part is written only once the first has been delivered, so a
    // slow machine cannot close the gap.
    rec.blocks.clear();
    ASSERT_TRUE(pty.Write(Sequence(10, 100)));
    std::this_thread::sleep_for(150ms);
    ASSERT_TRUE(PumpUntil([&] { return rec.blocks.size() == 1; }));
    ASSERT_TRUE(pty.Write(Sequence(5, 200)));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 15; }));
    ASSERT_EQ(rec.blocks.size(), 2u);
    EXPECT_EQ(rec.blocks[0], Sequence(10, 100));
    EXPECT_EQ(rec.blocks[1], Sequence(5, 200));

    // A longer quiet time, set while open, joins the same two pieces.
    comm.SetReadIntervalTimeout(400);
    rec.blocks.clear();
    ASSERT_TRUE(pty.Write(Sequence(10, 100)));
    std::this_thread::sleep_for(150ms);
    ASSERT_TRUE(pty.Write(Sequence(5, 110)));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 15; }));
    ASSERT_EQ(rec.blocks.size(), 1u);
    EXPECT_EQ(rec.blocks[0], Sequence(15, 100));

    // No block exceeds the 2048-byte read buffer, and nothing is lost.
    comm.SetReadIntervalTimeout(100);
    rec.blocks.clear();
    const Bytes big = Sequence(5000);
    ASSERT_TRUE(pty.Write(big));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == big.size(); }));
    EXPECT_EQ(rec.All(), big);
    for (const Bytes& b : rec.blocks)
        EXPECT_LE(b.size(), 2048u);

    EXPECT_TRUE(rec.terminated);
    EXPECT_TRUE(rec.onMainThread);
    EXPECT_EQ(rec.hangups, 0);
}

TEST(Comm, NullBytesAndEmptyReadsDoNotStopReception)
{
    PtyPair pty;
    TComm comm;
    Recorder rec;
    rec.Attach(comm);
    ConsoleSetup(comm, pty);
    comm.SetIgnoreNullChar(true);
    comm.SetReadTotalTimeoutConstant(50);  // reads keep timing out on the quiet line
    comm.OpenPort();

    ASSERT_TRUE(pty.Write(Bytes(300, 0)));  // nothing but NULs: nothing to deliver
    PumpFor(400ms);
    EXPECT_TRUE(rec.blocks.empty());

    comm.SetReadTotalTimeoutConstant(0);
    ASSERT_TRUE(pty.Write({'A', 0, 'B', 0, 0, 'C'}));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 3; }));
    EXPECT_EQ(rec.All(), (Bytes{'A', 'B', 'C'}));

    comm.SetIgnoreNullChar(false);  // applied at once
    ASSERT_TRUE(pty.Write({0, 'D'}));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 5; }));
    EXPECT_EQ(rec.blocks.back(), (Bytes{0, 'D'}));
    EXPECT_EQ(rec.hangups, 0);
}

TEST(Comm, SendData)
{
    PtyPair pty;
    TComm comm;
    Recorder rec;
    rec.Attach(comm);
    ConsoleSetup(comm, pty);
    const Bytes request{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD};

    EXPECT_FALSE(comm.SendData(request.data(), 8)) << "closed port";
    comm.OpenPort();
    ASSERT_TRUE(PumpUntil([&] { return rec.sentEmpty == 1; })) << "the writer reports its empty queue at start";
    EXPECT_FALSE(comm.SendData(request.data(), 0));
    EXPECT_FALSE(comm.SendData(nullptr, 8));

    ASSERT_TRUE(comm.SendData(request.data(), 8));
    EXPECT_EQ(pty.Read(8, 5s), request);
    ASSERT_TRUE(PumpUntil([&] { return rec.sentEmpty == 2; }));

    // Several blocks queued at once go out whole and in order.
    for (std::uint8_t i = 0; i < 10; ++i) {
        const Bytes block = Sequence(100, static_cast<std::uint8_t>(i * 10));
        ASSERT_TRUE(comm.SendData(block.data(), 100));
    }
    const Bytes sent = pty.Read(1000, 5s);
    ASSERT_EQ(sent.size(), 1000u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(Bytes(sent.begin() + i * 100, sent.begin() + (i + 1) * 100), Sequence(100, std::uint8_t(i * 10)));

    comm.ClosePort();
    EXPECT_FALSE(comm.SendData(request.data(), 8)) << "closed again";
    EXPECT_EQ(rec.hangups, 0);
}

TEST(Comm, LineSettingsWhileOpenAndAtTheNextOpen)
{
    PtyPair pty, other;
    TComm comm;
    Recorder rec;
    rec.Attach(comm);
    ConsoleSetup(comm, pty);
    comm.SetParity(TParity::Even);  // a pseudo-terminal refuses parity: the open still succeeds
    comm.OpenPort();
    termios t = pty.Attributes();
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);

    comm.SetBaudRate(38400);
    t = pty.Attributes();
    EXPECT_EQ(cfgetospeed(&t), B38400) << "baud rate applies at once";
    comm.SetStopBits(TStopBits::_2);
    EXPECT_NE(pty.Attributes().c_cflag & CSTOPB, 0u) << "stop bits apply at once";
    comm.SetOutx_XonXoffFlow(true);
    EXPECT_NE(pty.Attributes().c_iflag & IXON, 0u);
    comm.SetBaudRate(0);
    t = pty.Attributes();
    EXPECT_EQ(cfgetospeed(&t), B38400) << "rate 0 is not applied";
    comm.SetBaudRate(250000);
    std::uint32_t in = 0, out = 0;
    ASSERT_TRUE(platform::GetActualBaud(pty.Master(), in, out));
    EXPECT_EQ(out, 250000u);
    comm.SetBaudRate(19200);

    // Parity and name are only stored while open.
    const termios before = pty.Attributes();
    comm.SetParity(TParity::Odd);
    comm.SetCommName(other.SlavePath());
    EXPECT_EQ(comm.Parity(), TParity::Odd);
    const termios after = pty.Attributes();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    ASSERT_TRUE(pty.Write({1, 2}));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 2; })) << "still on the first device";

    comm.ClosePort();
    comm.OpenPort();
    ASSERT_TRUE(other.Write({3, 4, 5}));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 5; })) << "now on the second device";
    t = other.Attributes();
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
}

TEST(Comm, ClosingWhileAWriteIsPending)
{
    PtyPair pty;
    TComm comm;
    Recorder rec;
    rec.Attach(comm);
    ConsoleSetup(comm, pty);
    comm.OpenPort();

    // Far more than a pseudo-terminal buffers while nobody reads the other side.
    const Bytes block = Sequence(60000);
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(comm.SendData(block.data(), static_cast<std::uint16_t>(block.size())));
    ASSERT_TRUE(PumpUntil([&] {
        int queued = 0;
        return ioctl(pty.Master(), FIONREAD, &queued) == 0 && queued > 0;
    }));
    comm.ClosePort();  // must not hang on the blocked write
    EXPECT_FALSE(comm.IsOpen());
    PumpFor(100ms);
    EXPECT_EQ(rec.hangups, 0);
    EXPECT_LT(pty.Read(block.size() * 8, 500ms).size(), block.size() * 8) << "the write really was pending";

    // With a write timeout a block that cannot go out is abandoned and the
    // writer goes on with the next one.
    comm.SetWriteTotalTimeoutConstant(200);
    comm.OpenPort();
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(comm.SendData(block.data(), static_cast<std::uint16_t>(block.size())));
    std::this_thread::sleep_for(2500ms);  // eight timeouts of 200 ms, nobody reading
    Bytes drained = pty.Read(block.size() * 8, 500ms);
    const Bytes marker{0xAA, 0x55, 0xAA, 0x55};
    ASSERT_TRUE(comm.SendData(marker.data(), 4));
    const Bytes tail = pty.Read(block.size() * 8, 1000ms);
    drained.insert(drained.end(), tail.begin(), tail.end());
    ASSERT_GE(drained.size(), marker.size());
    EXPECT_TRUE(std::equal(marker.begin(), marker.end(), drained.end() - 4)) << "the writer is still alive";
    EXPECT_LT(drained.size(), block.size() * 8) << "timed-out blocks were not finished";
    EXPECT_EQ(rec.hangups, 0);
    EXPECT_TRUE(comm.IsOpen());
}

TEST(Comm, HangupWhenTheOtherSideGoesAway)
{
    auto pty = std::make_unique<PtyPair>();
    TComm comm;
    Recorder rec;
    rec.Attach(comm);
    ConsoleSetup(comm, *pty);
    comm.OpenPort();
    ASSERT_TRUE(PumpUntil([&] { return PortThreads() == 2; }));

    ASSERT_TRUE(pty->Write({9, 8, 7}));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 3; }));
    pty->CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return rec.hangups == 1; }));
    // The reader has ended: nothing keeps polling the dead descriptor.
    ASSERT_TRUE(PumpUntil([&] { return PortThreads("comm-reader") == 0; }));
    EXPECT_EQ(PortThreads("comm-writer"), 1u);
    PumpFor(200ms);
    EXPECT_EQ(rec.hangups, 1) << "posted once";

    // The writer finds out on its next write, and also reports once.
    const std::uint8_t byte = 1;
    EXPECT_TRUE(comm.SendData(&byte, 1));
    ASSERT_TRUE(PumpUntil([&] { return rec.hangups == 2; }));
    ASSERT_TRUE(PumpUntil([&] { return PortThreads() == 0; }));
    EXPECT_TRUE(comm.IsOpen()) << "the component does not close the port on its own";
    EXPECT_FALSE(comm.SendData(&byte, 1)) << "nobody is left to write it";
    comm.ClosePort();
}

TEST(Comm, HandlersMayCloseAndReopenThePort)
{
    auto pty = std::make_unique<PtyPair>();
    PtyPair spare;
    TComm comm;
    Recorder rec;
    rec.Attach(comm);
    ConsoleSetup(comm, *pty);

    // As the main window does: close on hangup, here also reopen elsewhere.
    comm.OnRequestHangup = [&](TComm* sender) {
        ++rec.hangups;
        sender->ClosePort();
        sender->SetCommName(spare.SlavePath());
        sender->OpenPort();
    };
    comm.OpenPort();
    pty->CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return rec.hangups == 1; }));
    EXPECT_TRUE(comm.IsOpen());
    ASSERT_TRUE(spare.Write({1, 2, 3}));
    ASSERT_TRUE(PumpUntil([&] { return rec.Received() == 3; }));

    // Closing from the data handler: blocks already queued from that session
    // are not delivered any more.
    int calls = 0;
    comm.OnReceiveData = [&](TComm* sender, const void*, std::uint16_t) {
        ++calls;
        sender->ClosePort();
    };
    ASSERT_TRUE(spare.Write({4}));
    std::this_thread::sleep_for(150ms);
    ASSERT_TRUE(spare.Write({5}));
    std::this_thread::sleep_for(400ms);  // both blocks are queued by now; the loop has not run
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    PumpFor(200ms);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(rec.hangups, 1);
}

TEST(Comm, DestroyingAnOpenComponentClosesThePort)
{
    PtyPair pty;
    {
        auto comm = std::make_unique<TComm>();
        ConsoleSetup(*comm, pty);
        comm->OpenPort();
        ASSERT_TRUE(PumpUntil([] { return PortThreads() == 2; }));
        const std::uint8_t data[4] = {1, 2, 3, 4};
        comm->SendData(data, 4);
        ASSERT_TRUE(pty.Write({1}));
    }
    EXPECT_EQ(PortThreads(), 0u) << "both threads ended";
    PumpFor(200ms);  // messages left from the destroyed component reach nobody

    TComm again;
    ConsoleSetup(again, pty);
    again.OpenPort();
    EXPECT_TRUE(again.IsOpen()) << "the port was released";
}
