// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the device: the scan window against a simulated station 7 that answers only
// at 9600 8_E_1, the main window's port taken over and given back, applying the found
// settings, cancelling at once, and the simulator's request log holding reads only.
#include "app/diagnostics/scan_window.h"
#include "app/diagnostics/station_scan_runner.h"
#include "sim/sim_process.h"
#include "tests/support/console_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using console_test::ConsoleUnderTest;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

// A request from the log: station and function.
int StationOf(const std::string& hex) { return std::stoi(hex.substr(0, 2), nullptr, 16); }
int FunctionOf(const std::string& hex) { return std::stoi(hex.substr(2, 2), nullptr, 16); }

struct ScanRig {
    SimulatorProcess sim;
    std::unique_ptr<ConsoleUnderTest> console;
    std::unique_ptr<ScanWindow> window;

    bool Start()
    {
        if (!sim.Start({"--address", "7", "--expect-line", "9600,8_E_1"})) return false;
        console = std::make_unique<ConsoleUnderTest>(QString::fromStdString(sim.DevicePath()));
        if (!console->Open()) return false;
        console->Tick();
        window = std::make_unique<ScanWindow>(console->form);
        window->show();
        return true;
    }
    TForm1& Form() { return console->form; }
};

}  // namespace

TEST(StationScanWindow, FindsStation7At9600EvenParityAmongTheWrongSettingsAndNeverWrites)
{
    ScanRig rig;
    ASSERT_TRUE(rig.Start());
    ScanWindow& window = *rig.window;
    window.FirstAddress->setValue(6);
    window.LastAddress->setValue(7);
    window.AnswerWait->setValue(60);
    EXPECT_TRUE(window.Estimate->text().contains(QStringLiteral("24 次尝试")));
    window.StartButton->click();

    ASSERT_TRUE(window.Runner().Running());
    EXPECT_FALSE(window.FirstAddress->isEnabled()) << "the plan stands while it runs";
    EXPECT_FALSE(rig.Form().CheckBox2->isChecked()) << "polling stops while the scan has the port";
    EXPECT_FALSE(rig.Form().BitBtn7->isEnabled());
    EXPECT_FALSE(rig.Form().Comm1->IsOpen());
    ASSERT_TRUE(WaitUntil([&] { return !window.Runner().Running(); }, 60000));

    ASSERT_EQ(window.Results->rowCount(), 1) << window.Status->text().toStdString();
    EXPECT_EQ(window.Results->item(0, 0)->text(), QStringLiteral("7"));
    EXPECT_EQ(window.Results->item(0, 1)->text(), QStringLiteral("9600"));
    EXPECT_EQ(window.Results->item(0, 2)->text(), QStringLiteral("8_E_1"));
    EXPECT_EQ(window.Progress->text(), QStringLiteral("已试 24 / 24 次（100%）"));
    EXPECT_TRUE(window.FirstAddress->isEnabled());

    // The operator's port, settings and 通讯 are back.
    EXPECT_TRUE(rig.Form().Comm1->IsOpen());
    EXPECT_TRUE(rig.Form().CheckBox2->isChecked());
    EXPECT_TRUE(rig.Form().BitBtn7->isEnabled());
    EXPECT_EQ(rig.Form().Comm1->BaudRate(), 19200u);
    EXPECT_EQ(rig.Form().ComboBox6->currentText(), QStringLiteral("8_N_2"));

    // Applying the found station's settings: the console then talks to it.
    window.ApplyFound(0);
    EXPECT_EQ(rig.Form().ComboBox5->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(rig.Form().ComboBox6->currentText(), QStringLiteral("8_E_1"));
    EXPECT_EQ(rig.Form().ComboBox1->currentText(), QStringLiteral("7"));
    EXPECT_TRUE(WaitUntil([&] { return rig.console->CommunicationLampLit(); }, 10000));

    const auto log = Lines(rig.sim.ReadRequestLog());
    int scanReads = 0;
    for (const std::string& request : log) {
        EXPECT_EQ(FunctionOf(request), 0x03) << request;   // never a write
        if (StationOf(request) == 6 || (StationOf(request) == 7 && request.substr(4, 8) == "0000000A")) ++scanReads;
    }
    EXPECT_GE(scanReads, 24);
    EXPECT_TRUE(rig.console->messages.isEmpty());
}

TEST(StationScanWindow, CancelsAtOnceAndGivesThePortBack)
{
    ScanRig rig;
    ASSERT_TRUE(rig.Start());
    ScanWindow& window = *rig.window;
    window.FirstAddress->setValue(100);   // no station there: it would run for minutes
    window.StartButton->click();
    ASSERT_TRUE(WaitUntil([&] { return window.Runner().Scan()->TriesDone() >= 3; }, 10000));

    QElapsedTimer clock;
    clock.start();
    window.CancelButton->click();
    EXPECT_FALSE(window.Runner().Running());
    EXPECT_LT(clock.elapsed(), 1000) << "within a poll period";
    EXPECT_TRUE(window.Runner().Scan()->Cancelled());
    EXPECT_TRUE(rig.Form().Comm1->IsOpen());
    EXPECT_TRUE(rig.Form().CheckBox2->isChecked());
    EXPECT_TRUE(window.StartButton->isEnabled());
    EXPECT_TRUE(window.Status->text().contains(QStringLiteral("已取消")));

    // After the cancel only the console's own polls of station 1 reach the device.
    const std::size_t atCancel = Lines(rig.sim.ReadRequestLog()).size();
    ASSERT_TRUE(WaitUntil([&] { return Lines(rig.sim.ReadRequestLog()).size() > atCancel; }, 5000));
    const auto log = Lines(rig.sim.ReadRequestLog());
    for (std::size_t i = atCancel; i < log.size(); ++i) EXPECT_EQ(StationOf(log[i]), 1) << log[i];

    // Closing the window cancels a running scan too.
    window.StartButton->click();
    ASSERT_TRUE(window.Runner().Running());
    window.close();
    EXPECT_FALSE(window.Runner().Running());
    EXPECT_TRUE(rig.Form().Comm1->IsOpen());
}

TEST(StationScanWindow, BadRangesAndAMissingPortStartNothingAndChangeNothing)
{
    ConsoleUnderTest console(QStringLiteral("/dev/no-such-port"));
    console.Tick();
    ScanWindow window(console.form);
    window.FirstAddress->setValue(9);
    window.LastAddress->setValue(8);
    EXPECT_FALSE(window.StartButton->isEnabled());
    EXPECT_FALSE(window.Runner().Start(window.Plan()));
    EXPECT_TRUE(console.form.CheckBox2->isChecked());

    window.LastAddress->setValue(9);
    window.StartButton->click();
    EXPECT_FALSE(window.Runner().Running());
    EXPECT_TRUE(window.Status->text().contains(QStringLiteral("不存在"))) << window.Status->text().toStdString();
    EXPECT_TRUE(console.form.CheckBox2->isChecked()) << "given back as it was";
    EXPECT_TRUE(console.form.ComboBox4->isEnabled());
    EXPECT_FALSE(console.form.Comm1->IsOpen());
    window.ApplyFound(0);   // nothing found: nothing applied
    EXPECT_EQ(console.form.ComboBox5->currentText(), QStringLiteral("19200"));
}
