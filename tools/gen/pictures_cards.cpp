// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The two stills near the end: the credits and the closing card.
#include "pictures.h"

#include "exact_math.h"

#include <cmath>

namespace {

void creditLine(Canvas& canvas, const char* role, const char* handle, float y)
{
    TubeStyle label = art::chromeStyle(2.0f);
    label.body = art::gold;
    drawTubeText(canvas, role, 320, y, TextLayout{16, 1.8f, 0}, label);
    TubeStyle name = art::chromeStyle(4.0f);
    name.glow = hex(0x3050FF);
    name.glowWidth = 5;
    name.additiveGlow = true;
    drawTubeText(canvas, handle, 320, y + 26, TextLayout{36, 1.5f, 0.15f}, name);
}

}  // namespace

Canvas paintBonde()
{
    Canvas canvas(pictureWidth, pictureHeight);
    const Palette sky{{0.0f, hex(0x000008)}, {0.7f, hex(0x0A0828)}, {1.0f, hex(0x20103C)}};
    art::spaceBackdrop(canvas, {0, 0, pictureWidth, pictureHeight}, sky, 0xB0DE, 500);
    const Palette hues{{0, hex(0xFF2060)}, {1, hex(0x6020FF)}};
    art::copperBars(canvas, 0, pictureWidth, 22, 10, 2, hues, 1.0f);
    art::copperBars(canvas, 0, pictureWidth, 438, 10, 2, hues, 1.0f);
    TubeStyle title = art::chromeStyle(5.0f);
    drawTubeText(canvas, "CREDITS", 320, 60, TextLayout{46, 1.6f, 0.16f}, title);
    creditLine(canvas, "CODE", "ZEROPAGE", 140);
    creditLine(canvas, "GFX", "PIXELMOSS", 225);
    creditLine(canvas, "MUSIC", "TRACKRAT", 310);
    TubeStyle small = art::chromeStyle(1.4f);
    small.body = art::ice;
    drawTubeText(canvas, "NOCTAVIA 1998", 320, 402, TextLayout{12, 1.8f, 0}, small);
    scanlines(canvas, {0, 0, pictureWidth, pictureHeight}, 0.1f);
    return canvas;
}

Canvas paintLame()
{
    Canvas canvas(pictureWidth, pictureHeight);
    constexpr int horizon = 300;
    const Palette sunset{{0.0f, hex(0x04020C)}, {0.5f, hex(0x2A0A40)}, {0.85f, hex(0xB02850)}, {1.0f, hex(0xFF9A40)}};
    art::spaceBackdrop(canvas, {0, 0, pictureWidth, horizon}, sunset, 0x1A3E, 200);
    // A mirror sea below the horizon: the sky again, darker, broken by ripples.
    for (int y = horizon; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) {
            int mirrored =
                std::max(0, 2 * horizon - y - 1 + int(3.0f * exact::sin(float(y) * 0.7f + float(x) * 0.02f)));
            Rgb c = canvas.colour(x, std::min(horizon - 1, mirrored));
            canvas.paint(x, y, c * (0.55f - 0.3f * float(y - horizon) / float(pictureHeight - horizon)));
        }
    TubeStyle title = art::chromeStyle(9.0f);
    title.glow = hex(0xFF6040);
    title.glowWidth = 9;
    title.additiveGlow = true;
    drawTubeText(canvas, "THE END", 320, 160, TextLayout{88, 1.5f, 0.16f}, title);
    TubeStyle sub = art::chromeStyle(2.2f);
    sub.body = art::gold;
    drawTubeText(canvas, "THANKS FOR WATCHING", 320, 330, TextLayout{20, 1.7f, 0.1f}, sub);
    TubeStyle small = art::chromeStyle(1.4f);
    small.body = art::ice;
    drawTubeText(canvas, "MORNAKLE 3D  -  NOCTAVIA 1998", 320, 440, TextLayout{12, 1.8f, 0}, small);
    scanlines(canvas, {0, 0, pictureWidth, pictureHeight}, 0.1f);
    return canvas;
}
