// Pictures of surfaces as PNG files, for looking at and for golden images.
#pragma once

#include "soft/surface.h"

#include <string>
#include <vector>

namespace d3dtest {

struct Image {
    int width = 0, height = 0;
    std::vector<soft::Rgb8> pixels;  // row by row
};

Image imageOf(const soft::SurfaceMemory& surface);
bool writePng(const std::string& path, const Image& image);
bool readPng(const std::string& path, Image& image);

} // namespace d3dtest
