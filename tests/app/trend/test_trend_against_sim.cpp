// SPDX-License-Identifier: GPL-3.0-or-later
// The trend window on the console against the simulated soft starter, with the console's
// own timers: a 10 s soft start is recorded with its figures and exported as CSV that
// parses back; the default poll cycle stays as it is with the window open; following the
// start reads block 0 as fast as the device answers, one read at a time, and goes back
// to the rotation when the record ends.
#include "app/console_extras.h"
#include "app/extra_windows_menu.h"
#include "app/trend/trend_csv.h"
#include "app/trend/trend_window.h"
#include "sim/sim_process.h"
#include "sim/softstarter_model.h"
#include "tests/support/console_test_support.h"
#include "widgets/indicators/switch_led.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace console_test;

namespace {

// Checks every read as it goes out: never beside a read of another block that might
// still be answered, and while following the start never beside a read still within
// its reply window.
struct ReadWatch : LinkObserver {
    explicit ReadWatch(DeviceLink& l) : link(l) { link.AddObserver(this); }
    ~ReadWatch() override { link.RemoveObserver(this); }
    void RequestSent(const RequestSentEvent& event) override
    {
        if (event.kind != LinkRequestKind::Read) return;
        for (const RequestInFlight& request : link.InFlight().Requests()) {
            if (request.kind != RequestInFlight::Kind::Read) continue;
            if (request.block != event.block) ++beside;
            if (link.FollowingBlock0() && event.atMs - request.sentAtMs < DeviceLink::FollowReplyWindowMs) ++tooSoon;
        }
        ++reads;
    }
    DeviceLink& link;
    int reads = 0;
    int beside = 0;
    int tooSoon = 0;
};

struct TrendRig {
    explicit TrendRig(const std::vector<std::string>& simOptions)
    {
        started = simulator.Start(simOptions);
        if (!started) return;
        console = std::make_unique<ConsoleUnderTest>(QString::fromStdString(simulator.DevicePath()));
        const ConsoleExtras extras = InstallConsoleExtras(console->form);
        menu = &extras.menu;
        trendEntry = extras.trend;
        watch = std::make_unique<ReadWatch>(console->form.Link());
    }
    TForm1& Form() { return console->form; }
    TrendWindow* OpenWindow()
    {
        QAction* entry = trendEntry;
        if (!entry || entry->shortcut() != QKeySequence(Qt::CTRL | Qt::Key_T)) return nullptr;
        entry->trigger();
        auto* window = qobject_cast<TrendWindow*>(menu->WindowOf(entry));
        if (window) window->ShowMessage = [this](const QString& text) { messages << text; };
        return window;
    }
    // Opens the port, ticks communication and presses RUN once the state is read.
    bool StartMotor()
    {
        if (!console->Open()) return false;
        console->Tick();
        if (!WaitUntil([&] { return console->CommunicationLampLit() && Form().iSwitchLed1->Caption() == "RUN"; }, 10000))
            return false;
        // Two samples of the stopped motor first, so the start is seen as a change.
        if (!WaitUntil([&] { return Session().History().Samples().size() >= 2; }, 15000)) return false;
        Form().iSwitchLed1Change(nullptr);
        return true;
    }
    const TrendSession& Session() { return *menu->findChild<TrendSession*>(); }

    // Starts of the reads in the simulator's request log, and the writes as -1.
    std::vector<int> LoggedRequests() const
    {
        std::vector<int> starts;
        std::istringstream lines(simulator.ReadRequestLog());
        for (std::string line; std::getline(lines, line);) {
            if (line.size() < 16) continue;
            const int function = std::stoi(line.substr(2, 2), nullptr, 16);
            starts.push_back(function == 3 ? std::stoi(line.substr(6, 2), nullptr, 16) : -1);
        }
        return starts;
    }

    SimulatorProcess simulator;
    bool started = false;
    std::unique_ptr<ConsoleUnderTest> console;
    ExtraWindowsMenu* menu = nullptr;
    QAction* trendEntry = nullptr;
    std::unique_ptr<ReadWatch> watch;
    QStringList messages;
};

constexpr int RecordDeadlineMs = 40000;

std::int64_t FirstRunningMs(const StartRecord& record)
{
    for (const TrendSample& s : record.samples)
        if (s.atMs >= record.startMs && s.Running()) return s.atMs;
    return record.endMs;
}

// The time between the first sample at full output and the one before it.
std::int64_t SamplingPeriodAtRampEnd(const StartRecord& record)
{
    for (std::size_t i = 1; i < record.samples.size(); ++i)
        if (record.samples[i].outputTenths >= FullOutputTenths) return record.samples[i].atMs - record.samples[i - 1].atMs;
    return -1;
}

std::vector<QList<QByteArray>> CsvRows(const QString& path)
{
    QFile file(path);
    std::vector<QList<QByteArray>> rows;
    if (!file.open(QIODevice::ReadOnly)) return rows;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty()) rows.push_back(line.trimmed().split(','));
    return rows;
}

} // namespace

