// The Direct3D device over DirectDraw surfaces, driven as the demo drives it: device
// creation, scenes, clears, projected and screen-space triangle lists, clipping to the
// viewport, culling, fill modes and the memory exchange of Flip.
#include "d3d.h"
#include "d3d_soft.h"
#include "ddraw_soft.h"
#include "host/headless_host.h"
#include "raster_support.h"
#include "soft/faults.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>

using d3dtest::referenceBlend;
using soft::PixelFormat;

namespace {

constexpr int screenWidth = 640, screenHeight = 480;
constexpr uint16_t sentinel = 0x1234;

D3DVIEWPORT2 fullScreenViewport() { return D3DVIEWPORT2{44, 0, 0, 640, 480, -1.0f, 0.75f, 2.0f, 1.5f, 0.0f, 1.0f}; }

D3DVIEWPORT2 boxViewport()
{
    return D3DVIEWPORT2{44, 376, 82, 249, 193, -1.0f, 193.0f / 249.0f, 2.0f, 2.0f * 193.0f / 249.0f, 0.0f, 1.0f};
}

D3DTLVERTEX screenVertex(float x, float y, D3DCOLOR colour, float z = 0)
{
    return D3DTLVERTEX{x, y, z, 1.0f, colour, 0xFF000000, 0, 0};
}

D3DLVERTEX litVertex(float x, float y, float z, D3DCOLOR colour)
{
    return D3DLVERTEX{x, y, z, 0, colour, 0xFF000000, 0, 0};
}

struct Layout {
    PixelFormat format;
    int extraPitch;
};

class DeviceTest : public ::testing::TestWithParam<Layout> {
protected:
    void SetUp() override
    {
        soft::surfaceLayout() = soft::SurfaceLayout{GetParam().format, GetParam().extraPitch};
        hostObject = host::makeHeadlessHost({});
        host::install(hostObject.get());
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
        ASSERT_EQ(directDraw->QueryInterface(IID_IDirect3D2, reinterpret_cast<LPVOID*>(&direct3D)), DD_OK);
        target = makeSurface(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE);
        depth = makeSurface(DDSCAPS_ZBUFFER | DDSCAPS_SYSTEMMEMORY);
        ASSERT_EQ(target->AddAttachedSurface(depth), DD_OK);
        ASSERT_EQ(direct3D->CreateDevice(IID_IDirect3DRGBDevice, target, &device), D3D_OK);
        ASSERT_EQ(direct3D->CreateViewport(&viewport, nullptr), D3D_OK);
        ASSERT_EQ(device->AddViewport(viewport), D3D_OK);
        D3DVIEWPORT2 values = fullScreenViewport();
        ASSERT_EQ(viewport->SetViewport2(&values), D3D_OK);
        ASSERT_EQ(device->SetCurrentViewport(viewport), D3D_OK);
        ASSERT_EQ(direct3D->CreateMaterial(&material, nullptr), D3D_OK);
        D3DMATERIAL black = {};
        black.dwSize = sizeof black;
        black.dwRampSize = 1;
        ASSERT_EQ(material->SetMaterial(&black), D3D_OK);
        D3DMATERIALHANDLE handle = 0;
        ASSERT_EQ(material->GetHandle(device, &handle), D3D_OK);
        ASSERT_EQ(viewport->SetBackground(handle), D3D_OK);
        // The render states the demo's display set-up makes.
        const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {
            {D3DRENDERSTATE_DITHERENABLE, TRUE},       {D3DRENDERSTATE_ZENABLE, TRUE},
            {D3DRENDERSTATE_ZWRITEENABLE, TRUE},       {D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL},
            {D3DRENDERSTATE_ALPHABLENDENABLE, TRUE},   {D3DRENDERSTATE_SRCBLEND, D3DBLEND_BOTHSRCALPHA},
            {D3DRENDERSTATE_CULLMODE, D3DCULL_CCW}};
        for (auto [state, value] : states)
            ASSERT_EQ(device->SetRenderState(state, value), D3D_OK);
        soft::resetDirect3DCounters();
    }

    void TearDown() override
    {
        material->Release();
        viewport->Release();
        device->Release();
        depth->Release();
        target->Release();
        direct3D->Release();
        directDraw->Release();
        soft::clearFaults();
        soft::surfaceLayout() = {};
        host::install(nullptr);
    }

