#include "span.h"

namespace soft::d3d {
namespace {

constexpr int blueBits = 5;  // red and blue have 5 bits in both formats
constexpr int levelMask5 = 31;

bool depthPasses(uint8_t passMask, uint16_t incoming, uint16_t stored)
{
    uint8_t relation = incoming < stored ? depthPassNearer
                       : incoming == stored ? depthPassEqual
                                            : depthPassFarther;
    return (passMask & relation) != 0;
}

// The dither phase of each column of row y, by column & 3.
struct RowPhases {
    int phase[ditherSize];
    explicit RowPhases(int y)
    {
        for (int column = 0; column < ditherSize; ++column)
            phase[column] = bayerMatrix[y & 3][column];
    }
};

struct DepthAccess {
    uint16_t* row;
    bool test, write;
    uint8_t passMask;

    DepthAccess(const SpanSetup& setup, const Span& span)
        : row(setup.depth ? setup.depth->row(span.y) + span.x : nullptr),
          test(row && setup.state.depthTest), write(row && setup.state.depthWrite),
          passMask(setup.state.depthPassMask)
    {
    }

    // Whether pixel i may be drawn at depth z; stores z when it may and writes are on.
    bool admit(int i, int64_t z) const
    {
        uint16_t incoming = uint16_t(z >> fixedShift);
        if (test && !depthPasses(passMask, incoming, row[i]))
            return false;
        if (write)
            row[i] = incoming;
        return true;
    }
};

template <bool Blend>
int shadeInterpolated(const SpanSetup& setup, const Span& span)
{
    const PixelLayout layout = setup.layout;
    const int greenMask = (1 << layout.greenBits) - 1;
    const bool dither = setup.state.dither;
    const RowPhases phases(span.y);
    const uint8_t* redTable[ditherSize];
    const uint8_t* greenTable[ditherSize];
    const uint8_t* blueTable[ditherSize];
    for (int column = 0; column < ditherSize; ++column) {
        redTable[column] = reductionTable(blueBits, dither, phases.phase[column]);
        greenTable[column] = reductionTable(layout.greenBits, dither, phases.phase[column]);
        blueTable[column] = reductionTable(blueBits, dither, phases.phase[column]);
    }
    const DepthAccess depth(setup, span);
    uint16_t* out = setup.colour->row(span.y) + span.x;

    int32_t r = span.colour[0], g = span.colour[1], b = span.colour[2], a = span.colour[3];
    const int32_t dr = span.colourStep[0], dg = span.colourStep[1], db = span.colourStep[2],
                  da = span.colourStep[3];
    int64_t z = span.depth;
    int written = 0;
    for (int i = 0; i < span.count; ++i, r += dr, g += dg, b += db, a += da, z += span.depthStep) {
        if (!depth.admit(i, z))
            continue;
        int red = r >> fixedShift, green = g >> fixedShift, blue = b >> fixedShift;
        if constexpr (Blend) {
            const int alpha = a >> fixedShift;
            const uint16_t old = out[i];
            red = blendChannel(red, expandLevel(old >> layout.redShift & levelMask5, blueBits), alpha);
            green = blendChannel(green, expandLevel(old >> 5 & greenMask, layout.greenBits), alpha);
            blue = blendChannel(blue, expandLevel(old & levelMask5, blueBits), alpha);
        }
        const int column = (span.x + i) & 3;
        out[i] = uint16_t(redTable[column][red] << layout.redShift | greenTable[column][green] << 5 |
                          blueTable[column][blue]);
        ++written;
    }
    return written;
}

template <bool Blend>
int shadeFlat(const SpanSetup& setup, const Span& span)
{
    const FlatShade& shade = *setup.flat;
    const PixelLayout layout = setup.layout;
    const int greenMask = (1 << layout.greenBits) - 1;
    const RowPhases phases(span.y);
    const DepthAccess depth(setup, span);
    uint16_t* out = setup.colour->row(span.y) + span.x;
    int64_t z = span.depth;
    int written = 0;
    for (int i = 0; i < span.count; ++i, z += span.depthStep) {
        if (!depth.admit(i, z))
            continue;
        const int phase = phases.phase[(span.x + i) & 3];
        if constexpr (Blend) {
            const uint16_t old = out[i];
            out[i] = uint16_t(shade.red[phase][old >> layout.redShift & levelMask5] |
                              shade.green[phase][old >> 5 & greenMask] |
                              shade.blue[phase][old & levelMask5]);
        } else {
            out[i] = shade.opaque[phase];
        }
        ++written;
    }
    return written;
}

} // namespace

void makeFlatShade(FlatShade& shade, const int colour[4], PixelLayout layout, bool dither,
                   bool blend)
{
    const int greenLevels = 1 << layout.greenBits;
    for (int phase = 0; phase < 16; ++phase) {
        const uint8_t* red = reductionTable(blueBits, dither, phase);
        const uint8_t* green = reductionTable(layout.greenBits, dither, phase);
        const uint8_t* blue = reductionTable(blueBits, dither, phase);
        shade.opaque[phase] = uint16_t(red[colour[0]] << layout.redShift | green[colour[1]] << 5 |
                                       blue[colour[2]]);
        if (!blend)
            continue;
        for (int level = 0; level < 32; ++level) {
            int old = expandLevel(level, blueBits);
            shade.red[phase][level] = uint16_t(red[blendChannel(colour[0], old, colour[3])]
                                               << layout.redShift);
            shade.blue[phase][level] = blue[blendChannel(colour[2], old, colour[3])];
        }
        for (int level = 0; level < greenLevels; ++level) {
            int old = expandLevel(level, layout.greenBits);
            shade.green[phase][level] = uint16_t(green[blendChannel(colour[1], old, colour[3])] << 5);
        }
    }
}

int shadeSpan(const SpanSetup& setup, const Span& span)
{
    if (setup.flat)
        return setup.state.blend ? shadeFlat<true>(setup, span) : shadeFlat<false>(setup, span);
    return setup.state.blend ? shadeInterpolated<true>(setup, span)
                             : shadeInterpolated<false>(setup, span);
}

} // namespace soft::d3d
