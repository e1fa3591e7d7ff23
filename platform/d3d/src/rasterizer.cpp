#include "d3d_raster.h"

#include "d3d_soft.h"
#include "span.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace soft {
namespace {

using d3d::fixedShift;

// Corners snap to a sixteenth of a pixel, so that edges can be stepped exactly in
// integers and two triangles sharing an edge agree on every pixel of it.
constexpr int subpixelsPerPixel = 16;
// Corners farther out are not drawn at all; the device clips long before this.
constexpr float coordinateLimit = float(1 << 20);
constexpr double depthLevels = 65535.0;  // the far value of the 16-bit depth buffer
constexpr double colourTop = 255.0;
// A flat blended triangle at least this large gets its blend table built.
constexpr int64_t flatTableMinimumArea = 1024;

struct Corner {
    int64_t x, y;  // subpixels
    const RasterVertex* vertex;
};

int64_t floorDiv(int64_t n, int64_t d)  // d > 0
{
    int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

int64_t ceilDiv(int64_t n, int64_t d) { return -floorDiv(-n, d); }

// An edge from its upper corner down to its lower one.
struct Edge {
    int64_t x0 = 0, y0 = 0, dx = 0, dy = 1;

    Edge() = default;
    Edge(const Corner& top, const Corner& bottom)
        : x0(top.x), y0(top.y), dx(bottom.x - top.x), dy(std::max<int64_t>(bottom.y - top.y, 1))
    {
    }

    // The first column whose centre lies on or right of the edge in `row`.
    int64_t columnAt(int64_t row) const
    {
        return ceilDiv(x0 * dy + (row * subpixelsPerPixel - y0) * dx, dy * subpixelsPerPixel);
    }
};

// An attribute as a linear function of the pixel position.
struct Plane {
    double origin, perX, perY;  // value at (0, 0) and its slopes

    double at(int64_t x, int64_t y) const { return origin + perX * double(x) + perY * double(y); }
};

Plane planeThrough(const Corner corner[3], const double value[3])
{
    auto px = [&](int i) { return double(corner[i].x) / subpixelsPerPixel; };
    auto py = [&](int i) { return double(corner[i].y) / subpixelsPerPixel; };
    const double x1 = px(1) - px(0), y1 = py(1) - py(0), x2 = px(2) - px(0), y2 = py(2) - py(0);
    const double v1 = value[1] - value[0], v2 = value[2] - value[0];
    const double det = x1 * y2 - x2 * y1;
    Plane plane;
    plane.perX = (v1 * y2 - v2 * y1) / det;
    plane.perY = (v2 * x1 - v1 * x2) / det;
    plane.origin = value[0] - plane.perX * px(0) - plane.perY * py(0);
    return plane;
}

// The attribute in fixed point at the first pixel of a span, and a step truncated
// toward zero, so that no pixel of the span leaves the range [0, top].
template <typename Fixed>
void stepAcross(const Plane& plane, int64_t first, int64_t last, int64_t row, double top,
                Fixed& start, Fixed& step)
{
    const double scale = double(1 << fixedShift);
    const double a = std::clamp(plane.at(first, row), 0.0, top);
    const double b = std::clamp(plane.at(last, row), 0.0, top);
    const int64_t begin = int64_t(a * scale), end = int64_t(b * scale);
    start = Fixed(begin);
    step = Fixed(last > first ? (end - begin) / (last - first) : 0);
}

bool snap(const RasterVertex& v, Corner& corner)
{
    if (!(std::fabs(v.x) < coordinateLimit && std::fabs(v.y) < coordinateLimit))
        return false;  // also refuses not-a-number
    corner = Corner{std::lround(v.x * subpixelsPerPixel), std::lround(v.y * subpixelsPerPixel), &v};
    return true;
}

int colourByte(float channel) { return int(std::clamp(channel, 0.0f, float(colourTop))); }

// Channels are truncated to whole values, so corners that truncate alike give every
// pixel between them that value too.
bool isFlat(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c)
{
    auto same = [](const RasterVertex& p, const RasterVertex& q) {
        return colourByte(p.r) == colourByte(q.r) && colourByte(p.g) == colourByte(q.g) &&
               colourByte(p.b) == colourByte(q.b) && colourByte(p.a) == colourByte(q.a);
    };
    return same(a, b) && same(a, c);
}

// The precomputed colours of the last flat triangle; a fade quad's second triangle
// finds them ready.
struct FlatShadeCache {
    int key[7] = {-1};
    d3d::FlatShade shade;

    const d3d::FlatShade* find(const int colour[4], d3d::PixelLayout layout, bool dither,
                               bool blend, int64_t area)
    {
        const int wanted[7] = {colour[0],       colour[1], colour[2], colour[3],
                               layout.redShift, dither,    blend};
        if (std::memcmp(wanted, key, sizeof key) == 0)
            return &shade;
        if (blend && area < flatTableMinimumArea)
            return nullptr;
        d3d::makeFlatShade(shade, colour, layout, dither, blend);
        std::memcpy(key, wanted, sizeof key);
        return &shade;
    }
};

FlatShadeCache& flatShadeCache()
{
    static FlatShadeCache cache;
    return cache;
}

} // namespace

void drawTriangle(const RasterTarget& target, const RasterState& state, const RasterVertex& a,
                  const RasterVertex& b, const RasterVertex& c)
{
    Corner corner[3];
    if (!snap(a, corner[0]) || !snap(b, corner[1]) || !snap(c, corner[2]))
        return;
    std::sort(corner, corner + 3, [](const Corner& p, const Corner& q) { return p.y < q.y; });
    const int64_t cross = (corner[1].x - corner[0].x) * (corner[2].y - corner[0].y) -
                          (corner[2].x - corner[0].x) * (corner[1].y - corner[0].y);
    if (cross == 0)
        return;
    // With y down, a positive cross product puts corner 1 right of the long edge 0-2.
    const bool longEdgeLeft = cross > 0;

    const RasterRect& clip = target.clip;
    const int64_t firstRow = std::max<int64_t>(ceilDiv(corner[0].y, subpixelsPerPixel), clip.top);
    const int64_t middleRow = ceilDiv(corner[1].y, subpixelsPerPixel);
    const int64_t endRow = std::min<int64_t>(ceilDiv(corner[2].y, subpixelsPerPixel), clip.bottom);
    if (firstRow >= endRow)
        return;
    const Edge longEdge(corner[0], corner[2]), upperEdge(corner[0], corner[1]),
        lowerEdge(corner[1], corner[2]);

    Plane colourPlane[4], depthPlane;
    for (int channel = 0; channel < 4; ++channel) {
        double value[3];
        for (int i = 0; i < 3; ++i)
            value[i] = (&corner[i].vertex->r)[channel];
        colourPlane[channel] = planeThrough(corner, value);
    }
    {
        double value[3];
        for (int i = 0; i < 3; ++i)
            value[i] = double(corner[i].vertex->z) * depthLevels;
        depthPlane = planeThrough(corner, value);
    }

    d3d::SpanSetup setup{target.colour, (state.depthTest || state.depthWrite) ? target.depth : nullptr,
                         state, d3d::layoutOf(target.colour->format), nullptr};
    if (isFlat(a, b, c)) {
        const int colour[4] = {colourByte(a.r), colourByte(a.g), colourByte(a.b), colourByte(a.a)};
        const int64_t area = std::abs(cross) / (2 * subpixelsPerPixel * subpixelsPerPixel);
        setup.flat = flatShadeCache().find(colour, setup.layout, state.dither, state.blend, area);
    }

    uint64_t written = 0;
    for (int64_t row = firstRow; row < endRow; ++row) {
        const Edge& shortEdge = row < middleRow ? upperEdge : lowerEdge;
        const Edge& leftEdge = longEdgeLeft ? longEdge : shortEdge;
        const Edge& rightEdge = longEdgeLeft ? shortEdge : longEdge;
        const int64_t first = std::max<int64_t>(leftEdge.columnAt(row), clip.left);
        const int64_t end = std::min<int64_t>(rightEdge.columnAt(row), clip.right);
        if (first >= end)
            continue;
        d3d::Span span{int(first), int(row), int(end - first), {}, {}, 0, 0};
        for (int channel = 0; channel < 4; ++channel)
            stepAcross(colourPlane[channel], first, end - 1, row, colourTop, span.colour[channel],
                       span.colourStep[channel]);
        stepAcross(depthPlane, first, end - 1, row, depthLevels, span.depth, span.depthStep);
        written += uint64_t(d3d::shadeSpan(setup, span));
    }
    direct3DCounters().pixelsWritten += written;
}

void drawLine(const RasterTarget& target, const RasterState& state, const RasterVertex& from,
              const RasterVertex& to)
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
    drawTriangle(target, state, fromLow, toLow, toHigh);
    drawTriangle(target, state, fromLow, toHigh, fromHigh);
}

void drawPoint(const RasterTarget& target, const RasterState& state, const RasterVertex& point)
{
    RasterVertex corner[4] = {point, point, point, point};
    const float offset[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
    for (int i = 0; i < 4; ++i) {
        corner[i].x += offset[i][0];
        corner[i].y += offset[i][1];
    }
    drawTriangle(target, state, corner[0], corner[1], corner[2]);
    drawTriangle(target, state, corner[0], corner[2], corner[3]);
}

} // namespace soft
