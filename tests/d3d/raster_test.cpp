// The rasteriser on plain surface memory: coverage under the fill rule, blending,
// dither, depth, lines and points, clipping to the target rectangle, pixel layouts.
#include "d3d_raster.h"
#include "d3d_soft.h"
#include "raster_support.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace d3dtest;
using soft::PixelFormat;
using soft::RasterState;
using soft::RasterVertex;
using soft::SurfaceMemory;

namespace {

constexpr uint16_t black = 0;

RasterState blending()
{
    RasterState state;
    state.blend = true;
    return state;
}

int redLevel(uint16_t pixel) { return pixel >> 11; }
int greenLevel565(uint16_t pixel) { return pixel >> 5 & 63; }
int blueLevel(uint16_t pixel) { return pixel & 31; }

// A grid of corners jittered by random sixteenths (and sometimes landing exactly on a
// pixel centre), split into triangles in both diagonal directions, covering the
// rectangle [left, right) x [top, bottom) of pixel centres.
std::vector<RasterVertex> jitteredGrid(float left, float top, float right, float bottom, int columns,
                                       int rows, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sixteenths(-20, 20);
    std::vector<RasterVertex> points;
    for (int j = 0; j <= rows; ++j)
        for (int i = 0; i <= columns; ++i) {
            float x = left + (right - left) * float(i) / float(columns);
            float y = top + (bottom - top) * float(j) / float(rows);
            if (i > 0 && i < columns)
                x += float(sixteenths(random)) / 16.0f;
            if (j > 0 && j < rows)
                y += float(sixteenths(random)) / 16.0f;
            if ((i + j) % 7 == 3 && i > 0 && i < columns && j > 0 && j < rows) {
                x = float(int(x));
                y = float(int(y));
            }
            points.push_back(corner(x, y));
        }
    std::vector<RasterVertex> triangles;
    auto at = [&](int i, int j) { return points[size_t(j) * (columns + 1) + i]; };
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            RasterVertex a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
            bool flip = (i + j) % 2 == 0;
            const RasterVertex tri[6] = {a, b, flip ? c : d, flip ? a : b, c, d};
            // Half of the triangles are sent in the other winding.
            for (int t = 0; t < 2; ++t) {
                const RasterVertex* v = tri + 3 * t;
                if ((i + j + t) % 3 == 0) {
                    triangles.insert(triangles.end(), {v[0], v[2], v[1]});
                } else {
                    triangles.insert(triangles.end(), {v[0], v[1], v[2]});
                }
            }
        }
    return triangles;
}

} // namespace

TEST(RasterCoverage, TrianglesSharingEdgesTouchEveryPixelExactlyOnce)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        SurfaceMemory surface(64, 48, PixelFormat::rgb565);
        fill(surface, black);
        const auto target = wholeTarget(surface);
        const auto grid = jitteredGrid(2.5f, 3.5f, 60.5f, 44.5f, 9, 7, seed);
        soft::resetDirect3DCounters();
        for (size_t i = 0; i < grid.size(); i += 3) {
            RasterVertex v[3] = {grid[i], grid[i + 1], grid[i + 2]};
            for (auto& p : v)
                p = withColour(p, 255, 255, 255, 127);
            soft::drawTriangle(target, blending(), v[0], v[1], v[2]);
        }
        // Once-blended white over black at 127 is level 15; twice would be 23.
        const int once = referenceBlend(255, 0, 127) >> 3;
        for (int y = 0; y < surface.height; ++y)
            for (int x = 0; x < surface.width; ++x) {
                bool inside = x >= 3 && x <= 60 && y >= 4 && y <= 44;
                ASSERT_EQ(redLevel(surface.at(x, y)), inside ? once : 0)
                    << "seed " << seed << " pixel " << x << "," << y;
            }
        EXPECT_EQ(soft::direct3DCounters().pixelsWritten, uint64_t(58 * 41));
    }
}

TEST(RasterCoverage, ScreenQuadOfTwoTrianglesHasNoSeam)
{
    SurfaceMemory surface(64, 48, PixelFormat::rgb565);
    fill(surface, black);
    const auto target = wholeTarget(surface);
    const float alpha = 127;
    RasterVertex tl = corner(0, 0, 0, 255, 255, 255, alpha), tr = corner(64, 0, 0, 255, 255, 255, alpha),
                 br = corner(64, 48, 0, 255, 255, 255, alpha), bl = corner(0, 48, 0, 255, 255, 255, alpha);
    soft::resetDirect3DCounters();
    soft::drawTriangle(target, blending(), tl, tr, br);
    soft::drawTriangle(target, blending(), tl, br, bl);
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, uint64_t(64 * 48));
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(redLevel(surface.at(x, y)), 15) << x << "," << y;
}

