// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The rasteriser on plain surface memory, in both pixel layouts (compare modes and padded rows are the
// device's tests); ctest runs both suites again under each kernel family.
#include "d3d_soft.h"
#include "raster_support.h"

#include <random>

using namespace d3dtest;
using soft::PixelFormat;
using soft::SurfaceMemory;
using soft::d3d::RasterState;
using soft::d3d::RasterTarget;
using soft::d3d::RasterVertex;

namespace {

RasterState blending(bool dither)
{
    RasterState state;
    state.blend = true;
    state.dither = dither;
    return state;
}

// White at alpha 127: over black a pixel touched once reaches red level 15, twice 23.
RasterVertex mark(float x, float y) { return corner(x, y, 0.5f, 255, 255, 255, 127); }

// A 9 x 7 grid over the pixel centres [3, 60] x [4, 44], inner corners jittered by sixteenths (some onto
// a centre), cells split along alternating diagonals, a third of the triangles in the other winding.
void drawJitteredMesh(const RasterTarget& target, unsigned seed)
{
    constexpr int columns = 9, rows = 7;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sixteenths(-20, 20);
    RasterVertex grid[rows + 1][columns + 1];
    for (int j = 0; j <= rows; ++j)
        for (int i = 0; i <= columns; ++i) {
            float x = 2.5f + 58.0f * float(i) / columns, y = 3.5f + 41.0f * float(j) / rows;
            if (i > 0 && i < columns)
                x += float(sixteenths(random)) / 16.0f;
            if (j > 0 && j < rows)
                y += float(sixteenths(random)) / 16.0f;
            if ((i + j) % 7 == 3 && i > 0 && i < columns && j > 0 && j < rows)
                x = float(int(x)), y = float(int(y));
            grid[j][i] = mark(x, y);
        }
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            const RasterVertex a = grid[j][i], b = grid[j][i + 1], c = grid[j + 1][i + 1], d = grid[j + 1][i];
            const bool flip = (i + j) % 2 == 0;
            const RasterVertex halves[2][3] = {{a, b, flip ? c : d}, {flip ? a : b, c, d}};
            for (int t = 0; t < 2; ++t) {
                const bool reversed = (i + j + t) % 3 == 0;
                soft::d3d::rasterizeTriangle(target, blending(false), halves[t][0], halves[t][reversed ? 2 : 1],
                                             halves[t][reversed ? 1 : 2]);
            }
        }
}

}  // namespace

TEST(RasterCoverage, ShapesTouchExactlyTheirPixelsOnce)
{
    struct Case {
        const char* what;
        soft::d3d::RasterRect clip, filled;
        void (*draw)(const RasterTarget&);
    };
    const soft::d3d::RasterRect whole{0, 0, 64, 48};
    const Case cases[] = {
        {"jittered mesh 1", whole, {3, 4, 61, 45}, [](const RasterTarget& t) { drawJitteredMesh(t, 1); }},
        {"jittered mesh 2", whole, {3, 4, 61, 45}, [](const RasterTarget& t) { drawJitteredMesh(t, 2); }},
        {"jittered mesh 3", whole, {3, 4, 61, 45}, [](const RasterTarget& t) { drawJitteredMesh(t, 3); }},
        {"jittered mesh 4", whole, {3, 4, 61, 45}, [](const RasterTarget& t) { drawJitteredMesh(t, 4); }},
        {"jittered mesh 5", whole, {3, 4, 61, 45}, [](const RasterTarget& t) { drawJitteredMesh(t, 5); }},
        {"sides through pixel centres own the left and top ones only",
         whole,
         {2, 3, 6, 8},
         [](const RasterTarget& t) { drawQuad(t, blending(false), mark(2, 3), mark(6, 3), mark(6, 8), mark(2, 8)); }},
        {"a huge triangle is held to the clip rectangle",
         {10, 5, 20, 15},
         {10, 5, 20, 15},
         [](const RasterTarget& t) {
             soft::d3d::rasterizeTriangle(t, blending(false), mark(-500, -500), mark(900, -20), mark(10, 700));
         }},
        {"a line draws its left end, not its right",
         whole,
         {2, 5, 12, 6},
         [](const RasterTarget& t) { soft::d3d::drawLine(t, blending(false), mark(2, 5), mark(12, 5)); }},
        {"a steep line draws one pixel a row, its upper end and not its lower",
         whole,
         {30, 2, 31, 12},
         [](const RasterTarget& t) { soft::d3d::drawLine(t, blending(false), mark(30, 2), mark(30, 12)); }},
        {"a point draws the pixel nearest it",
         whole,
         {7, 4, 8, 5},
         [](const RasterTarget& t) { soft::d3d::drawPoint(t, blending(false), mark(7.4f, 3.6f)); }},
    };
    const uint16_t once = blendedPixel(PixelFormat::rgb565, 0, 255, 255, 255, 127, false, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SurfaceMemory surface(64, 48, PixelFormat::rgb565);
        RasterTarget target = wholeTarget(surface);
        target.clip = c.clip;
        soft::d3d::resetDirect3DCounters();
        c.draw(target);
        expectSurface(surface, [&](int x, int y) { return inside(c.filled, x, y) ? once : 0; });
        const auto& f = c.filled;
        EXPECT_EQ(soft::d3d::direct3DCounters().pixelsWritten, uint64_t((f.right - f.left) * (f.bottom - f.top)));
    }
}

