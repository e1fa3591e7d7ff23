// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "gdi/bitmap_file.h"
#include "gen_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

using Rgb = std::array<uint8_t, 3>;

struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;  // top row first
    const Rgb& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool transparent(int x, int y) const { return at(x, y) == Rgb{0, 0, 255}; }
    int transparentCount(int left, int top, int right, int bottom) const
    {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += transparent(x, y);
        return n;
    }
};

// Read as the demo's loader reads it: a 640 x 480 bottom-up BITMAPINFOHEADER picture, 24 bits, uncompressed.
Picture readBitmap(const std::string& name)
{
    const std::vector<uint8_t> b = readDataFile(name);
    std::string why;
    const std::optional<soft::gdi::DecodedBitmap> d = soft::gdi::readBitmapFile(b.data(), b.size(), &why);
    Picture pic;
    EXPECT_TRUE(d) << name << ": " << why;
    if (!d)
        return pic;
    EXPECT_EQ(
        (std::array{d->width, d->height, d->bitsPerPixel, int(d->compression), int(d->headerKind), int(d->topDown)}),
        (std::array{640, 480, 24, 0, int(soft::gdi::HeaderKind::info), 0}))
        << name;
    pic.width = d->width, pic.height = d->height;
    for (uint32_t p : d->pixels)
        pic.pixels.push_back({uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    return pic;
}

uint16_t to565(Rgb p) { return uint16_t((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | (p[2] >> 3)); }
uint16_t to555(Rgb p) { return uint16_t((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3)); }
constexpr uint16_t colourKey = 0x001F;

const char* const pictureNames[] = {"loop.bmp",    "woody.bmp", "bonde.bmp",  "lame.bmp",     "back2.bmp",
                                    "circles.bmp", "lines.bmp", "mannen.bmp", "nurturei.bmp", "rightnow.bmp"};

TEST(Pictures, AreFullScreenAndOnlyTheExactKeyBecomesTransparentInEitherPixelFormat)
{
    for (const char* name : pictureNames) {
        const Picture pic = readBitmap(name);
        ASSERT_EQ(pic.pixels.size(), 640u * 480u) << name;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                ASSERT_TRUE(pic.transparent(x, y) ||
                            (to565(pic.at(x, y)) != colourKey && to555(pic.at(x, y)) != colourKey))
                    << name << " opaque pixel " << x << "," << y;
    }
}

TEST(Pictures, HouseBandsHoldArtOnlyBelowRow320AndShowTheSceneAroundIt)
{
    constexpr int bandTop = 320, bandPixels = 640 * (480 - bandTop);
    for (const char* name : {"loop.bmp", "woody.bmp", "back2.bmp"}) {
        const Picture pic = readBitmap(name);
        ASSERT_EQ(pic.height, 480);
        EXPECT_EQ(pic.transparentCount(0, 0, 640, bandTop), 640 * bandTop) << name << " paints above the band";
        const int clear = pic.transparentCount(0, bandTop, 640, 480);
        EXPECT_GT(clear, bandPixels / 10) << name << ": the band should leave the scene visible around the art";
        EXPECT_LT(clear, bandPixels * 9 / 10) << name << ": the band holds hardly any art";
    }
}

// Backdrops and stills hide everything under them (the effects draw over the backdrops' windows).
TEST(Pictures, BackdropsAndStillsAreOpaque)
{
    for (const char* name : {"circles.bmp", "lines.bmp", "rightnow.bmp", "bonde.bmp", "lame.bmp"}) {
        const Picture pic = readBitmap(name);
        ASSERT_EQ(pic.height, 480);
        EXPECT_EQ(pic.transparentCount(0, 0, 640, 480), 0) << name;
    }
}

TEST(Pictures, OverlaysLetTheEffectShowThroughTheirMiddle)
{
    for (const char* name : {"mannen.bmp", "nurturei.bmp"}) {
        const int clear = readBitmap(name).transparentCount(0, 0, 640, 480);
        EXPECT_GT(clear, 640 * 480 / 2) << name;
        EXPECT_LT(clear, 640 * 480 * 19 / 20) << name << " has almost no art";
    }
    // The light-beam frame is opaque all round the edge; its middle is clear.
    const Picture frame = readBitmap("nurturei.bmp");
    ASSERT_EQ(frame.height, 480);
    EXPECT_EQ(frame.transparentCount(0, 2, 640, 3) + frame.transparentCount(0, 477, 640, 478), 0);
    EXPECT_GE(frame.transparentCount(0, 100, 640, 380), 560 * 280);
}

TEST(WarpTexture, Is256By256RgbAndTilesWithoutASeam)
{
    const std::vector<uint8_t> t = readDataFile("screen1tex.raw");
    ASSERT_EQ(t.size(), 196608u);
    auto texel = [&](int u, int v, int c) { return int(t[(size_t(v & 255) * 256 + size_t(u & 255)) * 3 + size_t(c)]); };
    // The step across the wrap, in either direction, is no larger than steps inside the tile.
    auto worstStep = [&](int at, bool horizontal) {
        int worst = 0;
        for (int k = 0; k < 256; ++k)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, horizontal ? std::abs(texel(at, k, c) - texel(at + 1, k, c))
                                                   : std::abs(texel(k, at, c) - texel(k, at + 1, c)));
        return worst;
    };
    for (bool horizontal : {true, false})
        EXPECT_LE(worstStep(255, horizontal), worstStep(127, horizontal) + 8) << horizontal;
    // And it is a picture, not a flat fill.
    const auto [lo, hi] = std::minmax_element(t.begin(), t.end());
    EXPECT_GT(*hi - *lo, 150);
}

}  // namespace
