// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Small helpers shared by the Direct3D tests.
#pragma once

#include "d3d_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace d3dtest {

inline soft::d3d::RasterVertex corner(float x, float y, float z = 0.5f, float r = 255, float g = 255, float b = 255,
                                      float a = 255)
{
    return soft::d3d::RasterVertex{x, y, z, r, g, b, a};
}

inline soft::d3d::RasterTarget wholeTarget(soft::SurfaceMemory& colour, soft::SurfaceMemory* depth = nullptr)
{
    return soft::d3d::RasterTarget{&colour, depth, soft::d3d::RasterRect{0, 0, colour.width, colour.height}};
}

// Two triangles split along the top-left to bottom-right diagonal.
inline void drawQuad(const soft::d3d::RasterTarget& target, const soft::d3d::RasterState& state,
                     const soft::d3d::RasterVertex& tl, const soft::d3d::RasterVertex& tr,
                     const soft::d3d::RasterVertex& br, const soft::d3d::RasterVertex& bl)
{
    soft::d3d::rasterizeTriangle(target, state, tl, tr, br);
    soft::d3d::rasterizeTriangle(target, state, tl, br, bl);
}

inline void fill(soft::SurfaceMemory& surface, uint16_t value)
{
    for (int y = 0; y < surface.height; ++y)
        std::fill_n(surface.row(y), surface.width, value);
}

// What a blend of (r, g, b) over `before` at `alpha` (255 opaque) stores at (x, y): each channel
// s * a + d * (255 - a), over 255, rounded, then reduced to 16 bits.
inline uint16_t blendedPixel(soft::PixelFormat format, uint16_t before, int r, int g, int b, int alpha, bool dither,
                             int x, int y)
{
    const soft::Rgb8 old = soft::unpackColour(format, before);
    const bool narrow = format == soft::PixelFormat::rgb555;
    auto level = [&](int source, int destination, int bits) {
        const int blended = int((double(source) * alpha + double(destination) * (255 - alpha)) / 255.0 + 0.5);
        return soft::d3d::reduceChannel(blended, bits, dither, x, y);
    };
    return uint16_t(level(r, old.r, 5) << (narrow ? 10 : 11) | level(g, old.g, narrow ? 5 : 6) << 5 |
                    level(b, old.b, 5));
}

// Checks every pixel of a surface against expected(x, y), reporting the first that differs.
template <typename Expected>
void expectSurface(const soft::SurfaceMemory& surface, Expected expected)
{
    for (int y = 0; y < surface.height; ++y)
        for (int x = 0; x < surface.width; ++x)
            if (surface.at(x, y) != expected(x, y)) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << surface.at(x, y) << ", not " << expected(x, y);
                return;
            }
}

inline bool inside(const soft::d3d::RasterRect& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace d3dtest
