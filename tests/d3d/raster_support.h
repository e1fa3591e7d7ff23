// Small helpers shared by the rasteriser tests.
#pragma once

#include "d3d_raster.h"

#include <cstdint>

namespace d3dtest {

inline soft::RasterVertex corner(float x, float y, float z = 0.5f, float r = 255, float g = 255,
                                 float b = 255, float a = 255)
{
    return soft::RasterVertex{x, y, z, r, g, b, a};
}

inline soft::RasterVertex withColour(soft::RasterVertex v, float r, float g, float b, float a = 255)
{
    v.r = r;
    v.g = g;
    v.b = b;
    v.a = a;
    return v;
}

inline soft::RasterTarget wholeTarget(soft::SurfaceMemory& colour, soft::SurfaceMemory* depth = nullptr)
{
    return soft::RasterTarget{&colour, depth, soft::RasterRect{0, 0, colour.width, colour.height}};
}

inline void fill(soft::SurfaceMemory& surface, uint16_t value)
{
    for (int y = 0; y < surface.height; ++y)
        for (int x = 0; x < surface.width; ++x)
            surface.at(x, y) = value;
}

// (s * a + d * (255 - a)) / 255 rounded, worked out the slow way.
inline int referenceBlend(int source, int destination, int alpha)
{
    double exact = (double(source) * alpha + double(destination) * (255 - alpha)) / 255.0;
    return int(exact + 0.5);
}

} // namespace d3dtest
