// SPDX-License-Identifier: GPL-3.0-or-later
// soak-console: runs the console window offscreen against the simulated soft starter for
// a given time, restarting the simulator with random faults every phase the way an
// operator would meet them (the device goes away, the operator reopens the port), and
// turning the knobs now and then. It checks throughout that the console's registers only
// ever hold values the device sent, after every phase that every intact reply (late ones
// included) was decoded and every damaged one rejected, and at the end that resident
// memory did not grow and that the displayed values equal the simulator's registers.
//
//   soak-console [--seconds N] [--seed N] [--poll-ms N] [--phase-seconds MIN,MAX] [--mode NAME]
// --mode runs one simulator for the whole time with one fault setting instead of
// phases (see SteadyModes: combined, late3100, late3500, split, stray, knobs2400, junk,
// reject1), and reports the wrong values seen, the blocks refreshed per minute and the
// longest wait for each block, and the fraction of time the lamp was lit.
// Exits 0 when every check held, 1 otherwise; prints a summary either way.

#include "app/form1.h"
#include "sim/sim_process.h"
#include "tests/support/steady_starter.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/edit/analog_output.h"
#include "widgets/dials/knob.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"
#include "widgets/dials/thermometer.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct SoakOptions {
    int seconds = 600;
    unsigned seed = 0;
    int pollMs = 1000;
    int phaseMinSeconds = 15;
    int phaseMaxSeconds = 40;
    std::string mode;   // empty: phases of random faults
};

bool ParseOptions(int argc, char** argv, SoakOptions& options)
{
    options.seed = std::random_device{}();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seconds" && hasValue) options.seconds = std::atoi(argv[++i]);
        else if (arg == "--seed" && hasValue) options.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--poll-ms" && hasValue) options.pollMs = std::atoi(argv[++i]);
        else if (arg == "--mode" && hasValue) options.mode = argv[++i];
        else if (arg == "--phase-seconds" && hasValue) {
            if (std::sscanf(argv[++i], "%d,%d", &options.phaseMinSeconds, &options.phaseMaxSeconds) != 2) return false;
        } else {
            return false;
        }
    }
    return options.seconds > 0 && options.pollMs >= 50 && options.phaseMinSeconds > 0 &&
           options.phaseMaxSeconds >= options.phaseMinSeconds;
}

// A fault the simulator can be started with, and what it does to replies.
struct Fault {
    std::string name;
    std::vector<std::string> options;
    enum class Replies { Intact, Late, SomeDamaged, AllDamaged, None } replies;
};

std::vector<Fault> Faults(int pollMs)
{
    const std::string late = std::to_string(pollMs * 3 / 2);
    return {
        {"clean", {}, Fault::Replies::Intact},
        {"late replies", {"--reply-delay", late}, Fault::Replies::Late},
        {"corrupt CRC every 3rd", {"--corrupt-crc-every", "3"}, Fault::Replies::SomeDamaged},
        {"split replies", {"--split-reply", "250"}, Fault::Replies::AllDamaged},
        {"noise before replies", {"--noise", "5"}, Fault::Replies::AllDamaged},
        {"oversize 300", {"--oversize", "300"}, Fault::Replies::Intact},
        {"oversize 2100", {"--oversize", "2100"}, Fault::Replies::SomeDamaged},
        {"oversize garbage 2100", {"--oversize", "2100", "--oversize-garbage"}, Fault::Replies::AllDamaged},
        {"silent", {"--never-reply"}, Fault::Replies::None},
        {"removed after 5 replies", {"--close-after", "5"}, Fault::Replies::Intact},
    };
}

// One simulator for the whole run: the faults of the reliability trials, alone and
// combined. knobPairs: the operator clicks two knobs a second apart now and then.
struct SteadyMode {
    std::string name;
    std::vector<std::string> options;
    bool knobPairs = false;
    int rejectedBlock = -1;
};

