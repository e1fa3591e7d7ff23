// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The shapes that the pens and brushes draw, in device pixels, each kept inside the
// canvas's clip. Pixel centres lie on whole coordinates.
#pragma once

#include "device_context.h"

namespace soft::gdi {

// How a one-pixel pen lays down a line: on and off lengths in pixels, repeating from
// the line's first pixel. Gaps take the background colour when `paper` is given.
struct LineStyle {
    const int* pattern = nullptr;  // null: solid
    int patternLength = 0;
    uint32_t ink = 0;
    const uint32_t* paper = nullptr;
};

// The cosmetic dash patterns of the platform's pen styles; solid for anything else.
LineStyle lineStyleOf(int penStyle, uint32_t ink, const uint32_t* paper);

// One pixel wide from (x0, y0) up to, not including, (x1, y1).
void strokeThinLine(const Canvas& canvas, int x0, int y0, int x1, int y1, const LineStyle& style);
// A solid band `width` pixels across, centred on the segment, with round ends: what a
// geometric pen draws whatever its style.
void strokeWideLine(const Canvas& canvas, int x0, int y0, int x1, int y1, int width, uint32_t pixel);

void fillBox(const Canvas& canvas, int left, int top, int right, int bottom, uint32_t pixel);

// The ellipse inscribed in a box whose right and bottom edges are exclusive: its
// centre and semi-axes in pixel-centre coordinates, so that a one-pixel outline
// touches the box's first and last columns and rows. The box must not be empty.
struct EllipseShape {
    int centreX2, centreY2;  // twice the centre: left + right - 1, top + bottom - 1
    double a, b;
    static EllipseShape inscribedIn(int left, int top, int right, int bottom);
};

// The one-pixel outline.
void strokeThinEllipse(const Canvas& canvas, const EllipseShape& e, uint32_t pixel);
// A band `width` pixels across centred on the outline.
void strokeWideEllipse(const Canvas& canvas, const EllipseShape& e, int width, uint32_t pixel);
// Every pixel strictly inside the outline.
void fillEllipse(const Canvas& canvas, const EllipseShape& e, uint32_t pixel);

}  // namespace soft::gdi
