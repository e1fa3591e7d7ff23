// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The Direct3D device over DirectDraw surfaces, driven as the demo drives it.
#include "d3d.h"
#include "d3d_soft.h"
#include "ddraw_soft.h"
#include "headless_display.h"
#include "raster_support.h"
#include "soft/faults.h"

#include <limits>
#include <memory>
#include <ostream>
#include <random>
#include <vector>

using namespace d3dtest;
using soft::PixelFormat;

namespace {

constexpr uint16_t sentinel = 0x1234;
constexpr soft::d3d::RasterRect boxRect{376, 82, 376 + 249, 82 + 193};
const soft::d3d::Direct3DCounters& counters = soft::d3d::direct3DCounters();

const D3DVIEWPORT2 fullScreenViewport{44, 0, 0, 640, 480, -1.0f, 0.75f, 2.0f, 1.5f, 0.0f, 1.0f};
// The demo's box: 249 x 193 pixels, clip width 2 and the height in proportion.
const D3DVIEWPORT2 boxViewport{44, 376, 82, 249, 193, -1.0f, 193.0f / 249.0f, 2.0f, 2.0f * 193.0f / 249.0f, 0, 1};

// Every corner carries a specular colour, which must add nothing.
constexpr D3DCOLOR specular = 0xFF406080, white = 0xFFFFFFFF;
D3DTLVERTEX screenVertex(float x, float y, D3DCOLOR c, float z = 0) { return {x, y, z, 1, c, specular, 0, 0}; }
D3DLVERTEX litVertex(float x, float y, float z, D3DCOLOR c) { return {x, y, z, 0, c, specular, 0, 0}; }

// The demo's fade: one screen quad of two clockwise triangles.
std::vector<D3DTLVERTEX> screenQuad(D3DCOLOR colour)
{
    const D3DTLVERTEX tl = screenVertex(0, 0, colour), tr = screenVertex(640, 0, colour),
                      br = screenVertex(640, 480, colour), bl = screenVertex(0, 480, colour);
    return {tl, tr, br, tl, br, bl};
}

uint64_t area(const soft::d3d::RasterRect& r) { return uint64_t(r.right - r.left) * uint64_t(r.bottom - r.top); }

using Layout = soft::SurfaceLayout;

class DeviceTest : public ::testing::TestWithParam<Layout> {
protected:
    void SetUp() override
    {
        // The display as the demo's set-up leaves it, in each layout, with no scene open.
        soft::surfaceLayout() = GetParam();
        display = std::make_unique<HeadlessDisplay>();
        ASSERT_TRUE(display->ready());
        const DisplayContext& c = display->context;
        direct3D = c.direct3D, front = c.primarySurface, target = c.backSurface, depth = c.depthSurface;
        device = c.device, viewport = c.viewport, material = c.backgroundMaterial;
        ASSERT_EQ(device->EndScene(), D3D_OK);
        soft::d3d::resetDirect3DCounters();
        eachPaddingByte([](uint8_t& byte) { byte = paddingMark; });
    }

    void TearDown() override
    {
        int touched = 0;
        eachPaddingByte([&](uint8_t& byte) { touched += byte != paddingMark; });
        EXPECT_EQ(touched, 0) << "bytes of row padding written";
        display.reset();
        soft::clearFaults();
        soft::surfaceLayout() = {};
    }

    // The bytes past the end of each row, which nothing may touch: SetUp marks them.
    static constexpr uint8_t paddingMark = 0xAB;
    template <typename Visit>
    void eachPaddingByte(Visit visit)
    {
        for (IDirectDrawSurface* surface : {front, target, depth})
            if (soft::SurfaceMemory* memory = surface ? soft::ddraw::surfaceMemoryOf(surface) : nullptr)
                for (size_t i = 0; i < memory->bytes.size(); ++i)
                    if (i % size_t(memory->pitch) >= size_t(2 * memory->width))
                        visit(memory->bytes[i]);
    }

