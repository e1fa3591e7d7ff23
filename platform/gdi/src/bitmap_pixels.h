// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The pixel decoders behind the bitmap reader: uncompressed rows of every depth and
// the two run-length encodings. The header reader has checked sizes before these run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace soft::gdi {

// One colour channel of a 16- or 32-bit pixel, as its mask says.
struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;  // lowest bit of the mask
    int bits = 0;   // from the lowest to the highest bit of the mask

    static ChannelMask of(uint32_t mask);
    uint8_t expand(uint32_t pixel) const;  // the channel as 8 bits
};

struct PixelLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool topDown = false;
    uint32_t palette[256] = {};  // 0x00RRGGBB; entries the file lacks stay black
    ChannelMask red, green, blue;
};

// Bytes from one stored row to the next: rows are padded to whole 32-bit words.
uint64_t rowStride(uint64_t width, int bitsPerPixel);

// `data` holds rowStride * height bytes; `pixels` receives width * height, top row first.
void decodeUncompressed(const uint8_t* data, const PixelLayout& layout, uint32_t* pixels);

// BI_RLE8 (`fourBit` false) or BI_RLE4. Pixels the runs never reach keep colour 0 of
// the palette, as in a freshly made DIB. False, with a reason, when the data ends
// before the end-of-bitmap mark and before the last row.
bool decodeRunLength(const uint8_t* data, size_t size, bool fourBit, const PixelLayout& layout, uint32_t* pixels,
                     std::string* whyRefused);

}  // namespace soft::gdi
