// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What a frame costs the software device: the full-screen blended fade quad, a few
// thousand small Gouraud triangles with depth, the two together as a house-sized frame,
// the generated house scene itself with its fade, and a plain memset of one frame as
// the floor.
#include "d3d.h"
#include "d3d_soft.h"
#include "ddraw_soft.h"
#include "engine/renderer.h"
#include "engine/scene_loader.h"
#include "host/headless_host.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int screenWidth = 640, screenHeight = 480;
constexpr int smallTriangleCount = 3000;

// A 640 x 480 back buffer with depth, a device with the demo's render states and
// the full-screen viewport.
class Stage {
public:
    Stage()
    {
        hostObject = host::headless::makeHeadlessHost({});
        host::install(hostObject.get());
        DirectDrawCreate(nullptr, &directDraw, nullptr);
        directDraw->QueryInterface(IID_IDirect3D2, reinterpret_cast<LPVOID*>(&direct3D));
        target = makeSurface(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE);
        depth = makeSurface(DDSCAPS_ZBUFFER | DDSCAPS_SYSTEMMEMORY);
        target->AddAttachedSurface(depth);
        direct3D->CreateDevice(IID_IDirect3DRGBDevice, target, &device);
        direct3D->CreateViewport(&viewport, nullptr);
        device->AddViewport(viewport);
        D3DVIEWPORT2 values = {44, 0, 0, 640, 480, -1.0f, 0.75f, 2.0f, 1.5f, 0.0f, 1.0f};
        viewport->SetViewport2(&values);
        device->SetCurrentViewport(viewport);
        direct3D->CreateMaterial(&material, nullptr);
        D3DMATERIAL black = {};
        black.dwSize = sizeof black;
        material->SetMaterial(&black);
        D3DMATERIALHANDLE handle = 0;
        material->GetHandle(device, &handle);
        viewport->SetBackground(handle);
        device->SetRenderState(D3DRENDERSTATE_DITHERENABLE, TRUE);
        device->SetRenderState(D3DRENDERSTATE_ZENABLE, TRUE);
        device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, TRUE);
        device->SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL);
        device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_BOTHSRCALPHA);
        device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
        // A camera 100 units back with a 90-degree field of view.
        const float nearZ = 10, farZ = 500, q = farZ / (farZ - nearZ);
        D3DMATRIX view = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 100, 1};
        D3DMATRIX projection = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, q, 1, 0, 0, -q * nearZ, 0};
        device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
        device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
        device->BeginScene();
        makeTriangles();
    }

    ~Stage()
    {
        device->EndScene();
        material->Release();
        viewport->Release();
        device->Release();
        depth->Release();
        target->Release();
        direct3D->Release();
        directDraw->Release();
        host::install(nullptr);
    }

    void clear()
    {
        D3DRECT all = {0, 0, screenWidth, screenHeight};
        viewport->Clear(1, &all, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
    }

    void fade(int alpha)
    {
        const D3DCOLOR colour = DWORD(alpha) << 24 | 0xFFFFFF;
        D3DTLVERTEX corners[6] = {{0, 0, 0, 1, colour, 0xFF000000, 0, 0},     {640, 0, 0, 1, colour, 0xFF000000, 0, 0},
                                  {640, 480, 0, 1, colour, 0xFF000000, 0, 0}, {0, 0, 0, 1, colour, 0xFF000000, 0, 0},
                                  {640, 480, 0, 1, colour, 0xFF000000, 0, 0}, {0, 480, 0, 1, colour, 0xFF000000, 0, 0}};
        device->Begin(D3DPT_TRIANGLELIST, D3DVT_TLVERTEX, D3DDP_WAIT);
        for (auto& v : corners)
            device->Vertex(&v);
        device->End(0);
    }

    void gouraudQuad()
    {
        D3DTLVERTEX corners[6] = {{0, 0, 0.9f, 1, 0xFFFF0000, 0, 0, 0},     {640, 0, 0.1f, 1, 0xFF00FF00, 0, 0, 0},
                                  {640, 480, 0.5f, 1, 0xFF0000FF, 0, 0, 0}, {0, 0, 0.9f, 1, 0xFFFF0000, 0, 0, 0},
                                  {640, 480, 0.5f, 1, 0xFF0000FF, 0, 0, 0}, {0, 480, 0.2f, 1, 0xFFFFFFFF, 0, 0, 0}};
        device->SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_ALWAYS);
        device->Begin(D3DPT_TRIANGLELIST, D3DVT_TLVERTEX, D3DDP_WAIT);
        for (auto& v : corners)
            device->Vertex(&v);
        device->End(0);
        device->SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL);
    }

    void smallTriangles()
    {
        device->Begin(D3DPT_TRIANGLELIST, D3DVT_LVERTEX, D3DDP_WAIT);
        for (auto& v : triangles)
            device->Vertex(&v);
        device->End(0);
    }

    uint16_t* pixels() { return soft::ddraw::surfaceMemoryOf(target)->row(0); }
    IDirect3DDevice2* device3D() { return device; }

