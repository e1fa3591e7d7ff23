// Display set-up: what it creates, the fallbacks it takes, where it stops on a failure,
// and that teardown gives back exactly what exists.
#include "display/display_setup.h"

#include "host/headless_host.h"
#include "soft/faults.h"
#include "soft/surface.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <vector>

namespace {

class DisplaySetup : public ::testing::Test {
protected:
    void SetUp() override
    {
        hostObject = host::makeHeadlessHost({});
        host::install(hostObject.get());
    }
    void TearDown() override
    {
        soft::clearFaults();
        soft::surfaceLayout() = {};
        host::install(nullptr);
    }
    HRESULT setUpAll()
    {
        EXPECT_EQ(setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupWindow), 0);
        return setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupDirectDraw | setupDirect3D);
    }
    std::unique_ptr<host::HeadlessHost> hostObject;
    DisplayContext context = {};
};

// The window alone touches no DirectDraw; the rest fills every field, the full-screen
// viewport and the 5-5-5 flag, and teardown gives the display back.
TEST_F(DisplaySetup, FullSetUpFillsEveryFieldAndTheFullScreenViewport)
{
    for (soft::PixelFormat format : {soft::PixelFormat::rgb565, soft::PixelFormat::rgb555}) {
        soft::surfaceLayout().format = format;
        context = {};
        ASSERT_EQ(setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupWindow), 0);
        EXPECT_NE(context.window, nullptr);
        EXPECT_EQ(context.directDraw, nullptr);
        ASSERT_EQ(setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupDirectDraw | setupDirect3D), 0);
        EXPECT_TRUE(context.primarySurface && context.backSurface && context.depthSurface && context.device &&
                    context.backgroundMaterial);
        EXPECT_EQ(is555, format == soft::PixelFormat::rgb555);
        D3DVIEWPORT2 viewport = {};
        viewport.dwSize = sizeof viewport;
        ASSERT_EQ(context.viewport->GetViewport2(&viewport), D3D_OK);
        EXPECT_EQ(viewport.dwWidth, 640u);
        EXPECT_EQ(viewport.dvClipY, 0.75f);
        EXPECT_EQ(hostObject->modeDevice(), 0);
        tearDownDisplay(&context);
        EXPECT_EQ(hostObject->modeDevice(), -1);
        is555 = 0;
    }
}

TEST_F(DisplaySetup, BoxViewportHasTheExactClipRectangle)
{
    ASSERT_EQ(setUpAll(), 0);
    setBoxViewport(&context);
    D3DVIEWPORT2 viewport = {};
    viewport.dwSize = sizeof viewport;
    ASSERT_EQ(context.viewport->GetViewport2(&viewport), D3D_OK);
    EXPECT_EQ(viewport.dwX, 376u);
    EXPECT_EQ(viewport.dwY, 82u);
    EXPECT_EQ(viewport.dwWidth, 249u);
    EXPECT_EQ(viewport.dwHeight, 193u);
    EXPECT_EQ(std::bit_cast<uint32_t>(viewport.dvClipY), 0x3F466CFBu);
    EXPECT_EQ(std::bit_cast<uint32_t>(viewport.dvClipHeight), 0x3FC66CFBu);
    tearDownDisplay(&context);
}

// A refused software device falls back to Ramp; with neither, set-up ends with the last
// failure; a failed viewport leaves the device. Teardown releases whatever exists.
TEST_F(DisplaySetup, FailuresEndWhereTheyHappen)
{
    const struct {
        std::vector<std::pair<const char*, HRESULT>> faults;
        HRESULT result;
        bool device, viewport;
    } cases[] = {
        {{{"IDirect3D2::CreateDevice(RGB)", E_FAIL}}, D3D_OK, true, true},
        {{{"IDirect3D2::CreateDevice(RGB)", E_FAIL}, {"IDirect3D2::CreateDevice(Ramp)", E_OUTOFMEMORY}},
         E_OUTOFMEMORY,
         false,
         false},
        {{{"IDirect3D2::CreateViewport", E_OUTOFMEMORY}}, E_OUTOFMEMORY, true, false},
    };
    for (const auto& c : cases) {
        context = {};
        for (auto [call, result] : c.faults)
            soft::injectFault(call, result);
        EXPECT_EQ(setUpAll(), c.result);
        EXPECT_NE(context.depthSurface, nullptr);
        EXPECT_EQ(context.device != nullptr, c.device);
        EXPECT_EQ(context.viewport != nullptr, c.viewport);
        EXPECT_EQ(context.backgroundMaterial != nullptr, c.viewport);
        tearDownDisplay(&context);
        EXPECT_EQ(hostObject->modeDevice(), -1);
        soft::clearFaults();
    }
}

TEST_F(DisplaySetup, CancelledDialogEndsWithMinusOne)
{
    host::HeadlessHostOptions options;
    options.dialogAnswer = host::HeadlessHostOptions::DialogAnswer::cancel;
    auto cancelling = host::makeHeadlessHost(options);
    host::install(cancelling.get());
    EXPECT_EQ(setUpAll(), setupCancelled);
    EXPECT_EQ(context.directDraw, nullptr);
}

}  // namespace
