// SPDX-License-Identifier: GPL-3.0-or-later
// The console as a whole, variants side by side:
//  - decoding a read reply in Comm1ReceiveData (against the poll tick that sends its request),
//  - full and value-only repaints of every kind of instrument at the console's sizes,
//    with and without the cached static layer,
//  - one whole display tick (Timer2Timer) on the offscreen-rendered main window, with
//    changing register values and with unchanged ones, including the paints it causes,
//  - start-up: a fresh process to the first painted main window, and building and
//    painting the main window inside a running application.
// Prints ratios between the variants at the end.

#include "app/form1.h"
#include "bench/launch_clock.h"
#include "device/frame_codec.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/edit/analog_output.h"
#include "widgets/base/component.h"
#include "widgets/dials/knob.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"
#include "widgets/dials/thermometer.h"

#include <QApplication>
#include <QCheckBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include "bench/bench_support.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// --- Device link ----------------------------------------------------------

// A host that accepts every request and remembers the last one.
class RecordingHost : public DeviceLinkHost {
public:
    std::vector<std::uint8_t> lastRequest;

    bool CommunicationTicked() const override { return true; }
    std::string StationAddressText() const override { return "1"; }
    bool SendData(const std::uint8_t* data, std::uint16_t length) override
    {
        lastRequest.assign(data, data + length);
        return true;
    }
    void Pause(int) override {}
    void SetCommunicationLamp(bool) override {}
    void SetMemo12Text(const std::string&) override {}
    void SetMemo13Text(const std::string&) override {}
};

// The device's reply to a read request: ten registers whose values move with `seed`.
std::vector<std::uint8_t> ReadReply(const std::vector<std::uint8_t>& request, unsigned seed)
{
    const int count = request.size() >= 6 ? request[5] : 10;
    std::vector<std::uint8_t> reply{request.empty() ? std::uint8_t{1} : request[0], 0x03,
                                    static_cast<std::uint8_t>(count * 2)};
    for (int n = 0; n < count; ++n) {
        const unsigned value = (seed * 37u + static_cast<unsigned>(n) * 101u) % 1000u;
        reply.push_back(static_cast<std::uint8_t>(value >> 8));
        reply.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }
    return WithCrc(reply);
}

void BM_Crc16ReplyFrame(benchmark::State& state)
{
    const std::vector<std::uint8_t> reply = ReadReply({1, 3, 0, 0, 0, 10}, 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(Crc16(reply.data(), reply.size() - 2));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (reply.size() - 2)));
}
BENCHMARK(BM_Crc16ReplyFrame);

// One poll tick: the read request of the current block is built and sent.
void BM_PollTick(benchmark::State& state)
{
    RecordingHost host;
    DeviceLink link(host);
    unsigned seed = 0;
    for (auto _ : state) {
        link.Timer1Timer();
        // The reply, outside the timed part, so the block moves on as it does on the line.
        state.PauseTiming();
        const auto reply = ReadReply(host.lastRequest, ++seed);
        link.Comm1ReceiveData(reply.data(), static_cast<std::uint16_t>(reply.size()));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PollTick)->Unit(benchmark::kNanosecond);

// Comm1ReceiveData decoding a read reply into the register state (the request that it
// answers was sent by a poll tick outside the timed part).
void BM_Comm1ReceiveData(benchmark::State& state)
{
    RecordingHost host;
    DeviceLink link(host);
    unsigned seed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        link.Timer1Timer();
        const auto reply = ReadReply(host.lastRequest, ++seed);
        state.ResumeTiming();
        link.Comm1ReceiveData(reply.data(), static_cast<std::uint16_t>(reply.size()));
    }
    if (link.Replies().Decoded != static_cast<std::uint64_t>(state.iterations()))
        state.SkipWithError("a reply was not decoded");
}
BENCHMARK(BM_Comm1ReceiveData)->Unit(benchmark::kNanosecond);

// --- The main window ------------------------------------------------------

// A pseudo-terminal whose slave side the console opens as its port; nothing answers on
// it: replies are handed to Comm1ReceiveData directly.
class SilentLine {
public:
    SilentLine()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        char name[128] = {};
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0 && ptsname_r(master_, name, sizeof name) == 0)
            path_ = name;
    }
    ~SilentLine()
    {
        if (master_ >= 0)
            ::close(master_);
    }
    SilentLine(const SilentLine&) = delete;
    SilentLine& operator=(const SilentLine&) = delete;

    const std::string& Path() const { return path_; }
    // Throws away what the console sent, so the line never fills up.
    void Drain() const
    {
        char buffer[512];
        while (::read(master_, buffer, sizeof buffer) > 0) {
        }
    }