TEST(RasterCoverage, TopLeftRuleOnPixelCentres)
{
    // A square whose sides pass exactly through pixel centres owns its left and top
    // rows of centres, not its right and bottom ones.
    SurfaceMemory surface(16, 16, PixelFormat::rgb565);
    fill(surface, black);
    soft::resetDirect3DCounters();
    soft::drawTriangle(wholeTarget(surface), RasterState{}, corner(2, 3), corner(6, 3), corner(6, 8));
    soft::drawTriangle(wholeTarget(surface), RasterState{}, corner(2, 3), corner(6, 8), corner(2, 8));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(surface.at(x, y) != 0, x >= 2 && x < 6 && y >= 3 && y < 8) << x << "," << y;
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, 20u);
}

TEST(RasterClip, NothingOutsideTheTargetRectangleIsTouched)
{
    SurfaceMemory surface(40, 30, PixelFormat::rgb565);
    fill(surface, 0x1234);
    auto target = wholeTarget(surface);
    target.clip = soft::RasterRect{10, 5, 20, 15};
    soft::resetDirect3DCounters();
    soft::drawTriangle(target, RasterState{}, corner(-500, -500), corner(900, -20), corner(10, 700));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= 10 && x < 20 && y >= 5 && y < 15;
            ASSERT_EQ(surface.at(x, y), inside ? 0xFFFF : 0x1234) << x << "," << y;
        }
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, 100u);
}

TEST(RasterBlend, AlphaZeroHalfAndFullAgainstTheFormula)
{
    const int alphas[] = {0, 127, 255};
    const uint16_t backgrounds[] = {0x0000, 0xFFFF, 0xF800, 0x07E0, 0x001F, 0x8410, 0x39E7, 0xC618};
    for (bool dither : {false, true})
        for (int alpha : alphas) {
            SurfaceMemory surface(32, 8, PixelFormat::rgb565);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 32; ++x)
                    surface.at(x, y) = backgrounds[x / 4];
            RasterState state = blending();
            state.dither = dither;
            const float r = 200, g = 90, b = 30;
            soft::drawTriangle(wholeTarget(surface), state, corner(0, 0, 0, r, g, b, float(alpha)),
                               corner(32, 0, 0, r, g, b, float(alpha)), corner(32, 8, 0, r, g, b, float(alpha)));
            soft::drawTriangle(wholeTarget(surface), state, corner(0, 0, 0, r, g, b, float(alpha)),
                               corner(32, 8, 0, r, g, b, float(alpha)), corner(0, 8, 0, r, g, b, float(alpha)));
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 32; ++x) {
                    const soft::Rgb8 old = soft::unpackColour(PixelFormat::rgb565, backgrounds[x / 4]);
                    const uint16_t pixel = surface.at(x, y);
                    if (alpha == 0) {
                        ASSERT_EQ(pixel, backgrounds[x / 4]) << "alpha 0 changes nothing";
                        continue;
                    }
                    const int er = referenceBlend(int(r), old.r, alpha);
                    const int eg = referenceBlend(int(g), old.g, alpha);
                    const int eb = referenceBlend(int(b), old.b, alpha);
                    if (!dither) {
                        ASSERT_EQ(redLevel(pixel), er >> 3) << alpha << " at " << x;
                        ASSERT_EQ(greenLevel565(pixel), eg >> 2) << alpha << " at " << x;
                        ASSERT_EQ(blueLevel(pixel), eb >> 3) << alpha << " at " << x;
                    } else {
                        // Dither moves a channel at most to the next level up.
                        ASSERT_NEAR(redLevel(pixel), er * 31.0 / 255.0, 1.0);
                        ASSERT_NEAR(greenLevel565(pixel), eg * 63.0 / 255.0, 1.0);
                        ASSERT_NEAR(blueLevel(pixel), eb * 31.0 / 255.0, 1.0);
                    }
                }
        }
}

