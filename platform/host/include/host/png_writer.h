// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Writes a 16-bit frame as a PNG of 8-bit channels, each widened by repeating its top
// bits, so that full intensity stays 255 and nothing is lost.
#pragma once

#include "host/host.h"

#include <string>

namespace host {

// False, with the reason in `error`, when the file cannot be written. `fast` trades
// size for speed, for frames captured by the thousand.
bool writeFramePng(const std::string& path, const Frame& frame, std::string& error, bool fast = false);

}  // namespace host
