// The commonest span, eight pixels at a time with SSE2: Gouraud colour, the "less or
// equal, and write" depth test, the 4 x 4 dither and no blend. Every value is the
// scalar loop's own: colours and depths step in 32-bit lanes, whose low 32 bits are
// all the scalar 64-bit depth's whole part (bits 16-31) depends on.
#pragma once

#include "dither_arithmetic.h"
#include "span.h"
#include "triangle_rows.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstring>

namespace soft::d3d {

constexpr bool haveVectorSpans = true;

namespace vector_span {

constexpr int lanes = 8;

// The dither biases of eight pixels from a column with the given remainder by 4, for
// each dither row and channel width (5 or 6 bits).
struct PhaseRows {
    alignas(16) int16_t bias[2][ditherSize][ditherSize][lanes];
    constexpr PhaseRows() : bias{}
    {
        for (int bits = 5; bits <= 6; ++bits)
            for (int row = 0; row < ditherSize; ++row)
                for (int turn = 0; turn < ditherSize; ++turn)
                    for (int i = 0; i < lanes; ++i)
                        bias[bits - 5][row][turn][i] =
                            int16_t(ditherBias(bits, bayerMatrix[row][(turn + i) % ditherSize]));
    }
};
inline constexpr PhaseRows phaseRows;

// The dithered level of eight 8-bit values, as ditheredLevelByProduct works it out.
template <int Bits>
inline __m128i reduce(__m128i value, __m128i bias)
{
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(value, _mm_set1_epi16((1 << Bits) - 1)), bias), 8);
}

// The values 0, s, 2s and 3s in the four 32-bit lanes.
inline __m128i laneMultiples(__m128i step)
{
    return _mm_add_epi32(_mm_add_epi32(_mm_slli_si128(step, 4), _mm_slli_si128(step, 8)), _mm_slli_si128(step, 12));
}

// A fixed-point step as the lanes take it: 0, s, 2s, 3s for the first four pixels,
// 4s-7s for the next four, and 8s from one eight to the next. A triangle's spans share it.
struct LaneSteps {
    explicit LaneSteps(uint32_t step)
    {
        const __m128i each = _mm_set1_epi32(int(step));
        multiples = laneMultiples(each);
        further = _mm_add_epi32(multiples, _mm_slli_epi32(each, 2));
        stride = _mm_slli_epi32(each, 3);
    }
    __m128i multiples, further, stride;
};

// An attribute at eight successive pixels, stepping eight at a time, in 32-bit lanes.
class Lanes {
public:
    Lanes(uint32_t start, const LaneSteps& steps)
        : first_(_mm_add_epi32(_mm_set1_epi32(int(start)), steps.multiples)),
          last_(_mm_add_epi32(_mm_set1_epi32(int(start)), steps.further)), stride_(steps.stride)
    { }
    // Whole parts below 2^15, as eight 16-bit lanes.
    __m128i small() const
    {
        return _mm_packs_epi32(_mm_srli_epi32(first_, fixedShift), _mm_srli_epi32(last_, fixedShift));
    }
    // Whole parts of lanes biased by 2^31, as eight 16-bit lanes biased by 2^15: what
    // compares as signed numbers in the order of the unbiased ones.
    __m128i biased() const
    {
        return _mm_packs_epi32(_mm_srai_epi32(first_, fixedShift), _mm_srai_epi32(last_, fixedShift));
    }
    void advance()
    {
        first_ = _mm_add_epi32(first_, stride_);
        last_ = _mm_add_epi32(last_, stride_);
    }

private:
    __m128i first_, last_, stride_;
};

}  // namespace vector_span

// Depths go in lanes biased by 2^31, so that their whole parts compare as signed numbers.
constexpr uint32_t depthLaneBias = 0x80000000u;