TEST(RasterBlend, FullStrengthFadesGiveExactWhiteAndBlack)
{
    for (bool dither : {false, true})
        for (int white : {0, 255}) {
            SurfaceMemory surface(16, 16, PixelFormat::rgb565);
            fill(surface, 0x5AEB);
            RasterState state = blending();
            state.dither = dither;
            const float c = float(white);
            soft::drawTriangle(wholeTarget(surface), state, corner(0, 0, 0, c, c, c), corner(16, 0, 0, c, c, c),
                               corner(16, 16, 0, c, c, c));
            soft::drawTriangle(wholeTarget(surface), state, corner(0, 0, 0, c, c, c), corner(16, 16, 0, c, c, c),
                               corner(0, 16, 0, c, c, c));
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(surface.at(x, y), white ? 0xFFFF : 0x0000);
        }
}

TEST(RasterDither, HalfWayBetweenLevelsMakesACheckerboard)
{
    // Red 103 lies half way between level 12 (99) and level 13 (107).
    SurfaceMemory surface(16, 16, PixelFormat::rgb565);
    RasterState state;
    state.dither = true;
    soft::drawTriangle(wholeTarget(surface), state, corner(0, 0, 0, 103, 0, 0), corner(16, 0, 0, 103, 0, 0),
                       corner(16, 16, 0, 103, 0, 0));
    soft::drawTriangle(wholeTarget(surface), state, corner(0, 0, 0, 103, 0, 0), corner(16, 16, 0, 103, 0, 0),
                       corner(0, 16, 0, 103, 0, 0));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(redLevel(surface.at(x, y)), (x + y) % 2 == 0 ? 13 : 12) << x << "," << y;
}

TEST(RasterDither, EveryValueReachesTheLevelOfTheFormula)
{
    // One row per 8-bit value, 21 pixels wide so that both the groups of eight and the
    // pixels left over are drawn; opaque and blended, with and without dither.
    for (PixelFormat format : {PixelFormat::rgb565, PixelFormat::rgb555})
        for (bool dither : {false, true})
            for (int alpha : {255, 100}) {
                SurfaceMemory surface(21, 256, format);
                for (int y = 0; y < 256; ++y)
                    for (int x = 0; x < 21; ++x)
                        surface.at(x, y) = uint16_t((x * 2654435761u + y * 40503u) >> 7) & 0x7FFF;
                const SurfaceMemory before = surface;
                RasterState state = blending();
                state.dither = dither;
                for (int v = 0; v < 256; ++v) {
                    const float r = float(v), g = float(255 - v), b = float(v * 7 & 255), a = float(alpha);
                    const float top = float(v) - 0.5f, bottom = float(v) + 0.5f;
                    soft::drawTriangle(wholeTarget(surface), state, corner(0, top, 0, r, g, b, a),
                                       corner(21, top, 0, r, g, b, a), corner(21, bottom, 0, r, g, b, a));
                    soft::drawTriangle(wholeTarget(surface), state, corner(0, top, 0, r, g, b, a),
                                       corner(21, bottom, 0, r, g, b, a), corner(0, bottom, 0, r, g, b, a));
                }
                const int greenBits = format == PixelFormat::rgb555 ? 5 : 6;
                const int redShift = format == PixelFormat::rgb555 ? 10 : 11;
                for (int y = 0; y < 256; ++y)
                    for (int x = 0; x < 21; ++x) {
                        const soft::Rgb8 old = soft::unpackColour(format, before.at(x, y));
                        const int source[3] = {y, 255 - y, y * 7 & 255};
                        const int previous[3] = {old.r, old.g, old.b};
                        int value[3];
                        for (int c = 0; c < 3; ++c)
                            value[c] = alpha == 255 ? source[c] : referenceBlend(source[c], previous[c], alpha);
                        const uint16_t expected =
                            uint16_t(soft::reduceChannel(value[0], 5, dither, x, y) << redShift |
                                     soft::reduceChannel(value[1], greenBits, dither, x, y) << 5 |
                                     soft::reduceChannel(value[2], 5, dither, x, y));
                        ASSERT_EQ(surface.at(x, y), expected)
                            << "value " << y << " column " << x << (dither ? " dithered" : "") << " alpha " << alpha;
                    }
            }
}

TEST(RasterDither, AverageFollowsTheValueAndExactLevelsStayExact)
{
    for (int value = 0; value < 256; ++value) {
        int total = 0;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                total += soft::reduceChannel(value, 5, true, x, y);
        // The mean over one 4 x 4 tile stays close to the value's exact level.
        const double level = double(value) * 31.0 / 255.0;
        EXPECT_NEAR(total / 16.0, level, 0.13) << value;
        EXPECT_EQ(soft::reduceChannel(value, 5, false, 1, 2), value >> 3);
        EXPECT_EQ(soft::reduceChannel(value, 6, false, 3, 0), value >> 2);
    }
    for (int level = 0; level < 64; ++level) {
        const int value = level << 2 | level >> 4;
        for (int phase = 0; phase < 16; ++phase)
            ASSERT_EQ(soft::reduceChannel(value, 6, true, phase % 4, phase / 4), level);
    }
}

