// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The floor every frame is measured against: filling one 640 x 480 16-bit frame with
// memset, in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

void memsetFrame(benchmark::State& state)
{
    std::vector<uint8_t> frame(640 * 480 * 2);
    int value = 0;
    for (auto _ : state) {
        std::memset(frame.data(), ++value, frame.size());
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size()));
}
BENCHMARK(memsetFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
