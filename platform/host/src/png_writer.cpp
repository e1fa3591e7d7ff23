#include "host/png_writer.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace host {

bool writeFramePng(const std::string& path, const Frame& frame)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    // Frames are captured by the thousand: favour speed over size.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(frame.width), png_uint_32(frame.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(frame.width) * 3);
    for (int y = 0; y < frame.height; ++y) {
        auto* pixels = reinterpret_cast<const uint16_t*>(frame.pixels + size_t(y) * frame.pitch);
        for (int x = 0; x < frame.width; ++x) {
            soft::Rgb8 c = soft::unpackColour(frame.format, pixels[x]);
            row[size_t(x) * 3] = c.r;
            row[size_t(x) * 3 + 1] = c.g;
            row[size_t(x) * 3 + 2] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace host
