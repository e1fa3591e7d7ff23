// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The texture warp's tables: a sine table in whole pixels, the 256 x 256 texture in
// the back buffer's pixel format, and one texture offset per 2 x 2 screen block.
#pragma once

#include <cstdint>

constexpr int warpSineCount = 1024;  // one full turn
constexpr int textureSize = 256;     // texels a side
constexpr int texelCount = textureSize * textureSize;
constexpr int textureFileBytes = texelCount * 3;  // red, green, blue; no header
constexpr int warpBlockColumns = 320;             // the screen at half resolution
constexpr int warpBlockRows = 240;

// trunc(50 sin(i 2 pi / 1024)): -50..50.
extern int32_t warpSineTable[warpSineCount];
// Row v, column u at v * 256 + u. One spare zero entry follows it in memory, so that
// a 32-bit read at the last texel stays inside the storage.
extern uint16_t (&texelTable)[texelCount];
// Block (r, k) at r * 320 + k: v in the high byte, u in the low byte.
extern uint16_t warpOffsetTable[warpBlockRows * warpBlockColumns];

void buildWarpSineTable();

// The top five bits of each channel; 5-6-5 leaves green's lowest bit 0.
uint16_t convertTexel(uint8_t red, uint8_t green, uint8_t blue, bool is555);

// Reads the raw texture file into the texelTable. Texels the file does not supply
// (it is missing or short) are black.
void loadTexelTable(const char* path, bool is555);

// The texture offsets for the whole-tick step T = 3 * trunc(t).
void buildWarpOffsetTable(int step);

// Where block `entry` reads the texture at step T: the offset plus 1282 T, one 16-bit
// sum, so a carry out of u moves v on by one.
inline uint16_t warpTexelIndex(uint16_t entry, int step)
{
    constexpr uint32_t scrollPerStep = 5 * 256 + 2;  // 5 rows and 2 texels per step
    return uint16_t(entry + scrollPerStep * uint32_t(step));
}

// One row of blocks (320 entries of the warpOffsetTable) as 320 pixel pairs, each
// block's texel twice, at step T. The plain loop is the definition; gatherWarpRow
// gives the same with the fastest look-ups this processor has.
void gatherWarpRowPlain(const uint16_t* entries, int step, uint32_t* pixelPairs);
void gatherWarpRow(const uint16_t* entries, int step, uint32_t* pixelPairs);
