// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "objects.h"

#include "lifetime.h"

namespace soft::gdi {

namespace {

constexpr int stockObjectCount = DC_PEN + 1;

// The platform's stock colours and faces. Both variable-pitch stock fonts and the
// system font map to the proportional face; the fixed ones to the two fixed faces.
HGDIOBJ__* makeStock(int index)
{
    switch (index) {
    case WHITE_BRUSH:
        return new Brush(false, RGB(255, 255, 255));
    case LTGRAY_BRUSH:
        return new Brush(false, RGB(192, 192, 192));
    case GRAY_BRUSH:
        return new Brush(false, RGB(128, 128, 128));
    case DKGRAY_BRUSH:
        return new Brush(false, RGB(64, 64, 64));
    case BLACK_BRUSH:
        return new Brush(false, RGB(0, 0, 0));
    case NULL_BRUSH:
        return new Brush(true, 0);
    case DC_BRUSH:
        return new Brush(false, RGB(255, 255, 255));
    case WHITE_PEN:
        return new Pen(PS_SOLID, 1, RGB(255, 255, 255));
    case BLACK_PEN:
        return new Pen(PS_SOLID, 1, RGB(0, 0, 0));
    case DC_PEN:
        return new Pen(PS_SOLID, 1, RGB(0, 0, 0));
    case NULL_PEN:
        return new Pen(PS_NULL, 1, 0);
    case OEM_FIXED_FONT:
        return new Font(&oemFixedFace);
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
    case DEVICE_DEFAULT_FONT:
        return new Font(&ansiFixedFace);
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
        return new Font(&guiFace);
    default:
        return nullptr;
    }
}

}  // namespace

HGDIOBJ registerObject(HGDIOBJ__* object)
{
    liveObjects().insert(object);
    return object;
}

HGDIOBJ__* liveObject(HGDIOBJ handle)
{
    if (!handle)
        return nullptr;
    return liveObjects().count(handle) ? handle : nullptr;
}

bool destroyObject(HGDIOBJ handle)
{
    HGDIOBJ__* o = liveObject(handle);
    if (!o || o->stock)
        return false;
    liveObjects().erase(o);
    delete o;
    return true;
}

HGDIOBJ stockObject(int index)
{
    static HGDIOBJ__* stock[stockObjectCount] = {};
    if (index < 0 || index >= stockObjectCount)
        return nullptr;
    if (!stock[index]) {
        stock[index] = makeStock(index);
        if (!stock[index])
            return nullptr;
        stock[index]->stock = true;
        registerObject(stock[index]);
    }
    return stock[index];
}

Bitmap* defaultBitmap()
{
    static Bitmap* bitmap = [] {
        Bitmap* b = new Bitmap(1, 1);
        b->stock = true;
        registerObject(b);
        return b;
    }();
    return bitmap;
}

}  // namespace soft::gdi
