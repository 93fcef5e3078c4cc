// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/start_record.h"

RecordFigures FiguresOf(const StartRecord& record)
{
    RecordFigures figures;
    const TrendSample* lastBeforeStart = nullptr;   // the temperature's reference
    const TrendSample* firstRunning = nullptr;
    for (const TrendSample& sample : record.samples) {
        // Samples before the start, and any still showing the motor stopped after a run
        // command (a reply to a read sent before it), belong to the time before the start.
        if (!firstRunning && (sample.atMs < record.startMs || !sample.Running())) {
            lastBeforeStart = &sample;
            continue;
        }
        if (!firstRunning) {
            firstRunning = &sample;
            figures.peakCurrentAtMs = sample.atMs;
        }
        if (sample.currentTenths > figures.peakCurrentTenths) {
            figures.peakCurrentTenths = sample.currentTenths;
            figures.peakCurrentAtMs = sample.atMs;
        }
        if (!figures.rampTimeMs && sample.Running() && sample.outputTenths >= FullOutputTenths) {
            figures.rampTimeMs = sample.atMs - record.startMs;
            figures.currentAtRampEndTenths = sample.currentTenths;
        }
    }
    const TrendSample* reference = lastBeforeStart ? lastBeforeStart : firstRunning;
    if (reference) figures.temperatureRiseC = int{record.samples.back().temperatureC} - int{reference->temperatureC};
    return figures;
}