    IDirectDrawSurface* makeSurface(DWORD caps)
    {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = screenWidth;
        desc.dwHeight = screenHeight;
        desc.ddsCaps.dwCaps = caps;
        if (caps & DDSCAPS_ZBUFFER) {
            desc.dwFlags |= DDSD_ZBUFFERBITDEPTH;
            desc.dwZBufferBitDepth = 16;
        }
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    soft::SurfaceMemory& pixels() { return *surfaceMemoryOf(target); }
    soft::SurfaceMemory& depths() { return *surfaceMemoryOf(depth); }
    uint16_t pack(int r, int g, int b) { return soft::packColour(pixels().format, uint8_t(r), uint8_t(g), uint8_t(b)); }

    void clearAll(uint16_t colour)
    {
        d3dtest::fill(pixels(), colour);
        d3dtest::fill(depths(), 0xFFFF);
    }

    // The demo's fade: one screen quad of two clockwise triangles.
    void drawFade(int alpha, bool white, float right = 640, float bottom = 480)
    {
        const D3DCOLOR colour = DWORD(alpha) << 24 | (white ? 0xFFFFFF : 0);
        D3DTLVERTEX corners[6] = {screenVertex(0, 0, colour),          screenVertex(right, 0, colour),
                                  screenVertex(right, bottom, colour), screenVertex(0, 0, colour),
                                  screenVertex(right, bottom, colour), screenVertex(0, bottom, colour)};
        ASSERT_EQ(device->Begin(D3DPT_TRIANGLELIST, D3DVT_TLVERTEX, D3DDP_WAIT), D3D_OK);
        for (auto& v : corners)
            ASSERT_EQ(device->Vertex(&v), D3D_OK);
        ASSERT_EQ(device->End(0), D3D_OK);
    }

    template <typename VertexType>
    void drawList(D3DVERTEXTYPE type, std::initializer_list<VertexType> vertices)
    {
        ASSERT_EQ(device->Begin(D3DPT_TRIANGLELIST, type, D3DDP_WAIT), D3D_OK);
        for (VertexType v : vertices)
            ASSERT_EQ(device->Vertex(&v), D3D_OK);
        ASSERT_EQ(device->End(0), D3D_OK);
    }

    int countChanged(uint16_t background)
    {
        int changed = 0;
        for (int y = 0; y < screenHeight; ++y)
            for (int x = 0; x < screenWidth; ++x)
                changed += pixels().at(x, y) != background;
        return changed;
    }

    std::unique_ptr<host::HeadlessHost> hostObject;
    IDirectDraw* directDraw = nullptr;
    IDirect3D2* direct3D = nullptr;
    IDirectDrawSurface* target = nullptr;
    IDirectDrawSurface* depth = nullptr;
    IDirect3DDevice2* device = nullptr;
    IDirect3DViewport2* viewport = nullptr;
    IDirect3DMaterial2* material = nullptr;
};

TEST_P(DeviceTest, OnlyTheSoftwareDevicesAreMade)
{
    IDirect3DDevice2* other = nullptr;
    EXPECT_NE(direct3D->CreateDevice(IID_IDirect3DHALDevice, target, &other), D3D_OK);
    EXPECT_EQ(other, nullptr);
    EXPECT_NE(direct3D->CreateDevice(IID_IDirect3D2, target, &other), D3D_OK);
    ASSERT_EQ(direct3D->CreateDevice(IID_IDirect3DRampDevice, target, &other), D3D_OK);
    EXPECT_EQ(other->Release(), 0u);
    soft::injectFault("IDirect3D2::CreateDevice(RGB)", DDERR_OUTOFMEMORY);
    EXPECT_EQ(direct3D->CreateDevice(IID_IDirect3DRGBDevice, target, &other), DDERR_OUTOFMEMORY);
    ASSERT_EQ(direct3D->CreateDevice(IID_IDirect3DRGBDevice, target, &other), D3D_OK);
    other->Release();
}

TEST_P(DeviceTest, ObjectsCountTheirReferences)
{
    IDirect3DViewport2* extra = nullptr;
    ASSERT_EQ(direct3D->CreateViewport(&extra, nullptr), D3D_OK);
    EXPECT_EQ(extra->AddRef(), 2u);
    EXPECT_EQ(extra->Release(), 1u);
    ASSERT_EQ(device->AddViewport(extra), D3D_OK);
    EXPECT_EQ(extra->Release(), 1u) << "the device holds the viewport it was given";
    IUnknown* unknown = nullptr;
    ASSERT_EQ(direct3D->QueryInterface(IID_IUnknown, reinterpret_cast<LPVOID*>(&unknown)), S_OK);
    EXPECT_EQ(unknown->Release(), 1u);
}

TEST_P(DeviceTest, NothingIsDrawnOutsideAScene)
{
    clearAll(sentinel);
    D3DTLVERTEX v = screenVertex(0, 0, 0xFFFFFFFF);
    EXPECT_EQ(device->Begin(D3DPT_TRIANGLELIST, D3DVT_TLVERTEX, D3DDP_WAIT), D3DERR_SCENE_NOT_IN_SCENE);
    EXPECT_EQ(device->Vertex(&v), D3DERR_NOTINBEGIN);
    EXPECT_EQ(device->End(0), D3DERR_NOTINBEGIN);
    EXPECT_EQ(device->EndScene(), D3DERR_SCENE_NOT_IN_SCENE);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_SCENE_IN_SCENE);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(soft::direct3DCounters().primitivesBegun, 0u);
    EXPECT_EQ(countChanged(sentinel), 0);
}

TEST_P(DeviceTest, ClearFillsTheBackgroundAndTheFarDepthInsideTheSurface)
{
    clearAll(sentinel);
    d3dtest::fill(depths(), 0x0101);
    D3DMATERIAL colour = {};
    colour.dwSize = sizeof colour;
    colour.diffuse = D3DCOLORVALUE{1.0f, 0.5f, 0.25f, 1.0f};
    ASSERT_EQ(material->SetMaterial(&colour), D3D_OK);
    D3DRECT rects[2] = {{600, 400, 700, 500}, {10, 20, 30, 25}};
    ASSERT_EQ(viewport->Clear(2, rects, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER), D3D_OK);
    const uint16_t background = pack(255, 127, 63);
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const bool inside = (x >= 600 && y >= 400) || (x >= 10 && x < 30 && y >= 20 && y < 25);
            ASSERT_EQ(pixels().at(x, y), inside ? background : sentinel) << x << "," << y;
            ASSERT_EQ(depths().at(x, y), inside ? 0xFFFF : 0x0101) << x << "," << y;
        }
    ASSERT_EQ(viewport->Clear(1, rects + 1, D3DCLEAR_ZBUFFER), D3D_OK);
    EXPECT_EQ(pixels().at(12, 22), background) << "a depth clear leaves the colour";
}

