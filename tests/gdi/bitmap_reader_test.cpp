// The bitmap reader: every variant the platform reads decodes to the same picture,
// and malformed files are refused without reading outside them.
#include "gdi/bitmap_file.h"

#include "bitmap_builder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using gdi::DecodedBitmap;
using gdi::HeaderKind;
using gdi_test::BitmapSpec;
using gdi_test::buildBitmap;

namespace {

// Eight colours with every channel 0 or 255, exact in every depth.
const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                        0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
constexpr int kWidth = 5;  // odd, so that every depth pads its rows
constexpr int kHeight = 3;

int referenceIndex(int x, int y, int bpp)
{
    return (x + 2 * y + 1) % (bpp >= 3 ? 8 : 1 << bpp);
}

uint32_t referenceColour(int x, int y, int bpp)
{
    return kPalette[size_t(referenceIndex(x, y, bpp))];
}

uint32_t pack(uint32_t rgb, const uint32_t masks[3])
{
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        uint32_t channel = rgb >> (16 - 8 * c) & 0xFF;  // red, green, blue
        uint32_t m = masks[c];
        int shift = __builtin_ctz(m), bits = 32 - __builtin_clz(m) - shift;
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

const Variant kVariants[] = {
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
    BitmapSpec spec;
    spec.width = kWidth;
    spec.height = kHeight;
    spec.bitsPerPixel = v.bpp;
    spec.compression = v.compression;
    spec.headerSize = v.headerSize;
    spec.topDown = v.topDown;
    spec.coloursUsed = v.coloursUsed;
    for (int c = 0; c < 3; ++c)
        spec.masks[c] = v.masks[c];
    if (v.bpp <= 8)
        spec.palette.assign(kPalette.begin(), kPalette.begin() + (v.coloursUsed ? v.coloursUsed : std::min(8, 1 << v.bpp)));
    if (v.bpp <= 8 && !v.coloursUsed)
        spec.palette.resize(size_t(1) << v.bpp, 0x123456);  // the unused rest of a full table
    std::vector<uint32_t> values;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint32_t rgb = referenceColour(x, y, v.bpp);
            values.push_back(v.bpp <= 8 ? uint32_t(referenceIndex(x, y, v.bpp)) : v.bpp == 24 ? rgb : pack(rgb, v.masks));
        }
    return buildBitmap(spec, values);
}

std::optional<DecodedBitmap> read(const std::vector<uint8_t>& file, std::string* why = nullptr)
{
    return gdi::readBitmapFile(file.data(), file.size(), why);
}

TEST(BitmapReader, EveryDepthHeaderAndRowOrderGivesThePicture)
{
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.name);
        std::string why;
        std::optional<DecodedBitmap> bitmap = read(buildVariant(v), &why);
        ASSERT_TRUE(bitmap) << why;
        EXPECT_EQ(bitmap->width, kWidth);
        EXPECT_EQ(bitmap->height, kHeight);
        EXPECT_EQ(bitmap->bitsPerPixel, v.bpp);
        EXPECT_EQ(bitmap->compression, v.compression);
        EXPECT_EQ(bitmap->topDown, v.topDown);
        EXPECT_EQ(std::string(gdi::headerKindName(bitmap->headerKind)),
                  v.headerSize == 12 ? "core" : v.headerSize == 40 ? "info" : v.headerSize == 52 ? "v2"
                                              : v.headerSize == 56 ? "v3" : v.headerSize == 108 ? "v4" : "v5");
        EXPECT_EQ(bitmap->paletteSize, v.bpp > 8 ? 0 : v.coloursUsed ? int(v.coloursUsed) : 1 << v.bpp);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(bitmap->pixels[size_t(y * kWidth + x)], referenceColour(x, y, v.bpp)) << x << "," << y;
    }
}

TEST(BitmapReader, FewBitChannelsExpandToFullIntensity)
{
    // A 5-bit channel of 31 is 255 and one of 16 is 0x84, so that reducing it to 5
    // bits again gives back the same value.
    BitmapSpec spec;
    spec.width = 3;
    spec.height = 1;
    spec.bitsPerPixel = 16;
    std::optional<DecodedBitmap> b = read(buildBitmap(spec, {0x7FFF, 16u << 10 | 16u << 5 | 16u, 1u << 10}));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->pixels[0], 0xFFFFFFu);
    EXPECT_EQ(b->pixels[1], 0x848484u);
    EXPECT_EQ(b->pixels[2], 0x080000u);
}

