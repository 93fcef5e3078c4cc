// SPDX-License-Identifier: GPL-3.0-or-later
// End to end: the softstarter-sim executable on its pseudo-terminal, driven through a
// plain POSIX file descriptor like any serial master would.

#include "device/device_link.h"
#include "device/frame_codec.h"
#include "sim/sim_process.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Frame = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
constexpr auto Generous = std::chrono::seconds(5);
constexpr auto QuietWait = std::chrono::milliseconds(400);

Frame Bytes(const RequestFrame& frame) { return {frame.begin(), frame.end()}; }

class PtyClient {
public:
    explicit PtyClient(const std::string& path)
    {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) return;
        termios tio{};
        ::tcgetattr(fd_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
    ~PtyClient()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    bool IsOpen() const { return fd_ >= 0; }

    bool Write(const Frame& frame) { return ::write(fd_, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size()); }

    // Reads until `expected` bytes have arrived, the deadline passes or the line hangs up.
    // Each read() result is kept as one chunk.
    std::vector<Frame> ReadChunks(std::size_t expected, Clock::duration within = Generous)
    {
        std::vector<Frame> chunks;
        std::size_t total = 0;
        const auto deadline = Clock::now() + within;
        hungUp_ = false;
        while (total < expected) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) break;
            pollfd pfd{fd_, POLLIN, 0};
            if (::poll(&pfd, 1, static_cast<int>(left)) <= 0) continue;
            std::uint8_t buffer[1024];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) {
                hungUp_ = true;
                break;
            }
            chunks.emplace_back(buffer, buffer + n);
            total += static_cast<std::size_t>(n);
        }
        return chunks;
    }

    Frame Read(std::size_t expected, Clock::duration within = Generous)
    {
        Frame all;
        for (const auto& chunk : ReadChunks(expected, within)) all.insert(all.end(), chunk.begin(), chunk.end());
        return all;
    }

    Frame Exchange(const Frame& request, std::size_t expected)
    {
        if (!Write(request)) return {};
        return Read(expected);
    }

    bool HungUp() const { return hungUp_; }

    // Sets the line as a master would: baud rate, stop bits and parity.
    void SetLine(speed_t speed, bool twoStopBits, bool parity, bool odd)
    {
        termios tio{};
        ::tcgetattr(fd_, &tio);
        ::cfsetspeed(&tio, speed);
        tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | PARODD);
        tio.c_cflag |= (twoStopBits ? CSTOPB : 0) | (parity ? PARENB : 0) | (odd ? PARODD : 0);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }

private:
    int fd_ = -1;
    bool hungUp_ = false;
};

std::uint16_t RegisterIn(const Frame& readReply, int index)
{
    return static_cast<std::uint16_t>(readReply.at(3 + 2 * index) * 256 + readReply.at(4 + 2 * index));
}

class SimulatorTest : public ::testing::Test {
protected:
    SimulatorProcess sim;

    void Launch(const std::vector<std::string>& args)
    {
        ASSERT_TRUE(sim.Start(args)) << "simulator at '" << SimulatorProcess::ExecutablePath() << "'";
        ASSERT_FALSE(sim.DevicePath().empty());
    }
};

const Frame ReadBlock0 = Bytes(BuildReadRequest(1, 0, 10));

} // namespace

TEST_F(SimulatorTest, ReadsAndWritesRegistersAndLogsRequests)
{
    Launch({"--set", "6=42", "--set", "21=777"});
    PtyClient line(sim.DevicePath());
    ASSERT_TRUE(line.IsOpen());

    const Frame reply = line.Exchange(ReadBlock0, 25);
    ASSERT_EQ(reply.size(), 25u);
    EXPECT_TRUE(HasValidCrc(reply.data(), reply.size()));
    EXPECT_EQ(reply[0], 1);
    EXPECT_EQ(reply[2], 20);
    EXPECT_EQ(RegisterIn(reply, 1), 300);
    EXPECT_EQ(RegisterIn(reply, 2), 10);
    EXPECT_EQ(RegisterIn(reply, 6), 42);

    const Frame write = Bytes(BuildWriteRequest(1, 1, 0x01, 0x5E));
    EXPECT_EQ(line.Exchange(write, 8), write);
    const Frame block2 = line.Exchange(Bytes(BuildReadRequest(1, 20, 10)), 25);
    ASSERT_EQ(block2.size(), 25u);
    EXPECT_EQ(RegisterIn(block2, 1), 777);
    const Frame again = line.Exchange(ReadBlock0, 25);
    ASSERT_EQ(again.size(), 25u);
    EXPECT_EQ(RegisterIn(again, 1), 350);

    // start the motor: the output begins at the starting voltage
    EXPECT_EQ(line.Exchange(Bytes(BuildWriteRequest(1, 0, 0, 1)), 8).size(), 8u);
    const Frame running = line.Exchange(ReadBlock0, 25);
    ASSERT_EQ(running.size(), 25u);
    EXPECT_EQ(RegisterIn(running, 0) & 1, 1);
    EXPECT_GE(RegisterIn(running, 4), 350);

    EXPECT_EQ(sim.ReadRequestLog(), "01030000000AC5CD\n"
                                    "01060001015E5862\n"
                                    "01030014000A85C9\n"
                                    "01030000000AC5CD\n"
                                    "010600000001480A\n"
                                    "01030000000AC5CD\n");
}

