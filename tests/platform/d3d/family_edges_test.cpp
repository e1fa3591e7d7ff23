// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The vector families step a triangle's two edges side by side in 32-bit lanes where the
// plain loops step each in 64-bit integers. Random depth-tested triangles, from a few
// pixels across to corners at the very edge of the coordinate range, edges nearly level
// and nearly upright, are drawn under every family that runs and must give the plain
// loops' colour, depth and count.
#include "d3d_soft.h"
#include "raster_support.h"

#include <cmath>
#include <random>

using namespace d3dtest;
using soft::PixelFormat;
using soft::SurfaceMemory;
using soft::d3d::KernelFamily;
using soft::d3d::RasterRect;
using soft::d3d::RasterState;
using soft::d3d::RasterTarget;
using soft::d3d::RasterVertex;

namespace {

constexpr int width = 83, height = 61;
constexpr float farthest = 1048575.9375f;  // the last sixteenth inside the coordinate range

// A corner of one of the kinds the edges must survive: near the surface, far out, or at
// the very limit, on a sixteenth.
float coordinate(std::mt19937& random, float size, int kind)
{
    switch (kind) {
    case 0:
        return std::round(std::uniform_real_distribution<float>(-8.0f, size + 8.0f)(random) * 16.0f) / 16.0f;
    case 1:
        return std::round(std::uniform_real_distribution<float>(-4000.0f, 4000.0f)(random) * 16.0f) / 16.0f;
    default:
        return random() % 2 ? farthest : -farthest;
    }
}

RasterVertex randomCorner(std::mt19937& random, bool wildShade)
{
    RasterVertex v;
    const int kindX = int(random() % 6) / 2, kindY = int(random() % 6) / 2;
    v.x = coordinate(random, float(width), kindX);
    v.y = coordinate(random, float(height), kindY);
    v.z = std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
    // Outside [0, 255] a span gets starts and steps of its own rather than the lifted ones.
    std::uniform_real_distribution<float> channel(wildShade ? -60.0f : 0.0f, wildShade ? 320.0f : 255.0f);
    v.r = channel(random), v.g = channel(random), v.b = channel(random);
    v.a = 255;
    return v;
}

// Another corner a sixteenth or a pixel above or below the first, far along x: an edge
// nearly level, whose columns leap by thousands a row. Or the same across: one nearly
// upright.
RasterVertex nearlyAligned(std::mt19937& random, const RasterVertex& from, bool level)
{
    RasterVertex v = from;
    const float along = std::round(std::uniform_real_distribution<float>(-1.0e6f, 1.0e6f)(random));
    const float across = float(int(random() % 33) - 16) / 16.0f;
    (level ? v.x : v.y) = std::clamp(along, -farthest, farthest);
    (level ? v.y : v.x) += across;
    v.z = std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
    return v;
}

struct Drawing {
    SurfaceMemory colour, depth;
    uint64_t written = 0;
};

// The same triangles over the same scrambled surfaces under one family.
Drawing drawUnder(KernelFamily family, PixelFormat format, const RasterState& state, unsigned seed, int triangles)
{
    soft::d3d::useKernelFamily(family);
    std::mt19937 random(seed);
    Drawing d{SurfaceMemory(width, height, format, 6), SurfaceMemory(width, height, PixelFormat::rgb565)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            d.colour.row(y)[x] = uint16_t(random());
            d.depth.row(y)[x] = uint16_t(random());
        }
    soft::d3d::resetDirect3DCounters();
    for (int t = 0; t < triangles; ++t) {
        RasterRect clip{0, 0, width, height};
        if (random() % 3 == 0)
            clip =
                RasterRect{int(random() % 9), int(random() % 5), width - int(random() % 9), height - int(random() % 5)};
        const RasterTarget target{&d.colour, &d.depth, clip};
        const bool wild = random() % 4 == 0;
        RasterVertex a = randomCorner(random, wild), b = randomCorner(random, wild), c = randomCorner(random, wild);
        if (random() % 3 == 0)
            b = nearlyAligned(random, a, random() % 2 == 0);
        if (random() % 4 == 0)  // a flat triangle takes a loop of its own
            b.r = c.r = a.r, b.g = c.g = a.g, b.b = c.b = a.b;
        soft::d3d::rasterizeTriangle(target, state, a, b, c);
    }
    d.written = soft::d3d::direct3DCounters().pixelsWritten;
    return d;
}

::testing::AssertionResult sameSurfaces(const SurfaceMemory& drawn, const SurfaceMemory& expected, const char* what)
{
    for (int y = 0; y < drawn.height; ++y)
        for (int x = 0; x < drawn.width; ++x)
            if (drawn.at(x, y) != expected.at(x, y))
                return ::testing::AssertionFailure() << what << " at " << x << "," << y << " is " << drawn.at(x, y)
                                                     << ", the plain loops give " << expected.at(x, y);
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(FamilyEdges, DepthTestedTrianglesMatchThePlainLoopsToTheCoordinateLimit)
{
    const KernelFamily before = soft::d3d::kernelFamily();
    RasterState state;
    state.depthTest = state.depthWrite = true;
    state.dither = true;
    int compared = 0;
    for (KernelFamily family : {KernelFamily::sse2, KernelFamily::avx2, KernelFamily::neon}) {
        if (!soft::d3d::kernelFamilyRuns(family))
            continue;
        for (PixelFormat format : {PixelFormat::rgb565, PixelFormat::rgb555})
            for (unsigned seed = 1; seed <= 6; ++seed) {
                SCOPED_TRACE(::testing::Message() << soft::d3d::kernelFamilyName(family) << ", seed " << seed
                                                  << (format == PixelFormat::rgb565 ? ", 565" : ", 555"));
                const Drawing expected = drawUnder(KernelFamily::scalar, format, state, seed, 400);
                const Drawing drawn = drawUnder(family, format, state, seed, 400);
                EXPECT_TRUE(sameSurfaces(drawn.colour, expected.colour, "colour"));
                EXPECT_TRUE(sameSurfaces(drawn.depth, expected.depth, "depth"));
                EXPECT_EQ(drawn.written, expected.written);
                EXPECT_GT(expected.written, 1000u);  // the triangles reach the surface
                ++compared;
            }
    }
    soft::d3d::useKernelFamily(before);
    if (compared == 0)
        GTEST_SKIP() << "no vector family runs here";
}