TEST(RasterDepth, NearerWinsWhicheverIsDrawnFirst)
{
    for (bool nearFirst : {false, true}) {
        SurfaceMemory surface(32, 32, PixelFormat::rgb565), depth(32, 32, PixelFormat::rgb565);
        fill(surface, black);
        fill(depth, 0xFFFF);
        RasterState state;
        state.depthTest = state.depthWrite = true;
        auto drawAt = [&](float z, float red) {
            soft::drawTriangle(wholeTarget(surface, &depth), state, corner(0, 0, z, red, 0, 0),
                               corner(32, 0, z, red, 0, 0), corner(0, 32, z, red, 0, 0));
        };
        if (nearFirst) {
            drawAt(0.25f, 255);
            drawAt(0.75f, 128);
        } else {
            drawAt(0.75f, 128);
            drawAt(0.25f, 255);
        }
        EXPECT_EQ(redLevel(surface.at(3, 3)), 31);
        EXPECT_EQ(depth.at(3, 3), uint16_t(0.25 * 65535));
        EXPECT_EQ(depth.at(31, 31), 0xFFFF) << "outside both triangles";
    }
}

TEST(RasterDepth, CompareFunctionsAndWriteMask)
{
    struct Case {
        uint8_t mask;
        bool passesEqual, passesNearer, passesFarther;
    };
    const Case cases[] = {
        {soft::depthPassNearer | soft::depthPassEqual, true, true, false},  // less or equal
        {soft::depthPassNearer, false, true, false},                        // less
        {soft::depthPassFarther, false, false, true},                       // greater
        {0, false, false, false},                                           // never
    };
    for (const Case& c : cases)
        for (float z : {0.5f, 0.25f, 0.75f}) {
            SurfaceMemory surface(8, 8, PixelFormat::rgb565), depth(8, 8, PixelFormat::rgb565);
            fill(surface, black);
            fill(depth, uint16_t(0.5 * 65535));
            RasterState state;
            state.depthTest = true;
            state.depthWrite = false;
            state.depthPassMask = c.mask;
            soft::drawTriangle(wholeTarget(surface, &depth), state, corner(0, 0, z), corner(8, 0, z),
                               corner(0, 8, z));
            const bool expected = z == 0.5f ? c.passesEqual : z < 0.5f ? c.passesNearer : c.passesFarther;
            EXPECT_EQ(surface.at(1, 1) != 0, expected) << int(c.mask) << " at " << z;
            EXPECT_EQ(depth.at(1, 1), uint16_t(0.5 * 65535)) << "writes are off";
        }
}

TEST(RasterDepth, DepthFollowsThePlaneAcrossTheTriangle)
{
    SurfaceMemory surface(64, 4, PixelFormat::rgb565), depth(64, 4, PixelFormat::rgb565);
    fill(depth, 0xFFFF);
    RasterState state;
    state.depthTest = state.depthWrite = true;
    soft::drawTriangle(wholeTarget(surface, &depth), state, corner(0, -10, 0), corner(64, -10, 1),
                       corner(0, 20, 0));
    for (int x = 1; x < 40; ++x)
        EXPECT_NEAR(depth.at(x, 1), x / 64.0 * 65535, 2.0) << x;
}

TEST(RasterShading, GouraudColourFollowsTheCorners)
{
    SurfaceMemory surface(64, 8, PixelFormat::rgb565);
    soft::drawTriangle(wholeTarget(surface), RasterState{}, corner(0, 0, 0, 0, 0, 255), corner(64, 0, 0, 255, 0, 0),
                       corner(64, 8, 0, 255, 0, 0));
    soft::drawTriangle(wholeTarget(surface), RasterState{}, corner(0, 0, 0, 0, 0, 255), corner(64, 8, 0, 255, 0, 0),
                       corner(0, 8, 0, 0, 0, 255));
    for (int x = 0; x < 64; ++x) {
        const double red = 255.0 * x / 64.0;
        EXPECT_NEAR(redLevel(surface.at(x, 4)), red / 8.0, 1.0) << x;
        EXPECT_NEAR(blueLevel(surface.at(x, 4)), (255.0 - red) / 8.0, 1.0) << x;
    }
}

