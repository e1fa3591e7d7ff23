// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The families of vector span kernels: the kernels of span_kernels.inc, compiled once
// over 128-bit registers with SSE2 (which Emscripten turns into WebAssembly SIMD), once
// over 256-bit ones with AVX2 and, on arm64, once over 128-bit NEON registers, each in a
// namespace of its own. A family is the handful of register operations the kernels use,
// under its own name.
#pragma once

#include "dither_arithmetic.h"
#include "line_band.h"
#include "span.h"
#include "triangle_rows.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define MORNAKLE_SPANS_SSE2 1
#endif
#if MORNAKLE_SPANS_SSE2 && (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define MORNAKLE_SPANS_AVX2 1
#endif
#if defined(__aarch64__) && defined(__ARM_NEON)
#include <arm_neon.h>
#define MORNAKLE_SPANS_NEON 1
#endif
// Each 0 where this build lacks the family, so that code may ask as well as #if.
#ifndef MORNAKLE_SPANS_SSE2
#define MORNAKLE_SPANS_SSE2 0
#endif
#ifndef MORNAKLE_SPANS_AVX2
#define MORNAKLE_SPANS_AVX2 0
#endif
#ifndef MORNAKLE_SPANS_NEON
#define MORNAKLE_SPANS_NEON 0
#endif

namespace soft::d3d {

#if defined(__wasm_simd128__)
constexpr bool onWebAssembly = true;  // where the 128-bit family is also called "wasm"
#else
constexpr bool onWebAssembly = false;
#endif

// Depths go in lanes biased by 2^31, so that their whole parts compare as signed numbers.
constexpr uint32_t depthLaneBias = 0x80000000u;

// The dither biases of four successive pixels from a column with the given remainder
// by 4, as 16-bit fields, for each channel width (5 or 6 bits) and dither row.
struct DitherBiases {
    uint64_t four[2][ditherSize][ditherSize];
    constexpr DitherBiases() : four{}
    {
        for (int bits = 5; bits <= 6; ++bits)
            for (int row = 0; row < ditherSize; ++row)
                for (int turn = 0; turn < ditherSize; ++turn)
                    for (int k = 0; k < ditherSize; ++k)
                        four[bits - 5][row][turn] |=
                            uint64_t(ditherBias(bits, bayerMatrix[row][(turn + k) % ditherSize])) << (16 * k);
    }
};
inline constexpr DitherBiases ditherBiases;

// The dither biases of one pixel's red, green and blue as the first three 16-bit fields,
// for each green width (5 or 6 bits) and position in the dither pattern.
struct PixelBiases {
    uint64_t rgb[2][ditherSize][ditherSize];
    constexpr PixelBiases() : rgb{}
    {
        for (int green = 5; green <= 6; ++green)
            for (int row = 0; row < ditherSize; ++row)
                for (int column = 0; column < ditherSize; ++column) {
                    const int phase = bayerMatrix[row][column];
                    rgb[green - 5][row][column] = uint64_t(ditherBias(5, phase)) |
                                                  uint64_t(ditherBias(green, phase)) << 16 |
                                                  uint64_t(ditherBias(5, phase)) << 32;
                }
    }
};
inline constexpr PixelBiases pixelBiases;

// The red, green, blue and depth planes of a triangle side by side, for the starts of
// its lifted spans.
struct PlaneRows {
    alignas(32) double origin[4];
    alignas(32) double perY[4];
    alignas(32) double perX[4];
    // The lift and the scale to fixed point in every lane: read from here, they take no
    // register of their own between rows.
    alignas(32) double lift[4] = {roundingLift, roundingLift, roundingLift, roundingLift};
    alignas(32) double one[4] = {fixedOne, fixedOne, fixedOne, fixedOne};