TEST_P(DeviceTest, FadeQuadsBlendEveryPixelOnce)
{
    for (int alpha : {0, 127, 254, 255})
        for (bool white : {false, true}) {
            for (int y = 0; y < screenHeight; ++y)
                for (int x = 0; x < screenWidth; ++x)
                    pixels().at(x, y) = pack(x * 255 / 639, y * 255 / 479, (x + y) & 255);
            d3dtest::fill(depths(), 0xFFFF);
            ASSERT_EQ(device->BeginScene(), D3D_OK);
            drawFade(alpha, white);
            ASSERT_EQ(device->EndScene(), D3D_OK);
            const int source = white ? 255 : 0;
            for (int y = 0; y < screenHeight; y += 3)
                for (int x = 0; x < screenWidth; x += 3) {
                    const uint16_t before = pack(x * 255 / 639, y * 255 / 479, (x + y) & 255);
                    const soft::Rgb8 old = soft::unpackColour(pixels().format, before);
                    const uint16_t pixel = pixels().at(x, y);
                    if (alpha == 0) {
                        ASSERT_EQ(pixel, before);
                        continue;
                    }
                    if (alpha == 255) {
                        ASSERT_EQ(pixel, pack(source, source, source));
                        continue;
                    }
                    const int greenBits = pixels().format == PixelFormat::rgb555 ? 5 : 6;
                    const uint16_t expected = uint16_t(
                        soft::reduceChannel(referenceBlend(source, old.r, alpha), 5, true, x, y)
                            << (greenBits == 5 ? 10 : 11) |
                        soft::reduceChannel(referenceBlend(source, old.g, alpha), greenBits, true, x, y) << 5 |
                        soft::reduceChannel(referenceBlend(source, old.b, alpha), 5, true, x, y));
                    ASSERT_EQ(pixel, expected) << "alpha " << alpha << " at " << x << "," << y;
                }
            EXPECT_EQ(depths().at(320, 240), 0) << "the quad at depth 0 leaves depth 0";
        }
}

