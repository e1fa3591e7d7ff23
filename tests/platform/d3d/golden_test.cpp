// Small pictures drawn by the rasteriser, compared with the stored PNG images. Set
// MORNAKLE_REGENERATE_GOLDEN=1 to store the current pictures instead; every run also
// leaves them in the build directory for looking at.
#include "raster_support.h"

#include <png.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace d3dtest;
using soft::RasterState;
using soft::SurfaceMemory;

namespace {

constexpr int goldenWidth = 64, goldenHeight = 48;

// 8-bit RGB at the golden size; reading replaces the size with the file's.
png_image rgbHeader()
{
    png_image header = {};
    header.version = PNG_IMAGE_VERSION;
    header.width = goldenWidth;
    header.height = goldenHeight;
    header.format = PNG_FORMAT_RGB;
    return header;
}

bool writePng(const std::string& path, const std::vector<soft::Rgb8>& pixels)
{
    png_image header = rgbHeader();
    return png_image_write_to_file(&header, path.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}

bool readPng(const std::string& path, std::vector<soft::Rgb8>& pixels)
{
    png_image header = rgbHeader();
    if (!png_image_begin_read_from_file(&header, path.c_str()))
        return false;
    header.format = PNG_FORMAT_RGB;
    pixels.resize(size_t(header.width) * header.height);
    return png_image_finish_read(&header, nullptr, pixels.data(), 0, nullptr) != 0;
}

void checkGolden(const std::string& name, const std::function<void(SurfaceMemory&, SurfaceMemory&)>& draw)
{
    SurfaceMemory surface(goldenWidth, goldenHeight, soft::PixelFormat::rgb565);
    SurfaceMemory depth(goldenWidth, goldenHeight, soft::PixelFormat::rgb565);
    fill(depth, 0xFFFF);
    draw(surface, depth);
    std::vector<soft::Rgb8> actual;
    for (int y = 0; y < goldenHeight; ++y)
        for (int x = 0; x < goldenWidth; ++x)
            actual.push_back(soft::unpackColour(surface.format, surface.at(x, y)));
    writePng(std::string(MORNAKLE_BINARY_DIR) + "/d3d_" + name + ".png", actual);
    const std::string path = std::string(MORNAKLE_SOURCE_DIR) + "/tests/platform/d3d/golden/" + name + ".png";
    if (std::getenv("MORNAKLE_REGENERATE_GOLDEN")) {
        ASSERT_TRUE(writePng(path, actual)) << path;
        return;
    }
    std::vector<soft::Rgb8> expected;
    ASSERT_TRUE(readPng(path, expected)) << "missing golden image " << path;
    ASSERT_EQ(expected.size(), actual.size()) << path;
    int differing = 0;
    for (size_t i = 0; i < actual.size(); ++i)
        differing += actual[i].r != expected[i].r || actual[i].g != expected[i].g || actual[i].b != expected[i].b;
    EXPECT_EQ(differing, 0) << name << ": pixels differ from the golden image";
}

}  // namespace

TEST(RasterGolden, InterpenetratingGouraudTriangles)
{
    checkGolden("gouraud_depth", [](SurfaceMemory& surface, SurfaceMemory& depth) {
        fill(surface, 0);
        RasterState state;
        state.depthTest = state.depthWrite = state.dither = true;
        const auto target = wholeTarget(surface, &depth);
        soft::rasterizeTriangle(target, state, corner(4, 4, 0.1f, 255, 0, 0), corner(60, 12, 0.9f, 255, 255, 0),
                                corner(10, 44, 0.1f, 255, 0, 128));
        soft::rasterizeTriangle(target, state, corner(58, 3, 0.2f, 0, 64, 255), corner(50, 45, 0.2f, 0, 255, 128),
                                corner(2, 24, 0.8f, 255, 255, 255));
    });
}
