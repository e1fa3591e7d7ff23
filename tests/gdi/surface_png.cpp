#include "surface_png.h"

#include <png.h>

#include <filesystem>
#include <vector>

namespace gdi_test {

std::string outputPath(const std::string& name)
{
    std::filesystem::path dir = std::filesystem::path(MORNAKLE_BINARY_DIR) / "gdi_test_output";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::string writeSurfacePng(const soft::SurfaceMemory& surface, const std::string& name)
{
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(surface.width) * size_t(surface.height) * 3);
    for (int y = 0; y < surface.height; ++y)
        for (int x = 0; x < surface.width; ++x) {
            soft::Rgb8 c = soft::unpackColour(surface.format, surface.at(x, y));
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(surface.width);
    image.height = png_uint_32(surface.height);
    image.format = PNG_FORMAT_RGB;
    std::string path = outputPath(name);
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr))
        return {};
    return path;
}

} // namespace gdi_test
