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

// The first whole pixel row or column at or after a position in subpixels.
int64_t firstPixelAt(int64_t subpixels) { return -((-subpixels) >> 4); }
static_assert(subpixelsPerPixel == 1 << 4, "firstPixelAt shifts by the subpixel bits");

// Nearest whole number, halves away from zero, without a call into the maths library.
int64_t nearest(double v) { return int64_t(v >= 0 ? v + 0.5 : v - 0.5); }

// An edge from its upper corner down to its lower one, walked row by row in exact
// integers: `column` is the first column whose centre lies on or right of the edge.
class EdgeWalk {
public:
    EdgeWalk() = default;
    EdgeWalk(const Corner& top, const Corner& bottom, int64_t firstRow)
    {
        const int64_t dx = bottom.x - top.x, dy = std::max<int64_t>(bottom.y - top.y, 1);
        // The edge crosses row r at N(r) / D columns, N(r) = x0·dy + (16r − y0)·dx.
        denominator_ = dy * subpixelsPerPixel;
        const int64_t numerator = top.x * dy + (firstRow * subpixelsPerPixel - top.y) * dx;
        column = ceilDiv(numerator, denominator_);
        excess_ = column * denominator_ - numerator;  // 0 <= excess < D
        const int64_t step = dx * subpixelsPerPixel;
        stepColumns_ = floorDiv(step, denominator_);
        stepRemainder_ = step - stepColumns_ * denominator_;
    }

    void nextRow()
    {
        column += stepColumns_;
        excess_ -= stepRemainder_;
        if (excess_ < 0) {
            excess_ += denominator_;
            ++column;
        }
    }

    int64_t column = 0;

private:
    int64_t denominator_ = 1, excess_ = 0, stepColumns_ = 0, stepRemainder_ = 0;
};

// Fixed-point values are held a little inside [0, top + 1) so that their whole part
// stays within [0, top] however the steps round.
constexpr double fixedOne = double(1 << fixedShift);
constexpr double endMargin = 1.0 / 64.0;
constexpr double largestFixedStep = 1099511627776.0;  // 2^40, far beyond any usable slope
// When every corner lies inside the range, so does every pixel centre the fill rule
// picks. A lift of 1/64 then outweighs the rounding of a step (half a fixed-point unit
// a pixel) over spans of up to 1,024 pixels, and no span needs a check of its own.
constexpr double roundingLift = 1.0 / 64.0;
constexpr int longestLiftedSpan = 1024;

// An attribute as a linear function of the pixel position, with its step from one
// pixel to the next in fixed point.
struct Plane {
    double origin = 0, perX = 0, perY = 0;  // value at (0, 0) and its slopes
    int64_t stepX = 0;                      // perX in fixed point, rounded
    double top = 0;                         // the largest whole value the attribute takes
    bool cornersInRange = false;            // every corner's value lies in [0, top]
};

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

// The attribute at the first pixel of a span and its step, in fixed point. Outside the
// lifted case the start is clamped, and should the triangle's step carry the last
// pixel outside the range, the span gets a step of its own that ends inside it.
template <typename Fixed>
void stepAcross(const Plane& plane, int64_t first, int count, int64_t row, Fixed& start, Fixed& step)
{
    const double exact = plane.origin + plane.perY * double(row) + plane.perX * double(first) + roundingLift;
    if (plane.cornersInRange && count <= longestLiftedSpan) {
        start = Fixed(int64_t(exact * fixedOne));
        step = Fixed(count > 1 ? plane.stepX : 0);
        return;
    }
    const double lowest = endMargin, highest = plane.top + 1 - endMargin;
    const double value = std::clamp(exact, lowest, highest);
    const int64_t begin = int64_t(value * fixedOne);
    start = Fixed(begin);
    const int64_t end = begin + plane.stepX * (count - 1);
    if (end >= int64_t(lowest * fixedOne) && end <= int64_t(highest * fixedOne)) {
        step = Fixed(count > 1 ? plane.stepX : 0);
        return;
    }
    const double last = std::clamp(value + plane.perX * double(count - 1), lowest, highest);
    step = Fixed(int64_t((last - value) * fixedOne) / (count - 1));
}

