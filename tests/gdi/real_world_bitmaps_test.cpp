// Bitmaps written by another program (ImageMagick's convert, made at run time) decode
// to the pixels that program reads back from them; cut and spoiled copies are refused.
#include "gdi/bitmap_file.h"

#include "surface_png.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string kDir = gdi_test::outputPath("real_world_bitmaps");

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool run(const std::string& command)
{
    return std::system((command + " 2>/dev/null").c_str()) == 0;
}

// Debian's ImageMagick (package imagemagick), called by its full path so that no
// other program of that name stands in for it.
const std::string kConvert = "/usr/bin/convert";

bool haveConvert()
{
    return run("test -x " + kConvert);
}

// A picture with gradients and detail in every channel, as a binary PPM.
void writeSource(const std::string& path, int w, int h)
{
    std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ppm += char(x * 255 / (w - 1));
            ppm += char(y * 255 / (h - 1));
            ppm += char((x * 7 + y * 13) % 256);
        }
    std::ofstream(path, std::ios::binary) << ppm;
}

// What ImageMagick reads from a bitmap: 8-bit RGB, top row first.
std::vector<uint8_t> imageMagickPixels(const std::string& bmp)
{
    std::string raw = bmp + ".rgb";
    if (!run(kConvert + " " + bmp + " -depth 8 rgb:" + raw))
        return {};
    return readAll(raw);
}

uint32_t u32(const std::vector<uint8_t>& f, size_t at)
{
    return uint32_t(f[at]) | uint32_t(f[at + 1]) << 8 | uint32_t(f[at + 2]) << 16 | uint32_t(f[at + 3]) << 24;
}

// The same picture with its rows stored top row first: an uncompressed info-header
// file with its rows reversed and its height negated.
std::vector<uint8_t> topDownCopy(const std::vector<uint8_t>& f)
{
    std::vector<uint8_t> out = f;
    int32_t width = int32_t(u32(f, 18)), height = int32_t(u32(f, 22));
    int bpp = f[28];
    size_t stride = (size_t(width) * size_t(bpp) + 31) / 32 * 4, offBits = u32(f, 10);
    for (int32_t r = 0; r < height; ++r)
        std::copy_n(f.begin() + ptrdiff_t(offBits + stride * size_t(height - 1 - r)), stride,
                    out.begin() + ptrdiff_t(offBits + stride * size_t(r)));
    uint32_t negative = uint32_t(-height);
    for (int i = 0; i < 4; ++i)
        out[22 + size_t(i)] = uint8_t(negative >> (8 * i));
    return out;
}

// Re-encodes an uncompressed 4-bit info-header file as BI_RLE4: runs of one index,
// absolute stretches of differing ones, an end of line after each row.
std::vector<uint8_t> runLength4Copy(const std::vector<uint8_t>& f)
{
    int32_t width = int32_t(u32(f, 18)), height = int32_t(u32(f, 22));
    size_t stride = (size_t(width) * 4 + 31) / 32 * 4, offBits = u32(f, 10);
    std::vector<uint8_t> data;
    for (int32_t r = 0; r < height; ++r) {
        auto index = [&](int x) { return (f[offBits + stride * size_t(r) + size_t(x / 2)] >> (x % 2 ? 0 : 4)) & 15; };
        for (int x = 0; x < width;) {
            int run = 1;
            while (x + run < width && run < 255 && index(x + run) == index(x))
                ++run;
            if (run >= 2 || width - x < 3) {
                data.push_back(uint8_t(run));
                data.push_back(uint8_t(index(x) << 4 | index(x)));
                x += run;
                continue;
            }
            int n = std::min(width - x, 9);  // an absolute stretch, padded to 16 bits
            data.push_back(0);
            data.push_back(uint8_t(n));
            size_t bytes = size_t(n + 1) / 2;
            for (size_t b = 0; b < bytes; ++b)
                data.push_back(uint8_t(index(x + 2 * int(b)) << 4 | (2 * int(b) + 1 < n ? index(x + 2 * int(b) + 1) : 0)));
            if (bytes % 2)
                data.push_back(0);
            x += n;
        }
        data.push_back(0);
        data.push_back(0);
    }
    data.push_back(0);
    data.push_back(1);
    std::vector<uint8_t> out(f.begin(), f.begin() + ptrdiff_t(offBits));
    out.insert(out.end(), data.begin(), data.end());
    out[30] = 2;  // BI_RLE4
    uint32_t size = uint32_t(data.size()), fileSize = uint32_t(out.size());
    for (int i = 0; i < 4; ++i) {
        out[34 + size_t(i)] = uint8_t(size >> (8 * i));
        out[2 + size_t(i)] = uint8_t(fileSize >> (8 * i));
    }
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

void expectSamePixels(const std::string& path, bool reducedChannels)
{
    std::vector<uint8_t> file = readAll(path);
    std::string why;
    std::optional<gdi::DecodedBitmap> ours = gdi::readBitmapFile(file.data(), file.size(), &why);
    ASSERT_TRUE(ours) << why;
    std::vector<uint8_t> theirs = imageMagickPixels(path);
    ASSERT_EQ(theirs.size(), ours->pixels.size() * 3);
    int shift = reducedChannels ? 3 : 0;
    for (size_t i = 0; i < ours->pixels.size(); ++i) {
        uint32_t p = ours->pixels[i];
        uint8_t rgb[3] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)};
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(rgb[c] >> shift, theirs[3 * i + size_t(c)] >> shift)
                << path << " pixel " << i << " channel " << c;
    }
}

