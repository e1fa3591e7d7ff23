// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "d3d_raster.h"

#include "d3d_soft.h"
#include "line_band.h"
#include "span.h"
#include "triangle_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace soft::d3d {
namespace {

// A flat blended triangle at least this large gets its blend table built.
constexpr int64_t flatTableMinimumArea = 1024;

// Nearest whole number, halves away from zero, without a call into the maths library
// and without a branch on the sign.
int64_t nearest(double v) { return int64_t(v + std::copysign(0.5, v)); }

Plane planeThrough(const Corner corner[3], const double value[3], double inverseDeterminant, double top)
{
    const double x0 = double(corner[0].x) / subpixelsPerPixel, y0 = double(corner[0].y) / subpixelsPerPixel;
    const double x1 = double(corner[1].x) / subpixelsPerPixel - x0, y1 = double(corner[1].y) / subpixelsPerPixel - y0;
    const double x2 = double(corner[2].x) / subpixelsPerPixel - x0, y2 = double(corner[2].y) / subpixelsPerPixel - y0;
    const double v1 = value[1] - value[0], v2 = value[2] - value[0];
    Plane plane;
    plane.perX = (v1 * y2 - v2 * y1) * inverseDeterminant;
    plane.perY = (v2 * x1 - v1 * x2) * inverseDeterminant;
    plane.origin = value[0] - plane.perX * x0 - plane.perY * y0;
    plane.stepX = nearest(std::clamp(plane.perX * fixedOne, -largestFixedStep, largestFixedStep));
    plane.top = top;
    plane.cornersInRange = true;
    for (int i = 0; i < 3; ++i)
        plane.cornersInRange = plane.cornersInRange && value[i] >= 0 && value[i] <= top;
    return plane;
}

bool snap(const RasterVertex& v, int64_t& x, int64_t& y)
{
    if (!(std::fabs(v.x) < coordinateLimit && std::fabs(v.y) < coordinateLimit))
        return false;  // also refuses not-a-number
    x = nearest(double(v.x) * subpixelsPerPixel);
    y = nearest(double(v.y) * subpixelsPerPixel);
    return true;
}

// The whole value every pixel of a flat triangle gets, lifted as the spans lift it.
int colourByte(float channel)
{
    return std::min(int(double(std::clamp(channel, 0.0f, float(colourTop))) + roundingLift), int(colourTop));
}

bool isFlat(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c)
{
    auto same = [](const RasterVertex& p, const RasterVertex& q) {
        return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a;
    };
    return same(a, b) && same(a, c);
}

// The precomputed colours of the last flat triangle; a fade quad's second triangle
// finds them ready. The blend tables are made only for a walk that reads them.
struct FlatShadeCache {
    int key[7] = {-1};
    d3d::PixelLayout layout{};
    bool dither = false, blendTablesMade = false;
    d3d::FlatShade shade;

    const d3d::FlatShade* find(const int colour[4], d3d::PixelLayout layout, bool dither, bool blend, int64_t area)
    {
        const int wanted[7] = {colour[0], colour[1], colour[2], colour[3], layout.redShift, dither, blend};
        if (std::memcmp(wanted, key, sizeof key) == 0)
            return &shade;
        if (blend && area < flatTableMinimumArea)
            return nullptr;
        d3d::makeFlatShade(shade, colour, layout, dither, false);
        this->layout = layout;
        this->dither = dither;
        blendTablesMade = false;
        std::memcpy(key, wanted, sizeof key);
        return &shade;
    }

