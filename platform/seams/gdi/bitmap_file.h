// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The reader behind LoadImageA: a Windows bitmap file (or bitmap resource, which is
// the same bytes) decoded into 32-bit pixels, with what the file declared. Internal
// to the GDI stand-in and the tools that explain what it makes of a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace soft::gdi {

// Which of the platform's information headers the file uses, by its size in bytes.
enum class HeaderKind {
    core,  // 12: OS/2 1.x BITMAPCOREHEADER, palette of 3-byte entries
    info,  // 40: BITMAPINFOHEADER
    v2,    // 52: adds the three colour masks
    v3,    // 56: adds the alpha mask
    v4,    // 108: BITMAPV4HEADER
    v5,    // 124: BITMAPV5HEADER
};

const char* headerKindName(HeaderKind kind);
const char* compressionName(uint32_t compression);

struct DecodedBitmap {
    int width = 0;
    int height = 0;  // rows, always positive
    int bitsPerPixel = 0;
    uint32_t compression = 0;  // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
    HeaderKind headerKind = HeaderKind::info;
    bool topDown = false;  // rows stored top row first (negative height)
    int paletteSize = 0;   // colour table entries read from the file
    // width * height pixels, top row first, each 0x00RRGGBB (B, G, R, 0 in memory).
    std::vector<uint32_t> pixels;
};

// No picture we load comes near this; it bounds what a small compressed file can make
// us allocate (128 MiB of pixels).
constexpr uint64_t maxBitmapPixels = uint64_t(1) << 25;

// Decodes a whole bitmap file. On refusal returns nothing and, when `whyRefused` is
// given, one line saying why. Never reads outside [data, data + size).
std::optional<DecodedBitmap> readBitmapFile(const uint8_t* data, size_t size, std::string* whyRefused,
                                            uint64_t maxPixels = maxBitmapPixels);

}  // namespace soft::gdi
