// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/frame_codec.h"
#include "device/lenient_str_to_int.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_Crc16(benchmark::State& state)
{
    std::vector<std::uint8_t> data(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    for (auto _ : state) benchmark::DoNotOptimize(Crc16(data.data(), data.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Crc16)->Arg(6)->Arg(23)->Arg(255)->Arg(4096);

void BM_BuildReadRequest(benchmark::State& state)
{
    std::uint8_t start = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildReadRequest(1, start, 10));
        start = static_cast<std::uint8_t>((start + 10) % 30);
    }
}
BENCHMARK(BM_BuildReadRequest);

void BM_BuildWriteRequest(benchmark::State& state)
{
    std::uint8_t value = 0;
    for (auto _ : state) benchmark::DoNotOptimize(BuildWriteRequest(1, 1, 0x01, value++));
}
BENCHMARK(BM_BuildWriteRequest);

void BM_HexRoundTrip(benchmark::State& state)
{
    const RequestFrame frame = BuildReadRequest(1, 20, 10);
    for (auto _ : state) benchmark::DoNotOptimize(HexTextToBytes(BytesToHexText(frame.data(), frame.size())));
}
BENCHMARK(BM_HexRoundTrip);

void BM_LenientStrToInt(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(LenientStrToInt(" 255"));
}
BENCHMARK(BM_LenientStrToInt);

} // namespace

BENCHMARK_MAIN();
