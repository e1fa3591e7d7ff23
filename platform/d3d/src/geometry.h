// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The geometry stage of the device: clipping in homogeneous space, the mapping to the
// viewport's pixels, culling and the fill mode, ahead of the rasteriser.
#pragma once

#include "d3d.h"
#include "d3d_raster.h"

namespace soft::d3d {

// A corner in homogeneous clip space with its colour (channels 0-255).
struct ClipVertex {
    float x, y, z, w;
    float r, g, b, a;
};

// Inside when a·x + b·y + c·z + d·w + e ≥ 0.
struct ClipPlane {
    float a, b, c, d, e;
};

constexpr int maxClipPlanes = 7;

struct ClipVolume {
    ClipPlane plane[maxClipPlanes];
    int count = 0;
    // The planes' coefficients a-e, each for eight planes side by side (those past
    // `count` all zero, so that every corner is inside them): what outcodes read.
    alignas(16) float across[5][8] = {};
};

// Screen x = offsetX + scaleX · x/w, screen y = offsetY + scaleY · y/w, depth z/w.
struct ScreenMapping {
    float scaleX, offsetX, scaleY, offsetY;
};

// Everything a primitive needs, fixed at Begin.
struct PrimitiveSettings {
    ClipVolume volume;
    ScreenMapping mapping;
    D3DCULL cull = D3DCULL_CCW;
    D3DFILLMODE fill = D3DFILL_SOLID;
    RasterTarget target;
    RasterState state;
};

// The clip volume and mapping of a viewport, for vertices still to be projected.
void setUpProjected(PrimitiveSettings& settings, const D3DVIEWPORT2& viewport);
// For vertices already in screen space: a guard band far around the viewport
// rectangle keeps the rasteriser's numbers small, and the identity mapping.
void setUpScreenSpace(PrimitiveSettings& settings, const D3DVIEWPORT2& viewport);

// Cuts the triangle to the clip volume, maps the pieces to the screen and rasterises them.
void clipAndRasterizeTriangle(const PrimitiveSettings& settings, const ClipVertex& a, const ClipVertex& b,
                              const ClipVertex& c);
void drawLine(const PrimitiveSettings& settings, const ClipVertex& from, const ClipVertex& to);
void drawPoint(const PrimitiveSettings& settings, const ClipVertex& point);

}  // namespace soft::d3d