    void makeBlendTables()
    {
        if (blendTablesMade)
            return;
        const int colour[4] = {shade.colour[0], shade.colour[1], shade.colour[2], shade.colour[3]};
        d3d::makeFlatShade(shade, colour, layout, dither, true);
        blendTablesMade = true;
    }
};

FlatShadeCache& flatShadeCache()
{
    static FlatShadeCache cache;
    return cache;
}

// How the spans of one triangle are shaded: blending dropped where alpha is full, and
// the precomputed colours of a flat triangle.
[[gnu::always_inline]] inline d3d::SpanSetup spanSetupFor(const RasterTarget& target, const RasterState& state,
                                                          const RasterVertex& a, const RasterVertex& b,
                                                          const RasterVertex& c, int64_t cross)
{
    d3d::SpanSetup setup{target.colour, (state.depthTest || state.depthWrite) ? target.depth : nullptr, state,
                         d3d::layoutOf(target.colour->format), nullptr};
    // Blending at full alpha gives the source exactly.
    if (a.a >= float(colourTop) && b.a >= float(colourTop) && c.a >= float(colourTop))
        setup.state.blend = false;
    if (isFlat(a, b, c)) {
        const int colour[4] = {colourByte(a.r), colourByte(a.g), colourByte(a.b), colourByte(a.a)};
        const int64_t area = std::abs(cross) / (2 * subpixelsPerPixel * subpixelsPerPixel);
        setup.flat = flatShadeCache().find(colour, setup.layout, state.dither, setup.state.blend, area);
    }
    return setup;
}

// A triangle's corners top to bottom, by conditional swaps of their numbers rather than
// branches: which corner is highest is anybody's guess from one triangle to the next.
// The snapped coordinates come in arrays of their own, so that each is read back just
// as it was stored: a wider read over two fresh stores waits for them to reach the cache.
// Returns twice the signed area in subpixels; with y down, a positive one puts corner 1
// right of the long edge 0-2.
[[gnu::always_inline]] inline int64_t sortCorners(const int64_t xs[3], const int64_t ys[3],
                                                  const RasterVertex* const vertices[3], Corner corner[3])
{
    int at[3] = {0, 1, 2};
    auto order = [&](int i, int j) {
        const int p = at[i], q = at[j];
        const bool swap = ys[q] < ys[p];
        at[i] = swap ? q : p;
        at[j] = swap ? p : q;
    };
    order(0, 1);
    order(1, 2);
    order(0, 1);
    for (int i = 0; i < 3; ++i)
        corner[i] = Corner{xs[at[i]], ys[at[i]], vertices[at[i]]};
    return (corner[1].x - corner[0].x) * (corner[2].y - corner[0].y) -
           (corner[2].x - corner[0].x) * (corner[1].y - corner[0].y);
}

}  // namespace

Attributes::Attributes(const Corner corner[3], const d3d::SpanSetup& setup, int64_t cross)
    : colourChannels(setup.flat          ? 0
                     : setup.state.blend ? 4
                                         : 3),
      useDepth(setup.depth != nullptr)
{
    const double inverseDeterminant = double(subpixelsPerPixel * subpixelsPerPixel) / double(cross);
    double value[3];
    for (int channel = 0; channel < colourChannels; ++channel) {
        for (int i = 0; i < 3; ++i)
            value[i] = double((&corner[i].vertex->r)[channel]);
        colour[channel] = planeThrough(corner, value, inverseDeterminant, colourTop);
    }
    if (useDepth) {
        for (int i = 0; i < 3; ++i)
            value[i] = double(corner[i].vertex->z) * depthLevels;
        depth = planeThrough(corner, value, inverseDeterminant, depthLevels);
    }
}