    explicit PlaneRows(const Attributes& attributes)
    {
        const Plane* planes[4] = {&attributes.colour[0], &attributes.colour[1], &attributes.colour[2],
                                  &attributes.depth};
        for (int i = 0; i < 4; ++i) {
            origin[i] = planes[i]->origin;
            perY[i] = planes[i]->perY;
            perX[i] = planes[i]->perX;
        }
    }
};

#if MORNAKLE_SPANS_SSE2
// One lifted pixel's colour: ditheredLevelByProduct of the whole parts of its red, green
// and blue starts side by side, each level moved to its place in the 16-bit pixel. A
// lone pixel is reduced in one register rather than a channel at a time; both x86
// families have the 128-bit operations this takes.
template <int RedShift, int GreenBits>
inline unsigned ditheredPixelSse2(__m128i starts, int x, int y)
{
    const __m128i whole = _mm_srli_epi32(starts, fixedShift);
    const __m128i channels = _mm_packs_epi32(whole, whole);  // red, green, blue and depth (unused)
    const __m128i tops = _mm_setr_epi16(31, (1 << GreenBits) - 1, 31, 0, 0, 0, 0, 0);
    const __m128i bias =
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&pixelBiases.rgb[GreenBits - 5][y & 3][x & 3]));
    const __m128i levels = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(channels, tops), bias), 8);
    const __m128i placed = _mm_mullo_epi16(levels, _mm_setr_epi16(1 << RedShift, 1 << 5, 1, 0, 0, 0, 0, 0));
    const __m128i pixel = _mm_or_si128(_mm_or_si128(placed, _mm_srli_epi64(placed, 16)), _mm_srli_epi64(placed, 32));
    return unsigned(_mm_cvtsi128_si32(pixel)) & 0xFFFF;
}

// The two edges of a run stepped side by side in one register, as EdgeWalk::nextRow
// steps each: 32-bit lanes hold the left and right excesses, then the left and right
// columns, which EdgeWalk's bounds keep far inside 32 bits. Held apart, the two edges'
// ten 64-bit values did not stay in registers beside a span's. Both x86 families step
// them with these 128-bit operations.
class EdgePairSse2 {
public:
    EdgePairSse2(const EdgeWalk& left, const EdgeWalk& right)
        : state(_mm_setr_epi32(int32_t(left.excess()), int32_t(right.excess()), int32_t(left.column),
                               int32_t(right.column))),
          step(_mm_setr_epi32(int32_t(left.remainderPerRow()), int32_t(right.remainderPerRow()),
                              int32_t(-left.stepInColumns()), int32_t(-right.stepInColumns()))),
          wrap(_mm_setr_epi32(int32_t(left.rowDenominator()), int32_t(right.rowDenominator()), 1, 1))
    { }
    // The excesses go down by the remainders and the columns on by their steps; an excess
    // below 0 wraps up by the denominator and moves its column one further.
    void nextRow()
    {
        state = _mm_sub_epi32(state, step);
        const __m128i wrapped = _mm_shuffle_epi32(_mm_srai_epi32(state, 31), _MM_SHUFFLE(1, 0, 1, 0));
        state = _mm_add_epi32(state, _mm_and_si128(wrapped, wrap));
    }
    // The left column in the low 32 bits, the right one in the high.
    int64_t columns() const { return _mm_cvtsi128_si64(_mm_unpackhi_epi64(state, state)); }
    static int64_t leftOf(int64_t columns) { return int32_t(uint32_t(uint64_t(columns))); }
    static int64_t rightOf(int64_t columns) { return columns >> 32; }
    void handBack(EdgeWalk& left, EdgeWalk& right) const
    {
        const int64_t both = columns(), excesses = _mm_cvtsi128_si64(state);
        left.resume(leftOf(both), leftOf(excesses));
        right.resume(rightOf(both), rightOf(excesses));
    }

private:
    __m128i state, step, wrap;
};

