// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Making and freeing device contexts, selecting objects into them, their colours,
// modes and clip region.
#include "device_context.h"

#include "gdi_soft.h"
#include "lifetime.h"
#include "soft/faults.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint createCompatibleDCFault("CreateCompatibleDC");

}  // namespace

namespace soft::gdi {

namespace {

// Swaps the object in `slot` for `next`, keeping both selection counts, and returns
// the one that was selected.
template <class T>
HGDIOBJ swapSelection(T*& slot, T* next)
{
    T* previous = slot;
    if (previous)
        --previous->selections;
    ++next->selections;
    slot = next;
    return previous;
}

}  // namespace

HDC makeDeviceContext(soft::SurfaceMemory* surface)
{
    HDC__* dc = new HDC__;
    dc->surface = surface;
    // A new context starts with the platform's defaults: system font, black pen,
    // white brush, and in a memory context a 1 x 1 bitmap.
    swapSelection(dc->font, static_cast<Font*>(stockObject(SYSTEM_FONT)));
    swapSelection(dc->pen, static_cast<Pen*>(stockObject(BLACK_PEN)));
    swapSelection(dc->brush, static_cast<Brush*>(stockObject(WHITE_BRUSH)));
    if (!surface)
        swapSelection(dc->bitmap, defaultBitmap());
    liveContexts().insert(dc);
    return dc;
}

void destroyDeviceContext(HDC dc)
{
    if (liveContexts().erase(dc))
        delete dc;
}

HDC__* liveDeviceContext(HDC dc) { return dc && liveContexts().count(dc) ? dc : nullptr; }

}  // namespace soft::gdi

using namespace soft::gdi;

HDC soft::gdi::createSurfaceDC(soft::SurfaceMemory* memory) { return memory ? makeDeviceContext(memory) : nullptr; }

void soft::gdi::releaseSurfaceDC(HDC dc) { destroyDeviceContext(dc); }

HDC WINAPI CreateCompatibleDC(HDC dc)
{
    // Compatible with the screen or with another context: either way our memory
    // contexts draw into 32-bit bitmaps.
    if ((dc && !liveDeviceContext(dc)) || createCompatibleDCFault.take())
        return nullptr;
    return makeDeviceContext(nullptr);
}

BOOL WINAPI DeleteDC(HDC dc)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c)
        return FALSE;
    destroyDeviceContext(c);
    return TRUE;
}

int WINAPI SelectClipRgn(HDC dc, HRGN region)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c)
        return ERROR;
    if (!region) {
        c->hasClipRegion = false;
        return SIMPLEREGION;
    }
    Region* r = liveObjectAs<Region>(region, ObjectKind::region);
    if (!r)
        return ERROR;
    // The context keeps a copy: the region may be deleted right after.
    c->hasClipRegion = true;
    c->clipRegion = r->box;
    return canvasOf(*c).clip.right > 0 ? SIMPLEREGION : NULLREGION;
}

int WINAPI GetClipBox(HDC dc, LPRECT rect)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c || !rect)
        return ERROR;
    *rect = canvasOf(*c).clip;
    return rect->right > rect->left ? SIMPLEREGION : NULLREGION;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object)
{
    HDC__* c = liveDeviceContext(dc);
    HGDIOBJ__* o = liveObject(object);
    if (!c || !o)
        return nullptr;
    switch (o->kind) {
    case ObjectKind::font:
        return swapSelection(c->font, static_cast<Font*>(o));
    case ObjectKind::pen:
        return swapSelection(c->pen, static_cast<Pen*>(o));
    case ObjectKind::brush:
        return swapSelection(c->brush, static_cast<Brush*>(o));
    case ObjectKind::region:
        return reinterpret_cast<HGDIOBJ>(intptr_t(SelectClipRgn(dc, object)));
    case ObjectKind::bitmap:
        // Only a memory context takes a bitmap, and a bitmap goes into one context at a time.
        if (c->surface || (o->selections > 0 && c->bitmap != o && !o->stock))
            return nullptr;
        return swapSelection(c->bitmap, static_cast<Bitmap*>(o));
    }
    return nullptr;
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c)
        return CLR_INVALID;
    return std::exchange(c->backgroundColour, colour & 0xFFFFFF);
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c)
        return CLR_INVALID;
    return std::exchange(c->textColour, colour & 0xFFFFFF);
}

int WINAPI SetBkMode(HDC dc, int mode)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(c->backgroundMode, mode);
}

COLORREF WINAPI GetPixel(HDC dc, int x, int y)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c)
        return CLR_INVALID;
    Canvas canvas = canvasOf(*c);
    return canvas.clips(x, y) ? CLR_INVALID : canvas.colourAt(x, y);
}

COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF colour)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c)
        return CLR_INVALID;
    Canvas canvas = canvasOf(*c);
    if (canvas.clips(x, y))
        return CLR_INVALID;
    canvas.plot(x, y, canvas.pixelOf(colour));
    return canvas.colourAt(x, y);
}
