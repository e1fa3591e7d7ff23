// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "bmp_writer.h"

#include <stdexcept>

namespace {

constexpr uint32_t fileHeaderSize = 14;
constexpr uint32_t infoHeaderSize = 40;
constexpr uint16_t bitsPerPixel = 24;
constexpr int32_t pixelsPerMetre = 2835;  // 72 dots per inch

void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, uint16_t(v));
    put16(out, uint16_t(v >> 16));
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Image24& image)
{
    if (image.width <= 0 || image.height <= 0 || image.rgb.size() != size_t(image.width) * size_t(image.height) * 3)
        throw std::invalid_argument("encodeBmp: image size does not match its pixels");
    const uint32_t rowBytes = (uint32_t(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * uint32_t(image.height);
    const uint32_t offset = fileHeaderSize + infoHeaderSize;

    std::vector<uint8_t> out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + pixelBytes);
    put32(out, 0);  // reserved
    put32(out, offset);

    put32(out, infoHeaderSize);
    put32(out, uint32_t(image.width));
    put32(out, uint32_t(image.height));  // positive: bottom-up
    put16(out, 1);                       // planes
    put16(out, bitsPerPixel);
    put32(out, 0);  // BI_RGB
    put32(out, pixelBytes);
    put32(out, uint32_t(pixelsPerMetre));
    put32(out, uint32_t(pixelsPerMetre));
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours

    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = &image.rgb[size_t(y) * size_t(image.width) * 3];
        for (int x = 0; x < image.width; ++x) {
            out.push_back(row[3 * x + 2]);  // files store blue, green, red
            out.push_back(row[3 * x + 1]);
            out.push_back(row[3 * x + 0]);
        }
        for (uint32_t pad = uint32_t(image.width) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}