private:
    int master_ = -1;
    std::string path_;
};

// Counts paint events of the instrument widgets (and of all widgets).
class PaintCounter : public QObject {
public:
    std::uint64_t instrumentPaints = 0;
    std::uint64_t paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            ++paints;
            if (qobject_cast<TiComponent*>(watched) != nullptr)
                ++instrumentPaints;
        }
        return false;
    }
};

// The main window shown on the offscreen platform with its port open on a silent line,
// communication ticked and its own timers stopped, so the benchmark drives every tick.
class ConsoleRig {
public:
    ConsoleRig() : form(QString::fromStdString(line.Path()))
    {
        form.ShowMessage = [](const QString&) {};
        form.ShowDetailedMessage = [](const QString&, const QString&) {};
        form.Timer1->stop();
        form.Timer2->stop();
        form.BitBtn7Click();
        form.CheckBox2->setChecked(true);
        form.show();
        Flush();
    }

    // Feeds the three read blocks with values derived from `seed` (30 registers).
    void FeedAllBlocks(unsigned seed)
    {
        for (int block = 0; block < 3; ++block) {
            form.Link().Timer1Timer();
            const RequestFrame request = BuildReadRequest(1, static_cast<std::uint8_t>(form.Link().BlockIndex() * 10), 10);
            const auto reply = ReadReply(std::vector<std::uint8_t>(request.begin(), request.end()), seed + static_cast<unsigned>(block));
            form.Comm1ReceiveData(form.Comm1, reply.data(), static_cast<std::uint16_t>(reply.size()));
            line.Drain();
        }
    }

    // Delivers pending repaints: the offscreen window paints what was invalidated.
    static void Flush() { QCoreApplication::processEvents(); }

    std::vector<TiComponent*> Instruments() const
    {
        std::vector<TiComponent*> widgets;
        for (TiComponent* widget : form.findChildren<TiComponent*>())
            widgets.push_back(widget);
        return widgets;
    }

    SilentLine line;
    TForm1 form;
};

// Made on first use, freed before the application object goes.
std::unique_ptr<ConsoleRig> rig;

ConsoleRig& Rig()
{
    if (!rig)
        rig = std::make_unique<ConsoleRig>();
    return *rig;
}

// One display tick with new register values: Timer2Timer and the repaints it causes.
// Arg 1: instruments draw with their cached static layer; 0: without.
void BM_DisplayTick(benchmark::State& state, bool changing)
{
    ConsoleRig& rig = Rig();
    const bool cached = state.range(0) != 0;
    for (TiComponent* widget : rig.Instruments())
        widget->SetCachedDrawing(cached);
    ConsoleRig::Flush();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    unsigned seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        if (changing)
            seed += 1;
        rig.FeedAllBlocks(seed);
        state.ResumeTiming();
        rig.form.Timer2Timer();
        ConsoleRig::Flush();
    }
    qApp->removeEventFilter(&counter);
    for (TiComponent* widget : rig.Instruments())
        widget->SetCachedDrawing(true);
    ConsoleRig::Flush();
    state.counters["instrument_paints_per_tick"] = static_cast<double>(counter.instrumentPaints) / static_cast<double>(state.iterations());
    state.counters["paints_per_tick"] = static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(BM_DisplayTick, changing, true)->Arg(1)->Arg(0)->Iterations(60)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DisplayTick, unchanged, false)->Arg(1)->Iterations(60)->Unit(benchmark::kMicrosecond);

// --- Every instrument kind at its size in the console -----------------------

void PaintInto(TiComponent& widget, QImage& target)
{
    widget.render(&target);
}

enum class RepaintKind { FullCached, FullUncached, ValueOnly };

