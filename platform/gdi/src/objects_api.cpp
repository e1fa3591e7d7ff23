// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Creating, describing and deleting GDI objects.
#include "objects.h"

#include "soft/faults.h"

#include <algorithm>
#include <cstring>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint createPenFault("CreatePen");
const soft::FaultPoint createRectRgnFault("CreateRectRgn");
const soft::FaultPoint createSolidBrushFault("CreateSolidBrush");

}  // namespace

using namespace soft::gdi;

HGDIOBJ WINAPI GetStockObject(int index) { return stockObject(index); }

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    HGDIOBJ__* o = liveObject(object);
    if (!o)
        return FALSE;
    if (o->stock)
        return TRUE;  // deleting a stock object does nothing
    if (o->selections > 0)
        return FALSE;  // still selected into a device context
    return destroyObject(o) ? TRUE : FALSE;
}

DWORD WINAPI GetObjectType(HGDIOBJ object)
{
    HGDIOBJ__* o = liveObject(object);
    if (!o)
        return 0;
    switch (o->kind) {
    case ObjectKind::bitmap:
        return OBJ_BITMAP;
    case ObjectKind::font:
        return OBJ_FONT;
    case ObjectKind::pen:
        return OBJ_PEN;
    case ObjectKind::brush:
        return OBJ_BRUSH;
    case ObjectKind::region:
        return OBJ_REGION;
    }
    return 0;
}

namespace {

// Copies a description into the caller's buffer. The platform's 32-bit BITMAP is 24
// bytes, ours 32 with its 64-bit pointer: a 24-byte buffer gets all but bmBits.
template <class T>
int describe(const T& description, size_t minimumSize, int size, LPVOID buffer)
{
    if (!buffer)
        return int(sizeof(T));
    if (size < 0 || size_t(size) < minimumSize)
        return 0;
    size_t n = std::min(size_t(size), sizeof(T));
    std::memcpy(buffer, &description, n);
    return int(n);
}

}  // namespace

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer)
{
    HGDIOBJ__* o = liveObject(object);
    if (!o)
        return 0;
    switch (o->kind) {
    case ObjectKind::bitmap: {
        // Bitmaps are kept as 32-bit top-down DIB sections, and say so.
        Bitmap* b = static_cast<Bitmap*>(o);
        BITMAP bm{0, b->width, b->height, b->width * 4, 1, 32, b->pixels.data()};
        return describe(bm, 24, size, buffer);
    }
    case ObjectKind::pen: {
        Pen* p = static_cast<Pen*>(o);
        LOGPEN lp{UINT(p->style), POINT{p->width, 0}, p->colour};
        return describe(lp, sizeof(LOGPEN), size, buffer);
    }
    case ObjectKind::brush: {
        Brush* b = static_cast<Brush*>(o);
        LOGBRUSH lb{UINT(b->hollow ? BS_NULL : BS_SOLID), b->colour, 0};
        return describe(lb, sizeof(LOGBRUSH), size, buffer);
    }
    case ObjectKind::font:  // fonts and regions have no description here
    case ObjectKind::region:
        return 0;
    }
    return 0;
}

HPEN WINAPI CreatePen(int style, int width, COLORREF colour)
{
    style &= PS_STYLE_MASK;
    if (style > PS_INSIDEFRAME || createPenFault.take())
        return nullptr;
    return registerObject(new Pen(style, std::max(width, 0), colour & 0xFFFFFF));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour)
{
    if (createSolidBrushFault.take())
        return nullptr;
    return registerObject(new Brush(false, colour & 0xFFFFFF));
}

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom)
{
    if (createRectRgnFault.take())
        return nullptr;
    // The platform orders the corners itself.
    RECT box{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    return registerObject(new Region(box));
}
