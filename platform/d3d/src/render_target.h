// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The memory a device draws into, looked up afresh at every drawing call: Flip
// exchanges the contents of the front and back surfaces, so nothing is kept between
// calls.
#pragma once

#include "d3d_raster.h"
#include "ddraw.h"

namespace soft::d3d {

struct TargetMemory {
    SurfaceMemory* colour = nullptr;
    SurfaceMemory* depth = nullptr;  // the attached depth buffer, when it covers the colour surface
};

TargetMemory targetMemoryOf(IDirectDrawSurface* target);

// [x, x + width) by [y, y + height) cut to the surface, never inverted.
RasterRect clampedRect(int64_t x, int64_t y, int64_t width, int64_t height, const SurfaceMemory& surface);

}  // namespace soft::d3d
