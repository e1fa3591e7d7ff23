// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "render_target.h"

#include "ddraw_soft.h"

#include <algorithm>

namespace soft::d3d {

TargetMemory targetMemoryOf(IDirectDrawSurface* target)
{
    TargetMemory memory;
    memory.colour = target ? soft::ddraw::surfaceMemoryOf(target) : nullptr;
    if (!memory.colour)
        return memory;
    IDirectDrawSurface* depthSurface = soft::ddraw::attachedDepthSurfaceOf(target);
    SurfaceMemory* depth = depthSurface ? soft::ddraw::surfaceMemoryOf(depthSurface) : nullptr;
    // A depth buffer smaller than the picture is not used rather than read past.
    if (depth && depth->width >= memory.colour->width && depth->height >= memory.colour->height)
        memory.depth = depth;
    return memory;
}

RasterRect clampedRect(int64_t x, int64_t y, int64_t width, int64_t height, const SurfaceMemory& surface)
{
    auto clampTo = [](int64_t v, int64_t top) { return int(std::clamp<int64_t>(v, 0, top)); };
    RasterRect rect{clampTo(x, surface.width), clampTo(y, surface.height), clampTo(x + width, surface.width),
                    clampTo(y + height, surface.height)};
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    return rect;
}

}  // namespace soft::d3d