    void setViewport(D3DVIEWPORT2 values) { ASSERT_EQ(viewport->SetViewport2(&values), D3D_OK); }
    void setState(D3DRENDERSTATETYPE state, DWORD value) { ASSERT_EQ(device->SetRenderState(state, value), D3D_OK); }

    // One scene holding one triangle list.
    void drawScene(std::vector<D3DTLVERTEX> list) { draw(D3DVT_TLVERTEX, list); }
    void drawScene(std::vector<D3DLVERTEX> list) { draw(D3DVT_LVERTEX, list); }
    template <typename Vertex>
    void draw(D3DVERTEXTYPE type, std::vector<Vertex>& vertices)
    {
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        ASSERT_EQ(device->Begin(D3DPT_TRIANGLELIST, type, D3DDP_WAIT), D3D_OK);
        for (Vertex& v : vertices)
            ASSERT_EQ(device->Vertex(&v), D3D_OK);
        ASSERT_EQ(device->End(0), D3D_OK);
        ASSERT_EQ(device->EndScene(), D3D_OK);
    }

    soft::SurfaceMemory& pixels() { return *soft::ddraw::surfaceMemoryOf(target); }
    soft::SurfaceMemory& depths() { return *soft::ddraw::surfaceMemoryOf(depth); }
    uint16_t pack(int r, int g, int b) { return soft::packColour(pixels().format, uint8_t(r), uint8_t(g), uint8_t(b)); }

    void clearAll(uint16_t colour)
    {
        fill(pixels(), colour);
        fill(depths(), 0xFFFF);
        soft::d3d::resetDirect3DCounters();
    }

    void expectUnchanged()
    {
        expectSurface(pixels(), [](int, int) { return sentinel; });
    }

    std::unique_ptr<HeadlessDisplay> display;
    IDirect3D2* direct3D = nullptr;
    IDirectDrawSurface *front = nullptr, *target = nullptr, *depth = nullptr;  // target: the back surface
    IDirect3DDevice2* device = nullptr;
    IDirect3DViewport2* viewport = nullptr;
    IDirect3DMaterial2* material = nullptr;
};

// Only the software devices are made, each holding the viewports it is given; an injected
// fault fails its call and changes nothing.
TEST_P(DeviceTest, OnlyTheSoftwareDevicesAreMadeAndFaultsAndUnknownStatesChangeNothing)
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
    IDirect3DViewport2* extra = nullptr;
    ASSERT_EQ(direct3D->CreateViewport(&extra, nullptr), D3D_OK);
    ASSERT_EQ(other->AddViewport(extra), D3D_OK);
    EXPECT_EQ(extra->Release(), 1u) << "the device holds the viewport it was given";
    EXPECT_EQ(other->Release(), 0u);

    soft::injectFault("IDirect3DDevice2::SetRenderState", DDERR_GENERIC);
    EXPECT_EQ(device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE), DDERR_GENERIC);
    DWORD value = 0;
    ASSERT_EQ(device->GetRenderState(D3DRENDERSTATE_SRCBLEND, &value), D3D_OK);
    EXPECT_EQ(value, DWORD(D3DBLEND_BOTHSRCALPHA));
    for (int state : {0, 256, 0x7fffffff}) {  // no render state: refused, nothing written
        EXPECT_EQ(device->SetRenderState(D3DRENDERSTATETYPE(state), 1), DDERR_INVALIDPARAMS) << state;
        EXPECT_EQ(device->GetRenderState(D3DRENDERSTATETYPE(state), &value), DDERR_INVALIDPARAMS) << state;
    }
    clearAll(sentinel);
    soft::injectFault("IDirect3DViewport2::Clear", DDERR_SURFACELOST);
    D3DRECT all = {0, 0, 640, 480};
    EXPECT_EQ(viewport->Clear(1, &all, D3DCLEAR_TARGET), DDERR_SURFACELOST);
    expectUnchanged();
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
    EXPECT_EQ(counters.primitivesBegun, 0u);
    expectUnchanged();
}

