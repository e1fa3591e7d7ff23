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

// The table at dither phase 0-15 (a Bayer entry), or, with dither off, the table
// that drops the low bits.
const ReductionTable& reductionTable(int bits, bool dither, int phase);

// Level k of a `bits`-bit channel widened to 8 bits by repeating its top bits, so
// that the top level is 255.
constexpr int expandLevel(int level, int bits) { return level << (8 - bits) | level >> (2 * bits - 8); }

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

} // namespace soft::d3d
