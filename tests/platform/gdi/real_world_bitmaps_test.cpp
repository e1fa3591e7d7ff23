// Bitmaps written by another program (ImageMagick's convert, made at run time) decode
// to the pixels that program reads back from them.
#include "gdi/bitmap_file.h"

#include "bitmap_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// Debian's ImageMagick, by its full path so that no other program of that name stands in.
const std::string convert = "/usr/bin/convert";

bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct Written {
    const char* file;
    const char* options;  // what convert is asked for
    int bitsPerPixel;     // 0: the file must be refused
    const char* compressionAndHeader;
};
void PrintTo(const Written& w, std::ostream* out) { *out << w.file; }

const Written writtenFiles[] = {
    {"bmp3_24.bmp", "BMP3:", 24, "BI_RGB info"},
    {"bmp3_8.bmp", "-type Palette -compress None BMP3:", 8, "BI_RGB info"},
    {"bmp3_8_rle.bmp", "-type Palette -compress RLE BMP3:", 8, "BI_RLE8 info"},
    {"bmp3_4.bmp", "-colors 16 -compress None BMP3:", 4, "BI_RGB info"},
    {"bmp3_1.bmp", "-monochrome -compress None BMP3:", 1, "BI_RGB info"},
    {"bmp4_555.bmp", "-define bmp:subtype=RGB555 BMP:", 16, "BI_BITFIELDS v5"},
    {"bmp4_565.bmp", "-define bmp:subtype=RGB565 BMP:", 16, "BI_BITFIELDS v5"},
    {"bmp4_24.bmp", "BMP:", 24, "BI_RGB v5"},
    {"bmp4_32.bmp", "-alpha on BMP:", 32, "BI_BITFIELDS v5"},
    {"bmp2_24.bmp", "BMP2:", 24, "BI_RGB core"},
    {"bmp2_8.bmp", "-type Palette BMP2:", 8, "BI_RGB core"},
    {"bmp2_4.bmp", "-colors 16 BMP2:", 4, "BI_RGB core"},
    {"bmp2_1.bmp", "-monochrome BMP2:", 1, "BI_RGB core"},
    // BMP3 marks 16-bit pixels BI_BITFIELDS but leaves out the three masks that must follow
    // a 40-byte header, so that the pixels start where the masks belong.
    {"bmp3_555.bmp", "-define bmp:subtype=RGB555 BMP3:", 0, ""},
};

class RealWorldBitmaps : public testing::TestWithParam<Written> { };

TEST_P(RealWorldBitmaps, DecodeAsImageMagickReadsThem)
{
    if (!run("test -x " + convert))
        GTEST_SKIP() << "ImageMagick's convert is not installed (Debian package imagemagick)";
    // A 37 x 23 picture with gradients and detail in every channel, as a binary PPM; a
    // source of its own for each test, since ctest runs them side by side.
    std::string ppm = "P6\n37 23\n255\n";
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            ppm += {char(x * 255 / 36), char(y * 255 / 22), char((x * 7 + y * 13) % 256)};
    const Written& w = GetParam();
    const std::string source = gdi_test::writeFile(std::string(w.file) + ".ppm", {ppm.begin(), ppm.end()});
    const std::string path = gdi_test::outputPath(std::string("real_world_") + w.file);
    ASSERT_TRUE(run(convert + " " + source + " " + w.options + path)) << w.options;
    const std::vector<uint8_t> file = readAll(path);
    std::string why;
    std::optional<gdi::DecodedBitmap> ours = gdi::readBitmapFile(file.data(), file.size(), &why);
    if (!w.bitsPerPixel) {
        EXPECT_FALSE(ours);
        EXPECT_NE(why.find("headers"), std::string::npos) << why;
        return;
    }
    ASSERT_TRUE(ours) << why;
    // The file really holds the variant it names.
    EXPECT_EQ(ours->bitsPerPixel, w.bitsPerPixel);
    EXPECT_EQ(std::string(gdi::compressionName(ours->compression)) + " " + gdi::headerKindName(ours->headerKind),
              w.compressionAndHeader);
    ASSERT_EQ(ours->width * ours->height, 37 * 23);
    // ImageMagick's reading as 8-bit RGB, top row first; 16-bit files keep five bits a channel.
    ASSERT_TRUE(run(convert + " " + path + " -depth 8 rgb:" + path + ".rgb"));
    const std::vector<uint8_t> theirs = readAll(path + ".rgb");
    ASSERT_EQ(theirs.size(), ours->pixels.size() * 3);
    const int shift = w.bitsPerPixel == 16 ? 3 : 0;
    for (size_t i = 0; i < theirs.size(); ++i)
        ASSERT_EQ(uint8_t(ours->pixels[i / 3] >> (16 - 8 * (i % 3))) >> shift, theirs[i] >> shift)
            << "pixel " << i / 3 << " channel " << i % 3;
}

INSTANTIATE_TEST_SUITE_P(ImageMagick, RealWorldBitmaps, testing::ValuesIn(writtenFiles));

}  // namespace