TEST_P(DeviceTest, ClearFillsTheBackgroundAndTheFarDepthInsideTheSurface)
{
    clearAll(sentinel);
    fill(depths(), 0x0101);
    D3DMATERIAL colour = {};
    colour.dwSize = sizeof colour;
    colour.diffuse = D3DCOLORVALUE{1.0f, 0.5f, 0.25f, 1.0f};
    ASSERT_EQ(material->SetMaterial(&colour), D3D_OK);
    D3DRECT rects[2] = {{600, 400, 700, 500}, {10, 20, 30, 25}};
    ASSERT_EQ(viewport->Clear(2, rects, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER), D3D_OK);
    auto cleared = [](int x, int y) { return inside({600, 400, 640, 480}, x, y) || inside({10, 20, 30, 25}, x, y); };
    const uint16_t background = pack(255, 127, 63);
    expectSurface(pixels(), [&](int x, int y) { return cleared(x, y) ? background : sentinel; });
    expectSurface(depths(), [&](int x, int y) { return cleared(x, y) ? 0xFFFF : 0x0101; });
    ASSERT_EQ(viewport->Clear(1, rects + 1, D3DCLEAR_ZBUFFER), D3D_OK);
    EXPECT_EQ(pixels().at(12, 22), background) << "a depth clear leaves the colour";
}

TEST_P(DeviceTest, FadeQuadsBlendEveryPixelOnce)
{
    // Black or white over a gradient, dithered as the display set-up asks.
    auto gradient = [&](int x, int y) { return pack(x * 255 / 639, y * 255 / 479, (x + y) & 255); };
    for (int alpha : {0, 127, 254, 255})
        for (int source : {0, 255}) {
            SCOPED_TRACE(::testing::Message() << "alpha " << alpha << " source " << source);
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x)
                    pixels().at(x, y) = gradient(x, y);
            fill(depths(), 0xFFFF);
            drawScene(screenQuad(DWORD(alpha) << 24 | (source ? 0xFFFFFF : 0)));
            expectSurface(pixels(), [&](int x, int y) {
                return blendedPixel(pixels().format, gradient(x, y), source, source, source, alpha, true, x, y);
            });
            EXPECT_EQ(depths().at(320, 240), 0) << "the quad at depth 0 leaves depth 0";
        }
}

