// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace soft::gdi {

namespace {

// The cosmetic pens' dash patterns, in pixels on and off.
constexpr int dash[] = {18, 6};
constexpr int dot[] = {3, 3};
constexpr int dashDot[] = {9, 6, 3, 6};
constexpr int dashDotDot[] = {9, 3, 3, 3, 3, 3};

// Wide shapes sample each pixel a hair off its centre, so that a pixel lying exactly
// on an edge of an even-width band falls on one side only and the band is exactly
// `width` pixels across.
constexpr double sampleOffsetX = 1.0 / 1024;
constexpr double sampleOffsetY = 1.0 / 2048;
// Outlines of ellipses count a pixel exactly on the outer edge as inside.
constexpr double edgeTolerance = 1e-9;

struct Interval {
    double lo = 1, hi = 0;  // empty while lo > hi
    bool empty() const { return lo > hi; }
    Interval meet(Interval o) const { return {std::max(lo, o.lo), std::min(hi, o.hi)}; }
    Interval hull(Interval o) const
    {
        if (empty())
            return o;
        if (o.empty())
            return *this;
        return {std::min(lo, o.lo), std::max(hi, o.hi)};
    }
};

// The x for which slope * x + offset lies within [lo, hi].
Interval solveLinear(double slope, double offset, double lo, double hi)
{
    if (slope == 0)
        return offset >= lo && offset <= hi ? Interval{-HUGE_VAL, HUGE_VAL} : Interval{};
    double a = (lo - offset) / slope, b = (hi - offset) / slope;
    return {std::min(a, b), std::max(a, b)};
}

Interval discRow(double cx, double cy, double radius, double y)
{
    double dy = y - cy;
    if (std::abs(dy) > radius)
        return {};
    double half = std::sqrt(radius * radius - dy * dy);
    return {cx - half, cx + half};
}

// Draws row y of the ring between an outer ellipse (pixels on it included) and an
// inner one (pixels on it excluded), and its mirror row; the rows are symmetric about
// the centre column by construction.
void ringRow(const Canvas& canvas, const EllipseShape& e, int y, double outerA, double outerB, double innerA,
             double innerB, uint32_t pixel)
{
    double cx = e.centreX2 / 2.0, v = e.centreY2 / 2.0 - y;
    if (v > outerB + edgeTolerance)
        return;
    double outerHalf = outerB > 0 ? outerA * std::sqrt(std::max(0.0, 1 - (v / outerB) * (v / outerB))) : outerA;
    int right = int(std::floor(cx + outerHalf + edgeTolerance));
    int mirror = e.centreY2 - y;
    auto span = [&](int x0, int x1) {  // inclusive
        canvas.fillSpan(y, x0, x1 + 1, pixel);
        if (mirror != y)
            canvas.fillSpan(mirror, x0, x1 + 1, pixel);
    };
    bool hole = innerA > 0 && innerB > 0 && v <= innerB;
    if (!hole) {
        span(e.centreX2 - right, right);
        return;
    }
    double innerHalf = innerA * std::sqrt(std::max(0.0, 1 - (v / innerB) * (v / innerB)));
    int left = std::max(int(std::floor(cx + innerHalf + edgeTolerance)) + 1, int(std::ceil(cx)));
    if (left > right)
        return;
    span(left, right);
    span(e.centreX2 - right, e.centreX2 - left);
}

void ring(const Canvas& canvas, const EllipseShape& e, double outerA, double outerB, double innerA, double innerB,
          uint32_t pixel)
{
    double cy = e.centreY2 / 2.0;
    int top = int(std::ceil(cy - outerB - edgeTolerance));
    int middle = int(std::floor(cy));
    // Only rows that, or whose mirror row, lie inside the clip.
    int first = std::max(top, std::min(int(canvas.clip.top), e.centreY2 - int(canvas.clip.bottom) + 1));
    for (int y = first; y <= middle; ++y) {
        int mirror = e.centreY2 - y;
        bool rowInside = y >= canvas.clip.top && y < canvas.clip.bottom;
        bool mirrorInside = mirror >= canvas.clip.top && mirror < canvas.clip.bottom;
        if (!rowInside && !mirrorInside) {
            if (y >= canvas.clip.bottom)  // the mirror rows lie further down still
                break;
            continue;
        }
        ringRow(canvas, e, y, outerA, outerB, innerA, innerB, pixel);
    }
}

}  // namespace

LineStyle lineStyleOf(int penStyle, uint32_t ink, const uint32_t* paper)
{
    LineStyle s;
    s.ink = ink;
    s.paper = paper;
    switch (penStyle) {
    case PS_DASH:
        s.pattern = dash, s.patternLength = 2;
        break;
    case PS_DOT:
        s.pattern = dot, s.patternLength = 2;
        break;
    case PS_DASHDOT:
        s.pattern = dashDot, s.patternLength = 4;
        break;
    case PS_DASHDOTDOT:
        s.pattern = dashDotDot, s.patternLength = 6;
        break;
    default:
        break;
    }
    return s;
}

