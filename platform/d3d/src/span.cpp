#include "span.h"

namespace soft::d3d {
namespace {

constexpr int blueBits = 5;  // red and blue have 5 bits in both formats
constexpr int levelMask5 = 31;

// The reduction tables of the four columns of each row: the dither phase repeats
// every four pixels. Indexed [dither][green bits - 5][row & 3].
struct RowTables {
    const uint8_t* fiveBit[ditherSize];
    const uint8_t* green[ditherSize];
};

struct AllRowTables {
    RowTables rows[2][2][ditherSize];

    AllRowTables()
    {
        for (int dither = 0; dither < 2; ++dither)
            for (int greenBits = 5; greenBits <= 6; ++greenBits)
                for (int y = 0; y < ditherSize; ++y)
                    for (int column = 0; column < ditherSize; ++column) {
                        const int phase = bayerMatrix[y][column];
                        RowTables& row = rows[dither][greenBits - 5][y];
                        row.fiveBit[column] = reductionTable(5, dither != 0, phase);
                        row.green[column] = reductionTable(greenBits, dither != 0, phase);
                    }
    }
};

const AllRowTables allRowTables;

const RowTables& rowTables(int y, bool dither, int greenBits)
{
    return allRowTables.rows[dither ? 1 : 0][greenBits - 5][y & 3];
}

// How a span treats depth. The common case, the demo's "less or equal, and write",
// gets a loop of its own.
enum class DepthMode { off, lessEqualWrite, general };

DepthMode depthModeOf(const SpanSetup& setup)
{
    const RasterState& state = setup.state;
    if (!setup.depth || (!state.depthTest && !state.depthWrite))
        return DepthMode::off;
    if (state.depthTest && state.depthWrite && state.depthPassMask == (depthPassNearer | depthPassEqual))
        return DepthMode::lessEqualWrite;
    return DepthMode::general;
}

// The depth test without branches, as its outcome changes from pixel to pixel: a
// pixel that fails keeps its old colour and depth, written back unchanged.
template <DepthMode Mode>
struct DepthAccess {
    uint16_t* row;
    uint8_t failMask;  // the relations of new to stored depth that reject; none without a test
    bool write;

    DepthAccess(const SpanSetup& setup, const Span& span)
        : row(setup.depth ? setup.depth->row(span.y) + span.x : nullptr),
          failMask(uint8_t(setup.state.depthTest ? ~setup.state.depthPassMask & 7 : 0)),
          write(setup.state.depthWrite)
    {
    }

    // Whether pixel i may be drawn at depth z; stores z when it may and writes are on.
    bool admit(int i, int64_t z)
    {
        if constexpr (Mode == DepthMode::off) {
            return true;
        } else {
            const uint16_t incoming = uint16_t(z >> fixedShift), stored = row[i];
            bool pass;
            if constexpr (Mode == DepthMode::lessEqualWrite) {
                pass = incoming <= stored;
                row[i] = pass ? incoming : stored;
            } else {
                const unsigned relation = incoming < stored    ? depthPassNearer
                                          : incoming == stored ? depthPassEqual
                                                               : depthPassFarther;
                pass = (relation & failMask) == 0;
                row[i] = (pass && write) ? incoming : stored;
            }
            return pass;
        }
    }
};

// The pixel layout is a template argument so that the shifts and masks of the inner
// loops are constants.
template <int RedShift, int GreenBits, bool Blend, DepthMode Mode>
int shadeInterpolated(const SpanSetup& setup, const Span& span)
{
    constexpr int greenMask = (1 << GreenBits) - 1;
    const RowTables& tables = rowTables(span.y, setup.state.dither, GreenBits);
    DepthAccess<Mode> depth(setup, span);
    uint16_t* out = setup.colour->row(span.y) + span.x;

    int32_t r = span.colour[0], g = span.colour[1], b = span.colour[2], a = span.colour[3];
    const int32_t dr = span.colourStep[0], dg = span.colourStep[1], db = span.colourStep[2],
                  da = span.colourStep[3];
    int64_t z = span.depth;
    const int64_t dz = span.depthStep;
    int written = 0;
    for (int i = 0; i < span.count; ++i, r += dr, g += dg, b += db, a += da, z += dz) {
        const bool pass = depth.admit(i, z);
        int red = r >> fixedShift, green = g >> fixedShift, blue = b >> fixedShift;
        const int old = out[i];
        if constexpr (Blend) {
            const int alpha = a >> fixedShift;
            red = blendChannel(red, expandLevel(old >> RedShift & levelMask5, blueBits), alpha);
            green = blendChannel(green, expandLevel(old >> 5 & greenMask, GreenBits), alpha);
            blue = blendChannel(blue, expandLevel(old & levelMask5, blueBits), alpha);
        }
        const int column = (span.x + i) & 3;
        const int pixel = tables.fiveBit[column][red] << RedShift | tables.green[column][green] << 5 |
                          tables.fiveBit[column][blue];
        out[i] = uint16_t(pass ? pixel : old);
        written += pass;
    }
    return written;
}

template <int RedShift, int GreenBits, bool Blend, DepthMode Mode>
int shadeFlat(const SpanSetup& setup, const Span& span)
{
    constexpr int greenMask = (1 << GreenBits) - 1;
    const FlatShade& shade = *setup.flat;
    DepthAccess<Mode> depth(setup, span);
    int phase[ditherSize];
    for (int column = 0; column < ditherSize; ++column)
        phase[column] = bayerMatrix[span.y & 3][column];
    uint16_t* out = setup.colour->row(span.y) + span.x;
    int64_t z = span.depth;
    const int64_t dz = span.depthStep;
    int written = 0;
    for (int i = 0; i < span.count; ++i, z += dz) {
        const bool pass = depth.admit(i, z);
        const int p = phase[(span.x + i) & 3];
        const int old = out[i];
        int pixel;
        if constexpr (Blend)
            pixel = shade.red[p][old >> RedShift & levelMask5] | shade.green[p][old >> 5 & greenMask] |
                    shade.blue[p][old & levelMask5];
        else
            pixel = shade.opaque[p];
        out[i] = uint16_t(pass ? pixel : old);
        written += pass;
    }
    return written;
}

template <int RedShift, int GreenBits, DepthMode Mode>
int shadeWithDepth(const SpanSetup& setup, const Span& span)
{
    if (setup.flat)
        return setup.state.blend ? shadeFlat<RedShift, GreenBits, true, Mode>(setup, span)
                                 : shadeFlat<RedShift, GreenBits, false, Mode>(setup, span);
    return setup.state.blend ? shadeInterpolated<RedShift, GreenBits, true, Mode>(setup, span)
                             : shadeInterpolated<RedShift, GreenBits, false, Mode>(setup, span);
}

template <int RedShift, int GreenBits>
int shadeInLayout(const SpanSetup& setup, const Span& span)
{
    switch (depthModeOf(setup)) {
    case DepthMode::off:
        return shadeWithDepth<RedShift, GreenBits, DepthMode::off>(setup, span);
    case DepthMode::lessEqualWrite:
        return shadeWithDepth<RedShift, GreenBits, DepthMode::lessEqualWrite>(setup, span);
    default:
        return shadeWithDepth<RedShift, GreenBits, DepthMode::general>(setup, span);
    }
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
    return setup.layout.greenBits == 5 ? shadeInLayout<10, 5>(setup, span) : shadeInLayout<11, 6>(setup, span);
}

} // namespace soft::d3d