TEST(BitmapReader, IndexesPastTheColourTableAreBlack)
{
    BitmapSpec spec;
    spec.width = 3;
    spec.height = 1;
    spec.bitsPerPixel = 8;
    spec.palette = {0xFF0000, 0x00FF00};
    spec.coloursUsed = 2;
    std::optional<DecodedBitmap> b = read(buildBitmap(spec, {1, 2, 200}));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->paletteSize, 2);
    EXPECT_EQ(b->pixels, (std::vector<uint32_t>{0x00FF00, 0, 0}));
}

TEST(BitmapReader, PaletteCutShortByThePixelOffsetKeepsWhatFits)
{
    // An 8-bit file that declares no biClrUsed but whose pixels start after 3 entries.
    BitmapSpec spec;
    spec.width = 4;
    spec.height = 1;
    spec.bitsPerPixel = 8;
    spec.palette = {0xFF0000, 0x00FF00, 0x0000FF};
    std::optional<DecodedBitmap> b = read(buildBitmap(spec, {0, 1, 2, 3}));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->paletteSize, 3);
    EXPECT_EQ(b->pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0}));
}

BitmapSpec runLengthSpec(int bpp)
{
    BitmapSpec spec;
    spec.width = 5;
    spec.height = 3;
    spec.bitsPerPixel = bpp;
    spec.compression = bpp == 8 ? 1 : 2;
    spec.palette = kPalette;
    spec.coloursUsed = 8;
    return spec;
}

std::vector<uint32_t> colours(std::initializer_list<int> indexes)
{
    std::vector<uint32_t> out;
    for (int i : indexes)
        out.push_back(kPalette[size_t(i)]);
    return out;
}