// Pixels [x, x + count) of row y under the "less or equal, and write" depth test, the
// depth in its lanes and the colours from `pixels`, which gives eight at a time.
template <typename Pixels>
[[gnu::always_inline]] inline int shadeDepthTestedRow(const SpanSetup& setup, int x, int y, int count,
                                                      vector_span::Lanes depth, Pixels pixels)
{
    using namespace vector_span;
    uint16_t* depthRow = setup.depth->row(y) + x;
    uint16_t* colourRow = setup.colour->row(y) + x;
    const __m128i signBit = _mm_set1_epi16(int16_t(0x8000));
    const __m128i farthest = _mm_set1_epi16(0x7FFF);  // 65535, biased
    const __m128i laneIndex = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);

    // Eight pixels from `depths` and `colours`, leaving those marked `outside` as they
    // were; returns -1 in the lanes that fail.
    auto shade = [&](uint16_t* depths, uint16_t* colours, __m128i outside) {
        // Outside pixels come in at the farthest depth, which never lowers what is stored.
        const __m128i incoming =
            _mm_or_si128(_mm_andnot_si128(outside, depth.biased()), _mm_and_si128(outside, farthest));
        const __m128i stored = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(depths)), signBit);
        const __m128i fail = _mm_or_si128(_mm_cmpgt_epi16(incoming, stored), outside);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(depths), _mm_xor_si128(_mm_min_epi16(incoming, stored), signBit));
        const __m128i pixel = pixels();
        const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colours));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(colours),
                         _mm_or_si128(_mm_and_si128(fail, old), _mm_andnot_si128(fail, pixel)));
        depth.advance();
        return fail;
    };
    // Failures counted per lane, as -1 each (a span has at most a few hundred chunks).
    __m128i failures = _mm_setzero_si128();
    int i = 0;
    for (; i + lanes <= count; i += lanes)
        failures = _mm_add_epi16(failures, shade(depthRow + i, colourRow + i, _mm_setzero_si128()));
    const int rest = count - i;
    if (rest > 0) {
        const __m128i outside = _mm_cmpgt_epi16(laneIndex, _mm_set1_epi16(int16_t(rest - 1)));
        const int end = x + i + lanes;
        if (end <= setup.depth->width && end <= setup.colour->width) {
            // The pixels past the span are read and written back unchanged.
            failures = _mm_add_epi16(failures, shade(depthRow + i, colourRow + i, outside));
        } else {
            // At the right edge of the surface, through copies, so that nothing past
            // the row is read.
            alignas(16) uint16_t depths[lanes] = {}, colours[lanes] = {};
            std::memcpy(depths, depthRow + i, sizeof(uint16_t) * size_t(rest));
            std::memcpy(colours, colourRow + i, sizeof(uint16_t) * size_t(rest));
            failures = _mm_add_epi16(failures, shade(depths, colours, outside));
            std::memcpy(depthRow + i, depths, sizeof(uint16_t) * size_t(rest));
            std::memcpy(colourRow + i, colours, sizeof(uint16_t) * size_t(rest));
        }
        i += lanes;
    }
    // Every lane of every chunk either failed or was drawn.
    __m128i sum = _mm_madd_epi16(failures, _mm_set1_epi16(1));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(1, 0, 3, 2)));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(2, 3, 0, 1)));
    return i + _mm_cvtsi128_si32(sum);
}

// Pixels [x, x + count) of row y from the colours and depth in their lanes, dithered.
template <int RedShift, int GreenBits>
[[gnu::always_inline]] inline int shadeDitheredRow(const SpanSetup& setup, int x, int y, int count,
                                                   vector_span::Lanes red, vector_span::Lanes green,
                                                   vector_span::Lanes blue, vector_span::Lanes depth)
{
    using namespace vector_span;
    const auto& bias = phaseRows.bias;
    const __m128i bias5 = _mm_load_si128(reinterpret_cast<const __m128i*>(bias[0][y & 3][x & 3]));
    const __m128i biasGreen = _mm_load_si128(reinterpret_cast<const __m128i*>(bias[GreenBits - 5][y & 3][x & 3]));
    return shadeDepthTestedRow(setup, x, y, count, depth, [&] {
        const __m128i pixel = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(reduce<5>(red.small(), bias5), RedShift),
                                                        _mm_slli_epi16(reduce<GreenBits>(green.small(), biasGreen), 5)),
                                           reduce<5>(blue.small(), bias5));
        red.advance(), green.advance(), blue.advance();
        return pixel;
    });
}

