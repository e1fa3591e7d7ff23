// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The opaque backdrops that frame the windows the 2D effects and the box scene draw into.
#include "pictures.h"

#include "exact_math.h"

#include <cmath>

namespace {

const Palette nightSky{{0.0f, hex(0x02020A)}, {0.55f, hex(0x0C0A30)}, {0.85f, hex(0x301050)}, {1.0f, hex(0x501060)}};

// Paints the window itself black (the effect covers it anyway) and frames it.
void window(Canvas& canvas, Rect w, Rgb metal)
{
    canvas.fill(w, hex(0x000000));
    bevelFrame(canvas, w, 9, metal);
}

}  // namespace

Canvas paintCircles()
{
    Canvas canvas(pictureWidth, pictureHeight);
    art::spaceBackdrop(canvas, {0, 0, pictureWidth, pictureHeight}, nightSky, 0xC12C1E, 420);
    // Ripples spreading from the window's centre across the whole picture.
    constexpr float cx = 420, cy = 240;
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) {
            float d = exact::hypot(float(x) - cx, float(y) - cy);
            float wave = exact::pow(0.5f + 0.5f * exact::cos(d * 0.26f), 6.0f);
            float fade = exact::exp(-d / 260.0f);
            canvas.addLight(x, y, Rgb{0.25f, 0.35f, 0.8f} * (wave * fade * 0.5f));
        }
    const Rect ringWindow{300, 140, 540, 340};
    window(canvas, ringWindow, hex(0x8890B0));

    TubeStyle title = art::chromeStyle(6);
    title.glow = hex(0x4060FF);
    title.glowWidth = 6;
    title.additiveGlow = true;
    drawTubeText(canvas, "MOIRE", 150, 150, TextLayout{58, 1.5f, 0.15f}, title);
    TubeStyle sub = art::chromeStyle(2.0f);
    sub.body = art::gold;
    drawTubeText(canvas, "INTERFERENCE", 150, 232, TextLayout{17, 1.6f, 0.12f}, sub);
    drawTubeText(canvas, "TWO TIMES TWENTY RINGS", 150, 262, TextLayout{11, 1.8f, 0}, sub);

    const Palette hues{{0, hex(0x2040FF)}, {0.5f, hex(0xA040FF)}, {1, hex(0xFF40A0)}};
    art::copperBars(canvas, 0, pictureWidth, 420, 12, 3, hues, 1.0f);
    scanlines(canvas, {0, 0, pictureWidth, pictureHeight}, 0.12f);
    canvas.fill(ringWindow, hex(0x000000));
    return canvas;
}

Canvas paintLines()
{
    Canvas canvas(pictureWidth, pictureHeight);
    constexpr float horizon = 300;
    const Palette dusk{{0.0f, hex(0x050214)}, {0.6f, hex(0x1C0838)}, {0.9f, hex(0x6A1458)}, {1.0f, hex(0xFF5A6A)}};
    art::spaceBackdrop(canvas, {0, 0, pictureWidth, int(horizon)}, dusk, 0x11E5, 260);
    canvas.verticalGradient({0, int(horizon), pictureWidth, pictureHeight},
                            Palette{{0, hex(0x200628)}, {1, hex(0x040008)}});
    // A banded sun sinking behind the horizon.
    for (int y = 150; y < int(horizon); ++y)
        for (int x = 30; x < 230; ++x) {
            float d = exact::hypot(float(x) - 130, float(y) - 250);
            float band = float(y - 150) / (horizon - 150);
            bool gap = y > 215 && std::fmod(float(y), 12.0f) < band * 7.0f;
            if (d < 95 && !gap)
                canvas.paint(x, y, mix(hex(0xFFE060), hex(0xFF2A6A), band), std::min(1.0f, 95 - d));
        }
    // The neon floor: lines running to the vanishing point and rungs closing in on the horizon.
    const Rgb magenta = hex(0xFF30C0), cyan = hex(0x30E0FF);
    for (int i = -14; i <= 14; ++i)
        addNeonLine(canvas, {320, horizon, 320 + float(i) * 110, float(pictureHeight) + 40}, magenta, 0.5f, 1.8f);
    for (int k = 1; k < 12; ++k) {
        float y = horizon + 180.0f / float(k) - 15.0f;
        if (y > horizon + 2)
            addNeonLine(canvas, {0, y, float(pictureWidth), y}, cyan, 0.5f, 1.8f);
    }
    addNeonLine(canvas, {0, horizon, float(pictureWidth), horizon}, hex(0xFFA0E0), 1.0f, 5.0f);

    const Rect boxWindow{376, 82, 625, 275};
    window(canvas, boxWindow, hex(0xA088C0));
    TubeStyle title = art::chromeStyle(5);
    drawTubeText(canvas, "INSIDE", 190, 40, TextLayout{48, 1.5f, 0.18f}, title);
    TubeStyle gold = art::chromeStyle(4.5f);
    gold.body = art::gold;
    drawTubeText(canvas, "THE BOX", 190, 104, TextLayout{40, 1.5f, 0.18f}, gold);
    scanlines(canvas, {0, 0, pictureWidth, pictureHeight}, 0.1f);
    canvas.fill(boxWindow, hex(0x000000));
    return canvas;
}

Canvas paintRightnow()
{
    Canvas canvas(pictureWidth, pictureHeight);
    const Palette deep{{0.0f, hex(0x000818)}, {0.5f, hex(0x001A40)}, {1.0f, hex(0x000610)}};
    art::spaceBackdrop(canvas, {0, 0, pictureWidth, pictureHeight}, deep, 0x2161, 300);
    const Palette blues{{0, hex(0x0040FF)}, {0.5f, hex(0x00C0FF)}, {1, hex(0x80FFFF)}};
    art::copperBars(canvas, 0, pictureWidth, 322, 14, 3, blues, 0.9f);
    // Neon sine waves rolling under the window.
    for (int w = 0; w < 3; ++w) {
        Rgb c = blues.at(float(w) / 2.0f);
        float phase = float(w) * 1.9f, amp = 18.0f - float(w) * 4.0f, base = 400.0f + float(w) * 22.0f;
        for (int x = 0; x < pictureWidth; x += 4) {
            auto y = [&](int px) {
                return base + amp * exact::sin(float(px) * 0.021f + phase) * exact::cos(float(px) * 0.004f);
            };
            addNeonLine(canvas, {float(x), y(x), float(x + 4), y(x + 4)}, c, 0.6f, 2.2f);
        }
    }
    const Rect waveWindow{365, 88, 618, 301};
    window(canvas, waveWindow, hex(0x70A0D0));
    TubeStyle title = art::chromeStyle(6.5f);
    title.body = art::ice;
    title.glow = hex(0x2080FF);
    title.glowWidth = 7;
    title.additiveGlow = true;
    drawTubeText(canvas, "RIGHT", 180, 96, TextLayout{64, 1.5f, 0.16f}, title);
    drawTubeText(canvas, "NOW", 180, 186, TextLayout{64, 1.5f, 0.16f}, title);
    scanlines(canvas, {0, 0, pictureWidth, pictureHeight}, 0.12f);
    canvas.fill(waveWindow, hex(0x000000));
    return canvas;
}
