// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Where a frame lands in a window of another size, and back again for the mouse: the
// desktop and browser hosts place the picture alike.
#pragma once

namespace host {

// How a frame fills a window of another size: keeping its shape with black bars, in
// whole multiples only, or stretched over the whole window.
enum class Scale { aspect, integer, stretch };

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// The rectangle of an output of `outputWidth` x `outputHeight` pixels that shows a
// frame of `frameWidth` x `frameHeight`, centred, the rest left black:
//  - aspect: as large as fits with the frame's shape;
//  - integer: the largest whole multiple that fits (shrunk with its shape when even
//    one copy does not fit);
//  - stretch: the whole output.
Rect frameRectangle(Scale scale, int outputWidth, int outputHeight, int frameWidth, int frameHeight);

// The frame pixel under output point (x, y); false when the point lies on a black bar.
bool outputToFrame(const Rect& shown, int frameWidth, int frameHeight, int x, int y, int& frameX, int& frameY);

}  // namespace host
