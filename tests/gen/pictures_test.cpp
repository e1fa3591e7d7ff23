#include "gen_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<std::array<uint8_t, 3>> pixels;  // top row first, (r, g, b)
    bool transparent(int x, int y) const
    {
        auto p = pixels[size_t(y) * size_t(width) + size_t(x)];
        return p[0] == 0 && p[1] == 0 && p[2] == 255;
    }
    const std::array<uint8_t, 3>& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + size_t(i)];
    return v;
}

// Reads the file as Windows would, checking the fields the demo's bitmap loader relies on.
Picture readBitmap(const std::string& name)
{
    const std::vector<uint8_t> b = readDataFile(name);
    Picture pic;
    EXPECT_GE(b.size(), 54u) << name;
    if (b.size() < 54)
        return pic;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le(b, 2, 4), b.size()) << name << ": file size field";
    const uint32_t offset = le(b, 10, 4);
    EXPECT_EQ(le(b, 14, 4), 40u) << name << ": BITMAPINFOHEADER";
    pic.width = int(le(b, 18, 4));
    pic.height = int(le(b, 22, 4));  // positive: bottom-up
    EXPECT_EQ(le(b, 26, 2), 1u) << name << ": planes";
    EXPECT_EQ(le(b, 28, 2), 24u) << name << ": bits per pixel";
    EXPECT_EQ(le(b, 30, 4), 0u) << name << ": BI_RGB";
    const size_t rowBytes = (size_t(pic.width) * 3 + 3) & ~size_t(3);
    EXPECT_EQ(b.size(), offset + rowBytes * size_t(pic.height)) << name;
    if (b.size() < offset + rowBytes * size_t(pic.height))
        return {};
    pic.pixels.resize(size_t(pic.width) * size_t(pic.height));
    for (int y = 0; y < pic.height; ++y) {
        const uint8_t* row = &b[offset + rowBytes * size_t(pic.height - 1 - y)];
        for (int x = 0; x < pic.width; ++x)
            pic.pixels[size_t(y) * size_t(pic.width) + size_t(x)] = {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    }
    return pic;
}

uint16_t to565(std::array<uint8_t, 3> p) { return uint16_t((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | (p[2] >> 3)); }
uint16_t to555(std::array<uint8_t, 3> p) { return uint16_t((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3)); }
constexpr uint16_t colourKey = 0x001F;

const char* const pictureNames[] = {"loop.bmp",    "woody.bmp", "bonde.bmp",  "lame.bmp",     "back2.bmp",
                                    "circles.bmp", "lines.bmp", "mannen.bmp", "nurturei.bmp", "rightnow.bmp"};

TEST(Pictures, AreFullScreenAndOnlyTheExactKeyBecomesTransparentInEitherPixelFormat)
{
    for (const char* name : pictureNames) {
        const Picture pic = readBitmap(name);
        ASSERT_EQ(pic.width, 640) << name;
        ASSERT_EQ(pic.height, 480) << name;
        for (int y = 0; y < pic.height; ++y)
            for (int x = 0; x < pic.width; ++x) {
                if (pic.transparent(x, y))
                    continue;
                ASSERT_NE(to565(pic.at(x, y)), colourKey) << name << " opaque pixel " << x << "," << y;
                ASSERT_NE(to555(pic.at(x, y)), colourKey) << name << " opaque pixel " << x << "," << y;
            }
    }
}

int transparentCount(const Picture& pic, int top, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < pic.width; ++x)
            n += pic.transparent(x, y);
    return n;
}

TEST(Pictures, HouseBandsHoldArtOnlyBelowRow320AndShowTheSceneAroundIt)
{
    constexpr int bandTop = 320;
    for (const char* name : {"loop.bmp", "woody.bmp", "back2.bmp"}) {
        const Picture pic = readBitmap(name);
        ASSERT_EQ(pic.height, 480);
        EXPECT_EQ(transparentCount(pic, 0, bandTop), 640 * bandTop) << name << " paints above the band";
        const int bandPixels = 640 * (480 - bandTop);
        const int clear = transparentCount(pic, bandTop, 480);
        EXPECT_GT(clear, bandPixels / 10) << name << ": the band should leave the scene visible around the art";
        EXPECT_LT(clear, bandPixels * 9 / 10) << name << ": the band holds hardly any art";
    }
    // The three bands are different pictures.
    EXPECT_NE(readDataFile("loop.bmp"), readDataFile("woody.bmp"));
    EXPECT_NE(readDataFile("woody.bmp"), readDataFile("back2.bmp"));
    EXPECT_NE(readDataFile("loop.bmp"), readDataFile("back2.bmp"));
}