private:
    IDirectDrawSurface* makeSurface(DWORD caps)
    {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = screenWidth;
        desc.dwHeight = screenHeight;
        desc.ddsCaps.dwCaps = caps;
        IDirectDrawSurface* surface = nullptr;
        directDraw->CreateSurface(&desc, &surface, nullptr);
        return surface;
    }

    // Lit triangles about 15 pixels across, scattered over the view at varied depths:
    // together they cover the screen about once, as a house scene does.
    void makeTriangles()
    {
        std::mt19937 random(7);
        std::uniform_real_distribution<float> across(-100, 100), deep(-40, 40), corner(-2.5f, 2.5f);
        std::uniform_int_distribution<int> channel(0, 255);
        for (int t = 0; t < smallTriangleCount; ++t) {
            const float x = across(random), y = across(random) * 0.75f, z = deep(random);
            for (int c = 0; c < 3; ++c) {
                const D3DCOLOR colour =
                    0xFF000000 | DWORD(channel(random)) << 16 | DWORD(channel(random)) << 8 | DWORD(channel(random));
                triangles.push_back(D3DLVERTEX{x + corner(random) * (1 + c), y + corner(random) * (1 + 2 - c), z, 0,
                                               colour, 0xFF000000, 0, 0});
            }
        }
    }

    std::unique_ptr<host::headless::HeadlessHost> hostObject;
    IDirectDraw* directDraw = nullptr;
    IDirect3D2* direct3D = nullptr;
    IDirectDrawSurface* target = nullptr;
    IDirectDrawSurface* depth = nullptr;
    IDirect3DDevice2* device = nullptr;
    IDirect3DViewport2* viewport = nullptr;
    IDirect3DMaterial2* material = nullptr;
    std::vector<D3DLVERTEX> triangles;
};

Stage& stage()
{
    static Stage instance;
    return instance;
}

void BM_FullScreenBlendedQuad(benchmark::State& state)
{
    Stage& s = stage();
    s.clear();
    for (auto _ : state) {
        s.fade(127);
        benchmark::DoNotOptimize(s.pixels());
    }
    state.SetItemsProcessed(state.iterations() * screenWidth * screenHeight);
}
BENCHMARK(BM_FullScreenBlendedQuad)->Unit(benchmark::kMicrosecond);

// The same quad with a colour in every corner and depth sloping across: the cost of
// a Gouraud pixel with depth when spans are long.
void BM_FullScreenGouraudQuad(benchmark::State& state)
{
    Stage& s = stage();
    s.clear();
    for (auto _ : state) {
        s.gouraudQuad();
        benchmark::DoNotOptimize(s.pixels());
    }
    state.SetItemsProcessed(state.iterations() * screenWidth * screenHeight);
}
BENCHMARK(BM_FullScreenGouraudQuad)->Unit(benchmark::kMicrosecond);

void BM_SmallLitTriangles(benchmark::State& state)
{
    Stage& s = stage();
    for (auto _ : state) {
        state.PauseTiming();
        s.clear();
        state.ResumeTiming();
        s.smallTriangles();
        benchmark::DoNotOptimize(s.pixels());
    }
    state.SetItemsProcessed(state.iterations() * smallTriangleCount);
    soft::d3d::resetDirect3DCounters();
    s.clear();
    s.smallTriangles();
    state.counters["pixels"] = double(soft::d3d::direct3DCounters().pixelsWritten);
    state.counters["drawn"] = double(soft::d3d::direct3DCounters().trianglesDrawn);
}
BENCHMARK(BM_SmallLitTriangles)->Unit(benchmark::kMicrosecond);

void BM_HouseSizedFrame(benchmark::State& state)
{
    Stage& s = stage();
    for (auto _ : state) {
        s.clear();
        s.smallTriangles();
        s.fade(127);
        benchmark::DoNotOptimize(s.pixels());
    }
}
BENCHMARK(BM_HouseSizedFrame)->Unit(benchmark::kMicrosecond);

// The house as the demo draws it (without its swelling): clear, every mesh lit and
// sent by the renderer, a white flash over it.
void BM_HouseScene(benchmark::State& state)
{
    Stage& s = stage();
    static Scene house{};
    static const bool loaded = loadScene(MORNAKLE_DATA_DIR "/hus.3ds", &house) == 0;
    if (!loaded) {
        state.SkipWithError("hus.3ds is not generated yet (build mornakle_data)");
        return;
    }
    s.device3D()->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
    for (auto _ : state) {
        s.clear();
        renderScene(&house, s.device3D());
        s.fade(127);
        benchmark::DoNotOptimize(s.pixels());
    }
    soft::d3d::resetDirect3DCounters();
    s.clear();
    renderScene(&house, s.device3D());
    state.counters["pixels"] = double(soft::d3d::direct3DCounters().pixelsWritten);
    state.counters["drawn"] = double(soft::d3d::direct3DCounters().trianglesDrawn);
    s.device3D()->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
}
BENCHMARK(BM_HouseScene)->Unit(benchmark::kMicrosecond);

void BM_MemsetOneFrame(benchmark::State& state)
{
    std::vector<uint16_t> frame(size_t(screenWidth) * screenHeight);
    int value = 0;
    for (auto _ : state) {
        std::memset(frame.data(), ++value & 0xFF, frame.size() * sizeof(uint16_t));
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size() * sizeof(uint16_t)));
}
BENCHMARK(BM_MemsetOneFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
