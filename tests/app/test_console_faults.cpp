// SPDX-License-Identifier: GPL-3.0-or-later
// The console against the simulated soft starter with every fault the simulator can put
// on the line: the window keeps running, its registers only ever hold values the device
// sent, the communication lamp follows the link, a removed device shows the port closed,
// and polling resumes once the operator opens the port again.

#include "tests/support/console_fault_rig.h"

#include <gtest/gtest.h>

using console_faults::ConsoleFaultRig;
using console_faults::PortThreads;

namespace {

std::string Joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const auto& item : items) text += item + "; ";
    return text;
}

// Ends the simulator (a removed device), waits for the window to show the port closed,
// starts a clean simulator on the same path, reopens the port and waits for every
// register to be read again with the lamp lit.
void RemoveAndReopen(ConsoleFaultRig& rig)
{
    rig.simulator.Stop();
    ASSERT_TRUE(rig.Drive([&] { return rig.PortShownClosed(); })) << "the window still shows the port open";
    EXPECT_FALSE(rig.console->CommunicationLampLit());
    ASSERT_TRUE(WaitUntil([] { return PortThreads() == 0; }, 10000)) << "port threads still running";

    ASSERT_TRUE(rig.StartSimulator({}));
    ASSERT_TRUE(rig.console->Open());
    ASSERT_TRUE(rig.Drive([&] { return rig.AllRegistersRead() && rig.console->CommunicationLampLit(); }))
        << "polling did not resume after reopening";
}

} // namespace

// Faults that leave the reply itself intact in some blocks: their values get through;
// damaged blocks are rejected and unlight the lamp.
struct PartialFault {
    std::vector<std::string> options;
    bool damagedBlocks;   // some received blocks are no valid reply
};

class RepliesPartlyDamaged : public ::testing::TestWithParam<PartialFault> {};

