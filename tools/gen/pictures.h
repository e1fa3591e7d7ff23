// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The ten pictures of the show, each painted from nothing on a 640 x 480 canvas.
#pragma once

#include "canvas.h"
#include "geometry.h"
#include "lettering.h"
#include "shapes.h"

constexpr int pictureWidth = 640;
constexpr int pictureHeight = 480;

// Overlays: transparent wherever nothing is painted.
Canvas paintMannen();  // over the opening binary rain: the title and a figure
Canvas paintLoop();    // house scene bands, rows 320-479 only
Canvas paintWoody();
Canvas paintBack2();
Canvas paintNurturei();  // over the light-beam scene: a frame and a caption

// Backdrops: opaque, framing the window an effect draws into.
Canvas paintCircles();   // ring window x 300-539, y 140-339
Canvas paintLines();     // box window x 376-624, y 82-274
Canvas paintRightnow();  // wave window x 365-617, y 88-300

// Full-screen stills.
Canvas paintBonde();  // credits
Canvas paintLame();   // closing card

// Shared looks.
namespace art {
extern const Palette chrome;  // sky-blue over white over dark earth over tan
extern const Palette gold;
extern const Palette ice;
TubeStyle chromeStyle(float radius);
// Deep-space backdrop: a vertical gradient and stars.
void spaceBackdrop(Canvas& canvas, Rect area, const Palette& sky, unsigned seed, int stars);
// Horizontal copper bars: each a bright ridge fading to dark, stacked from y.
void copperBars(Canvas& canvas, int left, int right, int y, int barHeight, int count, const Palette& hues,
                float opacity);
}  // namespace art