std::vector<SteadyMode> SteadyModes(unsigned seed)
{
    const std::string s = std::to_string(seed);
    return {
        {"combined", {"--queue-replies", "--reply-delay", "1300", "--split-percent", "10", "--stray-percent", "10",
                      "--crc-percent", "10", "--silence-percent", "5", "--seed", s}, true},
        {"late3100", {"--queue-replies", "--reply-delay", "3100"}},
        {"late3500", {"--queue-replies", "--reply-delay", "3500"}},
        {"split", {"--queue-replies", "--reply-delay", "1300", "--split-percent", "15", "--seed", s}},
        {"stray", {"--queue-replies", "--reply-delay", "1300", "--stray-percent", "15", "--seed", s}},
        {"knobs2400", {"--queue-replies", "--reply-delay", "2400"}, true},
        {"junk", {"--reply-delay", "300", "--noise", "1", "--noise-lead", "20"}},
        {"reject1", {"--reject-block", "1"}, false, 1},
    };
}

// Blocks decoded, and the longest time each block went without a refresh.
struct RefreshWatch : LinkObserver {
    std::map<int, long> decoded;
    std::map<int, std::int64_t> last;
    std::map<int, std::int64_t> longestWait;
    std::int64_t startMs = -1;
    void BlockJudged(const BlockJudgedEvent& e) override
    {
        if (startMs < 0) startMs = e.atMs;
        if (e.verdict != BlockVerdict::Decoded) return;
        ++decoded[e.block];
        const std::int64_t since = last.count(e.block) ? last[e.block] : startMs;
        longestWait[e.block] = std::max(longestWait[e.block], e.atMs - since);
        last[e.block] = e.atMs;
    }
};

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

// Read and write requests in a simulator's request log (hex text, one frame per line).
struct LoggedRequests {
    int reads = 0;
    std::vector<std::pair<int, int>> writes;   // register, value
};

LoggedRequests ParseLog(const std::string& log)
{
    LoggedRequests requests;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() < 16) continue;
        if (line.compare(2, 2, "03") == 0) ++requests.reads;
        if (line.compare(2, 2, "06") == 0)
            requests.writes.emplace_back(std::stoi(line.substr(6, 2), nullptr, 16), std::stoi(line.substr(8, 4), nullptr, 16));
    }
    return requests;
}

class Soak {
public:
    explicit Soak(const SoakOptions& options)
        : options_(options), random_(options.seed), faults_(Faults(options.pollMs)),
          linkPath_(dir_.filePath(QStringLiteral("starter")).toStdString()), form_(QString::fromStdString(linkPath_))
    {
        form_.ShowMessage = [this](const QString& text) { Fail("message shown: " + text.toStdString()); };
        form_.ShowDetailedMessage = [this](const QString& text, const QString& detail) {
            Fail("message shown: " + text.toStdString() + " " + detail.toStdString());
        };
        form_.Timer1->setInterval(options.pollMs);
        for (const auto& [reg, value] : steady_starter::ConstantPresets())
            if (reg >= 1 && reg <= 3) written_[reg].insert(static_cast<std::uint32_t>(value));
    }