TEST_F(SimulatorTest, ExceptionsAndFramesThatGetNoReply)
{
    Launch({"--address", "5"});
    PtyClient line(sim.DevicePath());
    ASSERT_TRUE(line.IsOpen());

    EXPECT_EQ(line.Exchange(WithCrc({5, 3, 0, 25, 0, 10}), 5), WithCrc({5, 0x83, 2}));
    EXPECT_EQ(line.Exchange(Bytes(BuildWriteRequest(5, 7, 0, 1)), 5), WithCrc({5, 0x86, 2}));
    EXPECT_EQ(line.Exchange(WithCrc({5, 0x2B, 0x0E, 1, 0}), 5), WithCrc({5, 0xAB, 1}));

    Frame badCrc = Bytes(BuildReadRequest(5, 0, 10));
    badCrc[6] ^= 0x40;
    ASSERT_TRUE(line.Write(badCrc));
    ASSERT_TRUE(line.Write(Bytes(BuildReadRequest(1, 0, 10))));   // another station
    ASSERT_TRUE(line.Write(Frame{0xFF, 0x00, 0x13}));              // line noise
    EXPECT_TRUE(line.Read(1, QuietWait).empty());

    const Frame reply = line.Exchange(Bytes(BuildReadRequest(5, 0, 10)), 25);
    ASSERT_EQ(reply.size(), 25u);
    EXPECT_TRUE(HasValidCrc(reply.data(), reply.size()));
}

TEST_F(SimulatorTest, CorruptsEveryNthCrc)
{
    Launch({"--corrupt-crc-every", "2"});
    PtyClient line(sim.DevicePath());
    const Frame first = line.Exchange(ReadBlock0, 25);
    const Frame second = line.Exchange(ReadBlock0, 25);
    const Frame third = line.Exchange(ReadBlock0, 25);
    ASSERT_EQ(first.size(), 25u);
    ASSERT_EQ(second.size(), 25u);
    ASSERT_EQ(third.size(), 25u);
    EXPECT_TRUE(HasValidCrc(first.data(), first.size()));
    EXPECT_FALSE(HasValidCrc(second.data(), second.size()));
    EXPECT_TRUE(HasValidCrc(third.data(), third.size()));
}

TEST_F(SimulatorTest, SplitsLateAndNoisyReplies)
{
    {
        Launch({"--split-reply", "600"});
        PtyClient line(sim.DevicePath());
        ASSERT_TRUE(line.Write(ReadBlock0));
        const auto chunks = line.ReadChunks(25);
        ASSERT_GE(chunks.size(), 2u);
        EXPECT_LT(chunks[0].size(), 25u);
        Frame joined;
        for (const auto& c : chunks) joined.insert(joined.end(), c.begin(), c.end());
        ASSERT_EQ(joined.size(), 25u);
        EXPECT_TRUE(HasValidCrc(joined.data(), joined.size()));
        sim.Stop();
    }
    {
        Launch({"--reply-delay", "800"});
        PtyClient line(sim.DevicePath());
        ASSERT_TRUE(line.Write(ReadBlock0));
        EXPECT_TRUE(line.Read(1, std::chrono::milliseconds(150)).empty()) << "answered before the delay";
        EXPECT_EQ(line.Read(25).size(), 25u);
        sim.Stop();
    }
    {
        Launch({"--noise", "4"});
        PtyClient line(sim.DevicePath());
        const Frame noisy = line.Exchange(ReadBlock0, 29);
        ASSERT_EQ(noisy.size(), 29u);
        EXPECT_TRUE(HasValidCrc(noisy.data() + 4, 25));
    }
}

