// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "texture.h"

#include "canvas.h"
#include "exact_math.h"
#include "geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// A sine with a whole number of periods across the tile.
float wave(int periodsX, int periodsY, int x, int y, float phase)
{
    return exact::sin(2.0f * pi * (float(periodsX * x + periodsY * y) / float(textureSize)) + phase);
}

const Palette plasma{{0.00f, hex(0x10002A)}, {0.18f, hex(0x5010A0)}, {0.36f, hex(0x1060FF)}, {0.50f, hex(0x60F0FF)},
                     {0.60f, hex(0xFFFFFF)}, {0.72f, hex(0xFFB040)}, {0.86f, hex(0xD02060)}, {1.00f, hex(0x10002A)}};

}  // namespace

std::vector<uint8_t> paintWarpTexture()
{
    constexpr int tile = 64;  // bevelled tiles, four across
    std::vector<uint8_t> texels;
    texels.reserve(size_t(textureSize) * textureSize * 3);
    for (int y = 0; y < textureSize; ++y)
        for (int x = 0; x < textureSize; ++x) {
            float v = wave(1, 0, x, y, 0.0f) + wave(0, 2, x, y, 1.0f) + wave(2, 1, x, y, 2.0f) +
                      wave(1, -3, x, y, 0.5f) * 0.7f + wave(3, 2, x, y, 4.0f) * 0.4f;
            float t = v / 7.2f + 0.5f;
            t = t - std::floor(t * 1.6f) / 1.6f;  // fold into repeating colour bands
            Rgb c = plasma.at(t * 1.6f);
            // Raised tile edges, lit from the top left.
            int u = x % tile, w = y % tile;
            if (u < 2 || w < 2)
                c = c * 1.5f;
            else if (u >= tile - 2 || w >= tile - 2)
                c = c * 0.45f;
            texels.push_back(uint8_t(std::clamp(c.r, 0.0f, 1.0f) * 255.0f));
            texels.push_back(uint8_t(std::clamp(c.g, 0.0f, 1.0f) * 255.0f));
            texels.push_back(uint8_t(std::clamp(c.b, 0.0f, 1.0f) * 255.0f));
        }
    return texels;
}