// The same for a flat triangle: its four dithered pixels of row y, from column x on,
// repeat along the span.
[[gnu::always_inline]] inline int shadeFlatRow(const SpanSetup& setup, int x, int y, int count,
                                               vector_span::Lanes depth)
{
    const uint16_t* opaque = setup.flat->opaque;
    const uint8_t* phase = bayerMatrix[y & 3];
    const __m128i four =
        _mm_setr_epi16(int16_t(opaque[phase[x & 3]]), int16_t(opaque[phase[(x + 1) & 3]]),
                       int16_t(opaque[phase[(x + 2) & 3]]), int16_t(opaque[phase[(x + 3) & 3]]), 0, 0, 0, 0);
    const __m128i pixels = _mm_unpacklo_epi64(four, four);
    return shadeDepthTestedRow(setup, x, y, count, depth, [pixels] { return pixels; });
}

// A span whose starts and steps the attribute planes gave.
template <int RedShift, int GreenBits>
int shadeDitheredLessEqual(const SpanSetup& setup, const Span& span)
{
    using namespace vector_span;
    auto lanes = [](uint32_t start, uint32_t step) { return Lanes(start, LaneSteps(step)); };
    return shadeDitheredRow<RedShift, GreenBits>(setup, span.x, span.y, span.count,
                                                 lanes(uint32_t(span.colour[0]), uint32_t(span.colourStep[0])),
                                                 lanes(uint32_t(span.colour[1]), uint32_t(span.colourStep[1])),
                                                 lanes(uint32_t(span.colour[2]), uint32_t(span.colourStep[2])),
                                                 lanes(uint32_t(span.depth) + depthLaneBias, uint32_t(span.depthStep)));
}

// The rows of a triangle drawn by shadeDitheredRow. Where every plane's corners lie in
// range the spans step by the triangle's own steps, made into lanes once; a span's
// start is worked out as the planes work it out.
template <int RedShift, int GreenBits>
uint64_t walkDitheredLessEqual(EdgeWalk& left, EdgeWalk& right, int64_t from, int64_t to, const RasterRect& clip,
                               const SpanSetup& setup, const Attributes& attributes)
{
    using namespace vector_span;
    const Plane* plane[4] = {&attributes.colour[0], &attributes.colour[1], &attributes.colour[2], &attributes.depth};
    const LaneSteps steps[4] = {LaneSteps(uint32_t(plane[0]->stepX)), LaneSteps(uint32_t(plane[1]->stepX)),
                                LaneSteps(uint32_t(plane[2]->stepX)), LaneSteps(uint32_t(plane[3]->stepX))};
    const bool lifted =
        plane[0]->cornersInRange && plane[1]->cornersInRange && plane[2]->cornersInRange && plane[3]->cornersInRange;
    // The planes two by two (red and green, blue and depth), for starts worked out in
    // double lanes exactly as one by one.
    auto pair = [&](double Plane::*field, int k) { return _mm_setr_pd(plane[k]->*field, plane[k + 1]->*field); };
    const __m128d origin01 = pair(&Plane::origin, 0), perY01 = pair(&Plane::perY, 0), perX01 = pair(&Plane::perX, 0);
    const __m128d origin23 = pair(&Plane::origin, 2), perY23 = pair(&Plane::perY, 2), perX23 = pair(&Plane::perX, 2);
    const __m128d lift = _mm_set1_pd(roundingLift), scale = _mm_set1_pd(fixedOne);
    uint64_t written = 0;
    for (int64_t row = from; row < to; ++row, left.nextRow(), right.nextRow()) {
        const int64_t first = std::max<int64_t>(left.column, clip.left);
        const int64_t end = std::min<int64_t>(right.column, clip.right);
        if (first >= end)
            continue;
        const int count = int(end - first);
        if (!lifted || count > longestLiftedSpan) {
            Span span{int(first), int(row), count, {}, {}, 0, 0};
            attributes.fill<3, true>(span);
            written += uint64_t(shadeDitheredLessEqual<RedShift, GreenBits>(setup, span));
            continue;
        }
        // A one-pixel span steps by nothing, but only its first lane is drawn.
        // origin + perY·row + perX·first + lift, in fixed point, truncated: the colours
        // lie far inside 32 bits, the depth may not.
        const __m128d y = _mm_set1_pd(double(row)), x = _mm_set1_pd(double(first));
        auto exact = [&](__m128d origin, __m128d perY, __m128d perX) {
            return _mm_mul_pd(
                _mm_add_pd(_mm_add_pd(_mm_add_pd(origin, _mm_mul_pd(perY, y)), _mm_mul_pd(perX, x)), lift), scale);
        };
        const __m128d fixed01 = exact(origin01, perY01, perX01), fixed23 = exact(origin23, perY23, perX23);
        const __m128i colours01 = _mm_cvttpd_epi32(fixed01);
        const uint32_t start[4] = {uint32_t(_mm_cvtsi128_si32(colours01)),
                                   uint32_t(_mm_cvtsi128_si32(_mm_shuffle_epi32(colours01, 1))),
                                   uint32_t(_mm_cvtsi128_si32(_mm_cvttpd_epi32(fixed23))),
                                   uint32_t(_mm_cvttsd_si64(_mm_unpackhi_pd(fixed23, fixed23)))};
        written += uint64_t(shadeDitheredRow<RedShift, GreenBits>(
            setup, int(first), int(row), count, Lanes(start[0], steps[0]), Lanes(start[1], steps[1]),
            Lanes(start[2], steps[2]), Lanes(start[3] + depthLaneBias, steps[3])));
    }
    return written;
}