    int Run()
    {
        if (!options_.mode.empty()) return RunSteady();
        QElapsedTimer clock;
        clock.start();
        const qint64 endMs = static_cast<qint64>(options_.seconds) * 1000;
        bool first = true;
        while (clock.elapsed() < endMs - 30000 || first) {
            const Fault& fault = first ? faults_[0] : faults_[std::uniform_int_distribution<std::size_t>(0, faults_.size() - 1)(random_)];
            const qint64 remaining = endMs - 30000 - clock.elapsed();
            const int phaseMs = std::uniform_int_distribution<int>(options_.phaseMinSeconds, options_.phaseMaxSeconds)(random_) * 1000;
            RunPhase(fault, static_cast<int>(std::max<qint64>(std::min<qint64>(phaseMs, remaining), 5000)), true);
            if (first) rssAfterWarmUp_ = ResidentKiB();
            first = false;
        }
        FinalCheck();
        Summary();
        return failures_.empty() ? 0 : 1;
    }

private:
    int RunSteady()
    {
        const auto modes = SteadyModes(options_.seed);
        const auto mode = std::find_if(modes.begin(), modes.end(), [&](const SteadyMode& m) { return m.name == options_.mode; });
        if (mode == modes.end()) {
            std::fprintf(stderr, "soak: unknown mode %s\n", options_.mode.c_str());
            return 2;
        }
        std::vector<std::string> args{"--link", linkPath_};
        const auto presets = steady_starter::PresetOptions();
        args.insert(args.end(), presets.begin(), presets.end());
        args.insert(args.end(), mode->options.begin(), mode->options.end());
        if (!simulator_.Start(args)) {
            std::printf("soak: simulator did not start\n");
            return 1;
        }
        RefreshWatch watch;
        form_.Link().AddObserver(&watch);
        form_.BitBtn7->click();
        form_.CheckBox2->click();
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0, litMs = 0, nextKnob = NextKnobDelay();
        const qint64 endMs = static_cast<qint64>(options_.seconds) * 1000;
        while (clock.elapsed() < endMs) {
            Step();
            const qint64 now = clock.elapsed();
            if (!form_.Image14->isHidden()) litMs += now - last;
            last = now;
            if (now >= nextKnob) {
                TurnAKnob();
                if (mode->knobPairs) {
                    RunFor(1000);
                    TurnAKnob();
                }
                nextKnob = clock.elapsed() + NextKnobDelay();
            }
        }
        form_.Link().RemoveObserver(&watch);
        simulator_.Stop();
        const double minutes = static_cast<double>(last) / 60000.0;
        std::printf("soak: mode %s, %.1f min, seed %u, %d knob turns\n", mode->name.c_str(), minutes, options_.seed, knobTurns_);
        std::printf("soak: wrong values seen %ld\n", wrongValuesSeen_);
        for (int block = 0; block < 3; ++block) {
            std::printf("soak: block %d refreshed %.1f per minute, longest wait %.1f s\n", block,
                        static_cast<double>(watch.decoded[block]) / minutes, static_cast<double>(watch.longestWait[block]) / 1000.0);
            if (block != mode->rejectedBlock && watch.longestWait[block] > 30000)
                Fail("block " + std::to_string(block) + " went more than 30 s without a refresh");
        }
        std::printf("soak: lamp lit %.1f %% of the time\n", 100.0 * static_cast<double>(litMs) / static_cast<double>(last));
        for (const auto& failure : failures_) std::printf("FAILED: %s\n", failure.c_str());
        std::printf("soak: %s\n", failures_.empty() ? "PASSED" : "FAILED");
        return failures_.empty() ? 0 : 1;
    }

    void Fail(const std::string& what)
    {
        if (failures_.size() < 20) failures_.push_back(what);
    }

    void RunPhase(const Fault& fault, int durationMs, bool turnKnobs)
    {
        std::vector<std::string> args{"--link", linkPath_};
        const auto presets = steady_starter::PresetOptions();
        args.insert(args.end(), presets.begin(), presets.end());
        args.insert(args.end(), fault.options.begin(), fault.options.end());
        if (!simulator_.Start(args)) {
            Fail("simulator did not start for phase " + fault.name);
            return;
        }
        // The operator opens the port (it shows closed after the last device went away)
        // and ticks communication once.
        if (form_.BitBtn7->text() == TForm1::OpenCaption()) form_.BitBtn7->click();
        if (!form_.Comm1->IsOpen()) Fail("port did not open for phase " + fault.name);
        if (!form_.CheckBox2->isChecked()) form_.CheckBox2->click();

        const ReplyCounts before = form_.Link().Replies();
        QElapsedTimer clock;
        clock.start();
        qint64 nextKnob = NextKnobDelay();
        while (clock.elapsed() < durationMs) {
            Step();
            if (turnKnobs && clock.elapsed() >= nextKnob) {
                TurnAKnob();
                nextKnob = clock.elapsed() + NextKnobDelay();
            }
        }
        // Pause polling so the count of requests and replies of this phase is settled.
        form_.Timer1->stop();
        RunFor(options_.pollMs * 2 + 500);
        const LoggedRequests logged = ParseLog(simulator_.ReadRequestLog());
        const ReplyCounts after = form_.Link().Replies();
        form_.Timer1->start();
        JudgePhase(fault, logged, before, after);

        simulator_.Stop();   // the device goes away
        QElapsedTimer closing;
        closing.start();
        while (form_.BitBtn7->text() != TForm1::OpenCaption() || form_.Comm1->IsOpen()) {
            if (closing.elapsed() > 10000) {
                Fail("port still shown open 10 s after the device went away (" + fault.name + ")");
                form_.BitBtn7->click();
                break;
            }
            Step();
        }
        if (!form_.Image14->isHidden()) Fail("communication lamp lit with the device gone (" + fault.name + ")");
    }

