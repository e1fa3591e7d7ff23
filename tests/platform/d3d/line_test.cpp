// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The line drawer walks a line's band once over its rows; it must draw exactly what the
// band's two triangles draw through the triangle walk, pixel for pixel, colour, depth and
// count. Thousands of random lines, many of them on the ties the fill rule decides, are
// drawn both ways in every state the span loops tell apart; ctest runs this under each
// kernel family.
#include "d3d_soft.h"
#include "raster_support.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace d3dtest;
using soft::PixelFormat;
using soft::SurfaceMemory;
using soft::d3d::RasterRect;
using soft::d3d::RasterState;
using soft::d3d::RasterTarget;
using soft::d3d::RasterVertex;

namespace {

// The line as the two triangles one pixel across its major axis that it is: the drawing
// the band walk must reproduce.
void drawLineAsTriangles(const RasterTarget& target, const RasterState& state, const RasterVertex& from,
                         const RasterVertex& to)
{
    const float dx = to.x - from.x, dy = to.y - from.y;
    if (dx == 0 && dy == 0)
        return;
    float RasterVertex::*across = std::fabs(dx) >= std::fabs(dy) ? &RasterVertex::y : &RasterVertex::x;
    RasterVertex fromLow = from, fromHigh = from, toLow = to, toHigh = to;
    fromLow.*across -= 0.5f;
    fromHigh.*across += 0.5f;
    toLow.*across -= 0.5f;
    toHigh.*across += 0.5f;
    soft::d3d::rasterizeTriangle(target, state, fromLow, toLow, toHigh);
    soft::d3d::rasterizeTriangle(target, state, fromLow, toHigh, fromHigh);
}

// A coordinate that often lands where the fill rule decides: on a pixel centre, halfway
// between two, on a sixteenth or a thirty-second, else anywhere, a little past the
// surface at times.
float coordinate(std::mt19937& random, float size)
{
    std::uniform_real_distribution<float> anywhere(-6.0f, size + 6.0f);
    const float v = anywhere(random);
    switch (random() % 5) {
    case 0:
        return std::round(v);
    case 1:
        return std::floor(v) + 0.5f;
    case 2:
        return std::round(v * 16.0f) / 16.0f;
    case 3:
        return std::round(v * 32.0f) / 32.0f;
    default:
        return v;
    }
}

// Ends of every slope: level, upright, diagonal, short, long.
void randomEnds(std::mt19937& random, float width, float height, RasterVertex& from, RasterVertex& to)
{
    from.x = coordinate(random, width), from.y = coordinate(random, height);
    switch (random() % 8) {
    case 0:
        to.x = coordinate(random, width), to.y = from.y;
        break;
    case 1:
        to.x = from.x, to.y = coordinate(random, height);
        break;
    case 2: {
        const float d = float(int(random() % 40) - 20);
        to.x = from.x + d, to.y = from.y + (random() % 2 ? d : -d);
        break;
    }
    case 3:
        to.x = from.x + float(int(random() % 65) - 32) / 16.0f, to.y = from.y + float(int(random() % 65) - 32) / 16.0f;
        break;
    case 4:  // a pixel off level, where the diagonal may lie along a row
        to.x = coordinate(random, width), to.y = from.y + (random() % 2 ? 1.0f : -1.0f);
        break;
    case 5:  // a pixel off upright
        to.x = from.x + (random() % 2 ? 1.0f : -1.0f), to.y = coordinate(random, height);
        break;
    default:
        to.x = coordinate(random, width), to.y = coordinate(random, height);
        break;
    }
}

// Colours and depth at an end: inside their ranges, or now and then beyond them, which
// the spans clamp; a flat line has the same colour at both ends.
void randomShade(std::mt19937& random, bool flat, bool wild, RasterVertex& from, RasterVertex& to)
{
    std::uniform_real_distribution<float> channel(wild ? -40.0f : 0.0f, wild ? 300.0f : 255.0f);
    std::uniform_real_distribution<float> depth(wild ? -0.2f : 0.0f, wild ? 1.2f : 1.0f);
    for (RasterVertex* v : {&from, &to}) {
        v->z = depth(random);
        v->r = channel(random), v->g = channel(random), v->b = channel(random);
        v->a = random() % 3 ? std::min(std::max(channel(random), 0.0f), 255.0f) : 255.0f;
    }
    if (random() % 6 == 0)
        to.z = from.z;  // level depth, now and then at 0, which a "less or equal" never fails
    if (random() % 10 == 0)
        from.z = to.z = 0;
    if (flat)
        to.r = from.r, to.g = from.g, to.b = from.b, to.a = from.a;
}

struct StateCase {
    const char* what;
    RasterState state;
    bool withDepth, flat;
};

RasterState state(bool depthTest, bool depthWrite, uint8_t passMask, bool blend, bool dither)
{
    RasterState s;
    s.depthTest = depthTest, s.depthWrite = depthWrite, s.depthPassMask = passMask, s.blend = blend;
    s.dither = dither;
    return s;
}

constexpr uint8_t lessEqual = soft::d3d::depthPassNearer | soft::d3d::depthPassEqual;

const StateCase stateCases[] = {
    {"Gouraud, less or equal and write, dithered", state(true, true, lessEqual, false, true), true, false},
    {"flat, less or equal and write, dithered", state(true, true, lessEqual, false, true), true, true},
    {"Gouraud, less or equal and write, not dithered", state(true, true, lessEqual, false, false), true, false},
    {"Gouraud blended, no depth, dithered", state(false, false, lessEqual, true, true), false, false},
    {"flat blended, no depth, dithered", state(false, false, lessEqual, true, true), false, true},
    {"flat blended, no depth, not dithered", state(false, false, lessEqual, true, false), false, true},
    {"Gouraud, depth tested farther, not written", state(true, false, soft::d3d::depthPassFarther, false, true), true,
     false},
    {"flat blended, depth written untested", state(false, true, lessEqual, true, true), true, true},
};

// Random contents, so that the depth test and the blend both have something to decide.
void scramble(SurfaceMemory& surface, std::mt19937& random)
{
    for (uint8_t& byte : surface.bytes)
        byte = uint8_t(random());
}

::testing::AssertionResult sameSurfaces(const SurfaceMemory& drawn, const SurfaceMemory& expected, const char* what)
{
    for (int y = 0; y < drawn.height; ++y)
        for (int x = 0; x < drawn.width; ++x)
            if (drawn.at(x, y) != expected.at(x, y))
                return ::testing::AssertionFailure() << what << " at " << x << "," << y << " is " << drawn.at(x, y)
                                                     << ", the triangles give " << expected.at(x, y);
    return ::testing::AssertionSuccess();
}

// Draws `lines` random lines both ways over the same scrambled surfaces, in batches whose
// overlaps test depth and blend against what earlier lines left, and compares after each.
void compareRandomLines(const StateCase& c, PixelFormat format, int width, int height, unsigned seed, int lines,
                        bool wildShades)
{
    std::mt19937 random(seed);
    SurfaceMemory colour(width, height, format, 6), depth(width, height, PixelFormat::rgb565);
    scramble(colour, random);
    scramble(depth, random);
    SurfaceMemory expectedColour = colour, expectedDepth = depth;
    constexpr int batch = 25;
    for (int drawn = 0; drawn < lines; drawn += batch) {
        RasterRect clip{0, 0, width, height};
        if (random() % 3 == 0)
            clip =
                RasterRect{int(random() % 9), int(random() % 5), width - int(random() % 9), height - int(random() % 5)};
        RasterTarget target{&colour, c.withDepth ? &depth : nullptr, clip};
        RasterTarget expectedTarget{&expectedColour, c.withDepth ? &expectedDepth : nullptr, clip};
        RasterVertex ends[batch][2];
        for (auto& end : ends) {
            randomEnds(random, float(width), float(height), end[0], end[1]);
            randomShade(random, c.flat, wildShades, end[0], end[1]);
        }
        soft::d3d::resetDirect3DCounters();
        for (auto& end : ends)
            soft::d3d::drawLine(target, c.state, end[0], end[1]);
        const uint64_t written = soft::d3d::direct3DCounters().pixelsWritten;
        soft::d3d::resetDirect3DCounters();
        for (auto& end : ends)
            drawLineAsTriangles(expectedTarget, c.state, end[0], end[1]);
        const uint64_t expectedWritten = soft::d3d::direct3DCounters().pixelsWritten;
        SCOPED_TRACE(::testing::Message() << "lines " << drawn << "-" << drawn + batch - 1 << " of seed " << seed);
        ASSERT_TRUE(sameSurfaces(colour, expectedColour, "colour"));
        ASSERT_TRUE(sameSurfaces(depth, expectedDepth, "depth"));
        ASSERT_EQ(written, expectedWritten);
    }
}

}  // namespace

