// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// F12: the shown frame saved as a PNG file named by date and tick time.
#pragma once

#include "host/host.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace host::sdl {

// Where F12 saves: Mornakle/ in the user's pictures folder. That is $XDG_PICTURES_DIR,
// else the XDG_PICTURES_DIR line of user-dirs.dirs in the configuration folder
// ($XDG_CONFIG_HOME, else ~/.config), else ~/Pictures. A null variable is unset.
std::string screenshotFolder(const char* picturesDir, const char* configHome, const char* home);
std::string screenshotFolder();

// Saves `frame` into folder `dir` (made when missing) as
// "<prefix>-YYYYMMDD-HHMMSS-<ticks>.png" and returns the line that says where, or
// why it could not. The file appears whole or not at all.
std::string saveScreenshot(const Frame& frame, const std::string& dir, const std::string& prefix, std::time_t when,
                           uint32_t ticks);

}  // namespace host::sdl