// The rows of a flat opaque triangle under the depth test, stepping depth as
// walkDitheredLessEqual does.
inline uint64_t walkFlatLessEqual(EdgeWalk& left, EdgeWalk& right, int64_t from, int64_t to, const RasterRect& clip,
                                  const SpanSetup& setup, const Attributes& attributes)
{
    using namespace vector_span;
    const Plane& depth = attributes.depth;
    const LaneSteps steps(uint32_t(depth.stepX));
    uint64_t written = 0;
    for (int64_t row = from; row < to; ++row, left.nextRow(), right.nextRow()) {
        const int64_t first = std::max<int64_t>(left.column, clip.left);
        const int64_t end = std::min<int64_t>(right.column, clip.right);
        if (first >= end)
            continue;
        const int count = int(end - first);
        if (!depth.cornersInRange || count > longestLiftedSpan) {
            Span span{int(first), int(row), count, {}, {}, 0, 0};
            attributes.fill<0, true>(span);
            const Lanes depthLanes(uint32_t(span.depth) + depthLaneBias, LaneSteps(uint32_t(span.depthStep)));
            written += uint64_t(shadeFlatRow(setup, span.x, span.y, count, depthLanes));
            continue;
        }
        const double exact = depth.origin + depth.perY * double(row) + depth.perX * double(first) + roundingLift;
        const uint32_t start = uint32_t(int64_t(exact * fixedOne));
        written += uint64_t(shadeFlatRow(setup, int(first), int(row), count, Lanes(start + depthLaneBias, steps)));
    }
    return written;
}

// The pixels [first, first + 8) of a span of `count` from `row`, through `shade`, which
// gets the eight old values and a mask of those past the span and gives the new ones.
// At the right edge of the surface the last few go through a copy, so that nothing
// past the row is read.
template <typename Shade>
inline void eachChunk(uint16_t* row, int x, int count, int width, Shade shade)
{
    using namespace vector_span;
    int i = 0;
    for (; i + lanes <= count; i += lanes) {
        __m128i* at = reinterpret_cast<__m128i*>(row + i);
        _mm_storeu_si128(at, shade(_mm_loadu_si128(at), _mm_setzero_si128()));
    }
    const int rest = count - i;
    if (rest == 0)
        return;
    const __m128i outside = _mm_cmpgt_epi16(_mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7), _mm_set1_epi16(int16_t(rest - 1)));
    if (x + i + lanes <= width) {
        __m128i* at = reinterpret_cast<__m128i*>(row + i);
        _mm_storeu_si128(at, shade(_mm_loadu_si128(at), outside));
        return;
    }
    alignas(16) uint16_t copy[lanes] = {};
    std::memcpy(copy, row + i, sizeof(uint16_t) * size_t(rest));
    __m128i* at = reinterpret_cast<__m128i*>(copy);
    _mm_store_si128(at, shade(_mm_load_si128(at), outside));
    std::memcpy(row + i, copy, sizeof(uint16_t) * size_t(rest));
}

