// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "device_list.h"

#include <cstring>

namespace host::sdl {
namespace {

// Our own GUIDs: this fixed stem, the device's position in the list in the last byte.
constexpr uint8_t guidStem[16] = {0x5d, 0x1e, 0x7a, 0x30, 0x2b, 0x9c, 0x4e, 0x10,
                                  0x8a, 0x47, 0x53, 0x44, 0x4c, 0x48, 0x00, 0x00};

DisplayDevice withGuid(int position)
{
    DisplayDevice d;
    d.hasGuid = true;
    std::memcpy(d.guid, guidStem, sizeof d.guid);
    d.guid[15] = uint8_t(position);
    return d;
}

}  // namespace

std::vector<HostDevice> listDevices(const std::vector<MonitorInfo>& monitors, int windowWidth, int windowHeight)
{
    std::vector<HostDevice> list;
    HostDevice primary;
    primary.device.description = "Primary Display Driver";
    primary.device.driverName = "display";
    list.push_back(primary);

    HostDevice windowed;
    windowed.device = withGuid(1);
    windowed.device.description = "Windowed " + std::to_string(windowWidth) + " x " + std::to_string(windowHeight);
    windowed.device.driverName = "window";
    windowed.device.fullScreen = false;
    list.push_back(windowed);

    for (size_t m = 1; m < monitors.size(); ++m) {
        HostDevice other;
        other.device = withGuid(int(list.size()));
        std::string number = std::to_string(m + 1);
        other.device.description = "Display " + number + " (" + monitors[m].name + ", " +
                                   std::to_string(monitors[m].width) + " x " + std::to_string(monitors[m].height) + ")";
        other.device.driverName = "\\\\.\\DISPLAY" + number;
        other.monitor = int(m);
        list.push_back(other);
    }
    return list;
}

}  // namespace host::sdl