TEST(Pictures, BackdropsAndStillsAreOpaqueAndFrameTheirWindowsInBlack)
{
    for (const char* name : {"circles.bmp", "lines.bmp", "rightnow.bmp", "bonde.bmp", "lame.bmp"}) {
        const Picture pic = readBitmap(name);
        ASSERT_EQ(pic.height, 480);
        EXPECT_EQ(transparentCount(pic, 0, 480), 0) << name;
    }
    struct Window {
        const char* name;
        int left, top, right, bottom;  // exclusive
    };
    for (Window w : {Window{"circles.bmp", 300, 140, 540, 340}, Window{"lines.bmp", 376, 82, 625, 275},
                     Window{"rightnow.bmp", 365, 88, 618, 301}}) {
        const Picture pic = readBitmap(w.name);
        ASSERT_EQ(pic.height, 480);
        long insideLight = 0, frameLight = 0;
        for (int y = w.top; y < w.bottom; ++y)
            for (int x = w.left; x < w.right; ++x)
                insideLight += pic.at(x, y)[0] + pic.at(x, y)[1] + pic.at(x, y)[2];
        // A frame ring a few pixels outside the window.
        for (int x = w.left - 6; x < w.right + 6; ++x)
            for (int y : {w.top - 5, w.bottom + 4})
                frameLight += pic.at(x, y)[0] + pic.at(x, y)[1] + pic.at(x, y)[2];
        EXPECT_LT(insideLight, long(w.right - w.left) * (w.bottom - w.top) * 3 * 8) << w.name << ": window not dark";
        EXPECT_GT(frameLight / (2 * (w.right - w.left + 12)), 120) << w.name << ": no visible frame round the window";
    }
}

TEST(Pictures, OverlaysLetTheEffectShowThroughTheirMiddle)
{
    for (const char* name : {"mannen.bmp", "nurturei.bmp"}) {
        const Picture pic = readBitmap(name);
        ASSERT_EQ(pic.height, 480);
        const int clear = transparentCount(pic, 0, 480);
        EXPECT_GT(clear, 640 * 480 / 2) << name;
        EXPECT_LT(clear, 640 * 480 * 19 / 20) << name << " has almost no art";
    }
    // The light-beam frame is opaque all round the edge; its middle is clear.
    const Picture frame = readBitmap("nurturei.bmp");
    for (int x = 0; x < 640; ++x) {
        EXPECT_FALSE(frame.transparent(x, 2));
        EXPECT_FALSE(frame.transparent(x, 477));
    }
    EXPECT_GE(transparentCount(frame, 100, 380), 560 * 280);
}

TEST(WarpTexture, Is256By256RgbAndTilesWithoutASeam)
{
    const std::vector<uint8_t> t = readDataFile("screen1tex.raw");
    ASSERT_EQ(t.size(), 196608u);
    auto texel = [&](int u, int v, int c) { return int(t[(size_t(v & 255) * 256 + size_t(u & 255)) * 3 + size_t(c)]); };
    // The step across the wrap, in either direction, is no larger than steps inside the tile.
    auto worstStep = [&](bool acrossWrap, bool horizontal) {
        int worst = 0;
        for (int k = 0; k < 256; ++k)
            for (int c = 0; c < 3; ++c) {
                int at = acrossWrap ? 255 : 127;
                int a = horizontal ? texel(at, k, c) : texel(k, at, c);
                int b = horizontal ? texel(at + 1, k, c) : texel(k, at + 1, c);
                worst = std::max(worst, std::abs(a - b));
            }
        return worst;
    };
    EXPECT_LE(worstStep(true, true), worstStep(false, true) + 8);
    EXPECT_LE(worstStep(true, false), worstStep(false, false) + 8);
    // And it is a picture, not a flat fill.
    int lo = 255, hi = 0;
    for (uint8_t b : t) {
        lo = std::min<int>(lo, b);
        hi = std::max<int>(hi, b);
    }
    EXPECT_GT(hi - lo, 150);
}

}  // namespace
