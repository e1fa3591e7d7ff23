// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The software rasteriser behind the Direct3D device: one triangle routine that every
// primitive goes through (solid triangles, wireframe edges, points, screen-space
// quads), drawing into 16-bit surface memory with an optional 16-bit depth buffer.
#pragma once

#include "soft/surface.h"

#include <cstdint>

namespace soft::d3d {

// A corner in screen space. Pixel centres lie on whole coordinates; depth runs from
// 0 (near) to 1 (far); colour channels and alpha run from 0 to 255.
struct RasterVertex {
    float x, y, z;
    float r, g, b, a;
};

// The pixels a primitive may touch: columns [left, right), rows [top, bottom).
struct RasterRect {
    int left, top, right, bottom;
};

// Bits of RasterState::depthPassMask: which relations of the new depth to the stored
// one let a pixel through. A Direct3D compare function D3DCMP_x is the mask x - 1.
constexpr uint8_t depthPassNearer = 1;
constexpr uint8_t depthPassEqual = 2;
constexpr uint8_t depthPassFarther = 4;

struct RasterState {
    bool depthTest = false;
    bool depthWrite = false;
    uint8_t depthPassMask = depthPassNearer | depthPassEqual;
    bool blend = false;   // source * a + destination * (1 - a), a = alpha / 255
    bool dither = false;  // 4 x 4 ordered dither on the way to 16 bits
};

struct RasterTarget {
    SurfaceMemory* colour = nullptr;
    SurfaceMemory* depth = nullptr;  // 16-bit depth values, or null for none
    RasterRect clip{};               // must lie inside both surfaces
};

// Fills the pixels whose centres lie inside the triangle under the top-left rule, so
// that triangles sharing an edge never both touch a pixel of it. Either winding.
// Colour, alpha and depth run linearly across the screen; at each pixel a channel is
// taken to its whole value and depth to the level z · 65535, both after a lift of
// 1/64 that keeps fixed-point rounding from dropping a value a step.
void rasterizeTriangle(const RasterTarget& target, const RasterState& state, const RasterVertex& a,
                       const RasterVertex& b, const RasterVertex& c);

// A line one pixel wide: a band of two triangles one pixel across its major axis, so
// each column (or row) between the ends gets exactly one pixel. Like every edge under
// the fill rule the band is half-open: the left (or upper) end is drawn, the other not.
// The band is walked once over its rows, each pixel shaded from the plane of the
// triangle it lies in: the very pixels the two triangles would draw.
void drawLine(const RasterTarget& target, const RasterState& state, const RasterVertex& from, const RasterVertex& to);

// The one pixel whose centre is nearest the point, as a square of two triangles.
void drawPoint(const RasterTarget& target, const RasterState& state, const RasterVertex& point);

// The 16-bit level a channel of 8 bits reaches on a `bits`-bit channel (5 or 6) at
// dither position (x, y); without dither the low bits are dropped.
int reduceChannel(int value8, int bits, bool dither, int x, int y);

}  // namespace soft::d3d
