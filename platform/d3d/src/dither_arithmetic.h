// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The dithered reduction of an 8-bit channel worked out with shifts, masks and
// products instead of a table, so that a register of pixels is reduced at once. It agrees
// with the tables entry for entry; the check below proves it at compile time.
#pragma once

#include "pixel_reduction.h"

#include <algorithm>

namespace soft::d3d {

// The level a value becomes at one dither phase. The level below the value is its top
// bits, or one less when the repeated bits of that level reach above the value; the
// value rounds up when its fraction of the way to the next level passes the phase's
// threshold (phase + 1/2) / 16, compared in whole numbers: an even number against an
// odd one, or a multiple of 16 against an odd multiple of 8 or 4, so never equal.
constexpr int ditheredLevel(int value, int bits, int phase)
{
    const int dropShift = 8 - bits, repeatShift = 2 * bits - 8;
    const int top = value >> dropShift;
    const int level = top - ((top >> repeatShift) > (value & ((1 << dropShift) - 1)) ? 1 : 0);
    const int low = expandLevel(level, bits), high = expandLevel(level + 1, bits);
    return level + ((value - low) * 32 > (2 * phase + 1) * (high - low) ? 1 : 0);
}

// The same levels as one product and a shift: (value · top + bias) >> 8, with top the
// channel's largest level and a bias for each phase, the smallest that reaches every
// level the phase rounds up to.
constexpr int ditherBias(int bits, int phase)
{
    const int top = (1 << bits) - 1;
    int bias = 0;
    for (int value = 0; value < 256; ++value)
        bias = std::max(bias, ditheredLevel(value, bits, phase) * 256 - value * top);
    return bias;
}

// `bias` is ditherBias(bits, phase) of the value's phase.
constexpr int ditheredLevelByProduct(int value, int bits, int bias) { return (value * ((1 << bits) - 1) + bias) >> 8; }

constexpr bool ditheredLevelsMatch(const ReductionTables& tables)
{
    for (int bits = 5; bits <= 6; ++bits)
        for (int phase = 0; phase < phaseCount; ++phase) {
            // Once a phase: the bias is a search over every value itself.
            const int bias = ditherBias(bits, phase);
            for (int value = 0; value < 256; ++value) {
                const int level = tables.dithered[bits - 5][phase][value];
                if (ditheredLevel(value, bits, phase) != level || ditheredLevelByProduct(value, bits, bias) != level)
                    return false;
            }
        }
    return true;
}

}  // namespace soft::d3d
