// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "device_list.h"

#include <gtest/gtest.h>

#include <cstring>

using host::sdl::listDevices;
using host::sdl::MonitorInfo;

// The primary display (no GUID), a window on the first monitor, then each further monitor full screen
// with a GUID of its own, the same in every listing.
TEST(DeviceList, PrimaryDisplayThenAWindowThenFurtherMonitors)
{
    std::vector<MonitorInfo> monitors{{"a", 1920, 1080}, {"b", 1280, 1024}, {"c", 800, 600}};
    auto list = listDevices(monitors, 640, 480), again = listDevices(monitors, 640, 480);
    ASSERT_EQ(list.size(), 4u);
    ASSERT_EQ(listDevices({monitors[0]}, 640, 480).size(), 2u);
    EXPECT_FALSE(list[0].device.hasGuid);
    const uint8_t noGuid[16] = {};
    EXPECT_EQ(std::memcmp(list[0].device.guid, noGuid, 16), 0);
    const struct {
        bool fullScreen;
        const char* description;
        int monitor;
    } expected[] = {
        {true, "Primary Display Driver", 0},
        {false, "Windowed 640 x 480", 0},
        {true, "Display 2 (b, 1280 x 1024)", 1},
        {true, "Display 3 (c, 800 x 600)", 2},
    };
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].device.fullScreen, expected[i].fullScreen) << i;
        EXPECT_EQ(list[i].device.description, expected[i].description) << i;
        EXPECT_EQ(list[i].monitor, expected[i].monitor) << i;
        if (i == 0)
            continue;
        EXPECT_TRUE(list[i].device.hasGuid) << i;
        EXPECT_EQ(std::memcmp(list[i].device.guid, again[i].device.guid, 16), 0) << i;
        for (size_t j = 1; j < i; ++j)
            EXPECT_NE(std::memcmp(list[i].device.guid, list[j].device.guid, 16), 0) << i << " " << j;
    }
}