TEST_P(DeviceTest, PrimitivesReachExactlyTheirPixelsEachOnce)
{
    // Identity transforms make clip space the view: x/w from -1 to 1 spans 640 pixels, y/w
    // from 0.75 to -0.75 480 rows. Shapes far larger than the box (quads split along a
    // diagonal crossing its sides) are cut to it and the cuts meet; screen corners millions
    // of pixels out are cut to a guard band; a corner that is not a number draws nothing; a
    // viewport larger than the surface is held to it. White at alpha 127 marks one touch.
    setState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
    setState(D3DRENDERSTATE_DITHERENABLE, FALSE);
    const D3DCOLOR halfWhite = 0x7FFFFFFF;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    auto at = [&](float x, float y) { return litVertex(x, y, 0.5f, halfWhite); };
    auto pixel = [&](float x, float y) { return screenVertex(x, y, halfWhite, 0.5f); };
    D3DVIEWPORT2 huge = fullScreenViewport;
    huge.dwWidth = huge.dwHeight = 100000;
    const soft::d3d::RasterRect screen{0, 0, 640, 480};
    const std::vector<D3DTLVERTEX> wild = {pixel(-3e7f, -3e7f), pixel(3e7f, -1e6f), pixel(100, 4e7f),
                                           pixel(nan, 5),       pixel(5, 5),        pixel(5, 50)};
    struct Case {
        D3DVIEWPORT2 viewport;
        soft::d3d::RasterRect rect;
        uint64_t clipped;
        std::vector<D3DLVERTEX> lit;
        std::vector<D3DTLVERTEX> screen;
    };
    const std::vector<D3DLVERTEX> middle = {at(-0.5f, 0.375f), at(0.5f, 0.375f),  at(0.5f, -0.375f),
                                            at(-0.5f, 0.375f), at(0.5f, -0.375f), at(-0.5f, -0.375f)};
    const std::vector<D3DTLVERTEX> whole = {pixel(0, 0), pixel(640, 0),   pixel(640, 480),
                                            pixel(0, 0), pixel(640, 480), pixel(0, 480)};
    std::vector<Case> cases = {{fullScreenViewport, {160, 120, 480, 360}, 0, middle, {}},
                               {boxViewport, boxRect, 1, {at(-30, 30), at(30, 30), at(0, -40)}, {}},
                               {boxViewport, boxRect, 0, {}, whole},
                               {fullScreenViewport, screen, 1, {}, wild},
                               {huge, screen, 1, {}, wild}};
    std::mt19937 random(11);
    std::uniform_real_distribution<float> outside(2.0f, 4.0f);
    auto far = [&](float towardsX, float towardsY) {
        const float x = towardsX * outside(random);
        return at(x, towardsY * outside(random));
    };
    for (int quad = 0; quad < 40; ++quad) {
        const D3DLVERTEX tl = far(-1, 1), tr = far(1, 1), br = far(1, -1), bl = far(-1, -1);
        cases.push_back({boxViewport, boxRect, 2, {tl, tr, br, tl, br, bl}, {}});
    }
    const uint16_t once = pack(127, 127, 127);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "case " << i);
        const Case& c = cases[i];
        clearAll(0);
        setViewport(c.viewport);
        c.lit.empty() ? drawScene(c.screen) : drawScene(c.lit);
        EXPECT_EQ(counters.trianglesClipped, c.clipped);
        EXPECT_EQ(counters.pixelsWritten, area(c.rect));
        expectSurface(pixels(), [&](int x, int y) { return inside(c.rect, x, y) ? once : 0; });
        EXPECT_EQ(depths().at((c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2),
                  uint16_t(0.5f * 65535));
    }
}

TEST_P(DeviceTest, ProjectionsCutAtTheNearPlaneAndNonsenseDrawsNothing)
{
    // Perspective (near 1, far 100, w the view depth): all three corners right of the eye, one behind
    // it, so only the right half of the screen changes. A projection that is not a number draws nothing.
    const float nearZ = 1, farZ = 100, q = farZ / (farZ - nearZ), nan = std::numeric_limits<float>::quiet_NaN();
    D3DMATRIX projection = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, q, 1, 0, 0, -q * nearZ, 0};
    D3DMATRIX broken = {nan, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    ASSERT_EQ(device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection), D3D_OK);
    setState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
    clearAll(0);
    drawScene({litVertex(0.5f, -1, 10, white), litVertex(5, 1, 10, white), litVertex(0.5f, 0, -5, white)});
    EXPECT_EQ(counters.trianglesClipped, 1u);
    int left = 0, right = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            (x < 320 ? left : right) += pixels().at(x, y) != 0;
    EXPECT_TRUE(left == 0 && right > 1000) << left << " " << right;

    ASSERT_EQ(device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &broken), D3D_OK);
    clearAll(sentinel);
    drawScene({litVertex(0, 0, 0.5f, white), litVertex(1, 0, 0.5f, white), litVertex(0, -1, 0.5f, white)});
    EXPECT_EQ(counters.pixelsWritten, 0u);
    expectUnchanged();
}