TEST_P(DeviceTest, ScreenQuadStaysInsideTheBoxViewport)
{
    clearAll(sentinel);
    D3DVIEWPORT2 box = boxViewport();
    ASSERT_EQ(viewport->SetViewport2(&box), D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawFade(255, true);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const bool inside = x >= 376 && x < 376 + 249 && y >= 82 && y < 82 + 193;
            ASSERT_EQ(pixels().at(x, y), inside ? 0xFFFF & pack(255, 255, 255) : sentinel) << x << "," << y;
        }
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, uint64_t(249 * 193));
}

TEST_P(DeviceTest, ProjectedTrianglesAreCutToTheViewportSides)
{
    // With identity transforms, clip space is the view: one triangle far larger than
    // the clip volume fills exactly the box, every pixel once.
    clearAll(sentinel);
    D3DVIEWPORT2 box = boxViewport();
    ASSERT_EQ(viewport->SetViewport2(&box), D3D_OK);
    ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawList<D3DLVERTEX>(D3DVT_LVERTEX, {litVertex(-30, 30, 0.5f, 0x80FF0000), litVertex(30, 30, 0.5f, 0x80FF0000),
                                         litVertex(0, -40, 0.5f, 0x80FF0000)});
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(soft::direct3DCounters().trianglesClipped, 1u);
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, uint64_t(249 * 193));
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const bool inside = x >= 376 && x < 376 + 249 && y >= 82 && y < 82 + 193;
            ASSERT_EQ(pixels().at(x, y) != sentinel, inside) << x << "," << y;
        }
}

TEST_P(DeviceTest, TrianglesSharingAClippedEdgeStillTouchEachPixelOnce)
{
    // Quads far larger than the box, split along a diagonal that crosses the box's
    // sides; each half is cut by the clip volume, and the cuts must meet exactly.
    D3DVIEWPORT2 box = boxViewport();
    ASSERT_EQ(viewport->SetViewport2(&box), D3D_OK);
    ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), D3D_OK);
    ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_DITHERENABLE, FALSE), D3D_OK);
    const D3DCOLOR white = 0x7FFFFFFF;
    const uint16_t once = pack(127, 127, 127);
    std::mt19937 random(11);
    std::uniform_real_distribution<float> outside(2.0f, 4.0f), depth(0.1f, 0.9f);
    for (int quad = 0; quad < 40; ++quad) {
        clearAll(0);
        soft::resetDirect3DCounters();
        const D3DLVERTEX topLeft = litVertex(-outside(random), outside(random), depth(random), white);
        const D3DLVERTEX topRight = litVertex(outside(random), outside(random), depth(random), white);
        const D3DLVERTEX bottomRight = litVertex(outside(random), -outside(random), depth(random), white);
        const D3DLVERTEX bottomLeft = litVertex(-outside(random), -outside(random), depth(random), white);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        drawList<D3DLVERTEX>(D3DVT_LVERTEX, {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft});
        ASSERT_EQ(device->EndScene(), D3D_OK);
        EXPECT_EQ(soft::direct3DCounters().pixelsWritten, uint64_t(249 * 193)) << "quad " << quad;
        for (int y = 82; y < 82 + 193; ++y)
            for (int x = 376; x < 376 + 249; ++x)
                ASSERT_EQ(pixels().at(x, y), once) << "quad " << quad << " at " << x << "," << y;
    }
}

