// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The longest seek: the show run from its start to 109 s, about 2,200 frames drawn
// unseen, then shown; beside it the same start-up with the first frame shown at once,
// whose time the seek's includes. Each run is a whole WinMain on the headless host,
// the demo and the stand-ins started afresh after it as a seek back does.
#include "host/headless_host.h"
#include "show_restart.h"
#include "windows.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

void runTo(benchmark::State& state, uint32_t targetMs)
{
    if (chdir(MORNAKLE_DATA_DIR) != 0) {
        state.SkipWithError("no data folder");
        return;
    }
    int shown = 0;
    for (auto _ : state) {
        host::headless::HeadlessHostOptions options;
        options.frameMs = host::Transport::seekStepMs;
        options.startAtMs = targetMs;
        options.showLengthMs = 110000;
        host::headless::HeadlessHost headless(options);
        headless.onPresent = [&shown](const host::Frame&, uint32_t) { ++shown; };
        // Ends the show once the first frame shown has moved the counter past the target.
        headless.postEventAt(targetMs + 1, host::Event{host::EventKind::quit, 0});
        host::install(&headless);
        char commandLine[] = "";
        if (WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT) != 0)
            state.SkipWithError("the show failed");
        state.counters["frames drawn"] = headless.framesPresented();
        program::prepareRestart();
        host::install(nullptr);
    }
    state.counters["frames shown"] = benchmark::Counter(shown, benchmark::Counter::kAvgIterations);
}

void startAndFirstFrame(benchmark::State& state) { runTo(state, 0); }
void seekTo109Seconds(benchmark::State& state) { runTo(state, 109000); }

BENCHMARK(startAndFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(seekTo109Seconds)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
