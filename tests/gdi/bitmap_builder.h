// Builds Windows bitmap files of every variant in memory, for the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gdi_test {

struct BitmapSpec {
    int width = 0;
    int height = 0;  // rows; `topDown` writes a negative height
    int bitsPerPixel = 24;
    uint32_t compression = 0;   // BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS
    uint32_t headerSize = 40;   // 12, 40, 52, 56, 108 or 124
    bool topDown = false;
    std::vector<uint32_t> palette;  // 0x00RRGGBB entries written
    uint32_t coloursUsed = 0;       // biClrUsed
    uint32_t masks[3] = {0, 0, 0};  // red, green, blue for BI_BITFIELDS
    uint32_t offBitsOverride = 0;   // non-zero: written as bfOffBits instead of the real offset
};

// `values` holds width * height entries, top row first: palette indexes for up to 8
// bits per pixel, raw pixel values for 16 and 32, 0x00RRGGBB for 24. For the
// run-length compressions, `encoded` is the compressed data written as it is.
std::vector<uint8_t> buildBitmap(const BitmapSpec& spec, const std::vector<uint32_t>& values,
                                 const std::vector<uint8_t>& encoded = {});

} // namespace gdi_test
