// Writes a surface to a PNG file, so that a person can look at what GDI drew.
#pragma once

#include "soft/surface.h"

#include <string>

namespace gdi_test {

// Writes `surface` as an RGB PNG named `name` in the test's working directory;
// returns the path, or an empty string when it could not be written.
std::string writeSurfacePng(const soft::SurfaceMemory& surface, const std::string& name);

} // namespace gdi_test
