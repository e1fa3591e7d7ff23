#include "png_image.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace d3dtest {
namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

} // namespace

Image imageOf(const soft::SurfaceMemory& surface)
{
    Image image{surface.width, surface.height, {}};
    image.pixels.reserve(size_t(surface.width) * surface.height);
    for (int y = 0; y < surface.height; ++y)
        for (int x = 0; x < surface.width; ++x)
            image.pixels.push_back(soft::unpackColour(surface.format, surface.at(x, y)));
    return image;
}

bool writePng(const std::string& path, const Image& image)
{
    File file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(&image.pixels[size_t(y) * image.width]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool readPng(const std::string& path, Image& image)
{
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB || png_get_bit_depth(png, info) != 8) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    image.width = int(png_get_image_width(png, info));
    image.height = int(png_get_image_height(png, info));
    image.pixels.resize(size_t(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
        png_read_row(png, reinterpret_cast<png_bytep>(&image.pixels[size_t(y) * image.width]), nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

} // namespace d3dtest