// A flat colour blended over what is there, without depth, dithered: the fades.
template <int RedShift, int GreenBits>
int shadeFlatBlendedDithered(const SpanSetup& setup, const Span& span)
{
    using namespace vector_span;
    const auto& bias = phaseRows.bias;
    const __m128i bias5 = _mm_load_si128(reinterpret_cast<const __m128i*>(bias[0][span.y & 3][span.x & 3]));
    const __m128i biasGreen =
        _mm_load_si128(reinterpret_cast<const __m128i*>(bias[GreenBits - 5][span.y & 3][span.x & 3]));
    const int* colour = setup.flat->colour;
    const int alpha = colour[3];
    // source · a + 128, the part of the blend's sum that every pixel shares
    const __m128i redPart = _mm_set1_epi16(int16_t(colour[0] * alpha + 128));
    const __m128i greenPart = _mm_set1_epi16(int16_t(colour[1] * alpha + 128));
    const __m128i bluePart = _mm_set1_epi16(int16_t(colour[2] * alpha + 128));
    const __m128i keep = _mm_set1_epi16(int16_t(255 - alpha));
    const __m128i fiveBits = _mm_set1_epi16(31), greenMask = _mm_set1_epi16((1 << GreenBits) - 1);
    // blendChannel in unsigned 16-bit lanes: the sum stays below 65,536.
    auto blend = [keep](__m128i part, __m128i level, int bits) {
        const __m128i old = _mm_or_si128(_mm_sll_epi16(level, _mm_cvtsi32_si128(8 - bits)),
                                         _mm_srl_epi16(level, _mm_cvtsi32_si128(2 * bits - 8)));
        const __m128i sum = _mm_add_epi16(part, _mm_mullo_epi16(old, keep));
        return _mm_srli_epi16(_mm_add_epi16(sum, _mm_srli_epi16(sum, 8)), 8);
    };
    eachChunk(
        setup.colour->row(span.y) + span.x, span.x, span.count, setup.colour->width, [&](__m128i old, __m128i outside) {
            const __m128i red = blend(redPart, _mm_and_si128(_mm_srli_epi16(old, RedShift), fiveBits), 5);
            const __m128i green = blend(greenPart, _mm_and_si128(_mm_srli_epi16(old, 5), greenMask), GreenBits);
            const __m128i blue = blend(bluePart, _mm_and_si128(old, fiveBits), 5);
            const __m128i pixel = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(reduce<5>(red, bias5), RedShift),
                                                            _mm_slli_epi16(reduce<GreenBits>(green, biasGreen), 5)),
                                               reduce<5>(blue, bias5));
            return _mm_or_si128(_mm_and_si128(outside, old), _mm_andnot_si128(outside, pixel));
        });
    return span.count;
}

}  // namespace soft::d3d

#else

namespace soft::d3d {
constexpr bool haveVectorSpans = false;
template <int RedShift, int GreenBits>
uint64_t walkDitheredLessEqual(EdgeWalk&, EdgeWalk&, int64_t, int64_t, const RasterRect&, const SpanSetup&,
                               const Attributes&)
{
    return 0;
}
template <int RedShift, int GreenBits>
int shadeFlatBlendedDithered(const SpanSetup&, const Span&)
{
    return 0;
}
inline uint64_t walkFlatLessEqual(EdgeWalk&, EdgeWalk&, int64_t, int64_t, const RasterRect&, const SpanSetup&,
                                  const Attributes&)
{
    return 0;
}
}  // namespace soft::d3d

#endif