TEST(TrendAgainstSimulator, TheUsualCycleRecordsATenSecondStartAndItsCsvParsesBack)
{
    TrendRig rig({});   // the simulator's soft start is 10 s
    ASSERT_TRUE(rig.started);
    TrendWindow* window = rig.OpenWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->FollowBox()->isChecked());
    ASSERT_TRUE(rig.StartMotor());
    const StartRecorder& recorder = rig.Session().Recorder();
    ASSERT_TRUE(WaitUntil([&] { return !recorder.Records().empty(); }, RecordDeadlineMs));

    const StartRecord& record = recorder.Records().back();
    const RecordFigures figures = FiguresOf(record);
    EXPECT_EQ(record.end, RecordEnd::FullOutput);
    EXPECT_TRUE(record.startFromCommand);
    ASSERT_TRUE(figures.rampTimeMs.has_value());
    // Block 0 is read every third second: the ramp's end is seen up to one sampling
    // period late, the one that ended at the first sample at full output.
    const std::int64_t period = SamplingPeriodAtRampEnd(record);
    EXPECT_GE(period, 2500);
    EXPECT_GE(*figures.rampTimeMs, 10000 - 300);
    EXPECT_LE(*figures.rampTimeMs, 10000 + period + 300);
    EXPECT_EQ(figures.peakCurrentTenths, SoftStarterModel::FullCurrent);
    EXPECT_EQ(figures.currentAtRampEndTenths, SoftStarterModel::FullCurrent);
    EXPECT_GE(figures.temperatureRiseC, 0);
    std::cout << "[ figures  ] usual cycle: ramp " << *figures.rampTimeMs << " ms (sampling period " << period << " ms), peak "
              << figures.peakCurrentTenths / 10.0 << " A, " << record.samples.size() << " samples\n";
    EXPECT_EQ(window->RecordTable()->rowCount(), 1);

    // The record's CSV: one row a sample, times in order, values as sampled.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start.csv"));
    ASSERT_TRUE(window->ExportRecordCsv(0, path));
    const auto rows = CsvRows(path);
    ASSERT_EQ(rows.size(), record.samples.size() + 1);
    EXPECT_EQ(rows[0].size(), 7);
    EXPECT_TRUE(QString::fromUtf8(rows[0][3]).contains(QStringLiteral("(A)")));
    const QRegularExpression iso(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d$)"));
    QByteArray previousTime;
    bool fullRowSeen = false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const TrendSample& sample = record.samples[i - 1];
        ASSERT_EQ(rows[i].size(), 7) << i;
        EXPECT_TRUE(iso.match(QString::fromLatin1(rows[i][0])).hasMatch()) << rows[i][0].toStdString();
        EXPECT_GT(rows[i][0], previousTime);   // same offset throughout, so text order is time order
        previousTime = rows[i][0];
        EXPECT_DOUBLE_EQ(rows[i][1].toDouble(), static_cast<double>(sample.atMs - record.startMs) / 1000.0);
        EXPECT_DOUBLE_EQ(rows[i][2].toDouble(), sample.outputTenths / 10.0);
        EXPECT_DOUBLE_EQ(rows[i][3].toDouble(), sample.currentTenths / 10.0);
        EXPECT_EQ(rows[i][4].toInt(), sample.temperatureC);
        fullRowSeen |= rows[i][2] == "100.0" && rows[i][3] == "50.0" && rows[i][5] == "1";
    }
    EXPECT_TRUE(fullRowSeen);

    // The whole trend and the chart; then paths that cannot be written, and no record.
    ASSERT_TRUE(window->ExportTrendCsv(dir.filePath(QStringLiteral("trend.csv"))));
    EXPECT_EQ(CsvRows(dir.filePath(QStringLiteral("trend.csv"))).size(), rig.Session().History().Samples().size() + 1);
    ASSERT_TRUE(window->ExportChartPng(dir.filePath(QStringLiteral("trend.png"))));
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("trend.png"))).isNull());
    EXPECT_TRUE(rig.messages.isEmpty());
    EXPECT_FALSE(window->ExportRecordCsv(0, dir.filePath(QStringLiteral("missing/start.csv"))));
    EXPECT_FALSE(window->ExportChartPng(dir.path()));
    EXPECT_FALSE(window->ExportRecordCsv(1, dir.filePath(QStringLiteral("none.csv"))));
    ASSERT_EQ(rig.messages.size(), 3);
    EXPECT_TRUE(rig.messages[0].startsWith(QStringLiteral("无法写入文件")));
    EXPECT_TRUE(rig.messages[1].startsWith(QStringLiteral("无法写入文件")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.csv"))));

    // With the window open and following not chosen, the wire is the usual one: reads
    // of blocks 0, 10 and 20 in turn, and the one run command.
    const std::vector<int> requests = rig.LoggedRequests();
    int expected = 0, previous = 0, writes = 0;
    for (int start : requests) {
        if (start < 0) {
            ++writes;
            continue;
        }
        // The next block, or the same again if its reply came late.
        EXPECT_TRUE(start == expected || start == previous) << "the rotation broke at " << start;
        previous = start;
        expected = (start + 10) % 30;
    }
    EXPECT_EQ(writes, 1);
    EXPECT_FALSE(rig.Form().Link().FollowingBlock0());
    EXPECT_EQ(rig.watch->beside, 0);
}

TEST(TrendAgainstSimulator, FollowingTheStartReadsFasterOneAtATimeAndReturnsToTheRotation)
{
    TrendRig rig({"--set", "2=3"});   // soft start 3 s
    ASSERT_TRUE(rig.started);
    TrendWindow* window = rig.OpenWindow();
    ASSERT_NE(window, nullptr);
    window->FollowBox()->click();   // the operator's choice
    EXPECT_FALSE(rig.Form().Link().FollowingBlock0());   // nothing changes before a start
    ASSERT_TRUE(rig.StartMotor());
    const StartRecorder& recorder = rig.Session().Recorder();
    ASSERT_TRUE(WaitUntil([&] { return rig.Form().Link().FollowingBlock0(); }, 10000));
    ASSERT_TRUE(WaitUntil([&] { return !recorder.Records().empty(); }, RecordDeadlineMs));
    ASSERT_TRUE(WaitUntil([&] { return !rig.Form().Link().FollowingBlock0(); }, 5000));

    const StartRecord& record = recorder.Records().back();
    const RecordFigures figures = FiguresOf(record);
    int following = 0;
    std::int64_t longestGapMs = 0;
    const TrendSample* previous = nullptr;
    for (const TrendSample& s : record.samples) {
        if (s.atMs < FirstRunningMs(record)) continue;   // following begins with the first running reply
        if (previous) longestGapMs = std::max(longestGapMs, s.atMs - previous->atMs);
        previous = &s;
        ++following;
    }
    const double seconds = static_cast<double>(record.endMs - FirstRunningMs(record)) / 1000.0;
    const double perSecond = (following - 1) / seconds;
    std::cout << "[ figures  ] following the start: " << following << " samples in " << seconds << " s = " << perSecond
              << " per second, longest gap " << longestGapMs << " ms, ramp " << figures.rampTimeMs.value_or(-1)
              << " ms, first running reply " << FirstRunningMs(record) - record.startMs << " ms after the run command\n";
    EXPECT_GT(perSecond, 2.0);   // the usual cycle reads block 0 once in 3 s
    EXPECT_LT(longestGapMs, 1000);
    ASSERT_TRUE(figures.rampTimeMs.has_value());
    EXPECT_GE(*figures.rampTimeMs, 3000 - 300);
    EXPECT_LE(*figures.rampTimeMs, 3000 + longestGapMs + 300);
    EXPECT_EQ(figures.peakCurrentTenths, SoftStarterModel::FullCurrent);

    // After the record the rotation comes back: blocks 10 and 20 are read again.
    const std::size_t logged = rig.LoggedRequests().size();
    ASSERT_TRUE(WaitUntil(
        [&] {
            const auto requests = rig.LoggedRequests();
            bool block10 = false, block20 = false;
            for (std::size_t i = logged; i < requests.size(); ++i) {
                block10 |= requests[i] == 10;
                block20 |= requests[i] == 20;
            }
            return block10 && block20;
        },
        10000));
    EXPECT_EQ(rig.watch->beside, 0);
    EXPECT_EQ(rig.watch->tooSoon, 0);

}