TEST_P(DeviceTest, ProjectionMapsClipSpaceToPixels)
{
    // x/w from -1 to 1 spans 640 pixels, y/w from 0.75 down to -0.75 spans 480 rows.
    clearAll(0);
    ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawList<D3DLVERTEX>(D3DVT_LVERTEX, {litVertex(-0.5f, 0.375f, 0.5f, 0xFFFFFFFF),
                                         litVertex(0.5f, 0.375f, 0.5f, 0xFFFFFFFF),
                                         litVertex(0.5f, -0.375f, 0.5f, 0xFFFFFFFF),
                                         litVertex(-0.5f, 0.375f, 0.5f, 0xFFFFFFFF),
                                         litVertex(0.5f, -0.375f, 0.5f, 0xFFFFFFFF),
                                         litVertex(-0.5f, -0.375f, 0.5f, 0xFFFFFFFF)});
    ASSERT_EQ(device->EndScene(), D3D_OK);
    // Corners at pixels (160, 120) and (480, 360).
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, uint64_t(320 * 240));
    EXPECT_NE(pixels().at(160, 120), 0);
    EXPECT_NE(pixels().at(479, 359), 0);
    EXPECT_EQ(pixels().at(159, 120), 0);
    EXPECT_EQ(pixels().at(480, 200), 0);
    EXPECT_EQ(depths().at(300, 200), uint16_t(0.5f * 65535));
}

TEST_P(DeviceTest, TrianglesCrossingTheNearPlaneKeepOnlyTheirVisiblePart)
{
    // A perspective projection (near 1, far 100): w is the view depth. All three
    // corners lie right of the eye, one behind it; only the right half of the screen
    // may change, and it does.
    const float nearZ = 1, farZ = 100, q = farZ / (farZ - nearZ);
    D3DMATRIX projection = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, q, 1, 0, 0, -q * nearZ, 0};
    ASSERT_EQ(device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection), D3D_OK);
    ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), D3D_OK);
    clearAll(0);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawList<D3DLVERTEX>(D3DVT_LVERTEX, {litVertex(0.5f, -1, 10, 0xFFFFFFFF), litVertex(5, 1, 10, 0xFFFFFFFF),
                                         litVertex(0.5f, 0, -5, 0xFFFFFFFF)});
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(soft::direct3DCounters().trianglesClipped, 1u);
    int left = 0, right = 0;
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x)
            (x < 320 ? left : right) += pixels().at(x, y) != 0;
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 1000);
}

TEST_P(DeviceTest, WildCoordinatesAreCutOrRefusedNeverOverrun)
{
    // Screen corners millions of pixels out are cut to a guard band and still cover the
    // viewport; a corner that is not a number draws nothing; a viewport wider than the
    // surface is held to the surface.
    const D3DCOLOR white = 0xFFFFFFFF;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), D3D_OK);
    clearAll(sentinel);
    soft::resetDirect3DCounters();
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawList<D3DTLVERTEX>(D3DVT_TLVERTEX, {screenVertex(-3e7f, -3e7f, white), screenVertex(3e7f, -1e6f, white),
                                           screenVertex(100, 4e7f, white), screenVertex(nan, 5, white),
                                           screenVertex(5, 5, white), screenVertex(5, 50, white)});
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, uint64_t(640 * 480));

    D3DVIEWPORT2 wide = fullScreenViewport();
    wide.dwWidth = 100000;
    wide.dwHeight = 100000;
    ASSERT_EQ(viewport->SetViewport2(&wide), D3D_OK);
    D3DMATRIX broken = {nan, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    ASSERT_EQ(device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &broken), D3D_OK);
    clearAll(sentinel);
    soft::resetDirect3DCounters();
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawList<D3DLVERTEX>(D3DVT_LVERTEX, {litVertex(0, 0, 0.5f, white), litVertex(1, 0, 0.5f, white),
                                         litVertex(0, -1, 0.5f, white)});
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, 0u);
    EXPECT_EQ(countChanged(sentinel), 0);
}

TEST_P(DeviceTest, CullModesRemoveOneWindingEach)
{
    const D3DCOLOR white = 0xFFFFFFFF;
    // Clockwise on the screen (y down), then counter-clockwise.
    auto drawBoth = [&] {
        drawList<D3DTLVERTEX>(D3DVT_TLVERTEX, {screenVertex(10, 10, white), screenVertex(100, 10, white),
                                               screenVertex(10, 100, white), screenVertex(300, 10, white),
                                               screenVertex(300, 100, white), screenVertex(390, 10, white)});
    };
    struct Case {
        D3DCULL mode;
        bool clockwiseDrawn, counterDrawn;
    };
    for (Case c : {Case{D3DCULL_CCW, true, false}, Case{D3DCULL_CW, false, true}, Case{D3DCULL_NONE, true, true}}) {
        clearAll(0);
        soft::resetDirect3DCounters();
        ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_CULLMODE, c.mode), D3D_OK);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        drawBoth();
        ASSERT_EQ(device->EndScene(), D3D_OK);
        EXPECT_EQ(pixels().at(20, 20) != 0, c.clockwiseDrawn) << c.mode;
        EXPECT_EQ(pixels().at(310, 20) != 0, c.counterDrawn) << c.mode;
        EXPECT_EQ(soft::direct3DCounters().trianglesCulled, uint64_t(2 - c.clockwiseDrawn - c.counterDrawn));
    }
}

