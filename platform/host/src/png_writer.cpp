// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace host {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::vector<uint8_t> rgbRow(const Frame& frame, int y)
{
    std::vector<uint8_t> out(size_t(frame.width) * 3);
    const uint8_t* row = frame.pixels + size_t(y) * frame.pitch;
    for (int x = 0; x < frame.width; ++x) {
        uint16_t p;
        std::memcpy(&p, row + 2 * x, 2);
        soft::Rgb8 c = soft::unpackColour(frame.format, p);
        out[3 * x] = c.r;
        out[3 * x + 1] = c.g;
        out[3 * x + 2] = c.b;
    }
    return out;
}

}  // namespace

bool writeFramePng(const std::string& path, const Frame& frame, std::string& error, bool fast)
{
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) {
        error = "no frame to save";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = path + ": write failed";
        return false;
    }
    png_init_io(png, file.get());
    if (fast)
        png_set_compression_level(png, 1);
    png_set_IHDR(png, info, frame.width, frame.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < frame.height; ++y) {
        std::vector<uint8_t> row = rgbRow(frame, y);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace host