bool snap(const RasterVertex& v, Corner& corner)
{
    if (!(std::fabs(v.x) < coordinateLimit && std::fabs(v.y) < coordinateLimit))
        return false;  // also refuses not-a-number
    corner = Corner{nearest(double(v.x) * subpixelsPerPixel), nearest(double(v.y) * subpixelsPerPixel), &v};
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

// How the spans of one triangle are shaded: blending dropped where alpha is full, and
// the precomputed colours of a flat triangle.
d3d::SpanSetup spanSetupFor(const RasterTarget& target, const RasterState& state, const RasterVertex& a,
                            const RasterVertex& b, const RasterVertex& c, int64_t cross)
{
    d3d::SpanSetup setup{target.colour, (state.depthTest || state.depthWrite) ? target.depth : nullptr,
                         state, d3d::layoutOf(target.colour->format), nullptr};
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

// The planes of what the spans use: no colours for a flat triangle, alpha only for a
// blend, depth only with a depth buffer in use.
struct Attributes {
    Plane colour[4];
    Plane depth;
    int colourChannels;
    bool useDepth;

    Attributes(const Corner corner[3], const d3d::SpanSetup& setup, int64_t cross)
        : colourChannels(setup.flat ? 0 : setup.state.blend ? 4 : 3), useDepth(setup.depth != nullptr)
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

    bool depthAllZero() const
    {
        return useDepth && depth.perX == 0 && depth.perY == 0 && depth.origin + roundingLift < 1;
    }

    void fill(d3d::Span& span) const
    {
        for (int channel = 0; channel < colourChannels; ++channel)
            stepAcross(colour[channel], span.x, span.count, span.y, span.colour[channel], span.colourStep[channel]);
        if (useDepth)
            stepAcross(depth, span.x, span.count, span.y, span.depth, span.depthStep);
    }
};

// Rows [from, to) between two edges, cut to the clip rectangle; returns the pixels
// written.
uint64_t drawRows(EdgeWalk& left, EdgeWalk& right, int64_t from, int64_t to, const RasterRect& clip,
                  const d3d::SpanSetup& setup, const Attributes& attributes, d3d::SpanShader shade)
{
    uint64_t written = 0;
    for (int64_t row = from; row < to; ++row, left.nextRow(), right.nextRow()) {
        const int64_t first = std::max<int64_t>(left.column, clip.left);
        const int64_t end = std::min<int64_t>(right.column, clip.right);
        if (first >= end)
            continue;
        d3d::Span span{int(first), int(row), int(end - first), {}, {}, 0, 0};
        attributes.fill(span);
        written += uint64_t(shade(setup, span));
    }
    return written;
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
    const RasterRect& clip = target.clip;
    const int64_t firstRow = std::max<int64_t>(firstPixelAt(corner[0].y), clip.top);
    const int64_t middleRow = std::max(firstPixelAt(corner[1].y), firstRow);
    const int64_t endRow = std::min<int64_t>(firstPixelAt(corner[2].y), clip.bottom);
    if (firstRow >= endRow)
        return;

    const d3d::SpanSetup setup = spanSetupFor(target, state, a, b, c, cross);
    const Attributes attributes(corner, setup, cross);
    const d3d::SpanShader shade = d3d::spanShaderFor(setup, attributes.depthAllZero());
    EdgeWalk longEdge(corner[0], corner[2], firstRow);
    EdgeWalk upperEdge(corner[0], corner[1], firstRow);
    EdgeWalk lowerEdge(corner[1], corner[2], middleRow);
    // With y down, a positive cross product puts corner 1 right of the long edge 0-2.
    const bool longEdgeLeft = cross > 0;
    uint64_t written = 0;
    if (longEdgeLeft) {
        written += drawRows(longEdge, upperEdge, firstRow, std::min(middleRow, endRow), clip, setup, attributes, shade);
        written += drawRows(longEdge, lowerEdge, middleRow, endRow, clip, setup, attributes, shade);
    } else {
        written += drawRows(upperEdge, longEdge, firstRow, std::min(middleRow, endRow), clip, setup, attributes, shade);
        written += drawRows(lowerEdge, longEdge, middleRow, endRow, clip, setup, attributes, shade);
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