TEST_P(RepliesPartlyDamaged, GoodRepliesAreDecodedAndDamagedOnesHarmNothing)
{
    const PartialFault& fault = GetParam();
    ConsoleFaultRig rig;
    ASSERT_TRUE(rig.StartSimulator(fault.options));
    ASSERT_TRUE(rig.OpenConsole());
    const std::uint64_t rejections = fault.damagedBlocks ? 2 : 0;
    ASSERT_TRUE(rig.Drive([&] { return rig.AllRegistersRead() && rig.Link().Replies().Rejected >= rejections; }, 60000))
        << "decoded " << rig.Link().Replies().Decoded << ", rejected " << rig.Link().Replies().Rejected;
    // Damaged blocks go on unlighting the lamp. A read whose reply came damaged holds
    // its block until it can no longer be answered, so the next damaged reply may take
    // that long to come.
    rig.lampSeenUnlit = false;
    const std::uint64_t rejectedSoFar = rig.Link().Replies().Rejected;
    const int pollsSoFar = rig.polls;
    rig.Drive([&] { return rig.polls >= pollsSoFar + 3 && (!fault.damagedBlocks || rig.Link().Replies().Rejected > rejectedSoFar); },
              40000);
    EXPECT_TRUE(rig.violations.empty()) << Joined(rig.violations);
    EXPECT_TRUE(rig.lampSeenLit);
    EXPECT_EQ(rig.lampSeenUnlit, fault.damagedBlocks);
    if (!fault.damagedBlocks) {
        EXPECT_EQ(rig.Link().Replies().Rejected, 0u);
    }
    EXPECT_GE(rig.Link().BlockIndex(), 0);
    EXPECT_LE(rig.Link().BlockIndex(), 2);
    EXPECT_TRUE(rig.Form().Comm1->IsOpen());
    EXPECT_TRUE(rig.console->messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, RepliesPartlyDamaged,
                         ::testing::Values(PartialFault{{"--corrupt-crc-every", "2"}, true},
                                           // a zero-padded reply longer than the frame area,
                                           // and one longer than a read of the port: its
                                           // second block is the padding alone
                                           PartialFault{{"--oversize", "300"}, false},
                                           PartialFault{{"--oversize", "2100"}, true}));

// Faults that spoil every reply: nothing reaches the registers and the lamp stays
// unlit; once the device is replaced by a sound one and the port reopened, polling
// resumes and every register is read.
class EveryReplyDamaged : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(EveryReplyDamaged, NothingIsDecodedAndTheLinkRecoversWithASoundDevice)
{
    ConsoleFaultRig rig;
    ASSERT_TRUE(rig.StartSimulator(GetParam()));
    ASSERT_TRUE(rig.OpenConsole());
    ASSERT_TRUE(rig.Drive([&] { return rig.Link().Replies().Rejected >= 3 && rig.polls >= 4; }))
        << "rejected " << rig.Link().Replies().Rejected;
    EXPECT_TRUE(rig.NoRegisterRead());
    EXPECT_EQ(rig.Link().Replies().Decoded, 0u);
    EXPECT_FALSE(rig.lampSeenLit);
    EXPECT_FALSE(rig.Link().BlockDone());
    EXPECT_TRUE(rig.Form().Comm1->IsOpen());
    EXPECT_GE(rig.RequestsLogged(), 3);   // the console kept polling

    RemoveAndReopen(rig);
    EXPECT_TRUE(rig.violations.empty()) << Joined(rig.violations);
    EXPECT_TRUE(rig.console->messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, EveryReplyDamaged,
                         ::testing::Values(std::vector<std::string>{"--split-reply", "250"},   // pause > quiet time
                                           std::vector<std::string>{"--noise", "7"},
                                           std::vector<std::string>{"--oversize", "300", "--oversize-garbage"},
                                           std::vector<std::string>{"--oversize", "2100", "--oversize-garbage"}));

TEST(ConsoleFaults, LateRepliesAreOnlyDecodedAsTheBlockTheyAnswer)
{
    // Every reply comes after the next poll has gone out: a reply decoded as the block
    // being polled at its arrival would put one block's values into another's registers.
    ConsoleFaultRig rig;
    ASSERT_TRUE(rig.StartSimulator({"--reply-delay", std::to_string(ConsoleFaultRig::PollMs * 3 / 2)}));
    ASSERT_TRUE(rig.OpenConsole());
    ASSERT_TRUE(rig.Drive([&] { return rig.AllRegistersRead() || !rig.violations.empty(); }, 30000));
    ASSERT_TRUE(rig.violations.empty()) << Joined(rig.violations);
    rig.DrivePolls(6);   // and they stay right
    EXPECT_TRUE(rig.violations.empty()) << Joined(rig.violations);
    EXPECT_TRUE(rig.AllRegistersRead());
    EXPECT_GT(rig.Link().Replies().Decoded, 3u);
    EXPECT_TRUE(rig.lampSeenLit);
    EXPECT_EQ(rig.Link().Replies().Rejected, 0u);
}

TEST(ConsoleFaults, SilentDeviceLeavesTheLampUnlitAndThePollGoingOn)
{
    ConsoleFaultRig rig;
    ASSERT_TRUE(rig.StartSimulator({"--never-reply"}));
    ASSERT_TRUE(rig.OpenConsole());
    rig.DrivePolls(5);
    EXPECT_FALSE(rig.lampSeenLit);
    EXPECT_TRUE(rig.NoRegisterRead());
    EXPECT_EQ(rig.Link().BlockIndex(), 0);   // the unanswered block is asked for again
    EXPECT_TRUE(WaitUntil([&] { return rig.RequestsLogged() >= 5; }));
    EXPECT_TRUE(rig.Form().Comm1->IsOpen());
}

TEST(ConsoleFaults, RemovedDeviceShowsThePortClosedUntilReopened)
{
    ConsoleFaultRig rig;
    ASSERT_TRUE(rig.StartSimulator({"--close-after", "4"}));
    ASSERT_TRUE(rig.OpenConsole());
    ASSERT_TRUE(rig.Drive([&] { return rig.PortShownClosed(); })) << "the window still shows the port open";
    EXPECT_TRUE(rig.lampSeenLit);   // it answered before it went away
    EXPECT_FALSE(rig.console->CommunicationLampLit());
    EXPECT_GE(rig.Link().Replies().Decoded, 1u);
    // No threads left retrying the dead descriptor, and further polls are harmless.
    EXPECT_TRUE(WaitUntil([] { return PortThreads() == 0; }, 10000));
    rig.DrivePolls(3);
    EXPECT_TRUE(rig.PortShownClosed());
    EXPECT_FALSE(rig.console->CommunicationLampLit());
    EXPECT_EQ(PortThreads(), 0);

    RemoveAndReopen(rig);
    EXPECT_TRUE(rig.violations.empty()) << Joined(rig.violations);
}
