// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Reads the headers of a Windows bitmap file, checks that everything they point at
// lies inside the file, and hands the pixels to the decoders.
#include "gdi/bitmap_file.h"

#include "bitmap_pixels.h"

#include <algorithm>
#include <cstdio>

namespace soft::gdi {

namespace {

constexpr uint16_t bitmapSignature = 0x4D42;  // "BM"
constexpr size_t fileHeaderSize = 14;
constexpr uint32_t infoHeaderSize = 40;
constexpr uint32_t biRgb = 0, biRle8 = 1, biRle4 = 2, biBitfields = 3;

// The information headers the platform reads, by size.
struct HeaderSize {
    uint32_t bytes;
    HeaderKind kind;
};
constexpr HeaderSize headerSizes[] = {
    {12, HeaderKind::core}, {40, HeaderKind::info}, {52, HeaderKind::v2},
    {56, HeaderKind::v3},   {108, HeaderKind::v4},  {124, HeaderKind::v5},
};

// Little-endian fields at offsets already known to lie inside the file.
struct Bytes {
    const uint8_t* data;
    size_t size;

    bool holds(uint64_t offset, uint64_t length) const { return offset <= size && length <= size - offset; }
    uint16_t u16(size_t at) const { return uint16_t(data[at] | data[at + 1] << 8); }
    uint32_t u32(size_t at) const
    {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
    }
};

// What the headers say, before any pixel is read.
struct Header {
    HeaderKind kind;
    uint32_t size;
    int64_t width, height;
    bool topDown;
    unsigned planes, bitsPerPixel;
    uint32_t compression;
    uint32_t imageSize;
    uint32_t coloursUsed;
};

std::optional<DecodedBitmap> refuse(std::string* whyRefused, const std::string& why)
{
    if (whyRefused)
        *whyRefused = why;
    return std::nullopt;
}

std::optional<HeaderKind> kindOfHeader(uint32_t size)
{
    for (const HeaderSize& h : headerSizes)
        if (h.bytes == size)
            return h.kind;
    return std::nullopt;
}

Header readHeader(const Bytes& file, HeaderKind kind, uint32_t size)
{
    constexpr size_t at = fileHeaderSize;
    Header h{kind, size, 0, 0, false, 0, 0, biRgb, 0, 0};
    if (kind == HeaderKind::core) {
        h.width = file.u16(at + 4);
        h.height = file.u16(at + 6);
        h.planes = file.u16(at + 8);
        h.bitsPerPixel = file.u16(at + 10);
        return h;
    }
    h.width = int32_t(file.u32(at + 4));
    h.height = int32_t(file.u32(at + 8));
    h.planes = file.u16(at + 12);
    h.bitsPerPixel = file.u16(at + 14);
    h.compression = file.u32(at + 16);
    h.imageSize = file.u32(at + 20);
    h.coloursUsed = file.u32(at + 32);
    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    return h;
}

// The depths each compression allows, as the platform's DIB functions accept them.
const char* checkFormat(const Header& h)
{
    unsigned bpp = h.bitsPerPixel;
    if (h.kind == HeaderKind::core)
        return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 ? nullptr : "unsupported bits per pixel";
    switch (h.compression) {
    case biRgb:
        return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32 ? nullptr
                                                                                       : "unsupported bits per pixel";
    case biRle8:
    case biRle4:
        if (bpp != (h.compression == biRle8 ? 8u : 4u))
            return "run-length compression does not match the bits per pixel";
        return h.topDown ? "run-length compressed rows cannot be top-down" : nullptr;
    case biBitfields:
        return bpp == 16 || bpp == 32 ? nullptr : "colour masks need 16 or 32 bits per pixel";
    default:
        return "unsupported compression";
    }
}

void setMasks(PixelLayout& layout, uint32_t red, uint32_t green, uint32_t blue)
{
    layout.red = ChannelMask::of(red);
    layout.green = ChannelMask::of(green);
    layout.blue = ChannelMask::of(blue);
}

}  // namespace

const char* headerKindName(HeaderKind kind)
{
    switch (kind) {
    case HeaderKind::core:
        return "core";
    case HeaderKind::info:
        return "info";
    case HeaderKind::v2:
        return "v2";
    case HeaderKind::v3:
        return "v3";
    case HeaderKind::v4:
        return "v4";
    case HeaderKind::v5:
        return "v5";
    }
    return "unknown";
}

const char* compressionName(uint32_t compression)
{
    switch (compression) {
    case biRgb:
        return "BI_RGB";
    case biRle8:
        return "BI_RLE8";
    case biRle4:
        return "BI_RLE4";
    case biBitfields:
        return "BI_BITFIELDS";
    }
    return "unknown";
}

std::optional<DecodedBitmap> readBitmapFile(const uint8_t* data, size_t size, std::string* whyRefused,
                                            uint64_t maxPixels)
{
    Bytes file{data, size};
    if (!file.holds(0, fileHeaderSize + 4))
        return refuse(whyRefused, "too short for a bitmap file header");
    if (file.u16(0) != bitmapSignature)
        return refuse(whyRefused, "not a bitmap file (no BM signature)");
    uint32_t headerSize = file.u32(fileHeaderSize);
    std::optional<HeaderKind> kind = kindOfHeader(headerSize);
    if (!kind)
        return refuse(whyRefused, "unsupported information header size " + std::to_string(headerSize));
    if (!file.holds(fileHeaderSize, headerSize))
        return refuse(whyRefused, "truncated information header");

    Header h = readHeader(file, *kind, headerSize);
    if (h.width <= 0 || h.height <= 0)
        return refuse(whyRefused, "width or height is zero or negative");
    if (h.planes != 1)
        return refuse(whyRefused, "number of planes is not 1");
    if (const char* bad = checkFormat(h))
        return refuse(whyRefused, bad);
    if (uint64_t(h.width) * uint64_t(h.height) > maxPixels)
        return refuse(whyRefused, "too large (" + std::to_string(h.width) + " x " + std::to_string(h.height) + ")");

    PixelLayout layout;
    layout.width = int(h.width);
    layout.height = int(h.height);
    layout.bitsPerPixel = int(h.bitsPerPixel);
    layout.topDown = h.topDown;

    // Colour masks: 16-bit pixels default to 5-5-5, 32-bit to 8-8-8. With BI_BITFIELDS
    // a 40-byte header is followed by the three masks; the later headers hold them.
    uint64_t tableStart = fileHeaderSize + uint64_t(headerSize);
    if (h.bitsPerPixel == 16)
        setMasks(layout, 0x7C00, 0x03E0, 0x001F);
    else if (h.bitsPerPixel == 32)
        setMasks(layout, 0xFF0000, 0x00FF00, 0x0000FF);
    if (h.compression == biBitfields) {
        size_t masksAt = fileHeaderSize + infoHeaderSize;
        if (!file.holds(masksAt, 12))
            return refuse(whyRefused, "truncated colour masks");
        setMasks(layout, file.u32(masksAt), file.u32(masksAt + 4), file.u32(masksAt + 8));
        if (*kind == HeaderKind::info)
            tableStart += 12;
    }

    // The colour table. An info header may declare fewer entries than the depth allows
    // (biClrUsed); deeper pixels may still carry a table, which is skipped. When the
    // pixel offset leaves room for fewer entries than declared, only those are read,
    // and the missing ones stay black.
    size_t entryBytes = *kind == HeaderKind::core ? 3 : 4;
    uint64_t declared = h.bitsPerPixel <= 8 ? uint64_t(1) << h.bitsPerPixel : 0;
    if (*kind != HeaderKind::core && h.coloursUsed != 0)
        declared = std::min<uint64_t>(h.coloursUsed, 256);
    uint64_t paletteEntries = std::min<uint64_t>(declared, h.bitsPerPixel <= 8 ? 1u << h.bitsPerPixel : 0);
    uint32_t offBits = file.u32(10);
    uint64_t pixelStart = tableStart + declared * entryBytes;
    if (offBits != 0) {
        if (offBits < tableStart)
            return refuse(whyRefused, "pixel data offset points into the headers");
        pixelStart = offBits;
        paletteEntries = std::min<uint64_t>(paletteEntries, (pixelStart - tableStart) / entryBytes);
    }
    if (!file.holds(tableStart, paletteEntries * entryBytes))
        return refuse(whyRefused, "truncated colour table");
    for (uint64_t i = 0; i < paletteEntries; ++i) {
        const uint8_t* e = data + tableStart + i * entryBytes;
        layout.palette[i] = uint32_t(e[2]) << 16 | uint32_t(e[1]) << 8 | e[0];
    }
    if (pixelStart > size)
        return refuse(whyRefused, "pixel data offset lies past the end of the file");

    DecodedBitmap out;
    out.width = layout.width;
    out.height = layout.height;
    out.bitsPerPixel = layout.bitsPerPixel;
    out.compression = h.compression;
    out.headerKind = *kind;
    out.topDown = h.topDown;
    out.paletteSize = int(paletteEntries);
    out.pixels.resize(size_t(layout.width) * size_t(layout.height));

    const uint8_t* pixelData = data + pixelStart;
    size_t available = size - size_t(pixelStart);
    if (h.compression == biRle8 || h.compression == biRle4) {
        if (h.imageSize != 0)
            available = std::min<size_t>(available, h.imageSize);
        if (!decodeRunLength(pixelData, available, h.compression == biRle4, layout, out.pixels.data(), whyRefused))
            return std::nullopt;
        return out;
    }
    if (rowStride(uint64_t(layout.width), layout.bitsPerPixel) * uint64_t(layout.height) > available)
        return refuse(whyRefused, "pixel data is truncated");
    decodeUncompressed(pixelData, layout, out.pixels.data());
    return out;
}

}  // namespace soft::gdi
