// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Colour fills and stretching, colour-keyed copies between surfaces.
#include "soft_directdraw.h"

#include <algorithm>
#include <vector>

namespace soft::ddraw {

bool areaOf(const RECT* rect, const SurfaceMemory& memory, Area& area)
{
    if (!rect) {
        area = Area{0, 0, memory.width, memory.height};
        return true;
    }
    // No clipper is ever attached, so a rectangle must lie inside its surface.
    if (rect->left < 0 || rect->top < 0 || rect->right > memory.width || rect->bottom > memory.height ||
        rect->left >= rect->right || rect->top >= rect->bottom)
        return false;
    area = Area{rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top};
    return true;
}

void fillArea(SurfaceMemory& target, const Area& area, uint16_t value)
{
    for (int y = area.top; y < area.top + area.height; ++y) {
        uint16_t* row = target.row(y) + area.left;
        std::fill(row, row + area.width, value);
    }
}

void copyArea(SurfaceMemory& target, const Area& to, const SurfaceMemory& source, const Area& from, bool keyed,
              uint32_t keyLow, uint32_t keyHigh)
{
    // Source columns for every destination column, worked out once per copy.
    static thread_local std::vector<int> columns;
    columns.resize(size_t(to.width));
    for (int x = 0; x < to.width; ++x)
        columns[size_t(x)] = from.left + int(int64_t(x) * from.width / to.width);

    // A copy within one surface reads from a snapshot so that it never reads what it wrote.
    const SurfaceMemory* origin = &source;
    SurfaceMemory snapshot;
    if (&source == &target) {
        snapshot = source;
        origin = &snapshot;
    }

    bool sameSize = from.width == to.width;
    // The keys as one unsigned comparison of 16-bit values, pixel - low <= high - low,
    // which the compiler turns into vector lanes; a low key past 16 bits matches no pixel.
    const bool anyKeyed = keyed && keyLow <= keyHigh && keyLow <= 0xFFFF;
    const uint16_t low = uint16_t(anyKeyed ? keyLow : 0);
    const uint16_t keyRange = uint16_t(anyKeyed ? std::min<uint32_t>(keyHigh, 0xFFFF) - keyLow : 0);
    for (int y = 0; y < to.height; ++y) {
        const uint16_t* in = origin->row(from.top + int(int64_t(y) * from.height / to.height));
        uint16_t* out = target.row(to.top + y) + to.left;
        if (!anyKeyed && sameSize) {
            std::copy(in + from.left, in + from.left + to.width, out);
            continue;
        }
        if (sameSize) {
            // Every pixel read and written again, so that the loop has no branch.
            const uint16_t* row = in + from.left;
            for (int x = 0; x < to.width; ++x) {
                const uint16_t pixel = row[x];
                out[x] = uint16_t(pixel - low) <= keyRange ? out[x] : pixel;
            }
            continue;
        }
        for (int x = 0; x < to.width; ++x) {
            uint16_t pixel = in[columns[size_t(x)]];
            if (keyed && pixel >= keyLow && pixel <= keyHigh)
                continue;
            out[x] = pixel;
        }
    }
}

}  // namespace soft::ddraw
