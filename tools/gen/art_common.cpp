// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "pictures.h"

#include "exact_math.h"

#include <cmath>

namespace art {

const Palette chrome{{0.00f, hex(0x1C2F6E)}, {0.30f, hex(0x6C9BE0)}, {0.47f, hex(0xE8F2FF)}, {0.50f, hex(0xFFFFFF)},
                     {0.53f, hex(0x2A1A10)}, {0.70f, hex(0x7A4A26)}, {0.88f, hex(0xE0A868)}, {1.00f, hex(0xFFE6B0)}};
const Palette gold{{0.00f, hex(0xFFF4C0)},
                   {0.35f, hex(0xF0B030)},
                   {0.55f, hex(0x8A4A08)},
                   {0.75f, hex(0xE09A20)},
                   {1.00f, hex(0xFFE080)}};
const Palette ice{{0.00f, hex(0xFFFFFF)},
                  {0.40f, hex(0x88D8FF)},
                  {0.60f, hex(0x2050C0)},
                  {0.85f, hex(0x60B0FF)},
                  {1.00f, hex(0xE0F4FF)}};

TubeStyle chromeStyle(float radius)
{
    TubeStyle style;
    style.radius = radius;
    style.body = chrome;
    style.bend = 0.22f;
    style.specular = 0.9f;
    style.outline = std::max(1.2f, radius * 0.3f);
    return style;
}

void spaceBackdrop(Canvas& canvas, Rect area, const Palette& sky, unsigned seed, int stars)
{
    canvas.verticalGradient(area, sky);
    Prng prng(seed);
    addStarfield(canvas, area, stars, prng, {0.8f, 0.85f, 1.0f});
}

void copperBars(Canvas& canvas, int left, int right, int y, int barHeight, int count, const Palette& hues,
                float opacity)
{
    for (int bar = 0; bar < count; ++bar) {
        Rgb hue = hues.at(count > 1 ? float(bar) / float(count - 1) : 0.0f);
        for (int v = 0; v < barHeight; ++v) {
            float t = (float(v) + 0.5f) / float(barHeight);
            float ridge = exact::pow(exact::sin(t * pi), 1.5f);
            Rgb c = mix(hue * 0.15f, hue, ridge) + Rgb{1, 1, 1} * exact::pow(ridge, 12.0f) * 0.5f;
            for (int x = left; x < right; ++x)
                canvas.paint(x, y + bar * barHeight + v, c, opacity);
        }
    }
}

}  // namespace art