TEST(RasterBlend, EveryValueAtEveryAlphaMatchesTheFormula)
{
    // One row per 8-bit value over a scrambled background, 21 wide: groups of eight and a remainder.
    for (PixelFormat format : {PixelFormat::rgb565, PixelFormat::rgb555})
        for (bool dither : {false, true})
            for (int alpha : {0, 100, 127, 255}) {
                SurfaceMemory surface(21, 256, format);
                for (int y = 0; y < 256; ++y)
                    for (int x = 0; x < 21; ++x)
                        surface.at(x, y) = uint16_t((x * 2654435761u + y * 40503u) >> 7) & 0x7FFF;
                const SurfaceMemory before = surface;
                for (int v = 0; v < 256; ++v) {
                    const float r = float(v), g = float(255 - v), b = float(v * 7 & 255), a = float(alpha);
                    const float top = float(v) - 0.5f, bottom = float(v) + 0.5f;
                    drawQuad(wholeTarget(surface), blending(dither), corner(0, top, 0, r, g, b, a),
                             corner(21, top, 0, r, g, b, a), corner(21, bottom, 0, r, g, b, a),
                             corner(0, bottom, 0, r, g, b, a));
                }
                SCOPED_TRACE(::testing::Message() << (format == PixelFormat::rgb555 ? "5-5-5" : "5-6-5")
                                                  << (dither ? " dithered" : "") << " alpha " << alpha);
                expectSurface(surface, [&](int x, int y) {
                    return blendedPixel(format, before.at(x, y), y, 255 - y, y * 7 & 255, alpha, dither, x, y);
                });
            }
}

TEST(RasterDither, OrderedPatternAveragesToTheValueAndKeepsExactLevels)
{
    for (int value = 0; value < 256; ++value) {
        int total = 0;
        for (int phase = 0; phase < 16; ++phase)
            total += soft::d3d::reduceChannel(value, 5, true, phase % 4, phase / 4);
        EXPECT_NEAR(total / 16.0, value * 31.0 / 255.0, 0.13) << "mean over a 4 x 4 tile of " << value;
        EXPECT_EQ(soft::d3d::reduceChannel(value, 5, false, 1, 2), value >> 3);
        EXPECT_EQ(soft::d3d::reduceChannel(value, 6, false, 3, 0), value >> 2);
    }
    for (int bits : {5, 6})
        for (int level = 0; level < 1 << bits; ++level) {
            const int value = level << (8 - bits) | level >> (2 * bits - 8);
            for (int phase = 0; phase < 16; ++phase)
                ASSERT_EQ(soft::d3d::reduceChannel(value, bits, true, phase % 4, phase / 4), level) << bits << " bits";
        }
}

TEST(RasterShading, ColourAndDepthFollowThePlaneExactly)
{
    // Red +5 and blue -5 a column, green +20 a row, depth +1285 a column: whole values at every centre.
    for (PixelFormat format : {PixelFormat::rgb565, PixelFormat::rgb555})
        for (bool dither : {false, true}) {
            SurfaceMemory surface(51, 8, format), depth(51, 8, PixelFormat::rgb565);
            fill(depth, 0xFFFF);
            RasterState state;
            state.depthTest = state.depthWrite = true;
            state.dither = dither;
            drawQuad(wholeTarget(surface, &depth), state, corner(0, 0, 0, 0, 0, 255), corner(51, 0, 1, 255, 0, 0),
                     corner(51, 8, 1, 255, 160, 0), corner(0, 8, 0, 0, 160, 255));
            SCOPED_TRACE(::testing::Message()
                         << (format == PixelFormat::rgb555 ? "5-5-5" : "5-6-5") << (dither ? " dithered" : ""));
            expectSurface(surface, [&](int x, int y) {
                return blendedPixel(format, 0, 5 * x, 20 * y, 255 - 5 * x, 255, dither, x, y);
            });
            expectSurface(depth, [](int x, int) { return uint16_t(1285 * x); });
            // A white quad whose depth falls as the first one's rises shows from the crossing on.
            drawQuad(wholeTarget(surface, &depth), state, corner(0, 0, 1), corner(51, 0, 0), corner(51, 8, 0),
                     corner(0, 8, 1));
            expectSurface(surface, [&](int x, int y) {
                return blendedPixel(format, 0, x < 26 ? 5 * x : 255, x < 26 ? 20 * y : 255, x < 26 ? 255 - 5 * x : 255,
                                    255, dither, x, y);
            });
            expectSurface(depth, [](int x, int) { return uint16_t(1285 * std::min(x, 51 - x)); });
        }
}
