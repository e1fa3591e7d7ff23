// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A line's band walked once over its rows. A line is drawn as a parallelogram one pixel
// across its major axis, made of two triangles that share a diagonal; each pixel takes
// its attributes from the plane of the triangle it lies in. Walking the band row by row
// and cutting each row at the diagonal gives every pixel to the very triangle the fill
// rule gives it to, with a third of the edges and none of the rows a triangle lacks.
#pragma once

#include "triangle_rows.h"

#include <cstdint>

namespace soft::d3d {

// The band's rows and edges, in the exact integers of the triangle walk. Along x the
// band's ends are vertical and its long sides run one pixel apart in y, so the lower
// side crosses a row where the upper one crossed the row above; along y the sides run
// one pixel apart in x, so every row of the band holds exactly one pixel.
struct LineBand {
    EdgeWalk side;             // along x: the upper side, from the row above the first; along y: the left side
    EdgeWalk diagonal;         // the edge the two triangles share
    int64_t from = 0, to = 0;  // the band's rows, within the clip
    int64_t triangleFrom[2] = {}, triangleTo[2] = {};  // each triangle's own rows, within the clip
    int64_t leftEnd = 0, rightEnd = 0;                 // along x: the first column of each vertical end
    bool alongX = false;
    bool level = false;             // along x with both sides level: one row, end to end
    bool upperBoundsRight = false;  // along x: the upper side is the right bound (y grows with x)
    int leftOfDiagonal = 0;         // the triangle (0 or 1) on the left of the diagonal
};

}  // namespace soft::d3d
