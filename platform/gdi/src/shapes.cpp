// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The shape calls: rectangles, ellipses and lines with the selected pen and brush.
#include "raster.h"

#include <algorithm>
#include <cstdlib>

using namespace soft::gdi;

namespace {

// Device coordinates the platform accepts (28-bit signed, as in its 32-bit kernel);
// beyond them a shape is refused rather than walked pixel by pixel.
constexpr int coordinateLimit = 1 << 27;

bool withinLimits(int a, int b, int c, int d)
{
    return std::abs(a) < coordinateLimit && std::abs(b) < coordinateLimit && std::abs(c) < coordinateLimit &&
           std::abs(d) < coordinateLimit;
}

bool drawsOutline(const Pen* pen) { return pen && pen->style != PS_NULL; }

// Pens of width 0 and 1 are one-pixel cosmetic pens; wider ones are geometric.
int widthOf(const Pen* pen) { return std::max(pen->width, 1); }

void orderBox(int& left, int& top, int& right, int& bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

// An inside-frame pen keeps its whole width inside the box.
void insetForInsideFrame(const Pen* pen, int& left, int& top, int& right, int& bottom)
{
    if (drawsOutline(pen) && pen->style == PS_INSIDEFRAME && widthOf(pen) > 1) {
        int inset = widthOf(pen) / 2;
        left += inset, top += inset, right -= inset, bottom -= inset;
    }
}

LineStyle thinStyle(const HDC__& dc, const Canvas& canvas, uint32_t& paper)
{
    paper = canvas.pixelOf(dc.backgroundColour);
    return lineStyleOf(dc.pen->style, canvas.pixelOf(dc.pen->colour), dc.backgroundMode == OPAQUE ? &paper : nullptr);
}

}  // namespace

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    HDC__* c = liveDeviceContext(dc);
    Brush* b = liveObjectAs<Brush>(brush, ObjectKind::brush);
    if (!c || !rect || !b)
        return 0;
    Canvas canvas = canvasOf(*c);
    if (!b->hollow)
        fillBox(canvas, rect->left, rect->top, rect->right, rect->bottom, canvas.pixelOf(b->colour));
    return 1;
}

namespace {

// What Rectangle and Ellipse do first: the context, and the box ordered and inset for
// an inside-frame pen. Null when the call fails; `empty` when there is nothing to draw.
HDC__* shapeBox(HDC dc, int& left, int& top, int& right, int& bottom, bool& empty)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c || !withinLimits(left, top, right, bottom))
        return nullptr;
    orderBox(left, top, right, bottom);
    insetForInsideFrame(c->pen, left, top, right, bottom);
    empty = right <= left || bottom <= top;
    return c;
}

}  // namespace

BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom)
{
    bool empty;
    HDC__* c = shapeBox(dc, left, top, right, bottom, empty);
    if (!c)
        return FALSE;
    if (empty)
        return TRUE;
    Canvas canvas = canvasOf(*c);
    bool fills = c->brush && !c->brush->hollow;
    uint32_t fill = fills ? canvas.pixelOf(c->brush->colour) : 0;
    if (!drawsOutline(c->pen)) {  // without a pen the filled area is one pixel smaller
        if (fills)
            fillBox(canvas, left, top, right - 1, bottom - 1, fill);
        return TRUE;
    }
    int width = widthOf(c->pen);
    // The pen is centred on the box's edge pixels: `before` of its pixels lie outside.
    int before = width / 2, after = width - before - 1;
    if (fills)
        fillBox(canvas, left + after + 1, top + after + 1, right - 1 - after, bottom - 1 - after, fill);
    if (width == 1) {
        uint32_t paper;
        LineStyle style = thinStyle(*c, canvas, paper);
        strokeThinLine(canvas, left, top, right - 1, top, style);
        strokeThinLine(canvas, right - 1, top, right - 1, bottom - 1, style);
        strokeThinLine(canvas, right - 1, bottom - 1, left, bottom - 1, style);
        strokeThinLine(canvas, left, bottom - 1, left, top, style);
        if (right - left == 1 && bottom - top == 1)
            canvas.plot(left, top, style.ink);
        return TRUE;
    }
    uint32_t ink = canvas.pixelOf(c->pen->colour);
    int outerLeft = left - before, outerTop = top - before, outerRight = right + before, outerBottom = bottom + before;
    fillBox(canvas, outerLeft, outerTop, outerRight, top + after + 1, ink);
    fillBox(canvas, outerLeft, bottom - 1 - after, outerRight, outerBottom, ink);
    fillBox(canvas, outerLeft, outerTop, left + after + 1, outerBottom, ink);
    fillBox(canvas, right - 1 - after, outerTop, outerRight, outerBottom, ink);
    return TRUE;
}

BOOL WINAPI Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    bool empty;
    HDC__* c = shapeBox(dc, left, top, right, bottom, empty);
    if (!c)
        return FALSE;
    if (empty)
        return TRUE;  // an empty box draws nothing
    Canvas canvas = canvasOf(*c);
    EllipseShape shape = EllipseShape::inscribedIn(left, top, right, bottom);
    if (c->brush && !c->brush->hollow)
        fillEllipse(canvas, shape, canvas.pixelOf(c->brush->colour));
    if (!drawsOutline(c->pen))
        return TRUE;
    uint32_t ink = canvas.pixelOf(c->pen->colour);
    // A one-pixel outline is drawn solid whatever the pen's style.
    if (widthOf(c->pen) == 1)
        strokeThinEllipse(canvas, shape, ink);
    else
        strokeWideEllipse(canvas, shape, widthOf(c->pen), ink);
    return TRUE;
}

BOOL WINAPI MoveToEx(HDC dc, int x, int y, POINT* previous)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c)
        return FALSE;
    if (previous)
        *previous = c->position;
    c->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC dc, int x, int y)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c || !withinLimits(x, y, c->position.x, c->position.y))
        return FALSE;
    POINT from = c->position;
    c->position = POINT{x, y};
    if (!drawsOutline(c->pen))
        return TRUE;
    Canvas canvas = canvasOf(*c);
    if (widthOf(c->pen) == 1) {
        uint32_t paper;
        strokeThinLine(canvas, from.x, from.y, x, y, thinStyle(*c, canvas, paper));
    } else {
        strokeWideLine(canvas, from.x, from.y, x, y, widthOf(c->pen), canvas.pixelOf(c->pen->colour));
    }
    return TRUE;
}
