// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "frame_png.h"
#include "screenshot.h"

#include "soft/surface.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;
using host::writeFramePng;

namespace {

// A PNG file as libpng reads it back: its size, whether it is stored as 8-bit RGB, the pixels.
struct Png {
    int width = 0, height = 0;
    bool eightBitRgb = false;
    std::vector<uint8_t> pixels;
    std::vector<int> rgb(int x, int y) const
    {
        const uint8_t* p = &pixels[3 * (size_t(y) * width + x)];
        return {p[0], p[1], p[2]};
    }
};

Png readPng(const fs::path& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return Png{};
    Png out{int(image.width), int(image.height), image.format == PNG_FORMAT_RGB, {}};
    image.format = PNG_FORMAT_RGB;
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr))
        return Png{};
    return out;
}

host::Frame frameOf(const soft::SurfaceMemory& m)
{
    return host::Frame{m.bytes.data(), m.width, m.height, m.pitch, m.format};
}

// Each 16-bit layout comes back as 8-bit RGB, no padding in the file; 5-6-5's lowest steps 1/31, 2/63, 1/31.
TEST(FramePng, FramesOfBothLayoutsComeBackAsEightBitRgb)
{
    using V = std::vector<int>;
    using Pixels = std::vector<std::pair<uint16_t, V>>;
    const Pixels in565 = {{0xFFFF, {255, 255, 255}}, {0xF800, {255, 0, 0}}, {0x07E0, {0, 255, 0}},
                          {0x001F, {0, 0, 255}},     {0x0000, {0, 0, 0}},   {0x0841, {8, 8, 8}}};
    const Pixels in555 = {
        {0x7C00, {255, 0, 0}}, {0x03E0, {0, 255, 0}}, {0x001F, {0, 0, 255}}, {0x7FFF, {255, 255, 255}}};
    const struct {
        soft::PixelFormat format;
        int padding;
        const Pixels& pixels;
    } cases[] = {{soft::PixelFormat::rgb565, 24, in565}, {soft::PixelFormat::rgb555, 0, in555}};
    const fs::path path = fs::temp_directory_path() / "sdl_host_frame.png";
    for (const auto& c : cases) {
        soft::SurfaceMemory m(640, 480, c.format, c.padding);
        std::fill(m.bytes.begin(), m.bytes.end(), 0xAB);  // the padding
        for (int y = 0; y < 480; ++y)
            std::fill_n(m.row(y), 640, 0);
        for (size_t i = 0; i < c.pixels.size(); ++i)
            m.at(int(i) * 127, int(i) * 95) = c.pixels[i].first;
        std::string error;
        ASSERT_TRUE(writeFramePng(path.string(), frameOf(m), error)) << error;
        const Png png = readPng(path);
        ASSERT_TRUE(png.width == 640 && png.height == 480) << png.width << " x " << png.height;
        EXPECT_TRUE(png.eightBitRgb);
        for (size_t i = 0; i < c.pixels.size(); ++i)
            EXPECT_EQ(png.rgb(int(i) * 127, int(i) * 95), c.pixels[i].second) << std::hex << c.pixels[i].first;
        EXPECT_EQ(png.rgb(639, 479), (V{0, 0, 0}));
    }
    fs::remove(path);
}

TEST(FramePng, AFolderThatDoesNotExistOrNoFrameIsReportedNotWritten)
{
    soft::SurfaceMemory m(4, 2, soft::PixelFormat::rgb565);
    std::string error;
    EXPECT_FALSE(writeFramePng("/nonexistent-folder/x.png", frameOf(m), error));
    EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos);
    error.clear();
    EXPECT_FALSE(writeFramePng((fs::temp_directory_path() / "sdl_host_empty.png").string(), host::Frame{}, error));
    EXPECT_FALSE(error.empty());
}

TEST(Screenshot, SavingMakesTheFolderAndLeavesOneFileNamedByTimeAndTicks)
{
    setenv("TZ", "UTC", 1);
    tzset();
    const std::time_t when = 1796601600 + 5400;  // 2026-12-07 00:00 UTC, then 1 h 30 min
    EXPECT_EQ(host::sdl::screenshotFileName("mornakle", when, 123456), "mornakle-20261207-013000-0000123456.png");
    EXPECT_EQ(host::sdl::screenshotFileName("x", when, 4294967295u), "x-20261207-013000-4294967295.png");

    const fs::path dir = fs::temp_directory_path() / "sdl_host_screenshots";
    fs::remove_all(dir);
    soft::SurfaceMemory m(640, 480, soft::PixelFormat::rgb565, 4);
    m.at(10, 10) = 0xF800;
    const std::string line = host::sdl::saveScreenshot(frameOf(m), (dir / "new").string(), "show", when, 77);
    const fs::path expected = dir / "new" / "show-20261207-013000-0000000077.png";
    EXPECT_EQ(line, "screenshot saved to " + expected.string());
    const Png png = readPng(expected);
    ASSERT_EQ(png.width, 640);
    EXPECT_EQ(png.rgb(10, 10), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "new"), fs::directory_iterator{}), 1);  // no half-written file
    fs::remove_all(dir);

    EXPECT_EQ(host::sdl::saveScreenshot(host::Frame{}, "/tmp", "x", 0, 0), "screenshot not saved: nothing shown yet");
    const std::string refused = host::sdl::saveScreenshot(frameOf(m), "/proc/no-such-folder", "x", 0, 0);
    EXPECT_EQ(refused.rfind("screenshot not saved: ", 0), 0u) << refused;
}

// F12's folder: the variable, else the user-dirs file (with $HOME expanded), else ~/Pictures.
TEST(Screenshot, FolderFollowsThePicturesDirectoryOfTheUser)
{
    const fs::path config = fs::temp_directory_path() / "sdl_host_user_dirs";
    fs::create_directories(config);
    std::ofstream(config / "user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                             << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                             << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    const std::string dirs = config.string();
    struct Case {
        const char* pictures;
        const char* config;
        const char* expected;
    } cases[] = {
        {"/srv/pics", dirs.c_str(), "/srv/pics/Mornakle"},
        {"", dirs.c_str(), "/home/ann/Bilder/Mornakle"},
        {nullptr, "/nonexistent-folder", "/home/ann/Pictures/Mornakle"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(host::sdl::screenshotFolder(c.pictures, c.config, "/home/ann"), c.expected) << c.config;
    fs::remove_all(config);
}

}  // namespace
