// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "frame_png.h"

#include <cstdio>

namespace host::sdl {

std::string screenshotFileName(const std::string& prefix, std::time_t when, uint32_t ticks)
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    char name[64];
    std::snprintf(name, sizeof name, "-%s-%010u.png", stamp, unsigned(ticks));
    return prefix + name;
}

}  // namespace host::sdl