class RealWorldBitmaps : public testing::Test {
protected:
    void SetUp() override
    {
        if (!haveConvert())
            GTEST_SKIP() << "ImageMagick's convert is not installed (Debian package imagemagick)";
        ASSERT_TRUE(run("mkdir -p " + kDir));
        writeSource(kDir + "/source.ppm", 37, 23);
    }
    std::string make(const Written& w)
    {
        std::string path = kDir + "/" + w.file;
        EXPECT_TRUE(run(kConvert + " " + kDir + "/source.ppm " + w.options + path)) << w.options;
        return path;
    }
};

TEST_F(RealWorldBitmaps, DecodeAsImageMagickReadsThem)
{
    for (const Written& w : kWritten) {
        SCOPED_TRACE(w.file);
        std::string path = make(w);
        std::vector<uint8_t> file = readAll(path);
        std::optional<gdi::DecodedBitmap> ours = gdi::readBitmapFile(file.data(), file.size(), nullptr);
        ASSERT_TRUE(ours);
        // The suite really holds the variant it names.
        EXPECT_EQ(ours->bitsPerPixel, w.bitsPerPixel);
        EXPECT_STREQ(gdi::compressionName(ours->compression), w.compression);
        EXPECT_STREQ(gdi::headerKindName(ours->headerKind), w.headerKind);
        EXPECT_EQ(ours->width, 37);
        EXPECT_EQ(ours->height, 23);
        expectSamePixels(path, w.reducedChannels);
    }
}

TEST_F(RealWorldBitmaps, TopDownAndRunLength4CopiesDecodeAlike)
{
    std::string flipped = kDir + "/top_down_24.bmp";
    writeAll(flipped, topDownCopy(readAll(make(kWritten[0]))));
    expectSamePixels(flipped, false);
    std::string flipped8 = kDir + "/top_down_8.bmp";
    writeAll(flipped8, topDownCopy(readAll(make(kWritten[1]))));
    expectSamePixels(flipped8, false);

    std::string rle4 = kDir + "/rle4.bmp";
    writeAll(rle4, runLength4Copy(readAll(make(kWritten[3]))));
    std::vector<uint8_t> file = readAll(rle4);
    std::optional<gdi::DecodedBitmap> ours = gdi::readBitmapFile(file.data(), file.size(), nullptr);
    ASSERT_TRUE(ours);
    EXPECT_STREQ(gdi::compressionName(ours->compression), "BI_RLE4");
    expectSamePixels(rle4, false);
}

TEST_F(RealWorldBitmaps, CutAndSpoiledCopiesAreRefused)
{
    for (const Written& w : kWritten) {
        SCOPED_TRACE(w.file);
        std::vector<uint8_t> file = readAll(make(w));
        // Run-length data may end without its end mark once every row is there, so
        // its last cut goes into the last row.
        bool runLength = std::string(w.compression) == "BI_RLE8";
        for (size_t keep : {size_t(10), size_t(30), file.size() / 2, file.size() - (runLength ? 3 : 1)}) {
            std::vector<uint8_t> cut(file.begin(), file.begin() + ptrdiff_t(keep));
            std::string why;
            EXPECT_FALSE(gdi::readBitmapFile(cut.data(), cut.size(), &why)) << keep;
            EXPECT_FALSE(why.empty());
        }
        std::vector<uint8_t> spoiled = file;
        spoiled[14] = 0x41;  // no such header size
        EXPECT_FALSE(gdi::readBitmapFile(spoiled.data(), spoiled.size(), nullptr));
    }
}

TEST_F(RealWorldBitmaps, MasksMissingAfterAnInfoHeaderAreRefused)
{
    // ImageMagick's BMP3 writer marks 16-bit pixels BI_BITFIELDS but leaves out the
    // three masks that must follow a 40-byte header: the pixels start where the masks
    // belong, and the platform would take pixels for masks.
    std::string path = make({"bmp3_555.bmp", "-define bmp:subtype=RGB555 BMP3:", 16, "", "", false});
    std::vector<uint8_t> file = readAll(path);
    ASSERT_EQ(u32(file, 10), 54u);
    ASSERT_EQ(u32(file, 30), 3u);
    std::string why;
    EXPECT_FALSE(gdi::readBitmapFile(file.data(), file.size(), &why));
    EXPECT_NE(why.find("headers"), std::string::npos) << why;
}

} // namespace
