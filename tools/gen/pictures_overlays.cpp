// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The keyed overlays: the title over the binary rain, the three bands over the
// house scene and the frame over the light-beam scene.
#include "pictures.h"

#include "exact_math.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int bandTop = 320;  // the house scene lays rows 320-479 of its band pictures

// A translucent dark plate (screen-door transparency) with neon edges.
void bandPlate(Canvas& canvas, int top, int bottom, Rgb edge)
{
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < pictureWidth; ++x) {
            float fade = std::min(1.0f, std::min(float(x), float(pictureWidth - 1 - x)) / 90.0f);
            canvas.paint(x, y, hex(0x060814), 0.62f * fade);
        }
    for (int y : {top, bottom - 1}) {
        canvas.fill({40, y - 1, pictureWidth - 40, y + 2}, hex(0x060814));
        addNeonLine(canvas, {40, float(y), float(pictureWidth - 40), float(y)}, edge, 0.6f, 2.5f);
    }
}

}  // namespace

Canvas paintMannen()
{
    Canvas canvas(pictureWidth, pictureHeight);
    // The figure: a chrome mannequin striding out of the rain on the right.
    TubeStyle body = art::chromeStyle(14);
    body.body = Palette{{0.0f, hex(0xB0FFB8)},
                        {0.45f, hex(0x2E8A48)},
                        {0.5f, hex(0x0A2A14)},
                        {0.8f, hex(0x1E6A34)},
                        {1.0f, hex(0x90F0A0)}};
    body.glow = hex(0x000000);
    body.glowWidth = 3;
    auto limb = [&](std::vector<Segment> segments, float radius) {
        body.radius = radius;
        drawTubes(canvas, segments, body, 150, 470);
    };
    limb({{480, 330, 468, 392}, {468, 392, 462, 462}}, 13);  // back leg
    limb({{520, 330, 538, 390}, {538, 390, 552, 458}}, 13);  // front leg
    limb({{462, 462, 445, 466}, {552, 458, 572, 462}}, 7);   // feet
    limb({{475, 226, 452, 290}, {452, 290, 446, 350}}, 10);  // back arm
    limb({{500, 226, 500, 296}}, 27);                        // torso
    limb({{486, 318, 514, 318}}, 17);                        // hips
    limb({{466, 216, 534, 216}}, 13);                        // shoulders
    limb({{532, 224, 560, 282}, {560, 282, 596, 300}}, 10);  // front arm, reaching out
    limb({{500, 196, 500, 204}}, 9);                         // neck
    paintDisc(canvas, 500, 174, 21, hex(0x041008));
    limb({{500, 172, 500, 176}}, 18);  // head

    // The title, with a dark screen-door halo so it reads over the digits.
    TubeStyle title = art::chromeStyle(6.5f);
    title.glow = hex(0x000000);
    title.glowWidth = 5;
    TextLayout big{72, 1.5f, 0.16f};
    drawTubeText(canvas, "MORNAKLE", 300, 36, big, title);
    TubeStyle three = title;
    three.body = art::gold;
    drawTubeText(canvas, "3D", 300, 128, TextLayout{56, 1.5f, 0.16f}, three);

    TubeStyle small = art::chromeStyle(1.6f);
    small.body = art::ice;
    small.glow = hex(0x000000);
    small.glowWidth = 2.5f;
    drawTubeText(canvas, "NOCTAVIA PRESENTS", 300, 12, TextLayout{14, 1.8f, 0.1f}, small);
    return canvas;
}

Canvas paintLoop()
{
    Canvas canvas(pictureWidth, pictureHeight);
    bandPlate(canvas, 352, 462, hex(0x30A0FF));
    // A lemniscate tube: the endless loop.
    constexpr int steps = 120;
    auto loop = [](int first, int last) {
        std::vector<Segment> curve;
        auto point = [](int i) {
            float t = 2.0f * pi * float(i) / steps;
            float d = 1.0f + exact::sin(t) * exact::sin(t);
            return std::pair{130 + 85 * exact::cos(t) / d, 407 + 60 * exact::sin(t) * exact::cos(t) / d};
        };
        for (int i = first; i < last; ++i) {
            auto [x0, y0] = point(i);
            auto [x1, y1] = point(i + 1);
            curve.push_back({x0, y0, x1, y1});
        }
        return curve;
    };
    TubeStyle tube = art::chromeStyle(8);
    tube.body = art::ice;
    drawTubes(canvas, loop(0, steps), tube, 370, 445);

    TubeStyle text = art::chromeStyle(4.2f);
    drawTubeText(canvas, "ENDLESS", 410, 366, TextLayout{38, 1.5f, 0.18f}, text);
    TubeStyle text2 = text;
    text2.body = art::gold;
    drawTubeText(canvas, "LOOP", 410, 414, TextLayout{34, 1.8f, 0.18f}, text2);
    return canvas;
}

