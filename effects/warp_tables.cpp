// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/warp_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <numbers>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define WARP_HAS_AVX2_PATH 1
#endif

namespace {

struct TexelStorage {
    uint16_t texels[texelCount];
    uint16_t spare;
};
TexelStorage texelStorage;

constexpr double sineAmplitude = 50;  // pixels

// s(n): the table entry of n taken round the turn (negative n wrap to the end). Only
// the low byte takes part, as the sums below are all modulo 256.
inline uint32_t s(int n) { return uint32_t(warpSineTable[n & (warpSineCount - 1)]); }

// Adds the two bytes of a and b separately, each modulo 256: no carry from u into v.
inline uint16_t addBytes(uint16_t a, uint16_t b)
{
    return uint16_t(((a & 0x7F7F) + (b & 0x7F7F)) ^ ((a ^ b) & 0x8080));
}

}  // namespace

int32_t warpSineTable[warpSineCount];
uint16_t (&texelTable)[texelCount] = texelStorage.texels;
uint16_t warpOffsetTable[warpBlockRows * warpBlockColumns];

void buildWarpSineTable()
{
    for (int i = 0; i < warpSineCount; ++i)
        warpSineTable[i] = int32_t(sineAmplitude * std::sin(i * (2 * std::numbers::pi) / warpSineCount));
}

uint16_t convertTexel(uint8_t red, uint8_t green, uint8_t blue, bool is555)
{
    const unsigned r5 = red >> 3, g5 = green >> 3, b5 = blue >> 3;
    if (is555)
        return uint16_t(r5 << 10 | g5 << 5 | b5);
    return uint16_t(r5 << 11 | g5 << 6 | b5);
}

void loadTexelTable(const char* path, bool is555)
{
    std::vector<uint8_t> bytes(textureFileBytes, 0);
    if (std::FILE* file = std::fopen(path, "rb")) {
        // Only the bytes fread counts are the file's: after a short file or a read error
        // the rest of the buffer holds nothing known, and those texels stay black.
        const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        std::fill(bytes.begin() + std::ptrdiff_t(got), bytes.end(), uint8_t(0));
    }
    for (int n = 0; n < texelCount; ++n)
        texelTable[n] = convertTexel(bytes[3 * n], bytes[3 * n + 1], bytes[3 * n + 2], is555);
}

// u = k + s(2k - 2T) + s(4r - 2T) and v = r + s(2k + 4T) - s(2k - 2T - 200), each
// modulo 256. The column terms are the same on every row and the row terms on every
// column, so each entry is one byte-wise sum of a column part and a row part.
void buildWarpOffsetTable(int step)
{
    uint16_t columnPart[warpBlockColumns];
    for (int k = 0; k < warpBlockColumns; ++k) {
        const uint32_t u = uint32_t(k) + s(2 * k - 2 * step);
        const uint32_t v = s(2 * k + 4 * step) - s(2 * k - 2 * step - 200);
        columnPart[k] = uint16_t((v & 0xFF) << 8 | (u & 0xFF));
    }
    for (int r = 0; r < warpBlockRows; ++r) {
        const uint16_t rowPart = uint16_t(uint32_t(r) << 8 | (s(4 * r - 2 * step) & 0xFF));
        uint16_t* entries = warpOffsetTable + r * warpBlockColumns;
        for (int k = 0; k < warpBlockColumns; ++k)
            entries[k] = addBytes(columnPart[k], rowPart);
    }
}

void gatherWarpRowPlain(const uint16_t* entries, int step, uint32_t* pixelPairs)
{
    for (int k = 0; k < warpBlockColumns; ++k) {
        const uint32_t texel = texelTable[warpTexelIndex(entries[k], step)];
        pixelPairs[k] = texel | texel << 16;
    }
}

#ifdef WARP_HAS_AVX2_PATH
namespace {

// The plain gather with eight texture look-ups per instruction, on processors that have them.
__attribute__((target("avx2"))) void gatherRowAvx2(const uint16_t* entries, int step, uint32_t* pixelPairs)
{
    static_assert(warpBlockColumns % 8 == 0);
    const __m256i scroll = _mm256_set1_epi32(int(warpTexelIndex(0, step)));
    const __m256i low16 = _mm256_set1_epi32(0xFFFF);
    for (int k = 0; k < warpBlockColumns; k += 8) {
        __m256i index = _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(entries + k)));
        index = _mm256_and_si256(_mm256_add_epi32(index, scroll), low16);
        // Reads 32 bits at each texel: the upper half, the next texel or the spare entry
        // after the table, is dropped.
        __m256i texel = _mm256_i32gather_epi32(reinterpret_cast<const int*>(texelTable), index, 2);
        texel = _mm256_and_si256(texel, low16);
        texel = _mm256_or_si256(texel, _mm256_slli_epi32(texel, 16));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixelPairs + k), texel);
    }
}

}  // namespace
#endif

namespace {

using GatherRow = void (*)(const uint16_t*, int, uint32_t*);

GatherRow chooseGatherRow()
{
#ifdef WARP_HAS_AVX2_PATH
    if (__builtin_cpu_supports("avx2"))
        return gatherRowAvx2;
#endif
    return gatherWarpRowPlain;
}

}  // namespace

void gatherWarpRow(const uint16_t* entries, int step, uint32_t* pixelPairs)
{
    static const GatherRow gather = chooseGatherRow();
    gather(entries, step, pixelPairs);
}