TEST_P(DeviceTest, DepthBufferDecidesWhatShows)
{
    const D3DCOLOR red = 0xFFFF0000, blue = 0xFF0000FF;
    for (DWORD depthOn : {TRUE, FALSE}) {
        clearAll(0);
        ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_ZENABLE, depthOn), D3D_OK);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        drawList<D3DTLVERTEX>(D3DVT_TLVERTEX, {screenVertex(0, 0, red, 0.2f), screenVertex(200, 0, red, 0.2f),
                                               screenVertex(0, 200, red, 0.2f), screenVertex(0, 0, blue, 0.6f),
                                               screenVertex(200, 0, blue, 0.6f), screenVertex(0, 200, blue, 0.6f)});
        ASSERT_EQ(device->EndScene(), D3D_OK);
        EXPECT_EQ(pixels().at(50, 50), depthOn ? pack(255, 0, 0) : pack(0, 0, 255));
    }
}

TEST_P(DeviceTest, WireframeAndPointFillModes)
{
    const D3DCOLOR white = 0xFFFFFFFF;
    clearAll(0);
    ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_FILLMODE, D3DFILL_WIREFRAME), D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawList<D3DTLVERTEX>(D3DVT_TLVERTEX, {screenVertex(100, 100, white), screenVertex(200, 100, white),
                                           screenVertex(100, 200, white)});
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_NE(pixels().at(150, 100), 0) << "top edge";
    EXPECT_NE(pixels().at(100, 150), 0) << "left edge";
    EXPECT_NE(pixels().at(150, 150), 0) << "diagonal edge";
    EXPECT_EQ(pixels().at(120, 120), 0) << "inside stays empty";
    const int changed = countChanged(0);
    EXPECT_GE(changed, 298);
    EXPECT_LE(changed, 302);

    clearAll(0);
    ASSERT_EQ(device->SetRenderState(D3DRENDERSTATE_FILLMODE, D3DFILL_POINT), D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawList<D3DTLVERTEX>(D3DVT_TLVERTEX, {screenVertex(100, 100, white), screenVertex(200, 100, white),
                                           screenVertex(100, 200, white)});
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(countChanged(0), 3);
    EXPECT_NE(pixels().at(200, 100), 0);
}

TEST_P(DeviceTest, RenderStatesAndTransformsReadBackAndFailOnRequest)
{
    DWORD value = 0;
    ASSERT_EQ(device->GetRenderState(D3DRENDERSTATE_SRCBLEND, &value), D3D_OK);
    EXPECT_EQ(value, DWORD(D3DBLEND_BOTHSRCALPHA));
    soft::injectFault("IDirect3DDevice2::SetRenderState", DDERR_GENERIC);
    EXPECT_EQ(device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE), DDERR_GENERIC);
    ASSERT_EQ(device->GetRenderState(D3DRENDERSTATE_SRCBLEND, &value), D3D_OK);
    EXPECT_EQ(value, DWORD(D3DBLEND_BOTHSRCALPHA));
    D3DMATRIX view = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 1, 2, 3, 1}, back = {};
    ASSERT_EQ(device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view), D3D_OK);
    ASSERT_EQ(device->GetTransform(D3DTRANSFORMSTATE_VIEW, &back), D3D_OK);
    EXPECT_EQ(back._41, 1.0f);
    EXPECT_EQ(back._33, 4.0f);
    soft::injectFault("IDirect3DViewport2::Clear", DDERR_SURFACELOST);
    D3DRECT all = {0, 0, 640, 480};
    EXPECT_EQ(viewport->Clear(1, &all, D3DCLEAR_TARGET), DDERR_SURFACELOST);
    soft::injectFault("IDirect3D2::QueryInterface", E_NOINTERFACE);
    IUnknown* unknown = nullptr;
    EXPECT_EQ(direct3D->QueryInterface(IID_IUnknown, reinterpret_cast<LPVOID*>(&unknown)), E_NOINTERFACE);
    EXPECT_EQ(unknown, nullptr);
}