void rasterizeTriangle(const RasterTarget& target, const RasterState& state, const RasterVertex& a,
                       const RasterVertex& b, const RasterVertex& c)
{
    int64_t xs[3], ys[3];
    const RasterVertex* const vertices[3] = {&a, &b, &c};
    if (!snap(a, xs[0], ys[0]) || !snap(b, xs[1], ys[1]) || !snap(c, xs[2], ys[2]))
        return;
    Corner corner[3];
    const int64_t cross = sortCorners(xs, ys, vertices, corner);
    if (cross == 0)
        return;
    const RasterRect& clip = target.clip;
    const int64_t firstRow = std::max<int64_t>(firstPixelAt(corner[0].y), clip.top);
    const int64_t middleRow = std::max(firstPixelAt(corner[1].y), firstRow);
    const int64_t endRow = std::min<int64_t>(firstPixelAt(corner[2].y), clip.bottom);
    if (firstRow >= endRow)
        return;

    const d3d::SpanSetup setup = spanSetupFor(target, state, a, b, c, cross);
    const Attributes attributes(corner, setup, cross);
    const WalkChoice choice = chooseWalk(setup, attributes.depthAllZero());
    if (choice.readsBlendTables)
        flatShadeCache().makeBlendTables();
    const RowWalk walk = choice.walk;
    // A half with no rows gets no edge and no run: the long edge it would have stepped
    // has no row to step over.
    const bool longEdgeLeft = cross > 0;
    EdgeWalk longEdge(corner[0], corner[2], firstRow), upperEdge, lowerEdge;
    TriangleRuns runs;
    auto addRun = [&](EdgeWalk& shortEdge, int64_t from, int64_t to) {
        runs.run[runs.count++] =
            longEdgeLeft ? RowRun{&longEdge, &shortEdge, from, to} : RowRun{&shortEdge, &longEdge, from, to};
    };
    const int64_t upperEnd = std::min(middleRow, endRow);
    if (firstRow < upperEnd) {
        upperEdge = EdgeWalk(corner[0], corner[1], firstRow);
        addRun(upperEdge, firstRow, upperEnd);
    }
    if (middleRow < endRow) {
        lowerEdge = EdgeWalk(corner[1], corner[2], middleRow);
        addRun(lowerEdge, middleRow, endRow);
    }
    const uint64_t written = walk(runs, clip, setup, attributes);
    direct3DCounters().pixelsWritten += written;
}

namespace {

// The corners of a line's band: its two ends each moved half a pixel either way across
// the line, in the order the two triangles name them, (startLow, endLow, endHigh) and
// (startLow, endHigh, startHigh), which share the diagonal startLow-endHigh.
enum BandCorner { startLow, endLow, endHigh, startHigh };
constexpr int bandTriangles[2][3] = {{startLow, endLow, endHigh}, {startLow, endHigh, startHigh}};

// Draws the band as its two triangles draw it, in one walk over its rows with the
// triangles' set-up shared where it is the same for both. Returns false, having drawn
// nothing, where the band is not the parallelogram the walk takes for granted: sides
// that snapped other than one pixel apart, a level diagonal, a corner out of range, or
// triangles that would not take the same span loop; the two triangles then draw it.
bool drawBand(const RasterTarget& target, const RasterState& state, const RasterVertex corners[4], bool alongX)
{
    int64_t xs[4], ys[4];
    for (int i = 0; i < 4; ++i)
        if (!snap(corners[i], xs[i], ys[i]))
            return false;
    const int64_t acrossX = alongX ? 0 : subpixelsPerPixel, acrossY = alongX ? subpixelsPerPixel : 0;
    if (xs[startHigh] != xs[startLow] + acrossX || ys[startHigh] != ys[startLow] + acrossY ||
        xs[endHigh] != xs[endLow] + acrossX || ys[endHigh] != ys[endLow] + acrossY || ys[endHigh] == ys[startLow])
        return false;

    const RasterRect& clip = target.clip;
    Corner corner[2][3];
    int64_t cross[2];
    LineBand band;
    band.from = clip.bottom;
    band.to = clip.top;
    for (int t = 0; t < 2; ++t) {
        int64_t x[3], y[3];
        const RasterVertex* vertices[3];
        for (int i = 0; i < 3; ++i) {
            const int at = bandTriangles[t][i];
            x[i] = xs[at], y[i] = ys[at], vertices[i] = &corners[at];
        }
        cross[t] = sortCorners(x, y, vertices, corner[t]);
        if (cross[t] == 0)
            return false;
        band.triangleFrom[t] = std::max<int64_t>(firstPixelAt(corner[t][0].y), clip.top);
        band.triangleTo[t] = std::min<int64_t>(firstPixelAt(corner[t][2].y), clip.bottom);
        if (band.triangleFrom[t] < band.triangleTo[t]) {
            band.from = std::min(band.from, band.triangleFrom[t]);
            band.to = std::max(band.to, band.triangleTo[t]);
        }
    }
    if (band.from >= band.to)
        return true;  // neither triangle has a row inside the clip

    auto at = [&](int i) { return Corner{xs[i], ys[i], nullptr}; };
    auto downward = [](const Corner& p, const Corner& q, int64_t firstRow) {
        return p.y <= q.y ? EdgeWalk(p, q, firstRow) : EdgeWalk(q, p, firstRow);
    };
    band.alongX = alongX;
    // Along y the band's ends are level and shared by both triangles, which so cover the
    // same rows; the walk takes that for granted.
    if (!alongX && (band.triangleFrom[0] != band.triangleFrom[1] || band.triangleTo[0] != band.triangleTo[1]))
        return false;
    if (!alongX) {
        band.side = downward(at(startLow), at(endLow), band.from);
    } else if (ys[startLow] == ys[endLow]) {
        band.level = true;
    } else {
        band.side = downward(at(startLow), at(endLow), band.from - 1);
        band.upperBoundsRight = (ys[endLow] - ys[startLow] > 0) == (xs[endLow] - xs[startLow] > 0);
    }
    band.leftEnd = firstPixelAt(std::min(xs[startLow], xs[endLow]));
    band.rightEnd = firstPixelAt(std::max(xs[startLow], xs[endLow]));
    const Corner top = ys[startLow] < ys[endHigh] ? at(startLow) : at(endHigh);
    const Corner bottom = ys[startLow] < ys[endHigh] ? at(endHigh) : at(startLow);
    band.diagonal = EdgeWalk(top, bottom, band.from);
    // With y down, a positive cross product puts a point left of an edge run downwards.
    const int64_t side = (bottom.x - top.x) * (ys[endLow] - top.y) - (bottom.y - top.y) * (xs[endLow] - top.x);
    band.leftOfDiagonal = side > 0 ? 0 : 1;

    // What the two triangles' spans share: their vertices' colours and alphas are those
    // of the line's two ends and their areas the same, so either triangle's set-up is both's.
    const d3d::SpanSetup setup =
        spanSetupFor(target, state, corners[startLow], corners[endLow], corners[endHigh], cross[0]);
    const Attributes attributes[2] = {Attributes(corner[0], setup, cross[0]), Attributes(corner[1], setup, cross[1])};
    const bool drawn[2] = {band.triangleFrom[0] < band.triangleTo[0], band.triangleFrom[1] < band.triangleTo[1]};
    const WalkChoice choice = chooseWalk(setup, attributes[drawn[0] ? 0 : 1].depthAllZero());
    if (drawn[0] && drawn[1] && attributes[0].depthAllZero() != attributes[1].depthAllZero())
        return false;
    if (choice.readsBlendTables)
        flatShadeCache().makeBlendTables();
    direct3DCounters().pixelsWritten += choice.lineWalk(band, clip, setup, attributes);
    return true;
}

}  // namespace

