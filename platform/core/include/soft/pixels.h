// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// 16-bit pixel formats shared by every software stand-in.
#pragma once

#include <cstdint>

namespace soft {

enum class PixelFormat { rgb565, rgb555 };

struct ChannelMasks {
    uint32_t red, green, blue;
};

constexpr ChannelMasks masksOf(PixelFormat format)
{
    return format == PixelFormat::rgb555 ? ChannelMasks{0x7C00, 0x03E0, 0x001F} : ChannelMasks{0xF800, 0x07E0, 0x001F};
}

// Colours reach 16 bits by keeping the top bits of each 8-bit channel.
constexpr uint16_t packColour(PixelFormat format, uint8_t r, uint8_t g, uint8_t b)
{
    if (format == PixelFormat::rgb555)
        return uint16_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
    return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

struct Rgb8 {
    uint8_t r, g, b;
};

// Expands a 16-bit pixel back to 8 bits a channel, replicating the top bits into
// the low ones so that full intensity stays 255.
constexpr Rgb8 unpackColour(PixelFormat format, uint16_t p)
{
    unsigned r5, g, b5;
    if (format == PixelFormat::rgb555) {
        r5 = (p >> 10) & 31;
        g = ((p >> 5) & 31) << 3 | ((p >> 5) & 31) >> 2;
    } else {
        r5 = (p >> 11) & 31;
        g = ((p >> 5) & 63) << 2 | ((p >> 5) & 63) >> 4;
    }
    b5 = p & 31;
    return Rgb8{uint8_t(r5 << 3 | r5 >> 2), uint8_t(g), uint8_t(b5 << 3 | b5 >> 2)};
}

}  // namespace soft
