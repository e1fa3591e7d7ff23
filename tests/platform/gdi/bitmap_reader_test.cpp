// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The bitmap reader: every variant the platform reads decodes to the same picture,
// and malformed files are refused without reading outside them.
#include "gdi/bitmap_file.h"

#include "bitmap_files.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>

using gdi_test::BitmapSpec;
using gdi_test::buildBitmap;
using soft::gdi::DecodedBitmap;

namespace {

// Eight colours with every channel 0 or 255, exact in every depth.
const std::vector<uint32_t> eightColours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                            0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
constexpr int pictureWidth = 5;  // odd, so that every depth pads its rows
constexpr int pictureHeight = 3;

int referenceIndex(int x, int y, int bpp) { return (x + 2 * y + 1) % (bpp >= 3 ? 8 : 1 << bpp); }

uint32_t pack(uint32_t rgb, const uint32_t masks[3])
{
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        uint32_t channel = rgb >> (16 - 8 * c) & 0xFF;  // red, green, blue
        int shift = __builtin_ctz(masks[c]), bits = 32 - __builtin_clz(masks[c]) - shift;
        out |= (channel >> (8 - bits)) << shift;
    }
    return out;
}

struct Variant {
    const char* name;
    uint32_t headerSize;
    int bpp;
    uint32_t compression;
    bool topDown;
    uint32_t masks[3];
    uint32_t coloursUsed;
};

const Variant variants[] = {
    {"core 1-bit", 12, 1, 0, false, {}, 0},
    {"core 4-bit", 12, 4, 0, false, {}, 0},
    {"core 8-bit", 12, 8, 0, false, {}, 0},
    {"core 24-bit", 12, 24, 0, false, {}, 0},
    {"info 1-bit", 40, 1, 0, false, {}, 0},
    {"info 4-bit", 40, 4, 0, false, {}, 0},
    {"info 8-bit", 40, 8, 0, false, {}, 0},
    {"info 8-bit, short palette", 40, 8, 0, false, {}, 8},
    {"info 16-bit 5-5-5", 40, 16, 0, false, {0x7C00, 0x03E0, 0x001F}, 0},
    {"info 24-bit", 40, 24, 0, false, {}, 0},
    {"info 32-bit", 40, 32, 0, false, {0xFF0000, 0xFF00, 0xFF}, 0},
    {"info 16-bit masks 5-6-5", 40, 16, 3, false, {0xF800, 0x07E0, 0x001F}, 0},
    {"info 32-bit masks, channels swapped", 40, 32, 3, false, {0xFF, 0xFF00, 0xFF0000}, 0},
    {"v2 16-bit masks 4-4-4", 52, 16, 3, false, {0x0F00, 0x00F0, 0x000F}, 0},
    {"v3 32-bit masks", 56, 32, 3, false, {0xFF000000, 0xFF0000, 0xFF00}, 0},
    {"v4 24-bit", 108, 24, 0, false, {}, 0},
    {"v4 16-bit masks 5-6-5", 108, 16, 3, false, {0xF800, 0x07E0, 0x001F}, 0},
    {"v5 8-bit", 124, 8, 0, false, {}, 0},
    {"v5 32-bit masks", 124, 32, 3, false, {0xFF0000, 0xFF00, 0xFF}, 0},
    {"info 8-bit top-down", 40, 8, 0, true, {}, 0},
    {"info 24-bit top-down", 40, 24, 0, true, {}, 0},
    {"v5 16-bit masks top-down", 124, 16, 3, true, {0xF800, 0x07E0, 0x001F}, 0},
};

std::vector<uint8_t> buildVariant(const Variant& v)
{
    BitmapSpec layout{pictureWidth, pictureHeight, v.bpp, v.compression, v.headerSize, v.topDown};
    layout.coloursUsed = v.coloursUsed;
    std::copy(v.masks, v.masks + 3, layout.masks);
    if (v.bpp <= 8) {
        layout.palette.assign(eightColours.begin(),
                              eightColours.begin() + (v.coloursUsed ? v.coloursUsed : std::min(8, 1 << v.bpp)));
        if (!v.coloursUsed)
            layout.palette.resize(size_t(1) << v.bpp, 0x123456);  // the unused rest of a full table
    }
    std::vector<uint32_t> values;
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) {
            uint32_t index = uint32_t(referenceIndex(x, y, v.bpp)), rgb = eightColours[index];
            values.push_back(v.bpp <= 8 ? index : v.bpp == 24 ? rgb : pack(rgb, v.masks));
        }
    return buildBitmap(layout, values);
}

