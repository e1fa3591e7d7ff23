// Display set-up: what it creates, the fallbacks it takes, where it stops on a failure,
// and that teardown gives back exactly what exists.
#include "display/display_setup.h"

#include "host/headless_host.h"
#include "soft/faults.h"
#include "soft/surface.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>

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

TEST_F(DisplaySetup, WindowOnlyTouchesNoDirectDraw)
{
    ASSERT_EQ(setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupWindow), 0);
    EXPECT_NE(context.window, nullptr);
    EXPECT_EQ(context.directDraw, nullptr);
    EXPECT_EQ(hostObject->dialogRequests(), 0);
}

TEST_F(DisplaySetup, FullSetUpFillsEveryFieldAndTheFullScreenViewport)
{
    ASSERT_EQ(setUpAll(), 0);
    EXPECT_NE(context.primarySurface, nullptr);
    EXPECT_NE(context.backSurface, nullptr);
    EXPECT_NE(context.depthSurface, nullptr);
    EXPECT_NE(context.device, nullptr);
    EXPECT_NE(context.backgroundMaterial, nullptr);
    EXPECT_EQ(is555, 0);
    D3DVIEWPORT2 viewport = {};
    viewport.dwSize = sizeof viewport;
    ASSERT_EQ(context.viewport->GetViewport2(&viewport), D3D_OK);
    EXPECT_EQ(viewport.dwWidth, 640u);
    EXPECT_EQ(viewport.dvClipY, 0.75f);
    EXPECT_EQ(hostObject->modeDevice(), 0);
    tearDownDisplay(&context);
    EXPECT_EQ(hostObject->modeDevice(), -1);
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

TEST_F(DisplaySetup, FiveFiveFiveMasksSetTheFlag)
{
    soft::surfaceLayout().format = soft::PixelFormat::rgb555;
    ASSERT_EQ(setUpAll(), 0);
    EXPECT_EQ(is555, 1);
    tearDownDisplay(&context);
    is555 = 0;
}

TEST_F(DisplaySetup, RefusedSoftwareDeviceFallsBackToRamp)
{
    soft::injectFault("IDirect3D2::CreateDevice(RGB)", E_FAIL);
    ASSERT_EQ(setUpAll(), 0);
    EXPECT_NE(context.device, nullptr);
    tearDownDisplay(&context);
}

TEST_F(DisplaySetup, NoDeviceAtAllEndsWithTheLastFailure)
{
    soft::injectFault("IDirect3D2::CreateDevice(RGB)", E_FAIL);
    soft::injectFault("IDirect3D2::CreateDevice(Ramp)", E_OUTOFMEMORY);
    EXPECT_EQ(setUpAll(), E_OUTOFMEMORY);
    EXPECT_EQ(context.device, nullptr);
    EXPECT_NE(context.depthSurface, nullptr);
    tearDownDisplay(&context);
}

TEST_F(DisplaySetup, ViewportFailureLeavesTheDeviceAndTeardownReleasesWhatExists)
{
    soft::injectFault("IDirect3D2::CreateViewport", E_OUTOFMEMORY);
    EXPECT_EQ(setUpAll(), E_OUTOFMEMORY);
    EXPECT_NE(context.device, nullptr);
    EXPECT_EQ(context.viewport, nullptr);
    EXPECT_EQ(context.backgroundMaterial, nullptr);
    tearDownDisplay(&context);
    EXPECT_EQ(hostObject->modeDevice(), -1);
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
