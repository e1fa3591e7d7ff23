// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Windows bitmap files of every variant built in memory, and the folder the tests write them to.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace gdi_test {

struct BitmapSpec {
    int width = 0;
    int height = 0;  // rows; `topDown` writes a negative height
    int bitsPerPixel = 24;
    uint32_t compression = 0;  // BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS
    uint32_t headerSize = 40;  // 12, 40, 52, 56, 108 or 124
    bool topDown = false;
    std::vector<uint32_t> palette = {};  // 0x00RRGGBB entries written
    uint32_t coloursUsed = 0;            // biClrUsed
    uint32_t masks[3] = {0, 0, 0};       // red, green, blue for BI_BITFIELDS
};

inline void put(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// `values`: width * height entries, top row first: palette indexes up to 8 bits per pixel, raw values
// for 16 and 32, 0x00RRGGBB for 24. For run-length files `encoded` is written as it is.
inline std::vector<uint8_t> buildBitmap(const BitmapSpec& layout, const std::vector<uint32_t>& values,
                                        const std::vector<uint8_t>& encoded = {})
{
    const bool core = layout.headerSize == 12, masksAfterHeader = layout.compression == 3 && layout.headerSize == 40;
    const bool runLength = layout.compression == 1 || layout.compression == 2;
    const int bpp = layout.bitsPerPixel;
    std::vector<uint8_t> pixels = encoded;
    for (int stored = 0; !runLength && stored < layout.height; ++stored) {
        const uint32_t* row =
            values.data() + size_t(layout.topDown ? stored : layout.height - 1 - stored) * size_t(layout.width);
        size_t start = pixels.size();
        if (bpp <= 8) {
            pixels.resize(start + size_t((layout.width * bpp + 7) / 8));
            for (int x = 0; x < layout.width; ++x)
                pixels[start + size_t(x * bpp / 8)] |= uint8_t(row[x] << (8 - bpp - x * bpp % 8));
        } else {
            for (int x = 0; x < layout.width; ++x)
                put(pixels, row[x], bpp / 8);
        }
        pixels.resize(start + (pixels.size() - start + 3) / 4 * 4);
    }
    const size_t entry = core ? 3 : 4;
    const size_t offBits = 14 + layout.headerSize + (masksAfterHeader ? 12 : 0) + layout.palette.size() * entry;
    std::vector<uint8_t> out;
    put(out, 0x4D42, 2);
    put(out, uint32_t(offBits + pixels.size()), 4);
    put(out, 0, 4);
    put(out, uint32_t(offBits), 4);
    put(out, layout.headerSize, 4);
    put(out, uint32_t(layout.width), core ? 2 : 4);
    put(out, uint32_t(layout.topDown ? -layout.height : layout.height), core ? 2 : 4);
    put(out, 1, 2);
    put(out, uint32_t(bpp), 2);
    if (!core) {
        for (uint32_t v :
             {layout.compression, uint32_t(pixels.size()), 2835u, 2835u, layout.coloursUsed, 0u})  // 72 dpi
            put(out, v, 4);
        for (int i = 0; i < 3 && layout.headerSize > 40; ++i)  // later headers hold the masks themselves
            put(out, layout.masks[i], 4);
        out.resize(14 + layout.headerSize);  // zeros for the colour space
        for (int i = 0; i < 3 && masksAfterHeader; ++i)
            put(out, layout.masks[i], 4);
    }
    for (uint32_t c : layout.palette)
        put(out, c, int(entry));
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// gdi_test_output/TEST in the build tree, made on first use, whatever the working
// directory: CTest runs the tests of one binary side by side, and none may read a
// file another is writing.
inline std::string outputPath(const std::string& name)
{
    std::filesystem::path dir = std::filesystem::path(MORNAKLE_BINARY_DIR) / "gdi_test_output";
    if (const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info())
        dir /= std::string(test->test_suite_name()) + "." + test->name();
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

inline std::string writeFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    std::string path = outputPath(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

}  // namespace gdi_test