void BM_Instrument(benchmark::State& state, std::function<TiComponent*()> pick, RepaintKind kind)
{
    TiComponent* widget = pick();
    widget->SetCachedDrawing(kind != RepaintKind::FullUncached);
    QImage target(widget->size() * widget->devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(widget->devicePixelRatioF());
    PaintInto(*widget, target);
    for (auto _ : state) {
        if (kind == RepaintKind::ValueOnly)
            widget->InvalidateChange();
        else
            widget->BackGroundChange();
        PaintInto(*widget, target);
    }
    if (kind == RepaintKind::ValueOnly && widget->IsBackGroundChanged())
        state.SkipWithError("a value-only repaint left the static layer stale");
    widget->SetCachedDrawing(true);
    ConsoleRig::Flush();
}

void RegisterInstrumentBenchmarks()
{
    const std::vector<std::pair<std::string, std::function<TiComponent*()>>> instruments{
        {"LedRound", [] { return Rig().form.iLedRound1; }},
        {"Label", [] { return Rig().form.iLabel1; }},
        {"Knob", [] { return Rig().form.iKnob1; }},
        {"AnalogOutput", [] { return Rig().form.iAnalogOutput2; }},
        {"LedBar", [] { return Rig().form.iLedBar2; }},
        {"Thermometer", [] { return Rig().form.iThermometer1; }},
        {"AnalogDisplay", [] { return Rig().form.iAnalogDisplay1; }},
        {"SwitchLed", [] { return Rig().form.iSwitchLed1; }},
    };
    for (const auto& [name, pick] : instruments) {
        benchmark::RegisterBenchmark(("BM_Instrument/" + name + "/full_cached").c_str(), BM_Instrument, pick, RepaintKind::FullCached)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_Instrument/" + name + "/full_uncached").c_str(), BM_Instrument, pick, RepaintKind::FullUncached)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_Instrument/" + name + "/value_only").c_str(), BM_Instrument, pick, RepaintKind::ValueOnly)
            ->Unit(benchmark::kMicrosecond);
    }
}

// --- Start-up -------------------------------------------------------------

// A fresh process (the console's main window in the running-cost driver) from launch to
// its first painted main window, as the process itself measures it.
void BM_StartUpProcess(benchmark::State& state)
{
    double mappedTotal = 0;
    for (auto _ : state) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("CONSOLE_LAUNCH_NS"), QString::number(RealtimeNs()));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(RUNNING_COST_DRIVER), {QStringLiteral("--exit-after-first-paint")});
        if (!process.waitForFinished(30000)) {
            state.SkipWithError("the console did not finish");
            return;
        }
        const QString output = QString::fromUtf8(process.readAllStandardOutput());
        double firstPaint = -1;
        for (const QString& item : output.simplified().split(QLatin1Char(' '))) {
            if (item.startsWith(QLatin1String("first_paint_ms=")))
                firstPaint = item.mid(15).toDouble();
            if (item.startsWith(QLatin1String("mapped_ms=")))
                mappedTotal += item.mid(10).toDouble();
        }
        if (firstPaint <= 0) {
            state.SkipWithError("the console reported no first paint");
            return;
        }
        state.SetIterationTime(firstPaint / 1000.0);
    }
    state.counters["mapped_ms"] = mappedTotal / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StartUpProcess)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Building the main window in a running application and painting it once.
void BM_MainWindowBuildAndPaint(benchmark::State& state)
{
    for (auto _ : state) {
        TForm1 form;
        form.Timer1->stop();
        form.Timer2->stop();
        QImage target(form.size(), QImage::Format_ARGB32_Premultiplied);
        form.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_MainWindowBuildAndPaint)->Iterations(20)->Unit(benchmark::kMillisecond);

// Keeps the console output and remembers each benchmark's time per iteration.
void PrintRatios(const RecordingReporter& reporter)
{
    std::printf("\nratios (times as costly):\n");
    for (const char* name : {"LedRound", "Label", "Knob", "AnalogOutput", "LedBar", "Thermometer", "AnalogDisplay", "SwitchLed"}) {
        const std::string base = std::string("BM_Instrument/") + name;
        PrintRatio(reporter, base + "/full_uncached", base + "/value_only",
                   std::string(name) + ": full uncached / value-only");
        PrintRatio(reporter, base + "/full_cached", base + "/value_only",
                   std::string(name) + ": full cached / value-only");
    }
    PrintRatio(reporter, "BM_DisplayTick/changing/0/iterations:60", "BM_DisplayTick/changing/1/iterations:60",
               "display tick, changing values: uncached / cached");
    PrintRatio(reporter, "BM_DisplayTick/changing/1/iterations:60", "BM_DisplayTick/unchanged/1/iterations:60",
               "display tick, cached: changing / unchanged values");
    PrintRatio(reporter, "BM_PollTick", "BM_Comm1ReceiveData", "poll tick / decoding its reply");
}

}  // namespace

int main(int argc, char** argv)
{
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RegisterInstrumentBenchmarks();
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    std::fflush(stdout);
    rig.reset();
    benchmark::Shutdown();
    return 0;
}
