// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The generator's own lettering: a stroke font on a 4 x 6 grid (chamfered,
// techno-style capitals, digits and a little punctuation), laid out into segments
// for the tube shader, or sampled into a 5 x 7 block font.
#pragma once

#include "canvas.h"
#include "shapes.h"

#include <string_view>
#include <vector>

struct TextLayout {
    float size = 40;       // cap height in pixels
    float spacing = 1.4f;  // gap between glyphs, in grid units
    float slant = 0;       // italic shear: x shifts by slant * height above the baseline
};

// Segments of the text with its top-left corner at (x, y). Lower case is drawn as capitals.
std::vector<Segment> layoutText(std::string_view text, float x, float y, const TextLayout& layout);
// Width in pixels of the laid-out text.
float textWidth(std::string_view text, const TextLayout& layout);

// Draws the text centred on cx, top at y, as tubes of the given style.
void drawTubeText(Canvas& canvas, std::string_view text, float cx, float y, const TextLayout& layout,
                  const TubeStyle& style);

// Blocky lettering: every glyph sampled on a 5 x 7 grid of bevelled blocks of the
// given cell size, coloured down the text's height by the palette. Centred on cx.
void drawBlockText(Canvas& canvas, std::string_view text, int cx, int y, int cell, const Palette& palette, Rgb shadow);