    void JudgePhase(const Fault& fault, const LoggedRequests& logged, const ReplyCounts& before, const ReplyCounts& after)
    {
        const auto decoded = static_cast<long>(after.Decoded - before.Decoded);
        const auto dropped = static_cast<long>(after.Dropped - before.Dropped);
        const auto rejected = static_cast<long>(after.Rejected - before.Rejected);
        std::printf("phase %-24s reads %4d  decoded %4ld  dropped %3ld  rejected %4ld  writes %zu\n", fault.name.c_str(),
                    logged.reads, decoded, dropped, rejected, logged.writes.size());
        std::fflush(stdout);
        ++phases_;
        const bool closesEarly = fault.name.rfind("removed", 0) == 0;
        const auto writes = static_cast<long>(logged.writes.size());
        switch (fault.replies) {
        case Fault::Replies::Intact:
        case Fault::Replies::Late:
            // Every read the device answered was decoded (the removed device answers only
            // its first five requests, echoes included). A late echo may miss its expired
            // write and be rejected; nothing else may be.
            if (closesEarly ? (decoded < 1 || decoded > 5) : decoded != logged.reads)
                Fail(fault.name + ": " + std::to_string(logged.reads) + " reads answered, " + std::to_string(decoded) + " decoded");
            if (dropped != 0) Fail(fault.name + ": intact replies dropped");
            if (rejected > (fault.replies == Fault::Replies::Late ? writes : 0)) Fail(fault.name + ": intact replies rejected");
            break;
        case Fault::Replies::SomeDamaged:
            if (decoded == 0 || rejected == 0 || dropped != 0) Fail(fault.name + ": unexpected reply counts");
            break;
        case Fault::Replies::AllDamaged:
            if (decoded != 0 || rejected == 0) Fail(fault.name + ": damaged replies decoded or not rejected");
            break;
        case Fault::Replies::None:
            if (decoded != 0 || dropped != 0 || rejected != 0) Fail(fault.name + ": replies from a silent device");
            if (!form_.Image14->isHidden()) Fail(fault.name + ": lamp lit with a silent device");
            break;
        }
        totalDecoded_ += decoded;
        totalDropped_ += dropped;
        totalReads_ += logged.reads;
        for (const auto& [reg, value] : logged.writes) {
            if (reg < 1 || reg > 3 || !written_[reg].count(static_cast<std::uint32_t>(value)))
                Fail("the device received a write the operator did not make");
        }
    }

