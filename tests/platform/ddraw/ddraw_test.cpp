// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "ddraw_soft.h"
#include "host/headless_host.h"
#include "soft/faults.h"

#include "../../support/display_owner.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

class DirectDrawTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        soft::surfaceLayout() = soft::SurfaceLayout{soft::PixelFormat::rgb565, GetParam()};
        hostObject = host::headless::makeHeadlessHost({});
        host::install(hostObject.get());
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    }
    void TearDown() override
    {
        directDraw->Release();
        soft::surfaceLayout() = {};
        soft::clearFaults();
        host::install(nullptr);
    }

    static DDSURFACEDESC describe(DWORD flags, DWORD caps, int width = 0, int height = 0)
    {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc, desc.dwFlags = flags, desc.ddsCaps.dwCaps = caps;
        desc.dwWidth = DWORD(width), desc.dwHeight = DWORD(height);
        return desc;
    }
    IDirectDrawSurface* offscreen(int width, int height)
    {
        DDSURFACEDESC desc = describe(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, width, height);
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }
    static DDBLTFX effects(DWORD colour = 0)
    {
        DDBLTFX fx = {};
        fx.dwSize = sizeof fx, fx.dwFillColor = colour;
        return fx;
    }
    static void fill(IDirectDrawSurface* surface, RECT* rect, DWORD colour)
    {
        DDBLTFX fx = effects(colour);
        ASSERT_EQ(surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    }

    static uint16_t pixel(IDirectDrawSurface* surface, int x, int y)
    {
        return soft::ddraw::surfaceMemoryOf(surface)->at(x, y);
    }

    std::unique_ptr<host::headless::HeadlessHost> hostObject;
    IDirectDraw* directDraw = nullptr;
};