TEST_P(DeviceTest, CullModesRemoveOneWindingEach)
{
    // A clockwise triangle on the screen (y down), then a counter-clockwise one.
    struct Case {
        D3DCULL mode;
        bool clockwiseDrawn, counterDrawn;
    };
    for (Case c : {Case{D3DCULL_CCW, true, false}, Case{D3DCULL_CW, false, true}, Case{D3DCULL_NONE, true, true}}) {
        SCOPED_TRACE(c.mode);
        clearAll(0);
        setState(D3DRENDERSTATE_CULLMODE, c.mode);
        drawScene({screenVertex(10, 10, white), screenVertex(100, 10, white), screenVertex(10, 100, white),
                   screenVertex(300, 10, white), screenVertex(300, 100, white), screenVertex(390, 10, white)});
        EXPECT_EQ(std::pair(pixels().at(20, 20) != 0, pixels().at(310, 20) != 0),
                  std::pair(c.clockwiseDrawn, c.counterDrawn));
        EXPECT_EQ(counters.trianglesDrawn, uint64_t(c.clockwiseDrawn + c.counterDrawn));
        EXPECT_EQ(counters.trianglesCulled, uint64_t(2 - c.clockwiseDrawn - c.counterDrawn));
    }
}

TEST_P(DeviceTest, DepthStatesDecideWhatShowsAndWhatIsStored)
{
    // A shaded red triangle at depth 0.5, then a shaded blue one over it at `blueZ`.
    struct Case {
        DWORD enable, write;
        D3DCMPFUNC compare;
        float clearZ, blueZ;
        char shows;  // 'r', 'b' or '-' for neither
        float storedZ;
    };
    const Case cases[] = {
        {TRUE, TRUE, D3DCMP_LESSEQUAL, 1, 0.5f, 'b', 0.5f}, {TRUE, TRUE, D3DCMP_LESSEQUAL, 1, 0.75f, 'r', 0.5f},
        {TRUE, TRUE, D3DCMP_LESS, 1, 0.5f, 'r', 0.5f},      {TRUE, TRUE, D3DCMP_LESS, 1, 0.25f, 'b', 0.25f},
        {TRUE, TRUE, D3DCMP_GREATER, 1, 0.75f, '-', 1},     {TRUE, TRUE, D3DCMP_GREATER, 0, 0.75f, 'b', 0.75f},
        {TRUE, TRUE, D3DCMP_GREATER, 0, 0.25f, 'r', 0.5f},  {TRUE, TRUE, D3DCMP_NEVER, 1, 0.25f, '-', 1},
        {TRUE, TRUE, D3DCMP_ALWAYS, 1, 0.75f, 'b', 0.75f},  {TRUE, FALSE, D3DCMP_LESSEQUAL, 1, 0.75f, 'b', 1},
        {FALSE, TRUE, D3DCMP_LESSEQUAL, 1, 0.75f, 'b', 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "enable " << c.enable << " write " << c.write << " compare " << c.compare
                                          << " blue at " << c.blueZ);
        clearAll(0);
        fill(depths(), uint16_t(c.clearZ * 65535));
        setState(D3DRENDERSTATE_ZENABLE, c.enable);
        setState(D3DRENDERSTATE_ZWRITEENABLE, c.write);
        setState(D3DRENDERSTATE_ZFUNC, c.compare);
        drawScene({screenVertex(0, 0, 0xFFFF0000, 0.5f), screenVertex(200, 0, 0xFFC80000, 0.5f),
                   screenVertex(0, 200, 0xFFE60000, 0.5f), screenVertex(0, 0, 0xFF0000FF, c.blueZ),
                   screenVertex(200, 0, 0xFF0000C8, c.blueZ), screenVertex(0, 200, 0xFF0000E6, c.blueZ)});
        const soft::Rgb8 seen = soft::unpackColour(pixels().format, pixels().at(50, 50));
        EXPECT_EQ(seen.g, 0);
        EXPECT_EQ(seen.r ? seen.b ? '?' : 'r' : seen.b ? 'b' : '-', c.shows);
        EXPECT_EQ(depths().at(50, 50), uint16_t(c.storedZ * 65535));
    }
}