std::optional<DecodedBitmap> read(const std::vector<uint8_t>& file, std::string* why = nullptr)
{
    return soft::gdi::readBitmapFile(file.data(), file.size(), why);
}

class Variants : public testing::TestWithParam<Variant> { };
void PrintTo(const Variant& v, std::ostream* out) { *out << v.name; }

TEST_P(Variants, DecodeToThePictureAndEveryTruncationIsRefused)
{
    const Variant& v = GetParam();
    std::vector<uint8_t> file = buildVariant(v);
    std::string why;
    std::optional<DecodedBitmap> bitmap = read(file, &why);
    ASSERT_TRUE(bitmap) << why;
    const std::map<uint32_t, std::string> kinds = {{12, "core"}, {40, "info"}, {52, "v2"},
                                                   {56, "v3"},   {108, "v4"},  {124, "v5"}};
    EXPECT_EQ((std::array{bitmap->width, bitmap->height, bitmap->bitsPerPixel, int(bitmap->compression),
                          int(bitmap->topDown), bitmap->paletteSize}),
              (std::array{pictureWidth, pictureHeight, v.bpp, int(v.compression), int(v.topDown),
                          v.bpp > 8       ? 0
                          : v.coloursUsed ? int(v.coloursUsed)
                                          : 1 << v.bpp}));
    EXPECT_EQ(soft::gdi::headerKindName(bitmap->headerKind), kinds.at(v.headerSize));
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x)
            ASSERT_EQ(bitmap->pixels[size_t(y * pictureWidth + x)], eightColours[size_t(referenceIndex(x, y, v.bpp))])
                << x << "," << y;
    // Each cut is a copy of exactly n bytes: the fuzzing build's address sanitizer catches reads past it.
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> prefix(file.begin(), file.begin() + ptrdiff_t(n));
        ASSERT_FALSE(read(prefix)) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(BitmapReader, Variants, testing::ValuesIn(variants));

void expectPixels(const BitmapSpec& layout, const std::vector<uint32_t>& values, const std::vector<uint32_t>& pixels,
                  int paletteSize)
{
    std::optional<DecodedBitmap> b = read(buildBitmap(layout, values));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->paletteSize, paletteSize);
    EXPECT_EQ(b->pixels, pixels);
}

TEST(BitmapReader, ChannelsExpandToFullIntensityAndIndexesPastThePaletteAreBlack)
{
    // A 5-bit channel of 31 is 255 and one of 16 is 0x84, so that reducing it to 5 bits gives it back.
    expectPixels({3, 1, 16}, {0x7FFF, 16u << 10 | 16u << 5 | 16u, 1u << 10}, {0xFFFFFF, 0x848484, 0x080000}, 0);
    expectPixels({3, 1, 8, 0, 40, false, {0xFF0000, 0x00FF00}, 2}, {1, 2, 200}, {0x00FF00, 0, 0}, 2);
    // No biClrUsed, but the pixels start after 3 entries.
    expectPixels({4, 1, 8, 0, 40, false, {0xFF0000, 0x00FF00, 0x0000FF}}, {0, 1, 2, 3},
                 {0xFF0000, 0x00FF00, 0x0000FF, 0}, 3);
}

BitmapSpec runLengthSpec(int bpp, int width = 5, int height = 3)
{
    return {width, height, bpp, bpp == 8 ? 1u : 2u, 40, false, eightColours, 8};
}

std::vector<uint32_t> colours(std::initializer_list<int> indexes)
{
    std::vector<uint32_t> out;
    for (int i : indexes)
        out.push_back(eightColours[size_t(i)]);
    return out;
}

