// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The memory behind every DirectDraw surface: a 16-bit pixel buffer whose rows may
// be wider than the picture. DirectDraw, GDI and the Direct3D rasteriser all draw
// into this one record.
#pragma once

#include "soft/pixels.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace soft {

struct SurfaceMemory {
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes from one row to the next, at least 2 * width
    PixelFormat format = PixelFormat::rgb565;
    std::vector<uint8_t> bytes;  // pitch * height

    SurfaceMemory() = default;
    SurfaceMemory(int w, int h, PixelFormat f, int extraPitchBytes = 0)
        : width(w), height(h), pitch(2 * w + extraPitchBytes), format(f), bytes(size_t(pitch) * size_t(h))
    { }

    uint16_t* row(int y) { return reinterpret_cast<uint16_t*>(bytes.data() + size_t(y) * pitch); }
    const uint16_t* row(int y) const { return reinterpret_cast<const uint16_t*>(bytes.data() + size_t(y) * pitch); }
    uint16_t& at(int x, int y) { return row(y)[x]; }
    uint16_t at(int x, int y) const { return row(y)[x]; }
};

// How the host wants new surfaces laid out. Tests widen the pitch to prove that no
// code assumes 1,280-byte rows; the host can ask for 5-5-5.
struct SurfaceLayout {
    PixelFormat format = PixelFormat::rgb565;
    int extraPitchBytes = 0;
};

SurfaceLayout& surfaceLayout();

}  // namespace soft
