// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Loading: a 31,460-face, 18,876-vertex mesh (target under 20 ms).
// Drawing: one frame of a house-sized scene (a few thousand triangles, three lights,
// a full-screen fade) through the real stand-ins, next to memset of one 640 x 480 x 16
// frame measured in the same run (target under 2 ms).
#include "chunk_builder.h"
#include "discarding_device.h"
#include "display/display_setup.h"
#include "display/frame_presentation.h"
#include "effects/fades.h"
#include "engine/renderer.h"
#include "engine/scene_loader.h"
#include "headless_display.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A wavy sheet of columns x rows vertices in the file's x-y plane (z up), and the
// first faceCount triangles of its grid.
void addSheet(ChunkBuilder& b, const char* name, int columns, int rows, uint32_t faceCount, float size, float height,
              float offsetX, float offsetY)
{
    b.begin(0x4000).text(name).begin(0x4100);
    b.begin(0x4110).u16(uint16_t(columns * rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            float x = offsetX + size * c / (columns - 1) - size / 2;
            float y = offsetY + size * r / (rows - 1) - size / 2;
            b.floats({x, y, height * std::sin(x * 0.11f) * std::cos(y * 0.07f)});
        }
    b.end().begin(0x4120).u16(uint16_t(faceCount));
    uint32_t written = 0;
    for (int r = 0; r + 1 < rows && written < faceCount; ++r)
        for (int c = 0; c + 1 < columns && written < faceCount; ++c) {
            uint16_t i = uint16_t(r * columns + c);
            b.u16(i).u16(uint16_t(i + 1)).u16(uint16_t(i + columns)).u16(0);
            if (++written < faceCount)
                b.u16(uint16_t(i + 1)).u16(uint16_t(i + columns + 1)).u16(uint16_t(i + columns)).u16(0);
            else
                break;
            ++written;
        }
    b.end();
    b.begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).end();
    b.end().end();
}

std::vector<uint8_t> largeMeshFile()
{
    ChunkBuilder b;
    b.begin(0x4D4D).version().begin(0x3D3D).version(0x3D3E);
    addSheet(b, "Large", 143, 132, 31460, 400, 20, 0, 0);  // 18,876 vertices
    b.end().end();
    return b.bytes();
}

// Three meshes, about 4,000 triangles in view, an omni light, a spot and a second omni.
std::vector<uint8_t> houseSizedFile()
{
    ChunkBuilder b;
    b.begin(0x4D4D).version().begin(0x3D3D).version(0x3D3E);
    addSheet(b, "Ground", 33, 33, 2048, 300, 8, 0, 0);
    addSheet(b, "Walls", 25, 25, 1152, 120, 30, -40, 30);
    addSheet(b, "Roof", 21, 21, 800, 90, 40, 50, -20);
    b.begin(0x4000).text("Sun").begin(0x4600).floats({-100, -80, 200});
    b.begin(0x0010).floats({1.0f, 0.9f, 0.7f}).end().begin(0x465A).f32(600).end().begin(0x465B).f32(1).end();
    b.end().end();
    b.begin(0x4000).text("Beam").begin(0x4600).floats({0, -150, 120});
    b.begin(0x0010).floats({0.4f, 0.5f, 1.0f}).end().begin(0x4610).floats({0, 0, 0, 40, 70}).end();
    b.end().end();
    b.begin(0x4000).text("Ember").begin(0x4600).floats({80, 60, 40});
    b.begin(0x0011).u8(255).u8(96).u8(32).end().begin(0x465A).f32(200).end().begin(0x465B).f32(1).end();
    b.end().end();
    b.begin(0x4000).text("Camera").begin(0x4700).floats({0, -260, 160, 0, 0, 0, 0, 35}).end().end();
    b.end().end();
    return b.bytes();
}

void loadLargeMesh(benchmark::State& state)
{
    std::vector<uint8_t> image = largeMeshFile();
    for (auto _ : state) {
        Scene scene{};
        loadSceneFromMemory(image.data(), image.size(), &scene);
        benchmark::DoNotOptimize(scene.meshes[0].vertices[0].nx);
        releaseScene(&scene);
    }
    state.counters["faces"] = 31460;
    state.counters["vertices"] = 18876;
}
BENCHMARK(loadLargeMesh)->Unit(benchmark::kMillisecond);

// The same from a file on disk, as the show loads it.
void loadLargeMeshFile(benchmark::State& state)
{
    std::vector<uint8_t> image = largeMeshFile();
    std::string path = "/tmp/engine_bench_large_" + std::to_string(getpid()) + ".3ds";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(image.data(), 1, image.size(), file);
    std::fclose(file);
    for (auto _ : state) {
        Scene scene{};
        loadScene(path.c_str(), &scene);
        benchmark::DoNotOptimize(scene.meshCount);
        releaseScene(&scene);
    }
    std::remove(path.c_str());
}
BENCHMARK(loadLargeMeshFile)->Unit(benchmark::kMillisecond);

void houseSizedSceneEngineOnly(benchmark::State& state)
{
    std::vector<uint8_t> image = houseSizedFile();
    Scene scene{};
    loadSceneFromMemory(image.data(), image.size(), &scene);
    DiscardingDevice device;
    for (auto _ : state)
        renderScene(&scene, &device);
    benchmark::DoNotOptimize(device.checksum);
    releaseScene(&scene);
}
BENCHMARK(houseSizedSceneEngineOnly)->Unit(benchmark::kMillisecond);

enum FramePart : int { wholeFrame, clearOnly, sceneOnly, fadeOnly };
enum SceneSource : int { syntheticHouse, generatedHouseFile };

// Clear, the scene, a half white fade, present: one frame as a 3D scene draws it.
// The other arguments time the parts alone.
void houseSizedFrame(benchmark::State& state)
{
    const int part = int(state.range(0));
    const int source = int(state.range(1));
    HeadlessDisplay display;
    if (!display.ready()) {
        state.SkipWithError("display set-up failed");
        return;
    }
    DisplayContext& context = display.context;
    Scene scene{};
    if (source == generatedHouseFile) {
        const std::string path = std::string(MORNAKLE_DATA_DIR) + "/hus.3ds";
        if (loadScene(path.c_str(), &scene) != 0) {
            state.SkipWithError("no generated hus.3ds (build mornakle_data)");
            return;
        }
    } else {
        std::vector<uint8_t> image = houseSizedFile();
        loadSceneFromMemory(image.data(), image.size(), &scene);
    }
    uint32_t triangles = 0;
    for (uint32_t i = 0; i < scene.meshCount; ++i)
        triangles += scene.meshes[i].faceCount;
    D3DRECT whole{0, 0, 640, 480};
    for (auto _ : state) {
        if (part == wholeFrame || part == clearOnly)
            context.viewport->Clear(1, &whole, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
        if (part == wholeFrame || part == sceneOnly)
            renderScene(&scene, context.device);
        if (part == wholeFrame || part == fadeOnly)
            drawWhiteFade(0.5f, &context);
        if (part == wholeFrame)
            presentFrame(&context);
    }
    state.counters["triangles"] = triangles;
    state.counters["lights"] = scene.lightCount;
    releaseScene(&scene);
}
BENCHMARK(houseSizedFrame)
    ->ArgNames({"part", "file"})
    ->ArgsProduct({{wholeFrame, clearOnly, sceneOnly, fadeOnly}, {syntheticHouse, generatedHouseFile}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
