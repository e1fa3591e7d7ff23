// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// One frame of each 3D scene with the shipped data, through the software DirectDraw and
// Direct3D on the headless host (the memset floor runs beside it).
#include "display/display_setup.h"
#include "display/pictures.h"
#include "scenes/box_scene.h"
#include "scenes/house_scene.h"
#include "scenes/light_scene.h"

#include "headless_display.h"

#include <benchmark/benchmark.h>

namespace {

// The display, the pictures and the three scenes, as start-up leaves them.
class Show : public HeadlessDisplay {
public:
    Show()
    {
        loaded = ready() && loadFromDataFolder([](DisplayContext* context) {
                     loadPictures(context);
                     loadHouseScene(context);
                     loadBoxScene(context);
                     loadLightScene(context);
                 });
    }
    ~Show()
    {
        releaseLightScene(&context);
        releaseBoxScene(&context);
        releaseHouseScene(&context);
        releasePictures();
    }
    bool loaded = false;
};

// Draws frames at times spread over the scene, as the timeline would.
void drawScene(benchmark::State& state, void (*draw)(float, DisplayContext*), void (*prepare)(DisplayContext*),
               float sceneLength)
{
    Show show;
    if (!show.loaded) {
        state.SkipWithError("display set-up or data folder failed");
        return;
    }
    if (prepare)
        prepare(&show.context);
    float t = 0.0f;
    for (auto _ : state) {
        draw(t, &show.context);
        t += 0.37f;
        if (t >= sceneLength)
            t -= sceneLength;
    }
}

void houseFrame(benchmark::State& state) { drawScene(state, drawHouseScene, nullptr, 266.0f); }
BENCHMARK(houseFrame)->Unit(benchmark::kMillisecond);

void boxFrame(benchmark::State& state) { drawScene(state, drawBoxScene, setBoxViewport, 133.0f); }
BENCHMARK(boxFrame)->Unit(benchmark::kMillisecond);

// The house at one moment: between flashes (90), under a flash (5), under a flash and
// the black fade (240).
void houseFrameAt(benchmark::State& state)
{
    Show show;
    if (!show.loaded) {
        state.SkipWithError("display set-up or data folder failed");
        return;
    }
    for (auto _ : state)
        drawHouseScene(float(state.range(0)), &show.context);
}
BENCHMARK(houseFrameAt)->Arg(90)->Arg(5)->Arg(240)->Unit(benchmark::kMillisecond);

// The swarm's clock never goes back, so the times keep rising: one pass of the
// simulation about every other frame, as at 50 ms a frame.
void lightFrame(benchmark::State& state)
{
    Show show;
    if (!show.loaded) {
        state.SkipWithError("display set-up or data folder failed");
        return;
    }
    float t = simulationClock;
    for (auto _ : state) {
        drawLightScene(t, &show.context);
        t += 0.37f;
    }
}
BENCHMARK(lightFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
