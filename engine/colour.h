// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Engine colours are floats 0..1 per channel; the device takes 32-bit ARGB.
#pragma once

#include <cstdint>

// The specular colour of a vertex that has none: opaque black.
constexpr uint32_t noSpecular = 0xFF000000;

// channel x 255 truncated toward zero (0.5 gives 127, 1.0 gives 255). Values outside
// 0..1, and not-a-number, are held to 0..255 so they cannot spill into other channels.
inline uint32_t colourByte(float channel)
{
    float scaled = channel * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= 255.0f)
        return 255;
    return uint32_t(scaled);
}

inline uint32_t packColour(float a, float r, float g, float b)
{
    return colourByte(a) << 24 | colourByte(r) << 16 | colourByte(g) << 8 | colourByte(b);
}