    // One turn of the event loop (the console's timers fire inside it), then the checks.
    void Step()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
        CheckRegisters();
    }

    void RunFor(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) Step();
    }

    void CheckRegisters()
    {
        for (int n = 0; n < DeviceLink::RegisterCount; ++n) {
            const std::uint32_t value = form_.Link().Register(n);
            if (value == 0 || value == expected_[static_cast<std::size_t>(n)]) continue;
            if (n >= 1 && n <= 3 && written_[n].count(value)) continue;
            ++wrongValuesSeen_;
            Fail("register " + std::to_string(n) + " held " + std::to_string(value) + ", which the device never sent");
        }
    }

    qint64 NextKnobDelay() { return std::uniform_int_distribution<int>(3000, 12000)(random_); }

    void TurnAKnob()
    {
        const int knob = std::uniform_int_distribution<int>(1, 3)(random_);
        const int value = knob == 1 ? std::uniform_int_distribution<int>(300, 700)(random_)
                                    : std::uniform_int_distribution<int>(0, 99)(random_);
        written_[knob].insert(static_cast<std::uint32_t>(value));
        TiKnob* knobs[] = {nullptr, form_.iKnob1, form_.iKnob2, form_.iKnob3};
        knobs[knob]->SetPosition(value);
        if (knob == 1) form_.iKnob1Click(knobs[knob]);
        else if (knob == 2) form_.iKnob2Click(knobs[knob]);
        else form_.iKnob3Click(knobs[knob]);
        ++knobTurns_;
    }

    // A last clean phase without knob turns: the console must end up showing exactly
    // the simulator's registers.
    void FinalCheck()
    {
        std::vector<std::string> args{"--link", linkPath_};
        const auto presets = steady_starter::PresetOptions();
        args.insert(args.end(), presets.begin(), presets.end());
        if (!simulator_.Start(args)) {
            Fail("simulator did not start for the final check");
            return;
        }
        if (form_.BitBtn7->text() == TForm1::OpenCaption()) form_.BitBtn7->click();
        QElapsedTimer clock;
        clock.start();
        auto allRead = [this] {
            for (int n = 0; n < DeviceLink::RegisterCount; ++n)
                if (form_.Link().Register(n) != expected_[static_cast<std::size_t>(n)]) return false;
            return true;
        };
        // Requests of the last faulty phase may hold the cycle until the horizon passes.
        const auto lampLit = [this] { return !form_.Image14->isHidden(); };
        while (!(allRead() && lampLit()) && clock.elapsed() < options_.pollMs * 12 + 10000 + RequestsInFlight::HorizonMs) Step();
        RunFor(1200);   // at least two display ticks
        if (!allRead()) Fail("final registers differ from the simulator's");
        CheckDisplay();
        if (form_.Image14->isHidden()) Fail("communication lamp unlit at the end with a sound device");
        rssAtEnd_ = ResidentKiB();
        simulator_.Stop();
    }

    void CheckDisplay()
    {
        const auto& r = expected_;
        auto check = [this](bool ok, const char* what) {
            if (!ok) Fail(std::string("display: ") + what + " differs from the simulator's register");
        };
        check(form_.iAnalogOutput2->Value() == r[1] / 10.0, "starting voltage");
        check(form_.iAnalogDisplay5->Value() == r[2], "soft start time");
        check(form_.iAnalogDisplay6->Value() == r[3], "soft stop time");
        check(form_.iAnalogOutput4->Value() == r[4] / 10.0, "output level");
        check(form_.iAnalogDisplay1->Value() == r[5] / 10.0, "current");
        check(form_.iThermometer1->GetPosition() == r[6], "temperature");
        check(form_.iAnalogOutput1->Value() == r[6], "temperature text");
        check(form_.iSwitchLed1->Caption() == ((r[0] & 1u) ? "STOP" : "RUN"), "run state");
        TiLedRound* leds[] = {form_.iLedRound1, form_.iLedRound2, form_.iLedRound3, form_.iLedRound4, form_.iLedRound5,
                              form_.iLedRound6, form_.iLedRound7, form_.iLedRound8, form_.iLedRound9};
        for (int bit = 0; bit < 9; ++bit)
            check(leds[bit]->ActiveColor() == (((r[7] >> bit) & 1u) ? clRed : clLime), "alarm lamp");
    }

    void Summary()
    {
        const long growth = rssAtEnd_ - rssAfterWarmUp_;
        // Allow for allocator noise, but not for anything that grows with the run.
        const long allowed = std::max(4096L, rssAfterWarmUp_ / 10);
        if (rssAfterWarmUp_ <= 0 || rssAtEnd_ <= 0) Fail("could not read resident memory");
        else if (growth > allowed) Fail("resident memory grew by " + std::to_string(growth) + " KiB");
        std::printf("soak: %d s, seed %u, %d phases, %ld reads, %ld decoded, %ld dropped, %d knob turns\n",
                    options_.seconds, options_.seed, phases_, totalReads_, totalDecoded_, totalDropped_, knobTurns_);
        std::printf("soak: resident memory %ld KiB after the first phase, %ld KiB at the end\n", rssAfterWarmUp_, rssAtEnd_);
        for (const auto& failure : failures_) std::printf("FAILED: %s\n", failure.c_str());
        std::printf("soak: %s\n", failures_.empty() ? "PASSED" : "FAILED");
    }

    SoakOptions options_;
    std::mt19937 random_;
    std::vector<Fault> faults_;
    QTemporaryDir dir_;
    std::string linkPath_;
    SimulatorProcess simulator_;
    TForm1 form_;
    std::array<std::uint32_t, DeviceLink::RegisterCount> expected_ = steady_starter::DeviceRegisters();
    std::set<std::uint32_t> written_[4];
    std::vector<std::string> failures_;
    long rssAfterWarmUp_ = 0;
    long rssAtEnd_ = 0;
    long totalReads_ = 0;
    long totalDecoded_ = 0;
    long totalDropped_ = 0;
    int phases_ = 0;
    int knobTurns_ = 0;
    long wrongValuesSeen_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SoakOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: soak-console [--seconds N] [--seed N] [--poll-ms N] [--phase-seconds MIN,MAX] [--mode NAME]\n");
        return 2;
    }
    Soak soak(options);
    return soak.Run();
}