TEST(RasterLines, OnePixelPerColumnOrRowBetweenTheEnds)
{
    SurfaceMemory surface(32, 32, PixelFormat::rgb565);
    fill(surface, black);
    const auto target = wholeTarget(surface);
    soft::resetDirect3DCounters();
    soft::drawLine(target, RasterState{}, corner(2, 5), corner(12, 5));
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(surface.at(x, y) != 0, y == 5 && x >= 2 && x < 12) << x << "," << y;
    soft::drawLine(target, RasterState{}, corner(20, 8), corner(25, 28));  // steep
    for (int y = 8; y < 28; ++y) {
        int count = 0;
        for (int x = 16; x < 32; ++x)
            count += surface.at(x, y) != 0;
        EXPECT_EQ(count, 1) << "row " << y;
    }
    soft::drawLine(target, RasterState{}, corner(3, 10), corner(13, 20));  // diagonal
    for (int x = 3; x < 13; ++x)
        EXPECT_NE(surface.at(x, x + 7), 0) << x;
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, uint64_t(10 + 20 + 10));
}

TEST(RasterPoints, ThePixelNearestThePoint)
{
    SurfaceMemory surface(16, 16, PixelFormat::rgb565);
    fill(surface, black);
    soft::resetDirect3DCounters();
    soft::drawPoint(wholeTarget(surface), RasterState{}, corner(7.4f, 3.6f));
    EXPECT_EQ(soft::direct3DCounters().pixelsWritten, 1u);
    EXPECT_NE(surface.at(7, 4), 0);
}

TEST(RasterTarget, PaddedPitchAnd555GiveTheSamePicture)
{
    auto draw = [](SurfaceMemory& surface, bool dither) {
        fill(surface, 0x4208 & (surface.format == PixelFormat::rgb555 ? 0x7FFF : 0xFFFF));
        RasterState state = blending();
        state.dither = dither;
        const auto target = wholeTarget(surface);
        soft::drawTriangle(target, state, corner(3, 2, 0, 255, 0, 0, 255), corner(60, 10, 0, 0, 255, 0, 200),
                           corner(20, 45, 0, 0, 0, 255, 90));
        soft::drawTriangle(target, state, corner(63, 47, 0, 250, 250, 10, 160), corner(0, 30, 0, 10, 120, 250, 255),
                           corner(50, 0, 0, 120, 60, 30, 40));
        soft::drawLine(target, state, corner(1, 46, 0, 255, 255, 255), corner(62, 1, 0, 255, 255, 255));
    };
    for (bool dither : {false, true}) {
        SurfaceMemory plain(64, 48, PixelFormat::rgb565), padded(64, 48, PixelFormat::rgb565, 38);
        std::fill(padded.bytes.begin(), padded.bytes.end(), uint8_t(0xAB));
        draw(plain, dither);
        draw(padded, dither);
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(plain.at(x, y), padded.at(x, y)) << x << "," << y;
            for (int b = 128; b < padded.pitch; ++b)
                ASSERT_EQ(padded.bytes[size_t(y) * padded.pitch + b], 0xAB) << "padding of row " << y;
        }
    }
    // Opaque over black, 5-5-5 keeps the same red and blue and one bit less green.
    auto drawOpaque = [](SurfaceMemory& surface) {
        fill(surface, black);
        const auto target = wholeTarget(surface);
        soft::drawTriangle(target, RasterState{}, corner(3, 2, 0, 255, 0, 0), corner(60, 10, 0, 0, 255, 0),
                           corner(20, 45, 0, 0, 0, 255));
        soft::drawLine(target, RasterState{}, corner(1, 46, 0, 255, 200, 100), corner(62, 1, 0, 255, 200, 100));
    };
    SurfaceMemory wide(64, 48, PixelFormat::rgb565), narrow(64, 48, PixelFormat::rgb555);
    drawOpaque(wide);
    drawOpaque(narrow);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const uint16_t w = wide.at(x, y), n = narrow.at(x, y);
            ASSERT_EQ(w >> 11, n >> 10 & 31) << x << "," << y;
            ASSERT_EQ((w >> 5 & 63) >> 1, n >> 5 & 31) << x << "," << y;
            ASSERT_EQ(w & 31, n & 31) << x << "," << y;
        }
}
