// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "device_context.h"

#include <algorithm>

namespace soft::gdi {

uint32_t Canvas::pixelOf(COLORREF colour) const
{
    uint8_t r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    if (wide)
        return uint32_t(r) << 16 | uint32_t(g) << 8 | b;
    return soft::packColour(format, r, g, b);
}

COLORREF Canvas::colourAt(int x, int y) const
{
    const uint8_t* row = base + size_t(y) * size_t(pitch);
    if (wide) {
        uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    soft::Rgb8 c = soft::unpackColour(format, reinterpret_cast<const uint16_t*>(row)[x]);
    return RGB(c.r, c.g, c.b);
}

void Canvas::fillSpan(int y, int x0, int x1, uint32_t pixel) const
{
    if (y < clip.top || y >= clip.bottom)
        return;
    x0 = std::max(x0, int(clip.left));
    x1 = std::min(x1, int(clip.right));
    if (x0 >= x1)
        return;
    uint8_t* row = base + size_t(y) * size_t(pitch);
    if (wide)
        std::fill(reinterpret_cast<uint32_t*>(row) + x0, reinterpret_cast<uint32_t*>(row) + x1, pixel);
    else
        std::fill(reinterpret_cast<uint16_t*>(row) + x0, reinterpret_cast<uint16_t*>(row) + x1, uint16_t(pixel));
}

Canvas canvasOf(const HDC__& dc)
{
    Canvas c;
    if (dc.surface) {
        c.base = dc.surface->bytes.data();
        c.pitch = dc.surface->pitch;
        c.width = dc.surface->width;
        c.height = dc.surface->height;
        c.format = dc.surface->format;
    } else if (dc.bitmap) {
        c.base = reinterpret_cast<uint8_t*>(dc.bitmap->pixels.data());
        c.pitch = dc.bitmap->width * 4;
        c.width = dc.bitmap->width;
        c.height = dc.bitmap->height;
        c.wide = true;
    }
    c.clip = RECT{0, 0, c.width, c.height};
    if (dc.hasClipRegion) {
        c.clip.left = std::max(c.clip.left, dc.clipRegion.left);
        c.clip.top = std::max(c.clip.top, dc.clipRegion.top);
        c.clip.right = std::min(c.clip.right, dc.clipRegion.right);
        c.clip.bottom = std::min(c.clip.bottom, dc.clipRegion.bottom);
    }
    if (c.clip.left >= c.clip.right || c.clip.top >= c.clip.bottom)
        c.clip = RECT{0, 0, 0, 0};
    return c;
}

}  // namespace soft::gdi