void strokeThinLine(const Canvas& canvas, int x0, int y0, int x1, int y1, const LineStyle& style)
{
    // Bresenham's line; the last point is left for the next segment, as on the platform.
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int dash = 0, left = style.pattern ? style.pattern[0] : 0;
    for (int x = x0, y = y0; x != x1 || y != y1;) {
        bool on = !style.pattern || dash % 2 == 0;
        if (on)
            canvas.plot(x, y, style.ink);
        else if (style.paper)
            canvas.plot(x, y, *style.paper);
        if (style.pattern && --left == 0) {
            dash = (dash + 1) % style.patternLength;
            left = style.pattern[dash];
        }
        int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, x += sx;
        if (e2 <= dx)
            err += dx, y += sy;
    }
}

void strokeWideLine(const Canvas& canvas, int x0, int y0, int x1, int y1, int width, uint32_t pixel)
{
    double r = width / 2.0;
    double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy, length = std::sqrt(length2);
    int top = std::max(int(std::floor(std::min(y0, y1) - r)), int(canvas.clip.top));
    int bottom = std::min(int(std::ceil(std::max(y0, y1) + r)), int(canvas.clip.bottom) - 1);
    for (int py = top; py <= bottom; ++py) {
        double y = py + sampleOffsetY;
        // The band's cross-section is convex: the hull of the two end discs and the
        // rectangle along the segment.
        Interval row = discRow(x0, y0, r, y).hull(discRow(x1, y1, r, y));
        if (length2 > 0) {
            Interval along = solveLinear(dx, (y - y0) * dy - x0 * dx, 0, length2);
            Interval across = solveLinear(-dy, (y - y0) * dx + x0 * dy, -r * length, r * length);
            row = row.hull(along.meet(across));
        }
        if (row.empty())
            continue;
        int first = int(std::ceil(row.lo - sampleOffsetX)), last = int(std::floor(row.hi - sampleOffsetX));
        canvas.fillSpan(py, first, last + 1, pixel);
    }
}

void fillBox(const Canvas& canvas, int left, int top, int right, int bottom, uint32_t pixel)
{
    for (int y = std::max(top, int(canvas.clip.top)); y < std::min(bottom, int(canvas.clip.bottom)); ++y)
        canvas.fillSpan(y, left, right, pixel);
}

EllipseShape EllipseShape::inscribedIn(int left, int top, int right, int bottom)
{
    return {left + right - 1, top + bottom - 1, (right - left - 1) / 2.0, (bottom - top - 1) / 2.0};
}

void strokeThinEllipse(const Canvas& canvas, const EllipseShape& e, uint32_t pixel)
{
    double cx = e.centreX2 / 2.0, cy = e.centreY2 / 2.0, a = e.a, b = e.b;
    if (a == 0 || b == 0) {  // a box one pixel thin: the outline is the box
        fillBox(canvas, int(std::lround(cx - a)), int(std::lround(cy - b)), int(std::lround(cx + a)) + 1,
                int(std::lround(cy + b)) + 1, pixel);
        return;
    }
    auto plot4 = [&](int x, int y) {
        canvas.plot(x, y, pixel);
        canvas.plot(e.centreX2 - x, y, pixel);
        canvas.plot(x, e.centreY2 - y, pixel);
        canvas.plot(e.centreX2 - x, e.centreY2 - y, pixel);
    };
    // Where the outline is flatter than 45 degrees, one pixel per column, nearest the
    // curve; where it is steeper, one per row. The top-right quadrant is computed and
    // mirrored into the other three.
    for (int x = int(std::ceil(cx)); x - cx <= a; ++x) {
        double u = x - cx, v = b * std::sqrt(std::max(0.0, 1 - (u / a) * (u / a)));
        if (b * b * u <= a * a * v)
            plot4(x, int(std::floor(cy - v + 0.5)));
    }
    for (int y = int(std::floor(cy)); cy - y <= b; --y) {
        double v = cy - y, u = a * std::sqrt(std::max(0.0, 1 - (v / b) * (v / b)));
        if (b * b * u >= a * a * v)
            plot4(int(std::floor(cx + u + 0.5)), y);
    }
    // The ends of the axes: with an even height or width the curve turns between two
    // rows or columns, where neither scan above lands.
    plot4(int(std::floor(cx + a + 0.5)), int(std::floor(cy)));
    plot4(int(std::ceil(cx)), int(std::floor(cy - b + 0.5)));
}

void strokeWideEllipse(const Canvas& canvas, const EllipseShape& e, int width, uint32_t pixel)
{
    double half = width / 2.0;
    // The band between the outline grown and shrunk by half the width: for a circle
    // every pixel within half a width of the outline, a little under and over that
    // for flat ellipses.
    ring(canvas, e, e.a + half, e.b + half, e.a - half, e.b - half, pixel);
}

void fillEllipse(const Canvas& canvas, const EllipseShape& e, uint32_t pixel)
{
    // Strictly inside: a ring whose outer edge sits a hair inside the outline.
    double shrink = 1e-6;
    if (e.a > shrink && e.b > shrink)
        ring(canvas, e, e.a - shrink, e.b - shrink, 0, 0, pixel);
}

}  // namespace soft::gdi
