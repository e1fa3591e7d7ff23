// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Anti-aliased shapes drawn from distance fields: chrome tubes (the lettering),
// neon lines, discs and rings, bevelled frames, stars.
#pragma once

#include "canvas.h"
#include "prng.h"

#include <vector>

struct Segment {
    float x0, y0, x1, y1;
};

struct TubeStyle {
    float radius = 4;              // half the stroke width, pixels
    Palette body{{0, {1, 1, 1}}};  // colour down the height of the box given to drawTubes
    float bend = 0.25f;            // how far the tube's roundness shifts the palette
    float specular = 0.8f;
    float outline = 1.5f;  // dark rim width, pixels
    Rgb outlineColour{0.02f, 0.02f, 0.05f};
    Rgb glow{0, 0, 0};          // glow colour beyond the rim
    float glowWidth = 0;        // pixels; 0 = none
    bool additiveGlow = false;  // add the glow as light (opaque art) or paint it as coverage
};

// Distance from (px, py) to the segment; (dx, dy) is the offset from its nearest point.
float segmentDistance(const Segment& s, float px, float py, float& dx, float& dy);

// Strokes the segments as rounded tubes; the body palette runs from boxTop to boxBottom.
void drawTubes(Canvas& canvas, const std::vector<Segment>& segments, const TubeStyle& style, float boxTop,
               float boxBottom);

// A glowing line added as light: a bright core and a soft halo.
void addNeonLine(Canvas& canvas, Segment s, Rgb colour, float core, float halo);

// Filled disc / ring band, anti-aliased, painted with coverage.
void paintDisc(Canvas& canvas, float cx, float cy, float radius, Rgb colour, float opacity = 1.0f);
void paintRing(Canvas& canvas, float cx, float cy, float radius, float halfWidth, Rgb colour, float opacity = 1.0f);

// A raised metal frame of the given width around the window (outside it), lit from
// the top left, with a dark lip at the opening.
void bevelFrame(Canvas& canvas, Rect window, int width, Rgb metal);

// Stars added as light inside the rectangle; a few get cross-shaped flares.
void addStarfield(Canvas& canvas, Rect area, int count, Prng& prng, Rgb tint = {1, 1, 1});

// Darkens every other row by the given fraction.
void scanlines(Canvas& canvas, Rect area, float darkness);