namespace sse2 {

using Pixels = __m128i;
constexpr int lanes = 8;

inline Pixels load(const uint16_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
inline void store(uint16_t* at, Pixels v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v); }
inline Pixels zero() { return _mm_setzero_si128(); }
inline Pixels set16(int v) { return _mm_set1_epi16(int16_t(v)); }
inline Pixels set32(uint32_t v) { return _mm_set1_epi32(int(v)); }
inline Pixels set64(uint64_t v) { return _mm_set1_epi64x(int64_t(v)); }
inline Pixels laneIndex() { return _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7); }
// 0, s, 2s and 3s: the steps to pixels 0-3 from the first.
inline Pixels stepMultiples(uint32_t step)
{
    const Pixels each = _mm_set1_epi32(int(step));
    return _mm_add_epi32(_mm_add_epi32(_mm_slli_si128(each, 4), _mm_slli_si128(each, 8)), _mm_slli_si128(each, 12));
}
inline Pixels add16(Pixels a, Pixels b) { return _mm_add_epi16(a, b); }
inline Pixels add32(Pixels a, Pixels b) { return _mm_add_epi32(a, b); }
inline Pixels multiply16(Pixels a, Pixels b) { return _mm_mullo_epi16(a, b); }
inline Pixels bitAnd(Pixels a, Pixels b) { return _mm_and_si128(a, b); }
inline Pixels bitOr(Pixels a, Pixels b) { return _mm_or_si128(a, b); }
inline Pixels bitXor(Pixels a, Pixels b) { return _mm_xor_si128(a, b); }
inline Pixels andNot(Pixels a, Pixels b) { return _mm_andnot_si128(a, b); }  // ~a & b
inline Pixels greater16(Pixels a, Pixels b) { return _mm_cmpgt_epi16(a, b); }
inline Pixels min16(Pixels a, Pixels b) { return _mm_min_epi16(a, b); }
inline Pixels pack32(Pixels a, Pixels b) { return _mm_packs_epi32(a, b); }
template <int n>
inline Pixels shiftLeft16(Pixels v)
{
    return _mm_slli_epi16(v, n);
}
template <int n>
inline Pixels shiftRight16(Pixels v)
{
    return _mm_srli_epi16(v, n);
}
template <int n>
inline Pixels shiftRight32(Pixels v)
{
    return _mm_srli_epi32(v, n);
}
template <int n>
inline Pixels shiftRightSigned32(Pixels v)
{
    return _mm_srai_epi32(v, n);
}
inline int sum16(Pixels v)
{
    Pixels sum = _mm_madd_epi16(v, _mm_set1_epi16(1));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(1, 0, 3, 2)));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtsi128_si32(sum);
}
// The lifted starts of the red, green, blue and depth planes (liftedStart), two planes to
// a register.
inline void liftedValues(const PlaneRows& planes, double x, double y, __m128d& redGreen, __m128d& blueDepth)
{
    const __m128d across = _mm_set1_pd(x), down = _mm_set1_pd(y);
    auto at = [&](int first) {
        const __m128d rows =
            _mm_add_pd(_mm_load_pd(planes.origin + first), _mm_mul_pd(_mm_load_pd(planes.perY + first), down));
        return _mm_mul_pd(_mm_add_pd(_mm_add_pd(rows, _mm_mul_pd(_mm_load_pd(planes.perX + first), across)),
                                     _mm_load_pd(planes.lift)),
                          _mm_load_pd(planes.one));
    };
    redGreen = at(0);
    blueDepth = at(2);
}
// The four starts as whole numbers in a register: red, green and blue in the first three
// 32-bit lanes (the fourth is not the depth's), the depth's low 32 bits apart. The
// colours' whole values lie far inside 32 bits, the depth's may not and is converted alone.
using Starts = __m128i;
inline Starts liftedStartLanes(const PlaneRows& planes, double x, double y, uint32_t& depth)
{
    __m128d redGreen, blueDepth;
    liftedValues(planes, x, y, redGreen, blueDepth);
#ifdef __wasm_simd128__
    // emscripten writes these SSE2 conversions as a call of lrint per lane; WebAssembly's
    // own truncation gives the same whole numbers for starts in range, as these are.
    depth = uint32_t(int64_t(blueDepth[1]));
    return _mm_setr_epi32(int32_t(redGreen[0]), int32_t(redGreen[1]), int32_t(blueDepth[0]), 0);
#else
    depth = uint32_t(_mm_cvttsd_si64(_mm_unpackhi_pd(blueDepth, blueDepth)));
    return _mm_unpacklo_epi64(_mm_cvttpd_epi32(redGreen), _mm_cvttpd_epi32(blueDepth));
#endif
}
inline void liftedStarts(const PlaneRows& planes, double x, double y, uint32_t start[4])
{
    uint32_t depth;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(start), liftedStartLanes(planes, x, y, depth));
    start[3] = depth;
}
template <int RedShift, int GreenBits>
inline unsigned ditheredPixel(Starts starts, int x, int y)
{
    return ditheredPixelSse2<RedShift, GreenBits>(starts, x, y);
}

