// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "geometry.h"

#include "d3d_soft.h"

#include <algorithm>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace soft::d3d {
namespace {

// w must stay above this for x/w and y/w to mean anything.
constexpr float smallestW = 1e-6f;
// How far beyond the viewport screen-space corners may lie before they are cut.
constexpr float guardBand = 4096.0f;
// A triangle clipped by every plane has at most this many corners.
constexpr int maxPolygon = 3 + maxClipPlanes;

struct PolygonVertex {
    ClipVertex v;
    bool sent;         // a corner the caller sent, not one made by clipping
    bool edgeFollows;  // the edge to the next corner is part of a sent edge
};

struct Polygon {
    PolygonVertex vertex[maxPolygon];
    int count = 0;
};

float distance(const ClipPlane& p, const ClipVertex& v) { return p.a * v.x + p.b * v.y + p.c * v.z + p.d * v.w + p.e; }

#if defined(__SSE2__)
// The distances to four planes at once, added up in the same order as `distance`.
__m128 distances(const ClipVolume& volume, int first, const ClipVertex& v)
{
    auto coefficient = [&](int k) { return _mm_load_ps(&volume.across[k][first]); };
    __m128 sum = _mm_mul_ps(coefficient(0), _mm_set1_ps(v.x));
    sum = _mm_add_ps(sum, _mm_mul_ps(coefficient(1), _mm_set1_ps(v.y)));
    sum = _mm_add_ps(sum, _mm_mul_ps(coefficient(2), _mm_set1_ps(v.z)));
    sum = _mm_add_ps(sum, _mm_mul_ps(coefficient(3), _mm_set1_ps(v.w)));
    return _mm_add_ps(sum, coefficient(4));
}

unsigned outcode(const ClipVolume& volume, const ClipVertex& v)
{
    static_assert(maxClipPlanes <= 8, "outcodes test eight planes");
    const __m128 zero = _mm_setzero_ps();
    return unsigned(_mm_movemask_ps(_mm_cmplt_ps(distances(volume, 0, v), zero)) |
                    _mm_movemask_ps(_mm_cmplt_ps(distances(volume, 4, v), zero)) << 4);
}
#else
unsigned outcode(const ClipVolume& volume, const ClipVertex& v)
{
    unsigned code = 0;
    for (int i = 0; i < volume.count; ++i)
        if (distance(volume.plane[i], v) < 0)
            code |= 1u << i;
    return code;
}
#endif

// The planes side by side, as outcodes read them.
void arrangeAcross(ClipVolume& volume)
{
    for (int i = 0; i < 8; ++i) {
        const ClipPlane none{0, 0, 0, 0, 0};
        const ClipPlane& p = i < volume.count ? volume.plane[i] : none;
        const float coefficients[5] = {p.a, p.b, p.c, p.d, p.e};
        for (int k = 0; k < 5; ++k)
            volume.across[k][i] = coefficients[k];
    }
}

ClipVertex lerp(const ClipVertex& p, const ClipVertex& q, float t)
{
    auto mix = [t](float a, float b) { return a + (b - a) * t; };
    return ClipVertex{mix(p.x, q.x), mix(p.y, q.y), mix(p.z, q.z), mix(p.w, q.w),
                      mix(p.r, q.r), mix(p.g, q.g), mix(p.b, q.b), mix(p.a, q.a)};
}

// The corner after corner i of a polygon of `count`, without a division.
int following(int i, int count) { return i + 1 < count ? i + 1 : 0; }

// One plane of Sutherland-Hodgman, keeping track of which edges were sent.
void clipAgainst(const ClipPlane& plane, const Polygon& in, Polygon& out)
{
    out.count = 0;
    for (int i = 0; i < in.count; ++i) {
        const PolygonVertex& current = in.vertex[i];
        const PolygonVertex& next = in.vertex[following(i, in.count)];
        const float dc = distance(plane, current.v), dn = distance(plane, next.v);
        const bool currentIn = dc >= 0, nextIn = dn >= 0;
        if (currentIn)
            out.vertex[out.count++] = current;
        if (currentIn != nextIn) {
            // Always from the inside corner outward, so that two triangles sharing the
            // edge make the very same new corner and keep sharing it exactly.
            const ClipVertex cut =
                currentIn ? lerp(current.v, next.v, dc / (dc - dn)) : lerp(next.v, current.v, dn / (dn - dc));
            // Leaving, the new corner starts an edge along the plane; entering, it
            // starts what is left of the sent edge.
            out.vertex[out.count++] = PolygonVertex{cut, false, currentIn ? false : current.edgeFollows};
        }
    }
}

RasterVertex project(const ScreenMapping& m, const ClipVertex& v)
{
    const float inverseW = 1.0f / v.w;
    return RasterVertex{m.offsetX + m.scaleX * v.x * inverseW,
                        m.offsetY + m.scaleY * v.y * inverseW,
                        v.z * inverseW,
                        v.r,
                        v.g,
                        v.b,
                        v.a};
}

bool culled(D3DCULL cull, double area)
{
    // y points down the screen, so a positive area runs clockwise.
    return (cull == D3DCULL_CCW && area < 0) || (cull == D3DCULL_CW && area > 0);
}

void fill(const PrimitiveSettings& settings, const Polygon& polygon)
{
    RasterVertex screen[maxPolygon];
    for (int i = 0; i < polygon.count; ++i)
        screen[i] = project(settings.mapping, polygon.vertex[i].v);
    double area = 0;
    for (int i = 0; i < polygon.count; ++i) {
        const RasterVertex& p = screen[i];
        const RasterVertex& q = screen[following(i, polygon.count)];
        area += double(p.x) * q.y - double(q.x) * p.y;
    }
    Direct3DCounters& counters = direct3DCounters();
    if (culled(settings.cull, area)) {
        ++counters.trianglesCulled;
        return;
    }
    ++counters.trianglesDrawn;
    const RasterTarget& target = settings.target;
    const RasterState& state = settings.state;
    for (int i = 0; i < polygon.count; ++i) {
        const PolygonVertex& corner = polygon.vertex[i];
        switch (settings.fill) {
        case D3DFILL_POINT:
            if (corner.sent)
                soft::d3d::drawPoint(target, state, screen[i]);
            break;
        case D3DFILL_WIREFRAME:
            if (corner.edgeFollows)
                soft::d3d::drawLine(target, state, screen[i], screen[following(i, polygon.count)]);
            break;
        default:
            if (i >= 2)
                soft::d3d::rasterizeTriangle(target, state, screen[0], screen[i - 1], screen[i]);
            break;
        }
    }
}

}  // namespace

