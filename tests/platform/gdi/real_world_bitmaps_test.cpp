// Bitmaps written by another program (ImageMagick's convert, made at run time) decode
// to the pixels that program reads back from them; cut and spoiled copies are refused.
#include "gdi/bitmap_file.h"

#include "bitmap_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// Debian's ImageMagick (package imagemagick), called by its full path so that no
// other program of that name stands in for it.
const std::string convertProgram = "/usr/bin/convert";

bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::optional<gdi::DecodedBitmap> decode(const std::vector<uint8_t>& file, std::string* why = nullptr)
{
    return gdi::readBitmapFile(file.data(), file.size(), why);
}

uint32_t u32(const std::vector<uint8_t>& f, size_t at)
{
    return uint32_t(f[at]) | uint32_t(f[at + 1]) << 8 | uint32_t(f[at + 2]) << 16 | uint32_t(f[at + 3]) << 24;
}

struct Written {
    const char* file;
    const char* options;  // what convert is asked for
    int bitsPerPixel;
    const char* compression;
    const char* headerKind;
    bool reducedChannels;  // 16-bit: compare the channels' top 5 bits
};
void PrintTo(const Written& w, std::ostream* out) { *out << w.file; }

const Written writtenFiles[] = {
    {"bmp3_24.bmp", "BMP3:", 24, "BI_RGB", "info", false},
    {"bmp3_8.bmp", "-type Palette -compress None BMP3:", 8, "BI_RGB", "info", false},
    {"bmp3_8_rle.bmp", "-type Palette -compress RLE BMP3:", 8, "BI_RLE8", "info", false},
    {"bmp3_4.bmp", "-colors 16 -compress None BMP3:", 4, "BI_RGB", "info", false},
    {"bmp3_1.bmp", "-monochrome -compress None BMP3:", 1, "BI_RGB", "info", false},
    {"bmp4_555.bmp", "-define bmp:subtype=RGB555 BMP:", 16, "BI_BITFIELDS", "v5", true},
    {"bmp4_565.bmp", "-define bmp:subtype=RGB565 BMP:", 16, "BI_BITFIELDS", "v5", true},
    {"bmp4_24.bmp", "BMP:", 24, "BI_RGB", "v5", false},
    {"bmp4_32.bmp", "-alpha on BMP:", 32, "BI_BITFIELDS", "v5", false},
    {"bmp2_24.bmp", "BMP2:", 24, "BI_RGB", "core", false},
    {"bmp2_8.bmp", "-type Palette BMP2:", 8, "BI_RGB", "core", false},
    {"bmp2_4.bmp", "-colors 16 BMP2:", 4, "BI_RGB", "core", false},
    {"bmp2_1.bmp", "-monochrome BMP2:", 1, "BI_RGB", "core", false},
};

class RealWorldBitmaps : public testing::TestWithParam<Written> {
protected:
    void SetUp() override
    {
        if (!run("test -x " + convertProgram))
            GTEST_SKIP() << "ImageMagick's convert is not installed (Debian package imagemagick)";
        // A 37 x 23 picture with gradients and detail in every channel, as a binary PPM.
        std::string ppm = "P6\n37 23\n255\n";
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x)
                ppm += {char(x * 255 / 36), char(y * 255 / 22), char((x * 7 + y * 13) % 256)};
        // A source of its own for each test, since ctest runs them side by side.
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        source =
            gdi_test::writeFile("real_world_source_" + name + ".ppm", std::vector<uint8_t>(ppm.begin(), ppm.end()));
    }
    std::string make(const Written& w)
    {
        std::string path = gdi_test::outputPath(std::string("real_world_") + w.file);
        EXPECT_TRUE(run(convertProgram + " " + source + " " + w.options + path)) << w.options;
        return path;
    }
    // Our decoding of the file at `path` matches what ImageMagick reads from it: 8-bit RGB, top row first.
    void expectSamePixels(const std::string& path, bool reducedChannels)
    {
        std::optional<gdi::DecodedBitmap> ours = decode(readAll(path));
        ASSERT_TRUE(ours);
        ASSERT_TRUE(run(convertProgram + " " + path + " -depth 8 rgb:" + path + ".rgb"));
        std::vector<uint8_t> theirs = readAll(path + ".rgb");
        ASSERT_EQ(theirs.size(), ours->pixels.size() * 3);
        int shift = reducedChannels ? 3 : 0;
        for (size_t i = 0; i < 3 * ours->pixels.size(); ++i)
            ASSERT_EQ(uint8_t(ours->pixels[i / 3] >> (16 - 8 * (i % 3))) >> shift, theirs[i] >> shift)
                << path << " pixel " << i / 3 << " channel " << i % 3;
    }
    std::string source;
};

TEST_P(RealWorldBitmaps, DecodeAsImageMagickReadsThemAndCutOrSpoiledCopiesAreRefused)
{
    const Written& w = GetParam();
    std::string path = make(w);
    std::vector<uint8_t> file = readAll(path);
    std::optional<gdi::DecodedBitmap> ours = decode(file);
    ASSERT_TRUE(ours);
    // The suite really holds the variant it names.
    EXPECT_EQ(ours->bitsPerPixel, w.bitsPerPixel);
    EXPECT_STREQ(gdi::compressionName(ours->compression), w.compression);
    EXPECT_STREQ(gdi::headerKindName(ours->headerKind), w.headerKind);
    EXPECT_EQ(ours->width, 37);
    EXPECT_EQ(ours->height, 23);
    expectSamePixels(path, w.reducedChannels);
    // Run-length data may end without its end mark once every row is there, so its
    // last cut goes into the last row.
    bool runLength = std::string(w.compression) == "BI_RLE8";
    for (size_t keep : {size_t(10), size_t(30), file.size() / 2, file.size() - (runLength ? 3 : 1)}) {
        std::string why;
        EXPECT_FALSE(decode(std::vector<uint8_t>(file.begin(), file.begin() + ptrdiff_t(keep)), &why)) << keep;
        EXPECT_FALSE(why.empty());
    }
    file[14] = 0x41;  // no such header size
    EXPECT_FALSE(decode(file));
}

INSTANTIATE_TEST_SUITE_P(ImageMagick, RealWorldBitmaps, testing::ValuesIn(writtenFiles));

class RealWorldCopies : public RealWorldBitmaps { };

TEST_F(RealWorldCopies, MasksMissingAfterAnInfoHeaderAreRefused)
{
    // ImageMagick's BMP3 writer marks 16-bit pixels BI_BITFIELDS but leaves out the
    // three masks that must follow a 40-byte header: the pixels start where the masks
    // belong, and the platform would take pixels for masks.
    std::vector<uint8_t> file = readAll(make({"bmp3_555.bmp", "-define bmp:subtype=RGB555 BMP3:", 16, "", "", false}));
    ASSERT_EQ(u32(file, 10), 54u);
    ASSERT_EQ(u32(file, 30), 3u);
    std::string why;
    EXPECT_FALSE(decode(file, &why));
    EXPECT_NE(why.find("headers"), std::string::npos) << why;
}

}  // namespace
