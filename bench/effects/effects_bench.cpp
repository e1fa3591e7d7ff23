// Each effect's frame cost beside the floor of writing one 640 x 480 16-bit frame with
// memset, measured in the same run. The texture warp and the wave field should each
// stay under five times that floor.
#include "display/pictures.h"
#include "effects/binary_rain.h"
#include "effects/circle_interference.h"
#include "effects/greetings_scroller.h"
#include "effects/texture_warp.h"
#include "effects/warp_tables.h"
#include "effects/wave_field.h"

#include "ddraw.h"
#include "host/headless_host.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int screenWidth = 640, screenHeight = 480;
constexpr size_t frameBytes = size_t(screenWidth) * screenHeight * 2;

// A headless flipping chain to draw into, made once for the whole run.
struct BenchScreen {
    std::unique_ptr<host::HeadlessHost> host = host::makeHeadlessHost({});
    DisplayContext context{};

    BenchScreen()
    {
        host::install(host.get());
        DirectDrawCreate(nullptr, &context.directDraw, nullptr);
        context.directDraw->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
        context.directDraw->SetDisplayMode(screenWidth, screenHeight, 16);
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = 1;
        context.directDraw->CreateSurface(&desc, &context.primarySurface, nullptr);
        DDSCAPS backCaps{DDSCAPS_BACKBUFFER};
        context.primarySurface->GetAttachedSurface(&backCaps, &context.backSurface);
        initTextureWarp();  // without the texture file the texels are black; the work is the same
    }
};

DisplayContext* screen()
{
    static BenchScreen instance;
    return &instance.context;
}

void BM_MemsetFrame(benchmark::State& state)
{
    std::vector<uint8_t> frame(frameBytes);
    int value = 0;
    for (auto _ : state) {
        std::memset(frame.data(), ++value, frame.size());
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frameBytes));
}
BENCHMARK(BM_MemsetFrame);

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

} // namespace
BENCHMARK_MAIN();
