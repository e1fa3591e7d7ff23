// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The GDI objects behind the handles: making them, finding a live one by its handle
// and freeing it. Which handles are alive is kept by lifetime.h.
#pragma once

#include "windows.h"

#include "font_face.h"

#include <cstdint>
#include <vector>

enum class ObjectKind { bitmap, font, pen, brush, region };

struct HGDIOBJ__ {
    explicit HGDIOBJ__(ObjectKind k) : kind(k) { }
    virtual ~HGDIOBJ__() = default;
    const ObjectKind kind;
    bool stock = false;
    int selections = 0;  // device contexts it is selected into
};

namespace soft::gdi {

// Pixels are 0x00RRGGBB, top row first: B, G, R, 0 in memory, like a 32-bit DIB.
struct Bitmap : HGDIOBJ__ {
    Bitmap(int w, int h) : HGDIOBJ__(ObjectKind::bitmap), width(w), height(h), pixels(size_t(w) * size_t(h)) { }
    int width, height;
    std::vector<uint32_t> pixels;
};

struct Font : HGDIOBJ__ {
    explicit Font(const FontFace* f) : HGDIOBJ__(ObjectKind::font), face(f) { }
    const FontFace* face;
};

struct Pen : HGDIOBJ__ {
    Pen(int s, int w, COLORREF c) : HGDIOBJ__(ObjectKind::pen), style(s), width(w), colour(c) { }
    int style;  // PS_SOLID, PS_DASH, ...
    int width;  // 0 and 1 both mean one pixel
    COLORREF colour;
};

struct Brush : HGDIOBJ__ {
    Brush(bool h, COLORREF c) : HGDIOBJ__(ObjectKind::brush), hollow(h), colour(c) { }
    bool hollow;
    COLORREF colour;
};

// Only rectangular regions are made here; an empty one has left >= right or top >= bottom.
struct Region : HGDIOBJ__ {
    explicit Region(RECT r) : HGDIOBJ__(ObjectKind::region), box(r) { }
    RECT box;
};

// Takes ownership of a new object and counts it.
HGDIOBJ registerObject(HGDIOBJ__* object);
// The object behind a handle if it is alive and of the wanted kind, else null.
HGDIOBJ__* liveObject(HGDIOBJ handle);
template <class T>
T* liveObjectAs(HGDIOBJ handle, ObjectKind kind)
{
    HGDIOBJ__* o = liveObject(handle);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
}
// Frees a registered object (not a stock one). False when the handle is not alive.
bool destroyObject(HGDIOBJ handle);

// The stock objects, made on first use and never freed. Index is GetStockObject's.
HGDIOBJ stockObject(int index);
// The 1 x 1 bitmap every new memory device context starts with.
Bitmap* defaultBitmap();

}  // namespace soft::gdi
