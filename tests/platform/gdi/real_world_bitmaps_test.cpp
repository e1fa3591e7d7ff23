// Bitmaps written by another program (ImageMagick's convert, made at run time) decode
// to the pixels that program reads back from them; cut and spoiled copies are refused.
#include "gdi/bitmap_file.h"

#include "bitmap_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>

namespace {

// Debian's ImageMagick (package imagemagick), called by its full path so that no
// other program of that name stands in for it.
const std::string kConvert = "/usr/bin/convert";

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

void setU32(std::vector<uint8_t>& f, size_t at, uint32_t v)
{
    for (size_t i = 0; i < 4; ++i)
        f[at + i] = uint8_t(v >> (8 * i));
}

// The same picture with its rows stored top row first: an uncompressed info-header
// file with its rows reversed and its height negated.
std::vector<uint8_t> topDownCopy(const std::vector<uint8_t>& f)
{
    std::vector<uint8_t> out = f;
    int32_t height = int32_t(u32(f, 22));
    size_t stride = (size_t(u32(f, 18)) * f[28] + 31) / 32 * 4, offBits = u32(f, 10);
    for (int32_t r = 0; r < height; ++r)
        std::copy_n(f.begin() + ptrdiff_t(offBits + stride * size_t(height - 1 - r)), stride,
                    out.begin() + ptrdiff_t(offBits + stride * size_t(r)));
    setU32(out, 22, uint32_t(-height));
    return out;
}

// Re-encodes an uncompressed 4-bit info-header file as BI_RLE4: runs of one index,
// absolute stretches of differing ones, an end of line after each row.
std::vector<uint8_t> runLength4Copy(const std::vector<uint8_t>& f)
{
    int width = int(u32(f, 18)), height = int(u32(f, 22));
    size_t stride = (size_t(width) * 4 + 31) / 32 * 4, offBits = u32(f, 10);
    std::vector<uint8_t> out(f.begin(), f.begin() + ptrdiff_t(offBits));
    for (int r = 0; r < height; ++r) {
        auto index = [&](int x) { return (f[offBits + stride * size_t(r) + size_t(x / 2)] >> (x % 2 ? 0 : 4)) & 15; };
        for (int x = 0; x < width;) {
            int run = 1;
            while (x + run < width && run < 255 && index(x + run) == index(x))
                ++run;
            if (run >= 2 || width - x < 3) {
                out.insert(out.end(), {uint8_t(run), uint8_t(index(x) << 4 | index(x))});
                x += run;
                continue;
            }
            int n = std::min(width - x, 9);  // an absolute stretch, padded to 16 bits
            out.insert(out.end(), {0, uint8_t(n)});
            for (int b = 0; b < (n + 1) / 2; ++b)
                out.push_back(uint8_t(index(x + 2 * b) << 4 | (2 * b + 1 < n ? index(x + 2 * b + 1) : 0)));
            if ((n + 1) / 2 % 2)
                out.push_back(0);
            x += n;
        }
        out.insert(out.end(), {0, 0});
    }
    out.insert(out.end(), {0, 1});
    out[30] = 2;  // BI_RLE4
    setU32(out, 34, uint32_t(out.size() - offBits));
    setU32(out, 2, uint32_t(out.size()));
    return out;
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

const Written kWritten[] = {
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
        if (!run("test -x " + kConvert))
            GTEST_SKIP() << "ImageMagick's convert is not installed (Debian package imagemagick)";
        // A 37 x 23 picture with gradients and detail in every channel, as a binary PPM.
        std::string ppm = "P6\n37 23\n255\n";
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x)
                ppm += {char(x * 255 / 36), char(y * 255 / 22), char((x * 7 + y * 13) % 256)};
        source = gdi_test::writeFile("real_world_source.ppm", std::vector<uint8_t>(ppm.begin(), ppm.end()));
    }
    std::string make(const Written& w)
    {
        std::string path = gdi_test::outputPath(std::string("real_world_") + w.file);
        EXPECT_TRUE(run(kConvert + " " + source + " " + w.options + path)) << w.options;
        return path;
    }
    // Our decoding of the file at `path` matches what ImageMagick reads from it: 8-bit RGB, top row first.
    void expectSamePixels(const std::string& path, bool reducedChannels)
    {
        std::optional<gdi::DecodedBitmap> ours = decode(readAll(path));
        ASSERT_TRUE(ours);
        ASSERT_TRUE(run(kConvert + " " + path + " -depth 8 rgb:" + path + ".rgb"));
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

INSTANTIATE_TEST_SUITE_P(ImageMagick, RealWorldBitmaps, testing::ValuesIn(kWritten));

class RealWorldCopies : public RealWorldBitmaps { };

TEST_F(RealWorldCopies, TopDownAndRunLength4CopiesDecodeAlike)
{
    expectSamePixels(gdi_test::writeFile("real_world_top_down_24.bmp", topDownCopy(readAll(make(kWritten[0])))), false);
    expectSamePixels(gdi_test::writeFile("real_world_top_down_8.bmp", topDownCopy(readAll(make(kWritten[1])))), false);
    std::vector<uint8_t> rle4 = runLength4Copy(readAll(make(kWritten[3])));
    ASSERT_TRUE(decode(rle4));
    EXPECT_STREQ(gdi::compressionName(decode(rle4)->compression), "BI_RLE4");
    expectSamePixels(gdi_test::writeFile("real_world_rle4.bmp", rle4), false);
}

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