TEST(BitmapReader, RunLengthEncodingsRunsAbsoluteDeltaAndEnds)
{
    // Rows are stored bottom row first. Skipped pixels keep colour 0; a run past the
    // row's end is cut there.
    std::vector<uint8_t> rle8 = {
        0x02, 0x01, 0x00, 0x03, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00,  // 1 1, absolute 2 3 4 (padded), end of line
        0x00, 0x02, 0x02, 0x00, 0x03, 0x05, 0x00, 0x00,              // delta right 2, 5 5 5, end of line
        0x07, 0x06, 0x00, 0x01,                                      // seven 6s cut to five, end of bitmap
    };
    std::optional<DecodedBitmap> b8 = read(buildBitmap(runLengthSpec(8), {}, rle8));
    ASSERT_TRUE(b8);
    EXPECT_EQ(b8->compression, 1u);
    EXPECT_EQ(b8->pixels, colours({6, 6, 6, 6, 6, 0, 0, 5, 5, 5, 1, 1, 2, 3, 4}));

    std::vector<uint8_t> rle4 = {
        0x05, 0x12, 0x00, 0x00,        // 1 2 1 2 1, end of line
        0x00, 0x03, 0x34, 0x50, 0x00, 0x00,  // absolute 3 4 5, end of line
        0x00, 0x02, 0x01, 0x00, 0x03, 0x67, 0x00, 0x01,  // delta right 1, 6 7 6, end of bitmap
    };
    std::optional<DecodedBitmap> b4 = read(buildBitmap(runLengthSpec(4), {}, rle4));
    ASSERT_TRUE(b4);
    EXPECT_EQ(b4->compression, 2u);
    EXPECT_EQ(b4->pixels, colours({0, 6, 7, 6, 0, 3, 4, 5, 0, 0, 1, 2, 1, 2, 1}));

    // A delta that moves up a row, and an early end of bitmap: the rest stays colour 0.
    std::vector<uint8_t> jumps = {0x00, 0x02, 0x01, 0x01, 0x02, 0x03, 0x00, 0x01};
    std::optional<DecodedBitmap> bj = read(buildBitmap(runLengthSpec(8), {}, jumps));
    ASSERT_TRUE(bj);
    EXPECT_EQ(bj->pixels, colours({0, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BitmapReader, RunLengthDataEndingAfterTheLastRowNeedsNoEndMark)
{
    std::vector<uint8_t> rows = {0x05, 0x01, 0x00, 0x00, 0x05, 0x02, 0x00, 0x00, 0x05, 0x03, 0x00, 0x00};
    EXPECT_TRUE(read(buildBitmap(runLengthSpec(8), {}, rows)));
    rows.resize(rows.size() - 4);  // the top row is missing now
    std::string why;
    EXPECT_FALSE(read(buildBitmap(runLengthSpec(8), {}, rows), &why));
    EXPECT_NE(why.find("run-length"), std::string::npos) << why;
}

std::vector<uint8_t> valid8Bit()
{
    return buildVariant(kVariants[6]);
}

void setU32(std::vector<uint8_t>& f, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        f[at + size_t(i)] = uint8_t(v >> (8 * i));
}

void setU16(std::vector<uint8_t>& f, size_t at, uint32_t v)
{
    f[at] = uint8_t(v);
    f[at + 1] = uint8_t(v >> 8);
}

TEST(BitmapReader, MalformedFilesAreRefusedWithAReason)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> spoil;
    };
    const Case cases[] = {
        {"empty", [](auto& f) { f.clear(); }},
        {"no signature", [](auto& f) { f[0] = 'P'; }},
        {"OS/2 2.x header size", [](auto& f) { setU32(f, 14, 64); }},
        {"header size past the file", [](auto& f) { setU32(f, 14, 124), f.resize(60); }},
        {"zero width", [](auto& f) { setU32(f, 18, 0); }},
        {"negative width", [](auto& f) { setU32(f, 18, uint32_t(-5)); }},
        {"zero height", [](auto& f) { setU32(f, 22, 0); }},
        {"most negative height", [](auto& f) { setU32(f, 22, 0x80000000u); }},
        {"two planes", [](auto& f) { setU16(f, 26, 2); }},
        {"7 bits per pixel", [](auto& f) { setU16(f, 28, 7); }},
        {"JPEG compression", [](auto& f) { setU32(f, 30, 4); }},
        {"RLE4 with 8 bits", [](auto& f) { setU32(f, 30, 2); }},
        {"masks with 8 bits", [](auto& f) { setU32(f, 30, 3); }},
        {"top-down RLE8", [](auto& f) { setU32(f, 30, 1), setU32(f, 22, uint32_t(-3)); }},
        {"pixel offset inside the header", [](auto& f) { setU32(f, 10, 20); }},
        {"pixel offset past the end", [](auto& f) { setU32(f, 10, uint32_t(f.size() + 1)); }},
        {"last row cut short", [](auto& f) { f.pop_back(); }},
        {"colour table cut short", [](auto& f) { setU32(f, 10, 0), f.resize(14 + 40 + 100); }},
        {"too large for memory", [](auto& f) { setU32(f, 18, 100000), setU32(f, 22, 100000); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> file = valid8Bit();
        ASSERT_TRUE(read(file));
        c.spoil(file);
        std::string why;
        EXPECT_FALSE(read(file, &why));
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(why.find('\n'), std::string::npos);
    }
}

TEST(BitmapReader, EveryTruncationOfAnUncompressedFileIsRefused)
{
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.name);
        std::vector<uint8_t> file = buildVariant(v);
        for (size_t n = 0; n < file.size(); ++n) {
            // A copy of exactly n bytes, so that a read past it would be caught by the
            // address sanitizer in the fuzzing build.
            std::vector<uint8_t> prefix(file.begin(), file.begin() + ptrdiff_t(n));
            ASSERT_FALSE(gdi::readBitmapFile(prefix.data(), prefix.size(), nullptr)) << n;
        }
    }
}

TEST(BitmapReader, CompressedFileCannotClaimMorePixelsThanTheLimit)
{
    BitmapSpec spec = runLengthSpec(8);
    spec.width = 20000;
    spec.height = 20000;
    std::string why;
    EXPECT_FALSE(read(buildBitmap(spec, {}, {0, 1}), &why));
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
    spec.width = spec.height = 1000;
    EXPECT_TRUE(read(buildBitmap(spec, {}, {0, 1})));
}

} // namespace