Canvas paintWoody()
{
    Canvas canvas(pictureWidth, pictureHeight);
    const Rect plank{110, 352, 530, 452};
    // Two posts the sign hangs between.
    for (int post : {140, 500})
        for (int y = bandTop + 8; y < pictureHeight; ++y)
            for (int x = post - 7; x < post + 7; ++x) {
                float shade = 0.55f + 0.45f * exact::cos(float(x - post) / 7.0f * 1.4f);
                canvas.paint(x, y, hex(0x5A3418) * shade);
            }
    // Wood grain: rings of a distorted distance field, darker late wood.
    for (int y = plank.top; y < plank.bottom; ++y)
        for (int x = plank.left; x < plank.right; ++x) {
            float fx = float(x), fy = float(y);
            float ring =
                exact::sin(fy * 0.55f + 3.0f * exact::sin(fx * 0.011f) + 1.5f * exact::sin(fx * 0.043f + fy * 0.07f));
            float grain = 0.5f + 0.5f * ring;
            grain = grain * grain;
            Rgb c = mix(hex(0xC88A4A), hex(0x6E3E1A), grain);
            c = c * (0.9f + 0.1f * exact::sin(fx * 0.9f + fy * 0.2f));
            int edge = std::min({x - plank.left, plank.right - 1 - x, y - plank.top, plank.bottom - 1 - y});
            if (edge < 5)
                c = c * (y - plank.top < 5 || x - plank.left < 5 ? 1.3f : 0.55f);
            if (edge == 0)
                c = hex(0x1E0E04);
            canvas.paint(x, y, c);
        }
    for (int nx : {126, 514})
        for (int ny : {368, 436}) {
            paintDisc(canvas, float(nx), float(ny), 4.0f, hex(0x303030));
            paintDisc(canvas, float(nx) - 1, float(ny) - 1, 2.0f, hex(0xD0D0D0));
        }
    // Burnt-in lettering.
    TubeStyle burnt;
    burnt.radius = 3.2f;
    burnt.body = Palette{{0, hex(0x3A1A06)}, {1, hex(0x1A0A02)}};
    burnt.bend = 0;
    burnt.specular = 0.15f;
    burnt.outline = 1.3f;
    burnt.outlineColour = hex(0xE8B070);
    drawTubeText(canvas, "HOME SWEET HOME", 320, 388, TextLayout{30, 1.5f, 0}, burnt);
    return canvas;
}

Canvas paintBack2()
{
    Canvas canvas(pictureWidth, pictureHeight);
    const Palette hues{{0.0f, hex(0xFF3020)},
                       {0.25f, hex(0xFF9020)},
                       {0.5f, hex(0xF0F040)},
                       {0.75f, hex(0x30E060)},
                       {1.0f, hex(0x3080FF)}};
    art::copperBars(canvas, 0, pictureWidth, 356, 20, 5, hues, 1.0f);
    scanlines(canvas, {0, 356, pictureWidth, 456}, 0.3f);
    drawBlockText(canvas, "BACK 2 BASICS", 316, 378, 8,
                  Palette{{0, hex(0xFFFFFF)}, {0.35f, hex(0xB0C0FF)}, {0.7f, hex(0x3040E0)}, {1, hex(0x101060)}},
                  hex(0x000008));
    return canvas;
}

Canvas paintNurturei()
{
    Canvas canvas(pictureWidth, pictureHeight);
    constexpr int border = 14;
    bevelFrame(canvas, {border, border, pictureWidth - border, pictureHeight - border}, border, hex(0x7888A8));
    for (float cx : {float(border), float(pictureWidth - border)})
        for (float cy : {float(border), float(pictureHeight - border)}) {
            paintDisc(canvas, cx, cy, 16, hex(0x101828));
            paintRing(canvas, cx, cy, 12, 2.5f, hex(0xB0C8FF));
            paintDisc(canvas, cx, cy, 5, hex(0xFFC060));
        }
    TubeStyle caption = art::chromeStyle(3.4f);
    caption.glow = hex(0x000000);
    caption.glowWidth = 4;
    drawTubeText(canvas, "NURTURE THE LIGHT", 320, 420, TextLayout{28, 1.6f, 0.15f}, caption);
    TubeStyle tag = art::chromeStyle(1.5f);
    tag.body = art::ice;
    tag.glow = hex(0x000000);
    tag.glowWidth = 2;
    drawTubeText(canvas, "100 SPARKS / ONE BEAM", 320, 30, TextLayout{13, 1.8f, 0}, tag);
    return canvas;
}
