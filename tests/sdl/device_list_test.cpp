#include "device_list.h"

#include <gtest/gtest.h>

#include <cstring>

using host::sdl::listDevices;
using host::sdl::MonitorInfo;

TEST(DeviceList, OneMonitorGivesThePrimaryDisplayThenAWindow)
{
    auto list = listDevices({MonitorInfo{"screen", 1920, 1080}}, 640, 480);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_FALSE(list[0].device.hasGuid);
    EXPECT_TRUE(list[0].device.fullScreen);
    EXPECT_EQ(list[0].device.description, "Primary Display Driver");
    for (uint8_t b : list[0].device.guid)
        EXPECT_EQ(b, 0);
    EXPECT_TRUE(list[1].device.hasGuid);
    EXPECT_FALSE(list[1].device.fullScreen);
    EXPECT_EQ(list[1].device.description, "Windowed 640 x 480");
    EXPECT_EQ(list[1].monitor, 0);
}

TEST(DeviceList, FurtherMonitorsFollowFullScreenEachWithItsOwnStableGuid)
{
    std::vector<MonitorInfo> monitors{{"a", 1920, 1080}, {"b", 1280, 1024}, {"c", 800, 600}};
    auto list = listDevices(monitors, 640, 480);
    auto again = listDevices(monitors, 640, 480);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[2].monitor, 1);
    EXPECT_EQ(list[3].monitor, 2);
    EXPECT_TRUE(list[3].device.fullScreen);
    EXPECT_EQ(list[2].device.description, "Display 2 (b, 1280 x 1024)");
    for (size_t i = 1; i < list.size(); ++i) {
        EXPECT_EQ(std::memcmp(list[i].device.guid, again[i].device.guid, 16), 0);
        for (size_t j = 1; j < i; ++j)
            EXPECT_NE(std::memcmp(list[i].device.guid, list[j].device.guid, 16), 0);
    }
}