TEST(BitmapReader, RunLengthEncodingsRunsAbsoluteDeltaAndEnds)
{
    // Rows are stored bottom row first. Skipped pixels keep colour 0; a run past the row's end is cut.
    const struct {
        int bpp;
        std::vector<uint8_t> data;
        std::vector<uint32_t> pixels;
    } cases[] = {
        {8,
         {0x02, 0x01, 0x00, 0x03, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00,  // 1 1, absolute 2 3 4 (padded), end of line
          0x00, 0x02, 0x02, 0x00, 0x03, 0x05, 0x00, 0x00,              // delta right 2, 5 5 5, end of line
          0x07, 0x06, 0x00, 0x01},                                     // seven 6s cut to five, end of bitmap
         colours({6, 6, 6, 6, 6, 0, 0, 5, 5, 5, 1, 1, 2, 3, 4})},
        {4,
         {0x05, 0x12, 0x00, 0x00,                           // 1 2 1 2 1, end of line
          0x00, 0x03, 0x34, 0x50, 0x00, 0x00,               // absolute 3 4 5, end of line
          0x00, 0x02, 0x01, 0x00, 0x03, 0x67, 0x00, 0x01},  // delta right 1, 6 7 6, end of bitmap
         colours({0, 6, 7, 6, 0, 3, 4, 5, 0, 0, 1, 2, 1, 2, 1})},
        // a delta that moves up a row, and an early end of bitmap: the rest stays colour 0
        {8, {0x00, 0x02, 0x01, 0x01, 0x02, 0x03, 0x00, 0x01}, colours({0, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0})},
        // data ending after the last row needs no end mark
        {8,
         {0x05, 0x01, 0x00, 0x00, 0x05, 0x02, 0x00, 0x00, 0x05, 0x03, 0x00, 0x00},
         colours({3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1})},
    };
    for (const auto& c : cases) {
        std::optional<DecodedBitmap> b = read(buildBitmap(runLengthSpec(c.bpp), {}, c.data));
        ASSERT_TRUE(b);
        EXPECT_EQ(b->compression, c.bpp == 8 ? 1u : 2u);
        EXPECT_EQ(b->pixels, c.pixels);
    }
    std::string why;  // without an end mark, a missing top row is refused
    EXPECT_FALSE(read(buildBitmap(runLengthSpec(8), {}, {0x05, 0x01, 0x00, 0x00, 0x05, 0x02, 0x00, 0x00}), &why));
    EXPECT_NE(why.find("run-length"), std::string::npos) << why;
    // and a compressed file cannot claim more pixels than the limit
    EXPECT_FALSE(read(buildBitmap(runLengthSpec(8, 20000, 20000), {}, {0, 1}), &why));
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
    EXPECT_TRUE(read(buildBitmap(runLengthSpec(8, 1000, 1000), {}, {0, 1})));
}

void set(std::vector<uint8_t>& f, size_t at, uint32_t v, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i)
        f[at + size_t(i)] = uint8_t(v >> (8 * i));
}

TEST(BitmapReader, MalformedFilesAreRefusedWithAReason)
{
    const std::pair<const char*, std::function<void(std::vector<uint8_t>&)>> cases[] = {
        {"empty", [](auto& f) { f.clear(); }},
        {"no signature", [](auto& f) { f[0] = 'P'; }},
        {"OS/2 2.x header size", [](auto& f) { set(f, 14, 64); }},
        {"header size past the file", [](auto& f) { set(f, 14, 124), f.resize(60); }},
        {"zero width", [](auto& f) { set(f, 18, 0); }},
        {"negative width", [](auto& f) { set(f, 18, uint32_t(-5)); }},
        {"zero height", [](auto& f) { set(f, 22, 0); }},
        {"most negative height", [](auto& f) { set(f, 22, 0x80000000u); }},
        {"two planes", [](auto& f) { set(f, 26, 2, 2); }},
        {"7 bits per pixel", [](auto& f) { set(f, 28, 7, 2); }},
        {"JPEG compression", [](auto& f) { set(f, 30, 4); }},
        {"RLE4 with 8 bits", [](auto& f) { set(f, 30, 2); }},
        {"masks with 8 bits", [](auto& f) { set(f, 30, 3); }},
        {"top-down RLE8", [](auto& f) { set(f, 30, 1), set(f, 22, uint32_t(-3)); }},
        {"pixel offset inside the header", [](auto& f) { set(f, 10, 20); }},
        {"pixel offset past the end", [](auto& f) { set(f, 10, uint32_t(f.size() + 1)); }},
        {"colour table cut short", [](auto& f) { set(f, 10, 0), f.resize(14 + 40 + 100); }},
        {"too large for memory", [](auto& f) { set(f, 18, 100000), set(f, 22, 100000); }},
        // BI_BITFIELDS after a 40-byte header, pixels where the masks belong (ImageMagick's 16-bit BMP3)
        {"masks missing", [](auto& f) { f = buildVariant(variants[11]), set(f, 10, 54); }},
    };
    for (const auto& [name, spoil] : cases) {
        std::vector<uint8_t> file = buildVariant(variants[6]);  // info 8-bit
        spoil(file);
        std::string why;
        EXPECT_FALSE(read(file, &why)) << name;
        EXPECT_FALSE(why.empty()) << name;
        EXPECT_EQ(why.find('\n'), std::string::npos) << name;
    }
}

}  // namespace
