// The fades' flat blended span sixteen pixels at a time, on processors with AVX2; the
// same arithmetic as its eight-pixel form in span_vector.h, lane for lane.
#pragma once

#include "span_vector.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

namespace soft::d3d {

// Whether this processor runs the sixteen-pixel spans; asked once.
inline bool haveWideSpans()
{
    static const bool wide = __builtin_cpu_supports("avx2");
    return wide;
}

namespace wide_span {

constexpr int lanes = 16;

// blendChannel of sixteen old levels of `bits` bits with the shared part source·a + 128.
[[gnu::target("avx2")]] inline __m256i blend(__m256i part, __m256i level, __m256i keep, int bits)
{
    const __m256i old = _mm256_or_si256(_mm256_sll_epi16(level, _mm_cvtsi32_si128(8 - bits)),
                                        _mm256_srl_epi16(level, _mm_cvtsi32_si128(2 * bits - 8)));
    const __m256i sum = _mm256_add_epi16(part, _mm256_mullo_epi16(old, keep));
    return _mm256_srli_epi16(_mm256_add_epi16(sum, _mm256_srli_epi16(sum, 8)), 8);
}

// The dithered level of sixteen 8-bit values: (value · top + bias) >> 8.
[[gnu::target("avx2")]] inline __m256i reduce(__m256i value, __m256i bias, int bits)
{
    const __m256i top = _mm256_set1_epi16(int16_t((1 << bits) - 1));
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(value, top), bias), 8);
}

}  // namespace wide_span

template <int RedShift, int GreenBits>
[[gnu::target("avx2")]] int shadeFlatBlendedDitheredWide(const SpanSetup& setup, const Span& span)
{
    using namespace wide_span;
    // The dither repeats every four pixels, so both halves take the eight-pixel biases.
    const auto& bias = vector_span::phaseRows.bias;
    const __m256i bias5 =
        _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(bias[0][span.y & 3][span.x & 3])));
    const __m256i biasGreen = _mm256_broadcastsi128_si256(
        _mm_load_si128(reinterpret_cast<const __m128i*>(bias[GreenBits - 5][span.y & 3][span.x & 3])));
    const int* colour = setup.flat->colour;
    const int alpha = colour[3];
    const __m256i redPart = _mm256_set1_epi16(int16_t(colour[0] * alpha + 128));
    const __m256i greenPart = _mm256_set1_epi16(int16_t(colour[1] * alpha + 128));
    const __m256i bluePart = _mm256_set1_epi16(int16_t(colour[2] * alpha + 128));
    const __m256i keep = _mm256_set1_epi16(int16_t(255 - alpha));
    const __m256i fiveBits = _mm256_set1_epi16(31), greenMask = _mm256_set1_epi16((1 << GreenBits) - 1);
    const __m256i laneIndex = _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    uint16_t* row = setup.colour->row(span.y) + span.x;
    alignas(32) uint16_t copy[lanes] = {};
    for (int i = 0; i < span.count; i += lanes) {
        const int rest = span.count - i;
        // Pixels past the span keep their old value; at the right edge of the surface
        // the last few go through a copy, so that nothing past the row is read.
        const __m256i outside = _mm256_cmpgt_epi16(laneIndex, _mm256_set1_epi16(int16_t(std::min(rest, lanes) - 1)));
        const bool throughCopy = rest < lanes && span.x + i + lanes > setup.colour->width;
        uint16_t* at = row + i;
        if (throughCopy) {
            std::memcpy(copy, at, sizeof(uint16_t) * size_t(rest));
            at = copy;
        }
        const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
        const __m256i red = blend(redPart, _mm256_and_si256(_mm256_srli_epi16(old, RedShift), fiveBits), keep, 5);
        const __m256i green = blend(greenPart, _mm256_and_si256(_mm256_srli_epi16(old, 5), greenMask), keep, GreenBits);
        const __m256i blue = blend(bluePart, _mm256_and_si256(old, fiveBits), keep, 5);
        const __m256i redBits = _mm256_slli_epi16(reduce(red, bias5, 5), RedShift);
        const __m256i greenBits = _mm256_slli_epi16(reduce(green, biasGreen, GreenBits), 5);
        const __m256i pixel = _mm256_or_si256(_mm256_or_si256(redBits, greenBits), reduce(blue, bias5, 5));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(at),
                            _mm256_or_si256(_mm256_and_si256(outside, old), _mm256_andnot_si256(outside, pixel)));
        if (throughCopy)
            std::memcpy(row + i, copy, sizeof(uint16_t) * size_t(rest));
    }
    return span.count;
}

}  // namespace soft::d3d

#else

namespace soft::d3d {
inline bool haveWideSpans() { return false; }
template <int RedShift, int GreenBits>
int shadeFlatBlendedDitheredWide(const SpanSetup& setup, const Span& span)
{
    return shadeFlatBlendedDithered<RedShift, GreenBits>(setup, span);
}
}  // namespace soft::d3d

#endif
