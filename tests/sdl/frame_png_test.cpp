#include "frame_png.h"
#include "screenshot.h"

#include "soft/surface.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

using host::sdl::screenshotFileName;
using host::writeFramePng;

namespace {

struct Png {
    int width = 0, height = 0, depth = 0, colourType = 0;
    std::vector<std::vector<uint8_t>> rows;
};

Png readPngFrom(std::FILE* f)
{
    Png out;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return Png{};
    }
    png_init_io(png, f);
    png_read_info(png, info);
    out.width = int(png_get_image_width(png, info));
    out.height = int(png_get_image_height(png, info));
    out.depth = png_get_bit_depth(png, info);
    out.colourType = png_get_color_type(png, info);
    out.rows.assign(out.height, std::vector<uint8_t>(png_get_rowbytes(png, info)));
    for (auto& row : out.rows)
        png_read_row(png, row.data(), nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return out;
}

Png readPng(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return Png{};
    Png out = readPngFrom(f);
    std::fclose(f);
    return out;
}

std::string tempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

host::Frame frameOf(const soft::SurfaceMemory& m)
{
    return host::Frame{m.bytes.data(), m.width, m.height, m.pitch, m.format};
}

void expectPixel(const Png& png, int x, int y, int r, int g, int b)
{
    const uint8_t* p = png.rows[y].data() + 3 * x;
    EXPECT_EQ(p[0], r) << "red at " << x << "," << y;
    EXPECT_EQ(p[1], g) << "green at " << x << "," << y;
    EXPECT_EQ(p[2], b) << "blue at " << x << "," << y;
}

} // namespace

TEST(FramePng, A565FrameWithPaddedRowsIsWrittenAsEightBitRgb)
{
    soft::SurfaceMemory m(640, 480, soft::PixelFormat::rgb565, 24);
    std::fill(m.bytes.begin(), m.bytes.end(), 0xAB);   // the padding must not reach the file
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            m.at(x, y) = 0;
    m.at(0, 0) = 0xFFFF;
    m.at(1, 0) = 0xF800;
    m.at(2, 0) = 0x07E0;
    m.at(3, 0) = 0x001F;
    m.at(639, 479) = 0x0841;   // the lowest step of each channel: 1/31, 2/63, 1/31
    std::string path = tempPath("sdl_host_frame565.png");
    std::string error;
    ASSERT_TRUE(writeFramePng(path, frameOf(m), error)) << error;
    Png png = readPng(path);
    ASSERT_EQ(png.width, 640);
    ASSERT_EQ(png.height, 480);
    EXPECT_EQ(png.depth, 8);
    EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_RGB);
    expectPixel(png, 0, 0, 255, 255, 255);
    expectPixel(png, 1, 0, 255, 0, 0);
    expectPixel(png, 2, 0, 0, 255, 0);
    expectPixel(png, 3, 0, 0, 0, 255);
    expectPixel(png, 4, 0, 0, 0, 0);
    expectPixel(png, 639, 479, 8, 8, 8);
    std::filesystem::remove(path);
}

TEST(FramePng, A555FrameKeepsItsOwnChannelLayout)
{
    soft::SurfaceMemory m(4, 2, soft::PixelFormat::rgb555);
    m.at(0, 0) = 0x7C00;
    m.at(1, 0) = 0x03E0;
    m.at(2, 0) = 0x001F;
    m.at(3, 1) = 0x7FFF;
    std::string path = tempPath("sdl_host_frame555.png");
    std::string error;
    ASSERT_TRUE(writeFramePng(path, frameOf(m), error)) << error;
    Png png = readPng(path);
    ASSERT_EQ(png.width, 4);
    expectPixel(png, 0, 0, 255, 0, 0);
    expectPixel(png, 1, 0, 0, 255, 0);
    expectPixel(png, 2, 0, 0, 0, 255);
    expectPixel(png, 3, 1, 255, 255, 255);
    std::filesystem::remove(path);
}

TEST(FramePng, AFolderThatDoesNotExistOrNoFrameIsReportedNotWritten)
{
    soft::SurfaceMemory m(4, 2, soft::PixelFormat::rgb565);
    std::string error;
    EXPECT_FALSE(writeFramePng("/nonexistent-folder/x.png", frameOf(m), error));
    EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos);
    error.clear();
    EXPECT_FALSE(writeFramePng(tempPath("sdl_host_empty.png"), host::Frame{}, error));
    EXPECT_FALSE(error.empty());
}

TEST(FramePng, ScreenshotNamesCarryDateTimeAndTenDigitTicks)
{
    setenv("TZ", "UTC", 1);
    tzset();
    std::time_t when = 1796601600 + 5400;   // 2026-12-07 00:00 UTC, then 1 h 30 min
    EXPECT_EQ(screenshotFileName("mornakle", when, 123456), "mornakle-20261207-013000-0000123456.png");
    EXPECT_EQ(screenshotFileName("x", when, 4294967295u), "x-20261207-013000-4294967295.png");
}

TEST(Screenshot, SavingMakesTheFolderAndLeavesOneWholeFileNamedByTimeAndTicks)
{
    setenv("TZ", "UTC", 1);
    tzset();
    auto dir = std::filesystem::temp_directory_path() / "sdl_host_screenshots";
    std::filesystem::remove_all(dir);
    soft::SurfaceMemory m(640, 480, soft::PixelFormat::rgb565, 4);
    m.at(10, 10) = 0xF800;
    std::string line = host::sdl::saveScreenshot(frameOf(m), (dir / "new").string(), "show",
                                                 1796601600 + 5400, 77);
    std::string expected = (dir / "new" / "show-20261207-013000-0000000077.png").string();
    EXPECT_EQ(line, "screenshot saved to " + expected);
    Png png = readPng(expected);
    ASSERT_EQ(png.width, 640);
    expectPixel(png, 10, 10, 255, 0, 0);
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir / "new")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);   // no half-written file left beside it
    std::filesystem::remove_all(dir);
}

TEST(Screenshot, NothingShownOrAnUnwritableFolderSaysWhyAndSavesNothing)
{
    EXPECT_EQ(host::sdl::saveScreenshot(host::Frame{}, "/tmp", "x", 0, 0),
              "screenshot not saved: nothing shown yet");
    soft::SurfaceMemory m(8, 8, soft::PixelFormat::rgb565);
    std::string line = host::sdl::saveScreenshot(frameOf(m), "/proc/no-such-folder", "x", 0, 0);
    EXPECT_EQ(line.rfind("screenshot not saved: ", 0), 0u) << line;
}