void drawLine(const RasterTarget& target, const RasterState& state, const RasterVertex& from, const RasterVertex& to)
{
    const float dx = to.x - from.x, dy = to.y - from.y;
    if (dx == 0 && dy == 0)
        return;
    const bool alongX = std::fabs(dx) >= std::fabs(dy);
    RasterVertex fromLow = from, fromHigh = from, toLow = to, toHigh = to;
    float RasterVertex::*across = alongX ? &RasterVertex::y : &RasterVertex::x;
    fromLow.*across -= 0.5f;
    fromHigh.*across += 0.5f;
    toLow.*across -= 0.5f;
    toHigh.*across += 0.5f;
    const RasterVertex corners[4] = {fromLow, toLow, toHigh, fromHigh};
    if (drawBand(target, state, corners, alongX))
        return;
    rasterizeTriangle(target, state, fromLow, toLow, toHigh);
    rasterizeTriangle(target, state, fromLow, toHigh, fromHigh);
}

void drawPoint(const RasterTarget& target, const RasterState& state, const RasterVertex& point)
{
    RasterVertex corner[4] = {point, point, point, point};
    const float offset[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
    for (int i = 0; i < 4; ++i) {
        corner[i].x += offset[i][0];
        corner[i].y += offset[i][1];
    }
    rasterizeTriangle(target, state, corner[0], corner[1], corner[2]);
    rasterizeTriangle(target, state, corner[0], corner[2], corner[3]);
}

}  // namespace soft::d3d
