// Screenshots: a 16-bit frame written as an 8-bit-a-channel PNG.
#pragma once

#include "host/host.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace host::sdl {

// Writes `frame` to `path` as an RGB PNG, each channel widened to 8 bits by
// repeating its top bits, so full intensity stays 255 and nothing is lost. False
// (with the reason in `error`) when the file cannot be written.
bool writeFramePng(const std::string& path, const Frame& frame, std::string& error);

// "<prefix>-YYYYMMDD-HHMMSS-<ticks, ten digits>.png" for the local time `when`.
std::string screenshotFileName(const std::string& prefix, std::time_t when, uint32_t ticks);

} // namespace host::sdl
