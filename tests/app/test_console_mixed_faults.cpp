// SPDX-License-Identifier: GPL-3.0-or-later
// The console's real main window, its own timers and serial port against the simulated
// soft starter behind a slow queueing gateway that mixes faults at random (fixed seed):
// split replies, stray bytes, corrupted CRCs and lost replies, while the operator
// clicks knobs. For more than a minute of polling every kept register is checked every
// few milliseconds: it must hold 0 (not read yet) or the device's own value.

#include "tests/support/console_fault_rig.h"
#include "widgets/dials/knob.h"

#include <gtest/gtest.h>

#include <map>

using console_faults::ConsoleFaultRig;

namespace {

// Counts the blocks decoded, per block.
struct RefreshCounter : LinkObserver {
    std::map<int, int> decoded;
    void BlockJudged(const BlockJudgedEvent& event) override
    {
        if (event.verdict == BlockVerdict::Decoded) ++decoded[event.block];
    }
};

// Knob clicks of the operator: each writes the value the device already holds, so the
// registers stay constant while writes and their echoes cross the late replies.
void ClickKnobs(TForm1& form, int which)
{
    const auto presets = steady_starter::ConstantPresets();
    const auto value = [&](int reg) {
        for (const auto& [r, v] : presets)
            if (r == reg) return v;
        return 0;
    };
    if (which % 2 == 0) {
        form.iKnob1->SetPosition(value(1));
        form.iKnob1Click(form.iKnob1);
    } else {
        form.iKnob3->SetPosition(value(3));
        form.iKnob3Click(form.iKnob3);
    }
}

} // namespace

TEST(ConsoleMixedFaults, NoRegisterEverHoldsAnotherBlocksValue)
{
    ConsoleFaultRig rig;
    ASSERT_TRUE(rig.StartSimulator({"--queue-replies", "--reply-delay", "2400", "--split-percent", "10",
                                    "--stray-percent", "10", "--crc-percent", "5", "--silence-percent", "5",
                                    "--seed", "7"}));
    rig.console = std::make_unique<console_test::ConsoleUnderTest>(QString::fromStdString(rig.LinkPath()));
    TForm1& form = rig.Form();
    RefreshCounter refreshes;
    form.Link().AddObserver(&refreshes);
    ASSERT_TRUE(rig.console->Open());
    rig.console->Tick();   // the window's own 1000 ms poll and 500 ms display timers run

    constexpr int RunMs = 65'000;
    const std::vector<int> clicksAtMs{5'000, 6'000, 30'000, 31'000, 50'000};
    std::size_t nextClick = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < RunMs && rig.violations.empty()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        rig.CheckNow();
        if (nextClick < clicksAtMs.size() && clock.elapsed() >= clicksAtMs[nextClick]) ClickKnobs(form, static_cast<int>(nextClick++));
        QThread::msleep(2);
    }
    form.Link().RemoveObserver(&refreshes);
    EXPECT_TRUE(rig.violations.empty()) << "after " << clock.elapsed() << " ms: " << rig.violations.front();
    for (int block = 0; block < 3; ++block) EXPECT_GE(refreshes.decoded[block], 1) << "block " << block;
    EXPECT_TRUE(rig.lampSeenLit);
    EXPECT_TRUE(rig.console->messages.isEmpty());
}
