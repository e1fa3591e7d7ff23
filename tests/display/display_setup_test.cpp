// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "display/device_selection.h"
#include "display/display_setup.h"
#include "host/headless_host.h"
#include "scenes/box_scene.h"
#include "soft/faults.h"
#include "soft/surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

class DisplaySetup : public ::testing::Test {
protected:
    void SetUp() override
    {
        hostObject = host::headless::makeHeadlessHost({});
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
    D3DVIEWPORT2 viewport()
    {
        D3DVIEWPORT2 v = {};
        v.dwSize = sizeof v;
        EXPECT_EQ(context.viewport->GetViewport2(&v), D3D_OK);
        return v;
    }
    std::unique_ptr<host::headless::HeadlessHost> hostObject;
    DisplayContext context = {};
};

// The window alone touches no DirectDraw; the rest fills every field and the 5-5-5 flag, teardown
// gives the display back. The box viewport has its exact clip rectangle.
TEST_F(DisplaySetup, FullSetUpFillsEveryFieldAndTheFullScreenViewport)
{
    for (soft::PixelFormat format : {soft::PixelFormat::rgb565, soft::PixelFormat::rgb555}) {
        soft::surfaceLayout().format = format;
        context = {};
        ASSERT_EQ(setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupWindow), 0);
        EXPECT_TRUE(context.window && !context.directDraw);
        ASSERT_EQ(setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupDirectDraw | setupDirect3D), 0);
        EXPECT_TRUE(context.primarySurface && context.backSurface && context.depthSurface && context.device &&
                    context.backgroundMaterial);
        EXPECT_EQ(is555, format == soft::PixelFormat::rgb555);
        EXPECT_EQ(std::pair(viewport().dwWidth, viewport().dvClipY), std::pair(DWORD(640), 0.75f));
        EXPECT_EQ(hostObject->modeDevice(), 0);
        setBoxViewport(&context);
        const D3DVIEWPORT2 box = viewport();
        EXPECT_EQ((std::array{box.dwX, box.dwY, box.dwWidth, box.dwHeight}), (std::array<DWORD, 4>{376, 82, 249, 193}));
        EXPECT_EQ(std::pair(std::bit_cast<uint32_t>(box.dvClipY), std::bit_cast<uint32_t>(box.dvClipHeight)),
                  std::pair(0x3F466CFBu, 0x3FC66CFBu));
        tearDownDisplay(&context);
        EXPECT_EQ(hostObject->modeDevice(), -1);
        is555 = 0;
    }
}

// A refused RGB device falls back to Ramp; a failed viewport leaves the device. Teardown releases the rest.
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
        EXPECT_EQ(
            (std::array{context.device != nullptr, context.viewport != nullptr, context.backgroundMaterial != nullptr}),
            (std::array{c.device, c.viewport, c.viewport}));
        tearDownDisplay(&context);
        EXPECT_EQ(hostObject->modeDevice(), -1);
        soft::clearFaults();
    }
}

TEST_F(DisplaySetup, CancelledDialogEndsWithMinusOne)
{
    host::headless::HeadlessHostOptions options;
    options.dialogAnswer = host::headless::HeadlessHostOptions::DialogAnswer::cancel;
    auto cancelling = host::headless::makeHeadlessHost(options);
    host::install(cancelling.get());
    EXPECT_EQ(setUpAll(), setupCancelled);
    EXPECT_EQ(context.directDraw, nullptr);
}

// Choosing the rendering device: what is listed, what is offered, what is confirmed.
std::vector<host::DisplayDevice> devices(int count)
{
    std::vector<host::DisplayDevice> list;
    for (int i = 0; i < count; ++i) {
        host::DisplayDevice d;
        d.description = "Device " + std::to_string(i);
        d.hasGuid = i > 0;  // the primary display comes without a GUID
        for (int b = 0; b < 16; ++b)
            d.guid[b] = uint8_t(i * 16 + b);
        list.push_back(d);
    }
    return list;
}

class DeviceSelection : public ::testing::Test {
protected:
    int choose(host::headless::HeadlessHostOptions options)
    {
        hostObject = host::headless::makeHeadlessHost(options);
        host::install(hostObject.get());
        std::memset(chosenDevice, 0xEE, sizeof chosenDevice);
        int result = chooseDevice(nullptr, nullptr);
        host::install(nullptr);
        return result;
    }
    std::unique_ptr<host::headless::HeadlessHost> hostObject;
};

// The GUID confirmed (zero for the primary display, which has none): OK with the offered entry, with
// nothing selected, or after Down; cancel and close confirm nothing. Enumeration stops after five.
TEST_F(DeviceSelection, TheAnswerConfirmsItsDevice)
{
    using Answer = host::headless::HeadlessHostOptions::DialogAnswer;
    const struct {
        int devices, pick;
        Answer answer;
        int result, firstByte;
    } cases[] = {{3, -1, Answer::ok, 1, 16}, {1, -1, Answer::ok, 1, 0},        {3, 2, Answer::ok, 1, 32},
                 {7, -1, Answer::ok, 1, 16}, {2, -1, Answer::cancel, 0, 0xEE}, {2, -1, Answer::close, 0, 0xEE}};
    for (auto c : cases) {
        SCOPED_TRACE(testing::Message() << c.devices << " devices, pick " << c.pick << " answer " << int(c.answer));
        host::headless::HeadlessHostOptions options;
        options.displayDevices = devices(c.devices);
        options.dialogAnswer = c.answer;
        if (c.pick >= 0)
            options.dialogScript = {{host::EventKind::keyDown, VK_DOWN}};
        EXPECT_EQ(choose(options), c.result);
        EXPECT_EQ(hostObject->lastDialogTitle(), "Select Rendering Device");
        for (int b = 0; b < 16; ++b)
            EXPECT_EQ(chosenDevice[b], c.firstByte == 0xEE ? 0xEE : c.firstByte ? uint8_t(c.firstByte + b) : 0) << b;
        EXPECT_EQ(deviceCount, std::min(c.devices, 5));
    }
    EXPECT_STREQ(deviceTable[4].description, "Device 4");
}

TEST(DeviceEntries, LongDescriptionIsCutTo255Characters)
{
    deviceCount = 0;
    std::string longText(400, 'x');
    EXPECT_EQ(addDeviceEntry(nullptr, longText.data(), nullptr, nullptr, nullptr), TRUE);
    EXPECT_EQ(std::strlen(deviceTable[0].description), 255u);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(addDeviceEntry(nullptr, longText.data(), nullptr, nullptr, nullptr), i < 4 ? TRUE : FALSE);
}

}  // namespace
