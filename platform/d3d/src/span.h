// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The inner loops of the rasteriser: one row of one triangle at a time.
#pragma once

#include "d3d_raster.h"
#include "pixel_reduction.h"

#include <cstdint>

namespace soft::d3d {

// Fixed point with 16 fraction bits, for colours (0-255) and depth levels (0-65535).
constexpr int fixedShift = 16;

// Pixels [x, x + count) of row y, and the attributes at its first pixel with their step
// from one pixel to the next.
struct Span {
    int x, y, count;
    int32_t colour[4];  // red, green, blue, alpha
    int32_t colourStep[4];
    int64_t depth;
    int64_t depthStep;
};

// A triangle whose every pixel has the same colour and alpha gets its 16-bit results
// precomputed, for each of the 16 dither phases.
struct FlatShade {
    int colour[4];                                      // red, green, blue, alpha: 0-255
    uint16_t opaque[16];                                // the pixel drawn without blending
    uint16_t red[16][32], green[16][64], blue[16][32];  // blended bits, by old level
    // Blended red and green bits together, by the old pixel's top bits (pixel >> 5).
    uint16_t redGreen[16][2048];
};

void makeFlatShade(FlatShade& shade, const int colour[4], PixelLayout layout, bool dither, bool blend);

// What stays the same for every row of a triangle.
struct SpanSetup {
    SurfaceMemory* colour;
    SurfaceMemory* depth;  // null when depth is neither tested nor written
    RasterState state;
    PixelLayout layout;
    const FlatShade* flat;  // null unless every pixel has the same colour
};

// How a span treats depth. The common case, the demo's "less or equal, and write",
// gets a loop of its own.
enum class DepthMode { off, lessEqualWrite, general };

DepthMode depthModeOf(const SpanSetup& setup);

// A span loop: draws the span, returns the pixels it wrote.
using SpanKernel = int (*)(const SpanSetup& setup, const Span& span);

}  // namespace soft::d3d
