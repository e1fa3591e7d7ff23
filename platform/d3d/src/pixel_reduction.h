// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// How 8-bit channels reach a 16-bit pixel and come back from it: the 4 x 4 ordered
// dither, the plain drop of the low bits, and the alpha blend between the two.
#pragma once

#include "soft/pixels.h"

#include <cstdint>

namespace soft::d3d {

// The classic 4 x 4 Bayer matrix; entry / 16 (+ 1/32) is the threshold at which a
// channel rounds up to the next 16-bit level.
constexpr int ditherSize = 4;
constexpr uint8_t bayerMatrix[ditherSize][ditherSize] = {
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
};

// For every 8-bit value, the level it becomes on a channel of 5 or 6 bits.
using ReductionTable = uint8_t[256];

// Level k of a `bits`-bit channel widened to 8 bits by repeating its top bits, so
// that the top level is 255.
constexpr int expandLevel(int level, int bits) { return level << (8 - bits) | level >> (2 * bits - 8); }

constexpr int phaseCount = ditherSize * ditherSize;

struct ReductionTables {
    // [bits - 5][phase], and the plain drop of low bits after the phases.
    ReductionTable dithered[2][phaseCount];
    ReductionTable dropped[2];

    constexpr ReductionTables() : dithered{}, dropped{}
    {
        for (int bits = 5; bits <= 6; ++bits) {
            for (int value = 0; value < 256; ++value)
                dropped[bits - 5][value] = uint8_t(value >> (8 - bits));
            for (int phase = 0; phase < phaseCount; ++phase)
                fillDithered(dithered[bits - 5][phase], bits, phase);
        }
    }

    // A value lying a fraction f of the way from level k's 8-bit value to level k + 1's
    // becomes k + 1 when f passes the phase's threshold. Values that are exactly a
    // level stay that level, so an unchanged pixel survives a blend at alpha 0.
    static constexpr void fillDithered(ReductionTable& table, int bits, int phase)
    {
        const int top = (1 << bits) - 1;
        const double threshold = (phase + 0.5) / phaseCount;
        int level = 0;
        for (int value = 0; value < 256; ++value) {
            while (level < top && expandLevel(level + 1, bits) <= value)
                ++level;
            int result = level;
            if (level < top) {
                int low = expandLevel(level, bits);
                double fraction = double(value - low) / double(expandLevel(level + 1, bits) - low);
                if (fraction > threshold)
                    ++result;
            }
            table[value] = uint8_t(result);
        }
    }
};

extern const ReductionTables reductionTables;

// The table at dither phase 0-15 (a Bayer entry), or, with dither off, the table
// that drops the low bits.
inline const ReductionTable& reductionTable(int bits, bool dither, int phase)
{
    return dither ? reductionTables.dithered[bits - 5][phase] : reductionTables.dropped[bits - 5];
}

// (source * a + destination * (255 - a)) / 255, rounded, for 8-bit values.
constexpr int blendChannel(int source, int destination, int alpha)
{
    int sum = source * alpha + destination * (255 - alpha) + 128;
    return (sum + (sum >> 8)) >> 8;
}

// Where the channels sit in a pixel of the format.
struct PixelLayout {
    int redShift;   // 11 for 5-6-5, 10 for 5-5-5
    int greenBits;  // 6 for 5-6-5, 5 for 5-5-5
};

constexpr PixelLayout layoutOf(PixelFormat format)
{
    return format == PixelFormat::rgb555 ? PixelLayout{10, 5} : PixelLayout{11, 6};
}

}  // namespace soft::d3d