using EdgePair = EdgePairSse2;

#include "span_kernels.inc"

}  // namespace sse2
#endif

#if MORNAKLE_SPANS_AVX2
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace avx2 {

using Pixels = __m256i;
constexpr int lanes = 16;

inline Pixels load(const uint16_t* at) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)); }
inline void store(uint16_t* at, Pixels v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), v); }
inline Pixels zero() { return _mm256_setzero_si256(); }
inline Pixels set16(int v) { return _mm256_set1_epi16(int16_t(v)); }
inline Pixels set32(uint32_t v) { return _mm256_set1_epi32(int(v)); }
inline Pixels set64(uint64_t v) { return _mm256_set1_epi64x(int64_t(v)); }
inline Pixels laneIndex() { return _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15); }
// 0, s, 2s, 3s, 8s, 9s, 10s and 11s: the steps to pixels 0-3 and 8-11 from the first.
inline Pixels stepMultiples(uint32_t step)
{
    return _mm256_mullo_epi32(_mm256_set1_epi32(int(step)), _mm256_setr_epi32(0, 1, 2, 3, 8, 9, 10, 11));
}
inline Pixels add16(Pixels a, Pixels b) { return _mm256_add_epi16(a, b); }
inline Pixels add32(Pixels a, Pixels b) { return _mm256_add_epi32(a, b); }
inline Pixels multiply16(Pixels a, Pixels b) { return _mm256_mullo_epi16(a, b); }
inline Pixels bitAnd(Pixels a, Pixels b) { return _mm256_and_si256(a, b); }
inline Pixels bitOr(Pixels a, Pixels b) { return _mm256_or_si256(a, b); }
inline Pixels bitXor(Pixels a, Pixels b) { return _mm256_xor_si256(a, b); }
inline Pixels andNot(Pixels a, Pixels b) { return _mm256_andnot_si256(a, b); }  // ~a & b
inline Pixels greater16(Pixels a, Pixels b) { return _mm256_cmpgt_epi16(a, b); }
inline Pixels min16(Pixels a, Pixels b) { return _mm256_min_epi16(a, b); }
inline Pixels pack32(Pixels a, Pixels b) { return _mm256_packs_epi32(a, b); }  // within each 128 bits
template <int n>
inline Pixels shiftLeft16(Pixels v)
{
    return _mm256_slli_epi16(v, n);
}
template <int n>
inline Pixels shiftRight16(Pixels v)
{
    return _mm256_srli_epi16(v, n);
}
template <int n>
inline Pixels shiftRight32(Pixels v)
{
    return _mm256_srli_epi32(v, n);
}
template <int n>
inline Pixels shiftRightSigned32(Pixels v)
{
    return _mm256_srai_epi32(v, n);
}
inline int sum16(Pixels v)
{
    const __m256i pairs = _mm256_madd_epi16(v, _mm256_set1_epi16(1));
    __m128i sum = _mm_add_epi32(_mm256_castsi256_si128(pairs), _mm256_extracti128_si256(pairs, 1));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(1, 0, 3, 2)));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtsi128_si32(sum);
}
// The four lifted starts of liftedStart side by side, as whole numbers in a register: red,
// green and blue in the first three 32-bit lanes (the fourth is not the depth's), the
// depth's low 32 bits apart. The colours' whole values lie far inside 32 bits, the
// depth's may not and is converted alone.
using Starts = __m128i;
inline Starts liftedStartLanes(const PlaneRows& planes, double x, double y, uint32_t& depth)
{
    const __m256d rows =
        _mm256_add_pd(_mm256_load_pd(planes.origin), _mm256_mul_pd(_mm256_load_pd(planes.perY), _mm256_set1_pd(y)));
    const __m256d value =
        _mm256_mul_pd(_mm256_add_pd(_mm256_add_pd(rows, _mm256_mul_pd(_mm256_load_pd(planes.perX), _mm256_set1_pd(x))),
                                    _mm256_load_pd(planes.lift)),
                      _mm256_load_pd(planes.one));
    const __m128d blueDepth = _mm256_extractf128_pd(value, 1);
    depth = uint32_t(_mm_cvttsd_si64(_mm_unpackhi_pd(blueDepth, blueDepth)));
    return _mm256_cvttpd_epi32(value);
}
inline void liftedStarts(const PlaneRows& planes, double x, double y, uint32_t start[4])
{
    uint32_t depth;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(start), liftedStartLanes(planes, x, y, depth));
    start[3] = depth;
}
template <int RedShift, int GreenBits>
inline unsigned ditheredPixel(Starts starts, int x, int y)
{
    return ditheredPixelSse2<RedShift, GreenBits>(starts, x, y);
}

