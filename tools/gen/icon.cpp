// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "icon.h"

#include "pictures.h"

#include "exact_math.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int fullSize = 256;
constexpr float corner = 44;  // radius of the tile's rounded corners
constexpr float margin = 8;   // transparent border around the tile

// Signed distance to the rounded tile, negative inside.
float tileDistance(float x, float y)
{
    const float half = fullSize / 2.0f - margin - corner;
    float dx = std::max(std::fabs(x - fullSize / 2.0f) - half, 0.0f);
    float dy = std::max(std::fabs(y - fullSize / 2.0f) - half, 0.0f);
    float outside = exact::hypot(dx, dy);
    float inside = std::min(std::max(std::fabs(x - fullSize / 2.0f), std::fabs(y - fullSize / 2.0f)) - half, 0.0f);
    return outside + inside - corner;
}

Canvas paintFullIcon()
{
    Canvas canvas(fullSize, fullSize);
    const Palette sky{{0.0f, hex(0x04031A)}, {0.6f, hex(0x160A40)}, {1.0f, hex(0x501060)}};
    Canvas tile(fullSize, fullSize);
    art::spaceBackdrop(tile, {0, 0, fullSize, fullSize}, sky, 0x1C0A, 60);
    // Ripples from the lower left, as in the ring interference.
    for (int y = 0; y < fullSize; ++y)
        for (int x = 0; x < fullSize; ++x) {
            float d = exact::hypot(float(x) - 40.0f, float(y) - 230.0f);
            float wave = exact::pow(0.5f + 0.5f * exact::cos(d * 0.2f), 6.0f);
            tile.addLight(x, y, Rgb{0.3f, 0.35f, 0.9f} * (wave * exact::exp(-d / 220.0f) * 0.6f));
        }
    TubeStyle letter = art::chromeStyle(13);
    letter.glow = hex(0x4060FF);
    letter.glowWidth = 10;
    letter.additiveGlow = true;
    drawTubeText(tile, "M", fullSize / 2.0f, 62, TextLayout{124, 1.5f, 0.12f}, letter);
    // The tile's rim: a thin bright edge, then the anti-aliased cut to transparent.
    for (int y = 0; y < fullSize; ++y)
        for (int x = 0; x < fullSize; ++x) {
            float d = tileDistance(float(x) + 0.5f, float(y) + 0.5f);
            float cover = std::clamp(0.5f - d, 0.0f, 1.0f);
            float rim = std::clamp(1.0f - std::fabs(d + 3.0f) / 2.0f, 0.0f, 1.0f);
            canvas.paint(x, y, mix(tile.colour(x, y), hex(0x8890C0), rim * 0.8f), cover);
        }
    return canvas;
}

uint8_t toByte(float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

IconImage paintIcon(int size)
{
    const Canvas canvas = paintFullIcon();
    const int step = fullSize / size;
    IconImage image;
    image.size = size;
    image.rgba.reserve(size_t(size) * size_t(size) * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // Averaged with the colour weighted by coverage, so that edges do not darken.
            Rgb sum;
            float cover = 0;
            for (int v = 0; v < step; ++v)
                for (int u = 0; u < step; ++u) {
                    const Rgb c = canvas.colour(x * step + u, y * step + v);
                    const float a = canvas.coverage(x * step + u, y * step + v);
                    sum =
                        sum +
                        Rgb{std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f), std::clamp(c.b, 0.0f, 1.0f)} * a;
                    cover += a;
                }
            const Rgb c = cover > 0 ? sum * (1.0f / cover) : Rgb{};
            for (float channel : {c.r, c.g, c.b, cover / float(step * step)})
                image.rgba.push_back(toByte(channel));
        }
    return image;
}
