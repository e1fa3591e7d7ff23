// Files the tests write, and surfaces as PNG files, so that a person can look at
// what GDI drew.
#pragma once

#include "soft/surface.h"

#include <string>

namespace gdi_test {

// Where the tests write their files: gdi_test_output/ in the build tree, made on
// first use, whatever the working directory.
std::string outputPath(const std::string& name);

// Writes `surface` as an RGB PNG named `name` in the output folder; returns the
// path, or an empty string when it could not be written.
std::string writeSurfacePng(const soft::SurfaceMemory& surface, const std::string& name);

} // namespace gdi_test
