// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Shared by the widget and console benchmark programs.

// Selects Qt's offscreen platform unless one was chosen, so benchmarks run without a display.
void UseOffscreenPlatformByDefault();

// Prints as usual and records each benchmark's adjusted real time per iteration, so a
// program can print ratios between variants measured in the same run.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    std::map<std::string, double> times;
};

// Prints "text = slow / fast" when both benchmarks ran.
void PrintRatio(const RecordingReporter& reporter, const std::string& slow, const std::string& fast,
                const std::string& text);

// main() of a benchmark program whose benchmarks need a Qt application and nothing else.
int RunQtBenchmarks(int argc, char** argv);
