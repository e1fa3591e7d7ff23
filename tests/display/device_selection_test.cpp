// Choosing the rendering device: what is listed, what is offered, what is confirmed.
#include "display/device_selection.h"

#include "host/headless_host.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

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
    int choose(host::HeadlessHostOptions options)
    {
        hostObject = host::makeHeadlessHost(options);
        host::install(hostObject.get());
        std::memset(chosenDevice, 0xEE, sizeof chosenDevice);
        int result = chooseDevice(nullptr, nullptr);
        host::install(nullptr);
        return result;
    }
    std::unique_ptr<host::HeadlessHost> hostObject;
};

TEST_F(DeviceSelection, ThreeDevicesAreListedInOrderAndTheSecondIsOffered)
{
    host::HeadlessHostOptions options;
    options.displayDevices = devices(3);
    ASSERT_EQ(choose(options), 1);
    EXPECT_EQ(hostObject->lastDialogTitle(), "Select Rendering Device");
    for (int b = 0; b < 16; ++b)
        EXPECT_EQ(chosenDevice[b], uint8_t(16 + b));
}

TEST_F(DeviceSelection, EnumerationStopsAfterTheFifthDevice)
{
    host::HeadlessHostOptions options;
    options.displayDevices = devices(7);
    ASSERT_EQ(choose(options), 1);
    EXPECT_EQ(deviceCount, 5);
    EXPECT_STREQ(deviceTable[4].description, "Device 4");
}

TEST_F(DeviceSelection, OkWithNothingSelectedConfirmsTheOnlyDevice)
{
    host::HeadlessHostOptions options;
    options.displayDevices = devices(1);
    ASSERT_EQ(choose(options), 1);
    // The primary display driver has no GUID: sixteen zero bytes are confirmed.
    for (int b = 0; b < 16; ++b)
        EXPECT_EQ(chosenDevice[b], 0);
}

TEST_F(DeviceSelection, PickingAnotherEntryConfirmsIt)
{
    host::HeadlessHostOptions options;
    options.displayDevices = devices(3);
    for (uint32_t key : {VK_DOWN, VK_UP}) {
        options.dialogScript = {{host::EventKind::keyDown, key}};
        ASSERT_EQ(choose(options), 1);
        EXPECT_EQ(chosenDevice[0], key == VK_DOWN ? 32 : 0);
    }
}

TEST_F(DeviceSelection, CancelAndCloseConfirmNothing)
{
    host::HeadlessHostOptions options;
    options.displayDevices = devices(2);
    options.dialogAnswer = host::HeadlessHostOptions::DialogAnswer::cancel;
    EXPECT_EQ(choose(options), 0);
    options.dialogAnswer = host::HeadlessHostOptions::DialogAnswer::close;
    EXPECT_EQ(choose(options), 0);
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