TEST_P(DeviceTest, OneWalkOverTheWholeScreenCountsEachPixelOnce)
{
    // Corners inside the guard band put every row of the screen in one half of one
    // triangle, whose walk passes more chunks than a 16-bit lane can count. Drawn again
    // behind itself, every pixel fails the depth test and is counted as left alone. A
    // flat and a shaded triangle take different loops.
    setState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
    setState(D3DRENDERSTATE_ZENABLE, TRUE);
    setState(D3DRENDERSTATE_ZWRITEENABLE, TRUE);
    setState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL);
    setState(D3DRENDERSTATE_DITHERENABLE, TRUE);
    const D3DCOLOR flat[3] = {0xFF808080, 0xFF808080, 0xFF808080}, shaded[3] = {0xFF204060, 0xFF80A0C0, 0xFFF0E0D0};
    for (const D3DCOLOR* colours : {flat, shaded}) {
        SCOPED_TRACE(colours == flat ? "flat" : "shaded");
        auto triangle = [&](float z) {
            return std::vector<D3DTLVERTEX>{screenVertex(-3000, 0, colours[0], z), screenVertex(3640, 0, colours[1], z),
                                            screenVertex(320, 4000, colours[2], z)};
        };
        clearAll(0);
        drawScene(triangle(0.5f));
        EXPECT_EQ(counters.pixelsWritten, 640u * 480u);
        drawScene(triangle(0.75f));
        EXPECT_EQ(counters.pixelsWritten, 640u * 480u);
        expectSurface(depths(), [](int, int) { return uint16_t(0.5f * 65535); });
    }
}

TEST_P(DeviceTest, WireframeDrawsTheEdgesAndPointTheCorners)
{
    const std::vector<D3DTLVERTEX> triangle = {screenVertex(100, 100, white), screenVertex(200, 100, white),
                                               screenVertex(100, 200, white)};
    clearAll(0);
    setState(D3DRENDERSTATE_FILLMODE, D3DFILL_WIREFRAME);
    drawScene(triangle);
    EXPECT_NE(pixels().at(150, 100), 0) << "top edge";
    EXPECT_NE(pixels().at(100, 150), 0) << "left edge";
    EXPECT_NE(pixels().at(150, 150), 0) << "diagonal edge";
    EXPECT_EQ(pixels().at(120, 120), 0) << "inside stays empty";
    EXPECT_TRUE(counters.pixelsWritten >= 298 && counters.pixelsWritten <= 302) << counters.pixelsWritten;

    clearAll(0);
    setState(D3DRENDERSTATE_FILLMODE, D3DFILL_POINT);
    drawScene(triangle);
    expectSurface(pixels(), [&](int x, int y) {
        const bool cornerPixel = (x == 100 && y == 100) || (x == 200 && y == 100) || (x == 100 && y == 200);
        return cornerPixel ? pack(255, 255, 255) : 0;
    });
}

TEST_P(DeviceTest, DrawsIntoTheBackBufferAfterEveryFlip)
{
    drawScene(screenQuad(0xFFFF0000));
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    drawScene(screenQuad(0xFF00FF00));
    EXPECT_EQ(soft::ddraw::surfaceMemoryOf(front)->at(5, 5), pack(255, 0, 0)) << "the flipped frame stays red";
    EXPECT_EQ(pixels().at(5, 5), pack(0, 255, 0)) << "the new frame is drawn behind it";
}

INSTANTIATE_TEST_SUITE_P(Layouts, DeviceTest,
                         ::testing::Values(Layout{PixelFormat::rgb565, 0}, Layout{PixelFormat::rgb565, 24},
                                           Layout{PixelFormat::rgb555, 0}),
                         [](const auto& info) {
                             return std::string(info.param.format == PixelFormat::rgb555 ? "rgb555" : "rgb565") +
                                    (info.param.extraPitchBytes ? "Padded" : "");
                         });

}  // namespace