void setUpProjected(PrimitiveSettings& settings, const D3DVIEWPORT2& v)
{
    const float right = v.dvClipX + v.dvClipWidth, bottom = v.dvClipY - v.dvClipHeight;
    ClipVolume& volume = settings.volume;
    volume.count = 0;
    volume.plane[volume.count++] = {1, 0, 0, -v.dvClipX, 0};
    volume.plane[volume.count++] = {-1, 0, 0, right, 0};
    volume.plane[volume.count++] = {0, 1, 0, -bottom, 0};
    volume.plane[volume.count++] = {0, -1, 0, v.dvClipY, 0};
    volume.plane[volume.count++] = {0, 0, 1, -v.dvMinZ, 0};
    volume.plane[volume.count++] = {0, 0, -1, v.dvMaxZ, 0};
    volume.plane[volume.count++] = {0, 0, 0, 1, -smallestW};
    arrangeAcross(volume);
    const float scaleX = float(v.dwWidth) / v.dvClipWidth, scaleY = float(v.dwHeight) / v.dvClipHeight;
    settings.mapping =
        ScreenMapping{scaleX, float(v.dwX) - v.dvClipX * scaleX, -scaleY, float(v.dwY) + v.dvClipY * scaleY};
}

void setUpScreenSpace(PrimitiveSettings& settings, const D3DVIEWPORT2& v)
{
    const float left = float(v.dwX) - guardBand, top = float(v.dwY) - guardBand;
    const float right = float(v.dwX + v.dwWidth) + guardBand, bottom = float(v.dwY + v.dwHeight) + guardBand;
    ClipVolume& volume = settings.volume;
    volume.count = 0;
    volume.plane[volume.count++] = {1, 0, 0, -left, 0};
    volume.plane[volume.count++] = {-1, 0, 0, right, 0};
    volume.plane[volume.count++] = {0, 1, 0, -top, 0};
    volume.plane[volume.count++] = {0, -1, 0, bottom, 0};
    arrangeAcross(volume);
    settings.mapping = ScreenMapping{1, 0, 1, 0};
}

void clipAndRasterizeTriangle(const PrimitiveSettings& settings, const ClipVertex& a, const ClipVertex& b,
                              const ClipVertex& c)
{
    const ClipVolume& volume = settings.volume;
    const unsigned codeA = outcode(volume, a), codeB = outcode(volume, b), codeC = outcode(volume, c);
    Polygon polygons[2];
    polygons[0].count = 3;
    polygons[0].vertex[0] = {a, true, true};
    polygons[0].vertex[1] = {b, true, true};
    polygons[0].vertex[2] = {c, true, true};
    if ((codeA | codeB | codeC) == 0) {
        fill(settings, polygons[0]);
        return;
    }
    ++direct3DCounters().trianglesClipped;
    if (codeA & codeB & codeC)
        return;
    int current = 0;
    for (int i = 0; i < volume.count && polygons[current].count >= 3; ++i) {
        if (((codeA | codeB | codeC) >> i & 1) == 0)
            continue;
        clipAgainst(volume.plane[i], polygons[current], polygons[1 - current]);
        current = 1 - current;
    }
    if (polygons[current].count >= 3)
        fill(settings, polygons[current]);
}

void drawLine(const PrimitiveSettings& settings, const ClipVertex& from, const ClipVertex& to)
{
    float enter = 0, leave = 1;
    for (int i = 0; i < settings.volume.count; ++i) {
        const float df = distance(settings.volume.plane[i], from), dt = distance(settings.volume.plane[i], to);
        if (df < 0 && dt < 0)
            return;
        if (df < 0)
            enter = std::max(enter, df / (df - dt));
        else if (dt < 0)
            leave = std::min(leave, df / (df - dt));
    }
    if (enter >= leave)
        return;
    soft::d3d::drawLine(settings.target, settings.state, project(settings.mapping, lerp(from, to, enter)),
                        project(settings.mapping, lerp(from, to, leave)));
}

void drawPoint(const PrimitiveSettings& settings, const ClipVertex& point)
{
    if (outcode(settings.volume, point) == 0)
        soft::d3d::drawPoint(settings.target, settings.state, project(settings.mapping, point));
}

}  // namespace soft::d3d
