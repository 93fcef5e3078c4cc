// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_support.h"

#include <QApplication>

#include <cstdio>

void UseOffscreenPlatformByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void RecordingReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs)
        if (run.run_type == Run::RT_Iteration)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
}

void PrintRatio(const RecordingReporter& reporter, const std::string& slow, const std::string& fast,
                const std::string& text)
{
    const auto a = reporter.times.find(slow);
    const auto b = reporter.times.find(fast);
    if (a == reporter.times.end() || b == reporter.times.end() || b->second <= 0)
        return;
    std::printf("%s = %.1f\n", text.c_str(), a->second / b->second);
}

int RunQtBenchmarks(int argc, char** argv)
{
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