TEST_P(DeviceTest, CountersFollowTheStream)
{
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    drawFade(100, false);
    drawList<D3DTLVERTEX>(D3DVT_TLVERTEX, {screenVertex(0, 0, 0), screenVertex(0, 10, 0), screenVertex(10, 0, 0)});
    ASSERT_EQ(device->EndScene(), D3D_OK);
    const soft::Direct3DCounters& counters = soft::direct3DCounters();
    EXPECT_EQ(counters.primitivesBegun, 2u);
    EXPECT_EQ(counters.verticesReceived, 9u);
    EXPECT_EQ(counters.trianglesDrawn, 2u);
    EXPECT_EQ(counters.trianglesCulled, 1u);
    EXPECT_EQ(counters.pixelsWritten, uint64_t(640 * 480));
}

INSTANTIATE_TEST_SUITE_P(Layouts, DeviceTest,
                         ::testing::Values(Layout{PixelFormat::rgb565, 0}, Layout{PixelFormat::rgb565, 24},
                                           Layout{PixelFormat::rgb555, 0}),
                         [](const auto& info) {
                             return std::string(info.param.format == PixelFormat::rgb555 ? "rgb555" : "rgb565") +
                                    (info.param.extraPitch ? "Padded" : "");
                         });

// The flipping chain: the device draws into whatever memory the back surface holds at
// the time of the call.
TEST(DeviceOnFlippingChain, DrawsIntoTheBackBufferAfterEveryFlip)
{
    auto hostObject = host::makeHeadlessHost({});
    host::install(hostObject.get());
    IDirectDraw* directDraw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    ASSERT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT),
              DD_OK);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16), DD_OK);
    IDirect3D2* direct3D = nullptr;
    ASSERT_EQ(directDraw->QueryInterface(IID_IDirect3D2, reinterpret_cast<LPVOID*>(&direct3D)), DD_OK);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    IDirectDrawSurface *front = nullptr, *back = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &front, nullptr), DD_OK);
    DDSCAPS backCaps = {DDSCAPS_BACKBUFFER};
    ASSERT_EQ(front->GetAttachedSurface(&backCaps, &back), DD_OK);
    IDirect3DDevice2* device = nullptr;
    ASSERT_EQ(direct3D->CreateDevice(IID_IDirect3DRGBDevice, back, &device), D3D_OK);
    IDirect3DViewport2* viewport = nullptr;
    ASSERT_EQ(direct3D->CreateViewport(&viewport, nullptr), D3D_OK);
    ASSERT_EQ(device->AddViewport(viewport), D3D_OK);
    D3DVIEWPORT2 values = fullScreenViewport();
    ASSERT_EQ(viewport->SetViewport2(&values), D3D_OK);
    ASSERT_EQ(device->SetCurrentViewport(viewport), D3D_OK);

    auto drawColour = [&](D3DCOLOR colour) {
        D3DTLVERTEX corners[3] = {screenVertex(0, 0, colour), screenVertex(640, 0, colour),
                                  screenVertex(0, 480, colour)};
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        ASSERT_EQ(device->Begin(D3DPT_TRIANGLELIST, D3DVT_TLVERTEX, D3DDP_WAIT), D3D_OK);
        for (auto& v : corners)
            device->Vertex(&v);
        device->End(0);
        ASSERT_EQ(device->EndScene(), D3D_OK);
    };
    drawColour(0xFFFF0000);
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    drawColour(0xFF00FF00);
    EXPECT_EQ(surfaceMemoryOf(front)->at(5, 5), 0xF800) << "the flipped frame stays red";
    EXPECT_EQ(surfaceMemoryOf(back)->at(5, 5), 0x07E0) << "the new frame is drawn behind it";

    viewport->Release();
    device->Release();
    back->Release();
    front->Release();
    direct3D->Release();
    directDraw->Release();
    host::install(nullptr);
}

} // namespace
