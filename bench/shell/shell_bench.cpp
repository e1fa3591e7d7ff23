// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The shell's own cost per frame: the black fill of the closing span and a present on
// the headless host (the memset floor runs beside it).
#include "display/frame_presentation.h"
#include "headless_display.h"

#include <benchmark/benchmark.h>

namespace {

void blackFillAndPresent(benchmark::State& state)
{
    HeadlessDisplay display;
    if (!display.ready()) {
        state.SkipWithError("display set-up failed");
        return;
    }
    DDBLTFX effects = {};
    effects.dwSize = sizeof effects;
    for (auto _ : state) {
        display.context.backSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
        presentFrame(&display.context);
    }
}
BENCHMARK(blackFillAndPresent)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