using EdgePair = EdgePairSse2;

#include "span_kernels.inc"

}  // namespace avx2
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

#if MORNAKLE_SPANS_NEON
// The 128-bit family on arm64, in the shape of the SSE2 one, operation for operation.
// Where NEON's instruction differs at the edges from SSE2's, the one taken here gives
// what the SSE2 operation gives for every value the kernels hand it: the comparison's
// true lanes are all ones, the pack saturates to signed 16 bits, and the conversions of
// the lifted starts to whole numbers truncate as the scalar loop's conversions do.
namespace neon {

using Pixels = int16x8_t;
constexpr int lanes = 8;

inline uint32x4_t as32(Pixels v) { return vreinterpretq_u32_s16(v); }
inline Pixels from32(uint32x4_t v) { return vreinterpretq_s16_u32(v); }

inline Pixels load(const uint16_t* at) { return vreinterpretq_s16_u16(vld1q_u16(at)); }
inline void store(uint16_t* at, Pixels v) { vst1q_u16(at, vreinterpretq_u16_s16(v)); }
inline Pixels zero() { return vdupq_n_s16(0); }
inline Pixels set16(int v) { return vdupq_n_s16(int16_t(v)); }
inline Pixels set32(uint32_t v) { return from32(vdupq_n_u32(v)); }
inline Pixels set64(uint64_t v) { return vreinterpretq_s16_u64(vdupq_n_u64(v)); }
inline Pixels laneIndex()
{
    static constexpr int16_t index[lanes] = {0, 1, 2, 3, 4, 5, 6, 7};
    return vld1q_s16(index);
}
// 0, s, 2s and 3s: the steps to pixels 0-3 from the first, modulo 2^32 as SSE2's sums.
inline Pixels stepMultiples(uint32_t step)
{
    static constexpr uint32_t multiples[4] = {0, 1, 2, 3};
    return from32(vmulq_n_u32(vld1q_u32(multiples), step));
}
inline Pixels add16(Pixels a, Pixels b) { return vaddq_s16(a, b); }
inline Pixels add32(Pixels a, Pixels b) { return from32(vaddq_u32(as32(a), as32(b))); }
inline Pixels multiply16(Pixels a, Pixels b) { return vmulq_s16(a, b); }  // the low 16 bits, as _mm_mullo_epi16
inline Pixels bitAnd(Pixels a, Pixels b) { return vandq_s16(a, b); }
inline Pixels bitOr(Pixels a, Pixels b) { return vorrq_s16(a, b); }
inline Pixels bitXor(Pixels a, Pixels b) { return veorq_s16(a, b); }
inline Pixels andNot(Pixels a, Pixels b) { return vbicq_s16(b, a); }  // ~a & b
inline Pixels greater16(Pixels a, Pixels b) { return vreinterpretq_s16_u16(vcgtq_s16(a, b)); }
inline Pixels min16(Pixels a, Pixels b) { return vminq_s16(a, b); }
// Signed saturation of each 32-bit lane to 16 bits, a's lanes first, as _mm_packs_epi32.
inline Pixels pack32(Pixels a, Pixels b)
{
    return vcombine_s16(vqmovn_s32(vreinterpretq_s32_s16(a)), vqmovn_s32(vreinterpretq_s32_s16(b)));
}
// NEON's immediate shifts take counts of 0-15 to the left and 1-16 to the right; a
// count of 0 leaves the lanes as they are, as SSE2's does.
template <int n>
inline Pixels shiftLeft16(Pixels v)
{
    static_assert(n >= 0 && n < 16);
    return vshlq_n_s16(v, n);
}
template <int n>
inline Pixels shiftRight16(Pixels v)
{
    static_assert(n >= 0 && n < 16);
    if constexpr (n == 0)
        return v;
    else
        return vreinterpretq_s16_u16(vshrq_n_u16(vreinterpretq_u16_s16(v), n));
}
template <int n>
inline Pixels shiftRight32(Pixels v)
{
    static_assert(n >= 0 && n < 32);
    if constexpr (n == 0)
        return v;
    else
        return from32(vshrq_n_u32(as32(v), n));
}
template <int n>
inline Pixels shiftRightSigned32(Pixels v)
{
    static_assert(n >= 0 && n < 32);
    if constexpr (n == 0)
        return v;
    else
        return vreinterpretq_s16_s32(vshrq_n_s32(vreinterpretq_s32_s16(v), n));
}
// The signed sum of the eight lanes, exact in 32 bits as _mm_madd_epi16's pairs are.
inline int sum16(Pixels v) { return vaddlvq_s16(v); }
// The lifted starts of the red, green, blue and depth planes (liftedStart), two planes to
// a register, in the scalar loop's order of operations.
inline void liftedValues(const PlaneRows& planes, double x, double y, float64x2_t& redGreen, float64x2_t& blueDepth)
{
    const float64x2_t across = vdupq_n_f64(x), down = vdupq_n_f64(y);
    auto at = [&](int first) {
        const float64x2_t rows =
            vaddq_f64(vld1q_f64(planes.origin + first), vmulq_f64(vld1q_f64(planes.perY + first), down));
        return vmulq_f64(
            vaddq_f64(vaddq_f64(rows, vmulq_f64(vld1q_f64(planes.perX + first), across)), vld1q_f64(planes.lift)),
            vld1q_f64(planes.one));
    };
    redGreen = at(0);
    blueDepth = at(2);
}
// The four starts as whole numbers: each converted to 64 bits, truncating toward zero as
// the scalar loop's int64_t conversion does on this processor, and its low 32 bits kept,
// as the scalar loop keeps them. Red, green and blue in the first three 32-bit lanes, the
// depth in the fourth and apart.
using Starts = uint32x4_t;
inline Starts liftedStartLanes(const PlaneRows& planes, double x, double y, uint32_t& depth)
{
    float64x2_t redGreen, blueDepth;
    liftedValues(planes, x, y, redGreen, blueDepth);
    const int64x2_t wholeBlueDepth = vcvtq_s64_f64(blueDepth);
    depth = uint32_t(vgetq_lane_s64(wholeBlueDepth, 1));
    return vreinterpretq_u32_s32(vcombine_s32(vmovn_s64(vcvtq_s64_f64(redGreen)), vmovn_s64(wholeBlueDepth)));
}
inline void liftedStarts(const PlaneRows& planes, double x, double y, uint32_t start[4])
{
    uint32_t depth;
    vst1q_u32(start, liftedStartLanes(planes, x, y, depth));
    start[3] = depth;
}
// One lifted pixel's colour, as the x86 families reduce it: the whole parts of red, green
// and blue, saturated to signed 16 bits, dithered to their levels and put in place.
template <int RedShift, int GreenBits>
inline unsigned ditheredPixel(Starts starts, int x, int y)
{
    const int16x4_t channels = vqmovn_s32(vreinterpretq_s32_u32(vshrq_n_u32(starts, fixedShift)));
    static constexpr int16_t tops[4] = {31, (1 << GreenBits) - 1, 31, 0};
    const uint16x4_t bias = vreinterpret_u16_u64(vld1_u64(&pixelBiases.rgb[GreenBits - 5][y & 3][x & 3]));
    const uint16x4_t levels = vshr_n_u16(vadd_u16(vreinterpret_u16_s16(vmul_s16(channels, vld1_s16(tops))), bias), 8);
    static constexpr uint16_t places[4] = {1 << RedShift, 1 << 5, 1, 0};
    const uint16x4_t placed = vmul_u16(levels, vld1_u16(places));
    return unsigned(vget_lane_u16(placed, 0) | vget_lane_u16(placed, 1) | vget_lane_u16(placed, 2));
}

// The two edges of a run stepped side by side in one register, as the SSE2 family steps
// them: 32-bit lanes hold the left and right excesses, then the left and right columns.
class EdgePair {
public:
    EdgePair(const EdgeWalk& left, const EdgeWalk& right)
        : state(lanes32(int32_t(left.excess()), int32_t(right.excess()), int32_t(left.column), int32_t(right.column))),
          step(lanes32(int32_t(left.remainderPerRow()), int32_t(right.remainderPerRow()),
                       int32_t(-left.stepInColumns()), int32_t(-right.stepInColumns()))),
          wrap(lanes32(int32_t(left.rowDenominator()), int32_t(right.rowDenominator()), 1, 1))
    { }
    // The excesses go down by the remainders and the columns on by their steps; an excess
    // below 0 wraps up by the denominator and moves its column one further.
    void nextRow()
    {
        state = vsubq_s32(state, step);
        const int32x2_t below = vget_low_s32(vshrq_n_s32(state, 31));
        state = vaddq_s32(state, vandq_s32(vcombine_s32(below, below), wrap));
    }
    // The left column in the low 32 bits, the right one in the high.
    int64_t columns() const { return vgetq_lane_s64(vreinterpretq_s64_s32(state), 1); }
    static int64_t leftOf(int64_t columns) { return int32_t(uint32_t(uint64_t(columns))); }
    static int64_t rightOf(int64_t columns) { return columns >> 32; }
    void handBack(EdgeWalk& left, EdgeWalk& right) const
    {
        const int64_t both = columns(), excesses = vgetq_lane_s64(vreinterpretq_s64_s32(state), 0);
        left.resume(leftOf(both), leftOf(excesses));
        right.resume(rightOf(both), rightOf(excesses));
    }

private:
    static int32x4_t lanes32(int32_t a, int32_t b, int32_t c, int32_t d)
    {
        const int32_t values[4] = {a, b, c, d};
        return vld1q_s32(values);
    }
    int32x4_t state, step, wrap;
};

#include "span_kernels.inc"

}  // namespace neon
#endif

}  // namespace soft::d3d
