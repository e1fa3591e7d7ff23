// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The triangle set-up the span loops walk: exact integer edges, attributes as planes
// in fixed point, and the row walk that hands each span to its loop.
#pragma once

#include "span.h"

#include <algorithm>
#include <cstdint>

namespace soft::d3d {

// Corners snap to a sixteenth of a pixel, so that edges can be stepped exactly in
// integers and two triangles sharing an edge agree on every pixel of it.
constexpr int subpixelsPerPixel = 16;
// Corners farther out, in pixels, are not drawn at all; the device clips long before
// this. Within it every quantity of an edge's walk fits in 32 bits (EdgeWalk).
constexpr float coordinateLimit = float(1 << 20);
constexpr double depthLevels = 65535.0;  // the far value of the 16-bit depth buffer
constexpr double colourTop = 255.0;

struct Corner {
    int64_t x, y;  // subpixels
    const RasterVertex* vertex;
};

inline int64_t floorDiv(int64_t n, int64_t d)  // d > 0
{
    int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

inline int64_t ceilDiv(int64_t n, int64_t d) { return -floorDiv(-n, d); }

// The first whole pixel row or column at or after a position in subpixels.
inline int64_t firstPixelAt(int64_t subpixels) { return -((-subpixels) >> 4); }
static_assert(subpixelsPerPixel == 1 << 4, "firstPixelAt shifts by the subpixel bits");

// An edge from its upper corner down to its lower one, walked row by row in exact
// integers: `column` is the first column whose centre lies on or right of the edge.
// With corners inside coordinateLimit (2^24 subpixels), the denominator is below 2^30,
// the excess and remainder below it, the step in columns below 2^26 either way, and a
// column stays below 2^26 either way even one row past the lower corner: all of it fits
// in 32-bit lanes, where a kernel family may step two edges side by side.
class EdgeWalk {
public:
    EdgeWalk() = default;
    EdgeWalk(const Corner& top, const Corner& bottom, int64_t firstRow)
    {
        const int64_t dx = bottom.x - top.x, dy = std::max<int64_t>(bottom.y - top.y, 1);
        // The edge crosses row r at N(r) / D columns, N(r) = x0·dy + (16r − y0)·dx.
        denominator = dy * subpixelsPerPixel;
        const int64_t numerator = top.x * dy + (firstRow * subpixelsPerPixel - top.y) * dx;
        column = ceilDiv(numerator, denominator);
        excess_ = column * denominator - numerator;  // 0 <= excess < D
        const int64_t step = dx * subpixelsPerPixel;
        stepColumns = floorDiv(step, denominator);
        stepRemainder = step - stepColumns * denominator;
    }

    // Without a branch: whether the excess wraps changes from row to row.
    void nextRow()
    {
        excess_ -= stepRemainder;
        const int64_t wrapped = excess_ >> 63;  // all ones when the excess went below 0
        excess_ += denominator & wrapped;
        column += stepColumns - wrapped;
    }

    int64_t column = 0;

    int64_t excess() const { return excess_; }
    int64_t stepInColumns() const { return stepColumns; }
    int64_t remainderPerRow() const { return stepRemainder; }
    int64_t rowDenominator() const { return denominator; }
    // Where a walk stepped elsewhere left off.
    void resume(int64_t atColumn, int64_t atExcess)
    {
        column = atColumn;
        excess_ = atExcess;
    }

private:
    int64_t denominator = 1, excess_ = 0, stepColumns = 0, stepRemainder = 0;
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
// pixel to the next in fixed point. Left unset until made: a triangle makes only the
// planes its spans read, and clearing the others cost more than making them.
struct Plane {
    double origin, perX, perY;  // value at (0, 0) and its slopes
    int64_t stepX;              // perX in fixed point, rounded
    double top;                 // the largest whole value the attribute takes
    bool cornersInRange;        // every corner's value lies in [0, top]
};

// The attribute at the first pixel of a span and its step, in fixed point. Outside the
// lifted case the start is clamped, and should the triangle's step carry the last
// pixel outside the range, the span gets a step of its own that ends inside it.
template <typename Fixed>
inline void stepAcross(const Plane& plane, int64_t first, int count, int64_t row, Fixed& start, Fixed& step)
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

// The planes of what the spans use: no colours for a flat triangle, alpha only for a
// blend, depth only with a depth buffer in use.
struct Attributes {
    Plane colour[4];
    Plane depth;
    int colourChannels;
    bool useDepth;

    Attributes(const Corner corner[3], const SpanSetup& setup, int64_t cross);

    template <int ColourChannels, bool UseDepth>
    bool lifted() const
    {
        bool inRange = !UseDepth || depth.cornersInRange;
        for (int channel = 0; channel < ColourChannels; ++channel)
            inRange = inRange && colour[channel].cornersInRange;
        return inRange;
    }

    bool depthAllZero() const
    {
        return useDepth && depth.perX == 0 && depth.perY == 0 && depth.origin + roundingLift < 1;
    }

    // The span's starts and steps; the walk knows how many colour channels its loop
    // reads and whether it reads depth, and has asked once whether they are lifted.
    template <int ColourChannels, bool UseDepth>
    [[gnu::always_inline]] void fill(Span& span, bool planesLifted) const
    {
        // Where every plane is lifted, stepAcross in short: the start and the triangle's step.
        if (planesLifted && span.count <= longestLiftedSpan) {
            const double x = double(span.x), y = double(span.y);
            auto start = [&](const Plane& p) {
                return int64_t((p.origin + p.perY * y + p.perX * x + roundingLift) * fixedOne);
            };
            for (int channel = 0; channel < ColourChannels; ++channel) {
                span.colour[channel] = int32_t(start(colour[channel]));
                span.colourStep[channel] = int32_t(span.count > 1 ? colour[channel].stepX : 0);
            }
            if constexpr (UseDepth) {
                span.depth = start(depth);
                span.depthStep = span.count > 1 ? depth.stepX : 0;
            }
            return;
        }
        for (int channel = 0; channel < ColourChannels; ++channel)
            stepAcross(colour[channel], span.x, span.count, span.y, span.colour[channel], span.colourStep[channel]);
        if constexpr (UseDepth)
            stepAcross(depth, span.x, span.count, span.y, span.depth, span.depthStep);
    }
};

// The one row walk: rows [from, to) between two edges, cut to the clip rectangle, each
// span handed to `draw` with the starts and steps of the attributes its loop reads;
// returns the pixels written.
constexpr int prefetchRows = 2;

template <int ColourChannels, bool UseDepth, typename Draw>
[[gnu::always_inline]] inline uint64_t walkSpans(EdgeWalk& left, EdgeWalk& right, int64_t from, int64_t to,
                                                 const RasterRect& clip, const SpanSetup& setup,
                                                 const Attributes& attributes, Draw draw)
{
    uint64_t written = 0;
    const bool planesLifted = attributes.lifted<ColourChannels, UseDepth>();
    for (int64_t row = from; row < to; ++row, left.nextRow(), right.nextRow()) {
        const int64_t first = std::max<int64_t>(left.column, clip.left);
        const int64_t end = std::min<int64_t>(right.column, clip.right);
        if (first >= end)
            continue;
        // The rows two below are asked for now, so that they have come from memory
        // when their turn comes.
        if (row + prefetchRows < to) {
            __builtin_prefetch(setup.colour->row(int(row + prefetchRows)) + first, 1);
            if constexpr (UseDepth)
                __builtin_prefetch(setup.depth->row(int(row + prefetchRows)) + first, 1);
        }
        Span span{int(first), int(row), int(end - first), {}, {}, 0, 0};
        attributes.fill<ColourChannels, UseDepth>(span, planesLifted);
        written += uint64_t(draw(span));
    }
    return written;
}

// A triangle's rows in at most two runs: above its middle corner between the long
// edge and the upper one, below it between the long edge and the lower one. The long
// edge steps on from the first run into the second.
struct RowRun {
    EdgeWalk* left;
    EdgeWalk* right;
    int64_t from, to;
};

struct TriangleRuns {
    RowRun run[2];
    int count = 0;
};

// The walk of one triangle, as chosen for it: what a triangle's spans share is set up
// once for both runs.
using RowWalk = uint64_t (*)(const TriangleRuns& runs, const RasterRect& clip, const SpanSetup& setup,
                             const Attributes& attributes);

// The walk of a line's band (line_band.h): the same span loop as its two triangles',
// each span with the attributes of the triangle it lies in.
struct LineBand;
using LineWalk = uint64_t (*)(const LineBand& band, const RasterRect& clip, const SpanSetup& setup,
                              const Attributes attributes[2]);

// The walk for a triangle, and for a line's band of two triangles shaded alike, from the
// kernel family in use; `depthAllZero` says every pixel lies at depth 0. A flat blended
// triangle's loop may blend from its colour alone, leaving the FlatShade's blend tables
// unread.
struct WalkChoice {
    RowWalk walk;
    LineWalk lineWalk;
    bool readsBlendTables;
};

WalkChoice chooseWalk(const SpanSetup& setup, bool depthAllZero);

}  // namespace soft::d3d