// A rectangle outside the surface, an empty one or a call with nothing to do fails and draws nothing.
TEST_P(DirectDrawTest, ColourFillCoversExactlyItsRectangle)
{
    IDirectDrawSurface* s = offscreen(16, 8);
    fill(s, nullptr, 0x1234);
    RECT r = {2, 3, 5, 4}, outside = {10, 0, 17, 8}, empty = {4, 4, 4, 6};
    fill(s, &r, 0xBEEF);
    DDBLTFX fx = effects(9);
    EXPECT_EQ(s->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
    EXPECT_EQ(s->Blt(&empty, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
    EXPECT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPARAMS);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(pixel(s, x, y), (x >= 2 && x < 5 && y == 3) ? 0xBEEF : 0x1234) << x << "," << y;
    s->Release();
}

TEST_P(DirectDrawTest, CopiesStretchByNearestNeighbourAndSkipTheKey)
{
    IDirectDrawSurface* small = offscreen(320, 240);
    IDirectDrawSurface* screen = offscreen(640, 480);
    soft::SurfaceMemory* m = soft::ddraw::surfaceMemoryOf(small);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            m->at(x, y) = uint16_t(x * 7 + y * 13);
    m->at(0, 0) = 0x001F, m->at(1, 0) = 0x001E, m->at(2, 0) = 0x003F;
    ASSERT_EQ(screen->Blt(nullptr, small, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    for (int y = 2; y < 480; y += 37)
        for (int x = 0; x < 640; x += 29)
            EXPECT_EQ(pixel(screen, x, y), uint16_t((x / 2) * 7 + (y / 2) * 13));
    fill(screen, nullptr, 0x5555);
    DDBLTFX fx = effects();
    fx.ddckSrcColorkey.dwColorSpaceLowValue = fx.ddckSrcColorkey.dwColorSpaceHighValue = 31;
    ASSERT_EQ(screen->Blt(nullptr, small, nullptr, DDBLT_KEYSRCOVERRIDE | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ((std::array{pixel(screen, 1, 0), pixel(screen, 2, 0), pixel(screen, 4, 0)}),
              (std::array<uint16_t, 3>{0x5555, 0x001E, 0x003F}));
    small->Release();
    screen->Release();
}

// A copy of the same size leaves out exactly the pixels from the low key to the high
// one: ranges, a low key above the high one (nothing left out), and keys past 16 bits.
TEST_P(DirectDrawTest, SameSizeKeyedCopiesSkipExactlyTheKeyRange)
{
    struct Case {
        DWORD low, high;
        uint16_t firstSkipped, lastSkipped;  // none when first > last
    };
    const Case cases[] = {
        {0x0100, 0x0100, 0x0100, 0x0100},  {0x0100, 0x01FF, 0x0100, 0x01FF}, {0x0000, 0x0003, 0x0000, 0x0003},
        {0xFFF0, 0x10005, 0xFFF0, 0xFFFF}, {0x0200, 0x01FF, 1, 0},           {0x10000, 0x10005, 1, 0},
    };
    IDirectDrawSurface* source = offscreen(256, 257);
    IDirectDrawSurface* screen = offscreen(256, 257);
    soft::SurfaceMemory* m = soft::ddraw::surfaceMemoryOf(source);
    for (int y = 0; y < 257; ++y)
        for (int x = 0; x < 256; ++x)
            m->at(x, y) = uint16_t(y * 256 + x);  // every 16-bit value once, then 0-255 again
    for (const Case& c : cases) {
        fill(screen, nullptr, 0x5A5A);
        DDBLTFX fx = effects();
        fx.ddckSrcColorkey.dwColorSpaceLowValue = c.low, fx.ddckSrcColorkey.dwColorSpaceHighValue = c.high;
        ASSERT_EQ(screen->Blt(nullptr, source, nullptr, DDBLT_KEYSRCOVERRIDE | DDBLT_WAIT, &fx), DD_OK);
        for (int y = 0; y < 257; ++y)
            for (int x = 0; x < 256; ++x) {
                const uint16_t in = m->at(x, y);
                const bool skipped = in >= c.firstSkipped && in <= c.lastSkipped;
                ASSERT_EQ(pixel(screen, x, y), skipped ? 0x5A5A : in)
                    << c.low << "-" << c.high << " at " << x << "," << y;
            }
    }
    source->Release();
    screen->Release();
}

TEST_P(DirectDrawTest, LockAddressesTheRectanglesTopLeftPixel)
{
    IDirectDrawSurface* s = offscreen(32, 16);
    RECT r = {5, 7, 9, 10};
    DDSURFACEDESC desc = describe(0, 0);
    ASSERT_EQ(s->Lock(&r, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ((std::array<long, 3>{long(desc.dwWidth), long(desc.dwHeight), desc.lPitch}),
              (std::array<long, 3>{32, 16, 64 + GetParam()}));
    auto* row = static_cast<uint16_t*>(desc.lpSurface);
    row[0] = 0xAAAA;
    row[desc.lPitch / 2 + 1] = 0xBBBB;
    HDC dc;
    EXPECT_EQ(s->GetDC(&dc), DDERR_SURFACEBUSY);
    ASSERT_EQ(s->Unlock(desc.lpSurface), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
    EXPECT_EQ(std::pair(pixel(s, 5, 7), pixel(s, 6, 8)), (std::pair<uint16_t, uint16_t>(0xAAAA, 0xBBBB)));
    s->Release();
}

TEST_P(DirectDrawTest, FlipExchangesTheBuffersAndPresentsTheNewFront)
{
    ASSERT_EQ(directDraw->SetCooperativeLevel(displayOwnerWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16), DD_OK);
    DDSURFACEDESC desc =
        describe(DDSD_CAPS | DDSD_BACKBUFFERCOUNT, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
    desc.dwBackBufferCount = 1;
    IDirectDrawSurface *front = nullptr, *back = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &front, nullptr), DD_OK);
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    ASSERT_EQ(front->GetAttachedSurface(&caps, &back), DD_OK);
    fill(front, nullptr, 0x1111);
    fill(back, nullptr, 0x2222);

    uint16_t shown = 0;
    hostObject->onPresent = [&](const host::Frame& f, uint32_t) {
        shown = *reinterpret_cast<const uint16_t*>(f.pixels);
    };
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ((std::array<int, 4>{shown, pixel(front, 0, 0), pixel(back, 639, 479), hostObject->framesPresented()}),
              (std::array<int, 4>{0x2222, 0x2222, 0x1111, 1}));
    EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    back->Release();
    front->Release();
}

TEST_P(DirectDrawTest, DepthBufferLivesInSystemMemoryOnlyAndFaultsComeOnce)
{
    DDSURFACEDESC desc = describe(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_ZBUFFERBITDEPTH,
                                  DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY, 64, 48);
    desc.dwZBufferBitDepth = 16;
    IDirectDrawSurface* depth = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &depth, nullptr), DDERR_NOZBUFFERHW);
    desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_SYSTEMMEMORY;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &depth, nullptr), DD_OK);
    IDirectDrawSurface* target = offscreen(64, 48);
    ASSERT_EQ(target->AddAttachedSurface(depth), DD_OK);
    EXPECT_EQ(soft::ddraw::attachedDepthSurfaceOf(target), depth);
    EXPECT_EQ(target->AddAttachedSurface(depth), DDERR_SURFACEALREADYATTACHED);
    EXPECT_EQ(depth->Release(), 1u);  // the target holds its own reference
    EXPECT_EQ(pixel(depth, 63, 47), 0xFFFF);
    target->Release();
    soft::injectFault("IDirectDrawSurface::Blt", DDERR_SURFACELOST);
    DDBLTFX fx = effects();
    IDirectDrawSurface* s = offscreen(4, 4);
    EXPECT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_SURFACELOST);
    EXPECT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);  // a fault comes once
    s->Release();
}

TEST_P(DirectDrawTest, CooperativeLevelNeedsAWindowThatExists)
{
    HWND gone = displayOwnerWindow();
    DestroyWindow(gone);
    const struct {
        HWND window;
        DWORD flags;
        HRESULT expected;
    } cases[] = {
        {displayOwnerWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE, DD_OK},
        {nullptr, DDSCL_NORMAL, DD_OK},
        {nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE, DDERR_INVALIDPARAMS},
        {gone, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE, DDERR_INVALIDPARAMS},
        {gone, DDSCL_NORMAL, DDERR_INVALIDPARAMS},
    };
    for (const auto& c : cases)
        EXPECT_EQ(directDraw->SetCooperativeLevel(c.window, c.flags), c.expected) << c.window << " " << c.flags;
}

// A pitch wider than the row must change nothing but the layout of memory.
INSTANTIATE_TEST_SUITE_P(Pitch, DirectDrawTest, ::testing::Values(0, 6));

TEST(DirectDrawEnumeration, ReportsTheHostsDevicesAndFindsThemByGuid)
{
    host::headless::HeadlessHostOptions options;
    options.displayDevices.resize(2);
    options.displayDevices[1].hasGuid = true, options.displayDevices[1].guid[0] = 0x42;
    auto hostObject = host::headless::makeHeadlessHost(options);
    host::install(hostObject.get());

    struct Seen {
        int count = 0;
        bool firstHadGuid = true;
        GUID second = {};
    } seen;
    auto callback = [](GUID* guid, LPSTR, LPSTR, LPVOID context, HMONITOR) -> BOOL {
        auto* s = static_cast<Seen*>(context);
        (s->count++ == 0 ? void(s->firstHadGuid = guid != nullptr) : void(s->second = *guid));
        return TRUE;
    };
    ASSERT_EQ(DirectDrawEnumerateExA(callback, &seen, 7), DD_OK);
    EXPECT_EQ(std::pair(seen.count, seen.firstHadGuid), std::pair(2, false));

    IDirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(&seen.second, &dd, nullptr), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(displayOwnerWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 16), DD_OK);
    EXPECT_EQ(hostObject->modeDevice(), 1);
    dd->Release();
    EXPECT_EQ(hostObject->modeDevice(), -1);  // releasing DirectDraw gives the display back

    GUID unknown = {};
    unknown.Data1 = 99;
    EXPECT_EQ(DirectDrawCreate(&unknown, &dd, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
    host::install(nullptr);
}

}  // namespace