TEST_F(SimulatorTest, QueuesRepliesInOrderRejectsABlockAndSendsNoiseApart)
{
    {
        Launch({"--queue-replies", "--reply-delay", "300", "--reject-block", "1"});
        PtyClient line(sim.DevicePath());
        ASSERT_TRUE(line.Write(Bytes(BuildReadRequest(1, 10, 10))));
        ASSERT_TRUE(line.Write(ReadBlock0));
        const Frame replies = line.Read(5 + 25);
        ASSERT_EQ(replies.size(), 30u);
        EXPECT_EQ(Frame(replies.begin(), replies.begin() + 5), WithCrc({1, 0x83, 0x02}));
        EXPECT_TRUE(HasValidCrc(replies.data() + 5, 25));
        sim.Stop();
    }
    {
        Launch({"--noise", "1", "--noise-lead", "20", "--reply-delay", "400"});
        PtyClient line(sim.DevicePath());
        ASSERT_TRUE(line.Write(ReadBlock0));
        const auto chunks = line.ReadChunks(26);   // the glitch, then 380 ms later the intact reply
        ASSERT_GE(chunks.size(), 2u);
        EXPECT_EQ(chunks[0].size(), 1u);
        Frame reply;
        for (std::size_t i = 1; i < chunks.size(); ++i) reply.insert(reply.end(), chunks[i].begin(), chunks[i].end());
        ASSERT_EQ(reply.size(), 25u);
        EXPECT_TRUE(HasValidCrc(reply.data(), reply.size()));
    }
}

