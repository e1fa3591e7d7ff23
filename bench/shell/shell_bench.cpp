// The shell's own cost per frame: the black fill of the closing span and a present on
// the headless host, next to the floor of filling one frame with memset.
#include "display/display_setup.h"
#include "display/frame_presentation.h"

#include "host/headless_host.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

void memsetFrame(benchmark::State& state)
{
    std::vector<uint8_t> frame(640 * 480 * 2);
    for (auto _ : state) {
        std::memset(frame.data(), 0, frame.size());
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(memsetFrame);

void blackFillAndPresent(benchmark::State& state)
{
    auto hostObject = host::makeHeadlessHost({});
    host::install(hostObject.get());
    DisplayContext context = {};
    setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupWindow);
    if (setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupDirectDraw | setupDirect3D) != 0) {
        state.SkipWithError("display set-up failed");
        return;
    }
    DDBLTFX effects = {};
    effects.dwSize = sizeof effects;
    for (auto _ : state) {
        context.backSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
        presentFrame(&context);
    }
    tearDownDisplay(&context);
    host::install(nullptr);
}
BENCHMARK(blackFillAndPresent);

} // namespace

BENCHMARK_MAIN();