TEST(LineBand, RandomLinesDrawWhatTheirTwoTrianglesDraw)
{
    unsigned seed = 1;
    for (const StateCase& c : stateCases)
        for (PixelFormat format : {PixelFormat::rgb565, PixelFormat::rgb555}) {
            SCOPED_TRACE(::testing::Message() << c.what << (format == PixelFormat::rgb555 ? ", 5-5-5" : ", 5-6-5"));
            compareRandomLines(c, format, 97, 61, seed++, 1000, false);
            compareRandomLines(c, format, 40, 33, seed++, 500, true);
        }
}

TEST(LineBand, SpansLongerThanTheLiftedLimitStepAsTheTrianglesDo)
{
    // Rows of over 1,024 pixels leave the lifted starts for the clamped ones.
    for (const StateCase& c : stateCases) {
        SCOPED_TRACE(c.what);
        compareRandomLines(c, PixelFormat::rgb565, 1300, 9, 100, 200, false);
    }
}

TEST(LineBand, EndsOutOfRangeDrawNothingEitherWay)
{
    SurfaceMemory colour(16, 16, PixelFormat::rgb565), depth(16, 16, PixelFormat::rgb565);
    const RasterState lessEqualWrite = stateCases[0].state;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const RasterVertex inside = corner(3, 3, 0.5f, 200, 100, 50);
    for (const RasterVertex& far : {corner(3e7f, 4, 0.5f), corner(5, -3e7f, 0.5f), corner(nan, 4, 0.5f)}) {
        fill(colour, 0x1234);
        fill(depth, 0xFFFF);
        soft::d3d::resetDirect3DCounters();
        soft::d3d::drawLine(wholeTarget(colour, &depth), lessEqualWrite, inside, far);
        soft::d3d::drawLine(wholeTarget(colour, &depth), lessEqualWrite, far, inside);
        EXPECT_EQ(soft::d3d::direct3DCounters().pixelsWritten, 0u);
        expectSurface(colour, [](int, int) { return uint16_t(0x1234); });
    }
}