TEST_F(SimulatorTest, NeverRepliesButStillReceives)
{
    Launch({"--never-reply"});
    PtyClient line(sim.DevicePath());
    ASSERT_TRUE(line.Write(ReadBlock0));
    EXPECT_TRUE(line.Read(1, QuietWait).empty());
    const auto deadline = Clock::now() + Generous;
    while (sim.ReadRequestLog().empty() && Clock::now() < deadline) ::usleep(10'000);
    EXPECT_EQ(sim.ReadRequestLog(), "01030000000AC5CD\n");
}

TEST_F(SimulatorTest, ClosesLikeARemovedDeviceAfterNReplies)
{
    Launch({"--close-after", "2"});
    PtyClient line(sim.DevicePath());
    EXPECT_EQ(line.Exchange(ReadBlock0, 25).size(), 25u);
    EXPECT_EQ(line.Exchange(ReadBlock0, 25).size(), 25u);
    line.Write(ReadBlock0);
    EXPECT_TRUE(line.Read(25).empty());
    EXPECT_TRUE(line.HungUp());
    const auto deadline = Clock::now() + Generous;
    while (sim.Running() && Clock::now() < deadline) ::usleep(10'000);
    EXPECT_FALSE(sim.Running());
}

TEST_F(SimulatorTest, OversizeRepliesPaddedOrGarbage)
{
    {
        Launch({"--oversize", "300"});
        PtyClient line(sim.DevicePath());
        const Frame big = line.Exchange(ReadBlock0, 300);
        ASSERT_EQ(big.size(), 300u);
        EXPECT_TRUE(HasValidCrc(big.data(), 25));
        EXPECT_EQ(Frame(big.begin() + 25, big.end()), Frame(275, 0));
        EXPECT_TRUE(line.Read(1, QuietWait).empty()) << "more than the oversize length";
        sim.Stop();
    }
    {
        Launch({"--oversize", "600", "--oversize-garbage"});
        PtyClient line(sim.DevicePath());
        EXPECT_EQ(line.Exchange(ReadBlock0, 600).size(), 600u);
        sim.Stop();
    }
    {
        // far more than the terminal buffers, to a client that does not read: the
        // simulator must still end cleanly on SIGTERM instead of hanging in write()
        Launch({"--oversize", "65536", "--oversize-garbage"});
        PtyClient line(sim.DevicePath());
        ASSERT_TRUE(line.Write(ReadBlock0));
        EXPECT_FALSE(line.Read(1).empty());
        sim.Stop();
        EXPECT_TRUE(WIFEXITED(sim.ExitStatus()) && WEXITSTATUS(sim.ExitStatus()) == 0) << "status " << sim.ExitStatus();
    }
}

TEST_F(SimulatorTest, AnswersOnlyAtTheExpectedLineSettings)
{
    Launch({"--expect-line", "9600,8_E_1"});
    PtyClient line(sim.DevicePath());
    struct Row {
        speed_t speed;
        bool twoStopBits, parity, odd, answers;
    };
    for (const Row& row : {Row{B9600, false, true, false, true}, Row{B9600, true, false, false, false},
                           Row{B9600, false, true, true, false}, Row{B4800, false, true, false, false},
                           Row{B19200, false, true, false, false}, Row{B9600, false, true, false, true}}) {
        line.SetLine(row.speed, row.twoStopBits, row.parity, row.odd);
        ASSERT_TRUE(line.Write(ReadBlock0));
        const Frame reply = line.Read(25, row.answers ? Generous : QuietWait);
        EXPECT_EQ(reply.size(), row.answers ? 25u : 0u) << "speed " << row.speed << " stop " << row.twoStopBits
                                                        << " odd " << row.odd;
    }
    // Every request reached the device, answered or not.
    const std::string log = sim.ReadRequestLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6);

    SimulatorProcess bad;
    for (const char* value : {"9600", "9600,", ",8_E_1", "9600,8_X_1", "12345,8_E_1", "abc,8_N_2", "9600,8_E_1,x", "-9600,8_E_1"})
        EXPECT_FALSE(bad.Start({"--expect-line", value})) << value;
}

TEST_F(SimulatorTest, LinksTheTerminalAndRejectsBadOptions)
{
    const std::string link = ::testing::TempDir() + "softstarter-sim-link-" + std::to_string(::getpid());
    Launch({"--link", link});
    char target[256] = {};
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    ASSERT_GT(n, 0);
    EXPECT_EQ(std::string(target, static_cast<std::size_t>(n)), sim.DevicePath());
    PtyClient line(link);
    EXPECT_EQ(line.Exchange(ReadBlock0, 25).size(), 25u);
    sim.Stop();
    struct stat st{};
    EXPECT_NE(::lstat(link.c_str(), &st), 0) << "link left behind";

    // Something already at the path, a symlink included, is refused and left alone.
    ASSERT_EQ(::symlink("/dev/null", link.c_str()), 0);
    SimulatorProcess refused;
    EXPECT_FALSE(refused.Start({"--link", link}));
    ASSERT_EQ(::readlink(link.c_str(), target, sizeof target - 1), 9);
    ::unlink(link.c_str());

    SimulatorProcess bad;
    EXPECT_FALSE(bad.Start({"--address", "0"}));
    EXPECT_FALSE(bad.Start({"--no-such-option"}));
    EXPECT_FALSE(bad.Running());
}

namespace {

// The console's side of the link on the simulator's terminal: requests go out on the
// line, and whatever comes back is handed to the link as one received block.
class LineHost : public DeviceLinkHost {
public:
    explicit LineHost(PtyClient& line) : line_(line) {}
    bool CommunicationTicked() const override { return true; }
    std::string StationAddressText() const override { return "1"; }
    bool SendData(const std::uint8_t* data, std::uint16_t length) override
    {
        lastRequestLength = length;
        return line_.Write(Frame(data, data + length));
    }
    void Pause(int) override {}
    void SetCommunicationLamp(bool lit) override { lamp = lit; }
    void SetMemo12Text(const std::string&) override {}
    void SetMemo13Text(const std::string&) override {}
    bool lamp = false;
    std::size_t lastRequestLength = 0;

private:
    PtyClient& line_;
};

void DeliverReply(PtyClient& line, DeviceLink& link, std::size_t expected)
{
    const Frame reply = line.Read(expected);
    link.Comm1ReceiveData(reply.data(), static_cast<std::uint16_t>(reply.size()));
}

} // namespace

TEST_F(SimulatorTest, DeviceLinkMirrorsTheSimulatedStarter)
{
    Launch({"--set", "7=257", "--set", "6=40", "--set", "12=40000", "--set", "24=65535"});
    PtyClient line(sim.DevicePath());
    LineHost host(line);
    DeviceLink link(host);

    for (int tick = 0; tick < 3; ++tick) {
        link.Timer1Timer();
        DeliverReply(line, link, 25);
        EXPECT_TRUE(host.lamp) << "tick " << tick;
    }
    EXPECT_EQ(link.Register(1), 300u);
    EXPECT_EQ(link.Register(6), 40u);
    EXPECT_EQ(link.Register(7), 257u);
    EXPECT_EQ(link.Register(12), 40000u);
    EXPECT_EQ(link.Register(24), 65535u);

    link.KnobClick(1, 450.4);
    DeliverReply(line, link, 8);   // the echo ends the pending write
    EXPECT_FALSE(link.WritePending());
    link.Timer1Timer();
    DeliverReply(line, link, 25);
    EXPECT_EQ(link.Register(1), 450u);
    EXPECT_TRUE(host.lamp);
    EXPECT_EQ(sim.ReadRequestLog().substr(3 * 17), "0106000101C2580B\n01030000000AC5CD\n");
}
