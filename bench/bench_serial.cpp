// SPDX-License-Identifier: GPL-3.0-or-later
// How long a reply takes from its last byte on the line to OnReceiveData,
// beyond the 100 ms quiet time that ends a read. The simulated device writes a
// 25-byte reply on the master side of a pseudo-terminal; the manual time of an
// iteration is (handler called - last byte written - 100 ms).

#include "serial/comm.h"
#include "tests/support/pty_pair.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void BM_ReplyDelayBeyondQuietTime(benchmark::State& state)
{
    PtyPair pty;
    TComm comm;
    comm.SetCommName(pty.SlavePath());
    comm.SetBaudRate(19200);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    comm.SetRtsControl(TRtsControl::RtsDisable);
    Clock::time_point received{};
    bool got = false;
    comm.OnReceiveData = [&](TComm*, const void*, std::uint16_t) {
        received = Clock::now();
        got = true;
    };
    comm.OpenPort();

    const std::vector<std::uint8_t> reply(25, 0x5A);
    const auto quiet = std::chrono::milliseconds(comm.ReadIntervalTimeout());
    QEventLoop loop;
    std::vector<double> samples;
    for (auto _ : state) {
        got = false;
        if (!pty.Write(reply)) {
            state.SkipWithError("write to the pseudo-terminal failed");
            break;
        }
        const auto lastByte = Clock::now();
        while (!got)
            loop.processEvents(QEventLoop::WaitForMoreEvents);
        const double beyond =
            std::max(0.0, std::chrono::duration<double>(received - lastByte - quiet).count());
        state.SetIterationTime(beyond);
        samples.push_back(beyond * 1000.0);
    }
    if (!samples.empty()) {
        std::sort(samples.begin(), samples.end());
        const auto at = [&](double q) { return samples[static_cast<std::size_t>(q * double(samples.size() - 1))]; };
        state.counters["ms_median"] = at(0.5);
        state.counters["ms_p90"] = at(0.9);
        state.counters["ms_worst"] = samples.back();
    }
    comm.ClosePort();
}

BENCHMARK(BM_ReplyDelayBeyondQuietTime)->UseManualTime()->Iterations(40)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
