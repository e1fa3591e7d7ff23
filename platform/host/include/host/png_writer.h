// Writes a 16-bit frame as an 8-bit-per-channel PNG.
#pragma once

#include "host/host.h"

#include <string>

namespace host {

// Returns false (and writes nothing usable) when the file cannot be written.
bool writeFramePng(const std::string& path, const Frame& frame);

} // namespace host
