// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Each effect's frame cost beside the floor of writing one 640 x 480 16-bit frame with
// memset, which runs in the same program. The texture warp and the wave field should each
// stay under five times that floor.
#include "display/pictures.h"
#include "effects/binary_rain.h"
#include "effects/circle_interference.h"
#include "effects/greetings_scroller.h"
#include "effects/texture_warp.h"
#include "effects/warp_tables.h"
#include "effects/wave_field.h"

#include "headless_display.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

DisplayContext* screen()
{
    static HeadlessDisplay display;
    static bool warpReady = (initTextureWarp(), true);  // without the file the texels are black
    (void)warpReady;
    return &display.context;
}

// Draws frames of one effect at the times of its span, a 50 ms tick apart.
template <void (*draw)(float, DisplayContext*)>
void drawFrames(benchmark::State& state, float spanTicks)
{
    DisplayContext* context = screen();
    float t = 0;
    for (auto _ : state) {
        draw(t, context);
        t += 1;
        if (t >= spanTicks)
            t = 0;
        benchmark::ClobberMemory();
    }
}

void BM_TextureWarpFrame(benchmark::State& state) { drawFrames<drawTextureWarp>(state, 266); }
BENCHMARK(BM_TextureWarpFrame);

void BM_WaveFieldFrame(benchmark::State& state) { drawFrames<drawWaveField>(state, 266); }
BENCHMARK(BM_WaveFieldFrame);

void BM_WaveFieldCompute(benchmark::State& state)
{
    float t = 0;
    for (auto _ : state) {
        computeWaveField(t);
        t += 1;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WaveFieldCompute);

void BM_WarpOffsetTable(benchmark::State& state)
{
    int step = 0;
    for (auto _ : state) {
        buildWarpOffsetTable(step += 3);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WarpOffsetTable);

void BM_CircleInterferenceFrame(benchmark::State& state) { drawFrames<drawCircleInterference>(state, 133); }
BENCHMARK(BM_CircleInterferenceFrame);

void BM_GreetingsScrollerFrame(benchmark::State& state) { drawFrames<drawGreetingsScroller>(state, 266); }
BENCHMARK(BM_GreetingsScrollerFrame);

void BM_BinaryRainFrame(benchmark::State& state)
{
    static bool prepared = false;
    if (!prepared) {
        initBinaryRain(screen());
        prepared = true;
    }
    drawFrames<drawBinaryRain>(state, 266);
}
BENCHMARK(BM_BinaryRainFrame);

}  // namespace
BENCHMARK_MAIN();
