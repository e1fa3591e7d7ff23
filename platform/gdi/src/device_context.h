// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A device context: where drawing lands (a DirectDraw surface's memory or the bitmap
// selected into a memory context), what is selected into it, and its modes.
#pragma once

#include "objects.h"

#include "soft/surface.h"

struct HDC__ {
    HDC__() = default;
    HDC__(const HDC__&) = delete;
    HDC__& operator=(const HDC__&) = delete;
    // What is selected into a context is no longer selected once it goes.
    ~HDC__()
    {
        for (HGDIOBJ__* selected : {static_cast<HGDIOBJ__*>(bitmap), static_cast<HGDIOBJ__*>(font),
                                    static_cast<HGDIOBJ__*>(pen), static_cast<HGDIOBJ__*>(brush)})
            if (selected)
                --selected->selections;
    }

    soft::SurfaceMemory* surface = nullptr;  // a surface context draws here
    soft::gdi::Bitmap* bitmap = nullptr;     // a memory context draws into its bitmap
    soft::gdi::Font* font = nullptr;
    soft::gdi::Pen* pen = nullptr;
    soft::gdi::Brush* brush = nullptr;
    COLORREF textColour = RGB(0, 0, 0);  // the platform's defaults: black on white, opaque
    COLORREF backgroundColour = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;
    POINT position{0, 0};  // MoveToEx / LineTo
    bool hasClipRegion = false;
    RECT clipRegion{0, 0, 0, 0};
};

namespace soft::gdi {

// A context of a surface, or a memory context (with the default 1 x 1 bitmap) when
// `surface` is null.
HDC makeDeviceContext(soft::SurfaceMemory* surface);
void destroyDeviceContext(HDC dc);
// The context behind a handle if it is alive, else null.
HDC__* liveDeviceContext(HDC dc);

// Pixels of either kind of context, with the bounds that drawing keeps inside: the
// surface or bitmap intersected with the clip region.
struct Canvas {
    uint8_t* base = nullptr;
    int pitch = 0;  // bytes from one row to the next
    int width = 0, height = 0;
    bool wide = false;  // 32-bit 0x00RRGGBB pixels; otherwise 16-bit pixels in `format`
    soft::PixelFormat format = soft::PixelFormat::rgb565;
    RECT clip{0, 0, 0, 0};

    uint32_t pixelOf(COLORREF colour) const;
    COLORREF colourAt(int x, int y) const;  // x, y inside the canvas
    bool clips(int x, int y) const { return x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom; }
    // Fills [x0, x1) of row y, keeping inside the clip.
    void fillSpan(int y, int x0, int x1, uint32_t pixel) const;
    void plot(int x, int y, uint32_t pixel) const
    {
        if (!clips(x, y))
            fillSpan(y, x, x + 1, pixel);
    }
};

Canvas canvasOf(const HDC__& dc);

}  // namespace soft::gdi
