// F12: the shown frame saved as a PNG file named by date and tick time.
#pragma once

#include "host/host.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace host::sdl {

// Saves `frame` into folder `dir` (made when missing) as
// "<prefix>-YYYYMMDD-HHMMSS-<ticks>.png" and returns the line that says where, or
// why it could not. The file appears whole or not at all.
std::string saveScreenshot(const Frame& frame, const std::string& dir, const std::string& prefix, std::time_t when,
                           uint32_t ticks);

}  // namespace host::sdl
