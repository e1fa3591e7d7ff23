// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// StretchBlt and BitBlt with SRCCOPY: nearest-neighbour copies between any two
// contexts, converting to the destination's pixels by keeping the top bits.
#include "device_context.h"

#include <algorithm>
#include <vector>

using namespace soft::gdi;

namespace {

// Device coordinates the platform accepts (28-bit signed, as in its 32-bit kernel).
constexpr int coordinateLimit = 1 << 27;

// One axis of the copy: destination start and length, source start and length, and
// whether the axis is mirrored (the two lengths differ in sign).
struct Axis {
    int64_t dst, dstLength, src, srcLength;  // wide enough that no sum of two ints overflows
    bool mirrored;

    Axis(int d, int dl, int s, int sl) : dst(d), dstLength(dl), src(s), srcLength(sl), mirrored((dl < 0) != (sl < 0))
    {
        if (dstLength < 0)
            dst += dstLength, dstLength = -dstLength;
        if (srcLength < 0)
            src += srcLength, srcLength = -srcLength;
    }
    // The source pixel whose centre the destination pixel i's centre maps onto.
    int64_t sourceOf(int64_t i) const
    {
        int64_t j = (2 * i + 1) * srcLength / (2 * dstLength);
        return src + (mirrored ? srcLength - 1 - j : j);
    }
    // The destination pixels [first, last) on this axis inside [low, high).
    int first(int low) const { return int(std::max<int64_t>(dst, low)); }
    int last(int high) const { return int(std::min<int64_t>(dst + dstLength, high)); }
};

template <class Convert>
void copyPixels(const Canvas& dst, const Canvas& src, const Axis& ax, const Axis& ay, Convert convert)
{
    // Only destination pixels inside the clip whose source lies inside the source.
    int x0 = ax.first(dst.clip.left), x1 = ax.last(dst.clip.right);
    int y0 = ay.first(dst.clip.top), y1 = ay.last(dst.clip.bottom);
    if (x0 >= x1 || y0 >= y1)
        return;
    std::vector<int64_t> sourceColumn(size_t(x1 - x0));
    for (int x = x0; x < x1; ++x)
        sourceColumn[size_t(x - x0)] = ax.sourceOf(x - ax.dst);
    for (int y = y0; y < y1; ++y) {
        int64_t sy = ay.sourceOf(y - ay.dst);
        if (sy < 0 || sy >= src.height)
            continue;
        const uint8_t* srcRow = src.base + size_t(sy) * size_t(src.pitch);
        uint8_t* dstRow = dst.base + size_t(y) * size_t(dst.pitch);
        for (int x = x0; x < x1; ++x) {
            int64_t sx = sourceColumn[size_t(x - x0)];
            if (sx >= 0 && sx < src.width)
                convert(dstRow, x, srcRow, int(sx));
        }
    }
}

}  // namespace

BOOL WINAPI StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                       int srcHeight, DWORD rop)
{
    HDC__* d = liveDeviceContext(dst);
    HDC__* s = liveDeviceContext(src);
    if (!d || !s || rop != SRCCOPY)
        return FALSE;
    for (int v : {x, y, width, height, srcX, srcY, srcWidth, srcHeight})
        if (v <= -coordinateLimit || v >= coordinateLimit)
            return FALSE;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return TRUE;
    Canvas to = canvasOf(*d);
    Canvas from = canvasOf(*s);
    Axis ax(x, width, srcX, srcWidth), ay(y, height, srcY, srcHeight);
    soft::PixelFormat format = to.format;
    if (from.wide && !to.wide) {  // the usual case: a DIB section onto a surface
        copyPixels(to, from, ax, ay, [format](uint8_t* dr, int dx, const uint8_t* sr, int sx) {
            uint32_t p = reinterpret_cast<const uint32_t*>(sr)[sx];
            reinterpret_cast<uint16_t*>(dr)[dx] =
                soft::packColour(format, uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
        });
    } else if (from.wide == to.wide && (to.wide || from.format == to.format)) {
        int bytes = to.wide ? 4 : 2;
        copyPixels(to, from, ax, ay, [bytes](uint8_t* dr, int dx, const uint8_t* sr, int sx) {
            std::copy_n(sr + size_t(sx) * bytes, bytes, dr + size_t(dx) * bytes);
        });
    } else {  // between the 16-bit formats, or a surface into a DIB section: through 8-bit colours
        soft::PixelFormat fromFormat = from.format;
        bool toWide = to.wide;
        copyPixels(to, from, ax, ay, [=](uint8_t* dr, int dx, const uint8_t* sr, int sx) {
            soft::Rgb8 c = soft::unpackColour(fromFormat, reinterpret_cast<const uint16_t*>(sr)[sx]);
            if (toWide)
                reinterpret_cast<uint32_t*>(dr)[dx] = uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
            else
                reinterpret_cast<uint16_t*>(dr)[dx] = soft::packColour(format, c.r, c.g, c.b);
        });
    }
    return TRUE;
}

BOOL WINAPI BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
    return StretchBlt(dst, x, y, width, height, src, srcX, srcY, width, height, rop);
}
