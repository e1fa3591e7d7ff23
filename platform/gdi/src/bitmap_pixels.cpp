// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "bitmap_pixels.h"

#include <algorithm>
#include <bit>

namespace soft::gdi {

ChannelMask ChannelMask::of(uint32_t mask)
{
    ChannelMask c;
    c.mask = mask;
    if (mask) {
        c.shift = std::countr_zero(mask);
        c.bits = 32 - std::countl_zero(mask) - c.shift;
    }
    return c;
}

uint8_t ChannelMask::expand(uint32_t pixel) const
{
    if (bits == 0)
        return 0;
    uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8)
        return uint8_t(v >> (bits - 8));
    // Fewer than 8 bits: repeat them downwards, so that full intensity is 255 and a
    // 5-bit channel comes back unchanged when reduced to 5 bits again.
    uint32_t out = v;
    int have = bits;
    while (have < 8) {
        out = out << bits | v;
        have += bits;
    }
    return uint8_t(out >> (have - 8));
}

uint64_t rowStride(uint64_t width, int bitsPerPixel) { return (width * uint64_t(bitsPerPixel) + 31) / 32 * 4; }

namespace {

uint32_t* outputRow(const PixelLayout& layout, uint32_t* pixels, int storedRow)
{
    int y = layout.topDown ? storedRow : layout.height - 1 - storedRow;
    return pixels + size_t(y) * size_t(layout.width);
}

void decodeIndexedRow(const uint8_t* in, const PixelLayout& layout, uint32_t* out)
{
    int bpp = layout.bitsPerPixel;
    int perByte = 8 / bpp;
    unsigned indexMask = (1u << bpp) - 1;
    for (int x = 0; x < layout.width; ++x) {
        unsigned byte = in[x / perByte];
        int shift = 8 - bpp * (x % perByte + 1);
        out[x] = layout.palette[(byte >> shift) & indexMask];
    }
}

void decodeMaskedRow(const uint8_t* in, const PixelLayout& layout, uint32_t* out)
{
    int bytes = layout.bitsPerPixel / 8;
    for (int x = 0; x < layout.width; ++x, in += bytes) {
        uint32_t p = bytes == 2
                         ? uint32_t(in[0] | in[1] << 8)
                         : uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
        out[x] = uint32_t(layout.red.expand(p)) << 16 | uint32_t(layout.green.expand(p)) << 8 | layout.blue.expand(p);
    }
}

void decodeTrueColourRow(const uint8_t* in, const PixelLayout& layout, uint32_t* out)
{
    for (int x = 0; x < layout.width; ++x, in += 3)
        out[x] = uint32_t(in[2]) << 16 | uint32_t(in[1]) << 8 | in[0];
}

}  // namespace

void decodeUncompressed(const uint8_t* data, const PixelLayout& layout, uint32_t* pixels)
{
    uint64_t stride = rowStride(uint64_t(layout.width), layout.bitsPerPixel);
    for (int row = 0; row < layout.height; ++row) {
        const uint8_t* in = data + stride * uint64_t(row);
        uint32_t* out = outputRow(layout, pixels, row);
        if (layout.bitsPerPixel <= 8)
            decodeIndexedRow(in, layout, out);
        else if (layout.bitsPerPixel == 24)
            decodeTrueColourRow(in, layout, out);
        else
            decodeMaskedRow(in, layout, out);
    }
}

bool decodeRunLength(const uint8_t* data, size_t size, bool fourBit, const PixelLayout& layout, uint32_t* pixels,
                     std::string* whyRefused)
{
    // Escapes after a zero count byte (the platform's run-length encoding).
    constexpr uint8_t endOfLine = 0, endOfBitmap = 1, delta = 2;

    std::fill(pixels, pixels + size_t(layout.width) * size_t(layout.height), layout.palette[0]);
    int x = 0, row = 0;  // row 0 is the bottom row
    auto put = [&](unsigned index) {
        if (x < layout.width && row < layout.height)
            outputRow(layout, pixels, row)[x] = layout.palette[index & 0xFF];
        x = std::min(x + 1, layout.width);
    };
    size_t at = 0;
    while (row < layout.height) {
        if (size - at < 2)
            break;
        uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {  // a run of one index (RLE8) or of two alternating ones (RLE4)
            for (int k = 0; k < count; ++k)
                put(fourBit ? (k & 1 ? value & 15 : value >> 4) : value);
        } else if (value == endOfLine) {
            x = 0;
            ++row;
        } else if (value == endOfBitmap) {
            return true;
        } else if (value == delta) {
            if (size - at < 2)
                break;
            x = std::min(x + data[at], layout.width);
            row += data[at + 1];
            at += 2;
        } else {  // absolute mode: `value` indexes follow, padded to a 16-bit boundary
            size_t bytes = fourBit ? (value + 1u) / 2 : value;
            if (size - at < bytes)
                break;
            for (int k = 0; k < value; ++k)
                put(fourBit ? (k & 1 ? data[at + k / 2] & 15 : data[at + k / 2] >> 4) : data[at + k]);
            at += bytes + (bytes & 1);
            at = std::min(at, size);
        }
    }
    if (row >= layout.height)
        return true;  // every row reached: the missing end mark changes nothing
    if (whyRefused)
        *whyRefused = "run-length data ends before the last row";
    return false;
}

}  // namespace soft::gdi
