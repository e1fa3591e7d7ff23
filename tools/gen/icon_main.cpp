// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// mornakle-icon DIR: writes the program's icon as DIR/NxN/apps/mornakle.png at the
// sizes desktops look for in the hicolor theme.
#include "icon.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

bool writePng(const std::filesystem::path& path, const IconImage& image)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(image.size), png_uint_32(image.size), 8, PNG_COLOR_TYPE_RGBA,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < image.size; ++y)
            png_write_row(png, image.rgba.data() + size_t(y) * size_t(image.size) * 4);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mornakle-icon DIR\n");
        return 2;
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path dir = std::filesystem::path(argv[1]) / name / "apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (!writePng(dir / "mornakle.png", paintIcon(size))) {
            std::fprintf(stderr, "mornakle-icon: cannot write %s\n", (dir / "mornakle.png").c_str());
            return 1;
        }
    }
    return 0;
}
