// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The devices DirectDraw reports on this host, built from the displays SDL sees.
#pragma once

#include "host/host.h"

#include <string>
#include <vector>

namespace host::sdl {

struct MonitorInfo {
    std::string name;
    int width = 0, height = 0;
};

struct HostDevice {
    DisplayDevice device;
    int monitor = 0;  // the SDL display it shows on
};

// First the primary display, full screen and without a GUID; then a window on the
// primary display; then every further display, full screen. Each device but the
// first has a GUID of its own that stays the same from run to run.
std::vector<HostDevice> listDevices(const std::vector<MonitorInfo>& monitors, int windowWidth, int windowHeight);

}  // namespace host::sdl
