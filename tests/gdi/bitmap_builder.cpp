#include "bitmap_builder.h"

namespace gdi_test {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<uint8_t> packRow(const BitmapSpec& spec, const uint32_t* row)
{
    std::vector<uint8_t> out;
    int bpp = spec.bitsPerPixel;
    if (bpp <= 8) {
        int perByte = 8 / bpp;
        out.resize(size_t((spec.width + perByte - 1) / perByte));
        for (int x = 0; x < spec.width; ++x)
            out[size_t(x / perByte)] |= uint8_t(row[x] << (8 - bpp * (x % perByte + 1)));
    } else {
        for (int x = 0; x < spec.width; ++x)
            for (int b = 0; b < bpp / 8; ++b)
                out.push_back(uint8_t(row[x] >> (8 * b)));
    }
    while (out.size() % 4)
        out.push_back(0);
    return out;
}

} // namespace

std::vector<uint8_t> buildBitmap(const BitmapSpec& spec, const std::vector<uint32_t>& values,
                                 const std::vector<uint8_t>& encoded)
{
    bool core = spec.headerSize == 12;
    bool masksAfterHeader = spec.compression == 3 && spec.headerSize == 40;
    size_t entry = core ? 3 : 4;
    size_t offBits = 14 + spec.headerSize + (masksAfterHeader ? 12 : 0) + spec.palette.size() * entry;

    std::vector<uint8_t> pixels;
    if (spec.compression == 1 || spec.compression == 2) {
        pixels = encoded;
    } else {
        for (int stored = 0; stored < spec.height; ++stored) {
            int y = spec.topDown ? stored : spec.height - 1 - stored;
            std::vector<uint8_t> row = packRow(spec, values.data() + size_t(y) * size_t(spec.width));
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }

    std::vector<uint8_t> out;
    put16(out, 0x4D42);
    put32(out, uint32_t(offBits + pixels.size()));
    put32(out, 0);
    put32(out, spec.offBitsOverride ? spec.offBitsOverride : uint32_t(offBits));
    put32(out, spec.headerSize);
    if (core) {
        put16(out, uint32_t(spec.width));
        put16(out, uint32_t(spec.height));
        put16(out, 1);
        put16(out, uint32_t(spec.bitsPerPixel));
    } else {
        put32(out, uint32_t(spec.width));
        put32(out, uint32_t(spec.topDown ? -spec.height : spec.height));
        put16(out, 1);
        put16(out, uint32_t(spec.bitsPerPixel));
        put32(out, spec.compression);
        put32(out, uint32_t(pixels.size()));
        put32(out, 2835);  // 72 dpi
        put32(out, 2835);
        put32(out, spec.coloursUsed);
        put32(out, 0);
        // Later headers: masks (in the header itself), then zeros for the colour space.
        size_t headerEnd = 14 + spec.headerSize;
        if (spec.headerSize > 40)
            for (uint32_t m : spec.masks)
                put32(out, m);
        while (out.size() < headerEnd)
            out.push_back(0);
        if (masksAfterHeader)
            for (uint32_t m : spec.masks)
                put32(out, m);
    }
    for (uint32_t c : spec.palette) {
        out.push_back(uint8_t(c));
        out.push_back(uint8_t(c >> 8));
        out.push_back(uint8_t(c >> 16));
        if (!core)
            out.push_back(0);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

} // namespace gdi_test
