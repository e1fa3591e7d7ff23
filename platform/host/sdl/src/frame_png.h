// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Screenshots: where a frame is saved (the writing itself is host::writeFramePng).
#pragma once

#include "host/png_writer.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace host::sdl {

// "<prefix>-YYYYMMDD-HHMMSS-<ticks, ten digits>.png" for the local time `when`.
std::string screenshotFileName(const std::string& prefix, std::time_t when, uint32_t ticks);

}  // namespace host::sdl
