// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "span.h"

#include "d3d_soft.h"
#include "soft/failure.h"

#include "line_band.h"
#include "span_lanes.h"
#include "triangle_rows.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace soft::d3d {
namespace {

constexpr int blueBits = 5;  // red and blue have 5 bits in both formats
constexpr int levelMask5 = 31;

// The dither phases of a row from column x on: the phase repeats every four pixels,
// so the four are kept as 16-bit fields of one word that turns one field per pixel.
// Each phase comes multiplied by 2^scaleShift, the size of one phase's table.
constexpr uint64_t packedPhases(int y)
{
    uint64_t packed = 0;
    for (int k = 0; k < ditherSize; ++k)
        packed |= uint64_t(bayerMatrix[y][k]) << (16 * k);
    return packed;
}
constexpr uint64_t rowPhases[ditherSize] = {packedPhases(0), packedPhases(1), packedPhases(2), packedPhases(3)};

class PhaseCycle {
public:
    // Without dither every pixel has phase 0.
    PhaseCycle(int x, int y, bool dither, int scaleShift)
    {
        const uint64_t row = dither ? rowPhases[y & 3] << scaleShift : 0;
        const int turn = 16 * (x & 3);
        packed_ = turn ? row >> turn | row << (64 - turn) : row;
    }

    unsigned next()
    {
        const unsigned current = unsigned(packed_ & 0xFFFF);
        packed_ = packed_ >> 16 | packed_ << 48;
        return current;
    }

private:
    uint64_t packed_ = 0;
};

// The depth test without branches, as its outcome changes from pixel to pixel: a
// pixel that fails keeps its old colour and depth, written back unchanged.
template <DepthMode Mode>
struct DepthAccess {
    uint16_t* row;
    uint8_t failMask;  // the relations of new to stored depth that reject; none without a test
    bool write;

    DepthAccess(const SpanSetup& setup, const Span& span)
        : row(setup.depth ? setup.depth->row(span.y) + span.x : nullptr),
          failMask(uint8_t(setup.state.depthTest ? ~setup.state.depthPassMask & 7 : 0)), write(setup.state.depthWrite)
    { }

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
    constexpr unsigned greenMask = (1u << GreenBits) - 1;
    // The 16 phase tables of a width lie one after another; without dither every
    // phase uses the one table that drops the low bits.
    const bool dither = setup.state.dither;
    const uint8_t* fiveBit = reductionTable(blueBits, dither, 0);
    const uint8_t* green6 = reductionTable(GreenBits, dither, 0);
    PhaseCycle phases(span.x, span.y, dither, 8);  // 256-entry tables
    DepthAccess<Mode> depth(setup, span);
    uint16_t* out = setup.colour->row(span.y) + span.x;

    // Unsigned, so that the whole parts need no sign; the values never leave [0, 256).
    uint32_t r = uint32_t(span.colour[0]), g = uint32_t(span.colour[1]), b = uint32_t(span.colour[2]),
             a = uint32_t(span.colour[3]);
    const uint32_t dr = uint32_t(span.colourStep[0]), dg = uint32_t(span.colourStep[1]),
                   db = uint32_t(span.colourStep[2]), da = uint32_t(span.colourStep[3]);
    int64_t z = span.depth;
    const int64_t dz = span.depthStep;
    int written = 0;
    for (int i = 0; i < span.count; ++i, r += dr, g += dg, b += db, a += da, z += dz) {
        const bool pass = depth.admit(i, z);
        unsigned red = r >> fixedShift, green = g >> fixedShift, blue = b >> fixedShift;
        const unsigned old = out[i];
        if constexpr (Blend) {
            const int alpha = int(a >> fixedShift);
            red = unsigned(blendChannel(int(red), expandLevel(int(old >> RedShift & levelMask5), blueBits), alpha));
            green = unsigned(blendChannel(int(green), expandLevel(int(old >> 5 & greenMask), GreenBits), alpha));
            blue = unsigned(blendChannel(int(blue), expandLevel(int(old & levelMask5), blueBits), alpha));
        }
        const unsigned phase = phases.next();
        const unsigned pixel =
            unsigned(fiveBit[phase + red]) << RedShift | unsigned(green6[phase + green]) << 5 | fiveBit[phase + blue];
        out[i] = uint16_t(pass ? pixel : old);
        written += pass;
    }
    return written;
}

template <int RedShift, int GreenBits, bool Blend, DepthMode Mode>
int shadeFlat(const SpanSetup& setup, const Span& span)
{
    const FlatShade& shade = *setup.flat;
    const uint16_t* redGreen = shade.redGreen[0];
    // The red and green bits of the old pixel; 5-5-5's unused top bit is dropped.
    constexpr unsigned redGreenMask = (1u << (5 + GreenBits)) - 1;
    const uint16_t* blue = shade.blue[0];
    PhaseCycle phases(span.x, span.y, true, 0);
    DepthAccess<Mode> depth(setup, span);
    uint16_t* out = setup.colour->row(span.y) + span.x;
    int64_t z = span.depth;
    const int64_t dz = span.depthStep;
    int written = 0;
    for (int i = 0; i < span.count; ++i, z += dz) {
        const bool pass = depth.admit(i, z);
        const unsigned p = phases.next();
        const unsigned old = out[i];
        unsigned pixel;
        if constexpr (Blend)
            pixel = unsigned(redGreen[p * 2048 + (old >> 5 & redGreenMask)] | blue[p * 32 + (old & levelMask5)]);
        else
            pixel = shade.opaque[p];
        out[i] = uint16_t(pass ? pixel : old);
        written += pass;
    }
    return written;
}

// Depth 0 is never farther than what is stored: every pixel of a screen quad at depth 0
// passes "less or equal" and leaves 0 behind, so the span is shaded without the test.
template <SpanKernel Shade>
int shadeOverZeroDepth(const SpanSetup& setup, const Span& span)
{
    std::fill_n(setup.depth->row(span.y) + span.x, span.count, uint16_t(0));
    return Shade(setup, span);
}

// Each span of a triangle handed to its loop.
template <SpanKernel Shade, int ColourChannels, bool UseDepth>
uint64_t walkRows(const TriangleRuns& runs, const RasterRect& clip, const SpanSetup& setup,
                  const Attributes& attributes)
{
    uint64_t written = 0;
    for (int i = 0; i < runs.count; ++i) {
        const RowRun& run = runs.run[i];
        written += walkSpans<ColourChannels, UseDepth>(*run.left, *run.right, run.from, run.to, clip, setup, attributes,
                                                       [&setup](const Span& span) { return Shade(setup, span); });
    }
    return written;
}

#include "band_rows.inc"

// Each span of a line's band handed to its loop, with the attributes of its triangle.
template <SpanKernel Shade, int ColourChannels, bool UseDepth>
uint64_t walkBandRows(const LineBand& band, const RasterRect& clip, const SpanSetup& setup,
                      const Attributes attributes[2])
{
    uint64_t written = 0;
    const bool planesLifted[2] = {attributes[0].lifted<ColourChannels, UseDepth>(),
                                  attributes[1].lifted<ColourChannels, UseDepth>()};
    eachBandSpan(
        band, clip, [&](int triangle, int64_t first, int64_t row, int count) __attribute__((always_inline)) {
            Span span{int(first), int(row), count, {}, {}, 0, 0};
            attributes[triangle].fill<ColourChannels, UseDepth>(span, planesLifted[triangle]);
            written += uint64_t(Shade(setup, span));
        });
    return written;
}

// A span loop's walks of a triangle and of a line's band.
struct Walks {
    RowWalk walk;
    LineWalk lineWalk;
};

// The walks of a span loop, over a depth buffer of zeros when `overZero` says so.
template <SpanKernel Shade, int ColourChannels, bool UseDepth>
Walks walkOf(bool overZero)
{
    return overZero ? Walks{walkRows<shadeOverZeroDepth<Shade>, ColourChannels, false>,
                            walkBandRows<shadeOverZeroDepth<Shade>, ColourChannels, false>}
                    : Walks{walkRows<Shade, ColourChannels, UseDepth>, walkBandRows<Shade, ColourChannels, UseDepth>};
}

// The scalar loops, which draw every case.
template <int RedShift, int GreenBits, DepthMode Mode>
Walks scalarWalk(const SpanSetup& setup, bool overZero)
{
    constexpr bool useDepth = Mode != DepthMode::off;
    if (setup.flat)
        return setup.state.blend ? walkOf<shadeFlat<RedShift, GreenBits, true, Mode>, 0, useDepth>(overZero)
                                 : walkOf<shadeFlat<RedShift, GreenBits, false, Mode>, 0, useDepth>(overZero);
    return setup.state.blend ? walkOf<shadeInterpolated<RedShift, GreenBits, true, Mode>, 4, useDepth>(overZero)
                             : walkOf<shadeInterpolated<RedShift, GreenBits, false, Mode>, 3, useDepth>(overZero);
}

WalkChoice choiceOf(Walks walks, bool readsBlendTables) { return {walks.walk, walks.lineWalk, readsBlendTables}; }

// The scalar loops alone.
struct NoLanes { };

// The one place a triangle's span loop is chosen: a family's vector loop where it has
// one, else the scalar loop for the depth mode.
template <int RedShift, int GreenBits, typename Family>
WalkChoice chooseIn(const SpanSetup& setup, bool depthAllZero)
{
    const RasterState& state = setup.state;
    DepthMode mode = depthModeOf(setup);
    const bool overZero = mode == DepthMode::lessEqualWrite && depthAllZero;
    if (overZero)
        mode = DepthMode::off;
    if constexpr (!std::is_same_v<Family, NoLanes>) {
        if (setup.flat && state.blend && state.dither && mode == DepthMode::off)
            return choiceOf(walkOf<Family::template flatBlendedDithered<RedShift, GreenBits>, 0, false>(overZero),
                            false);
        if (mode == DepthMode::lessEqualWrite && !state.blend && setup.flat)
            return {Family::flatLessEqual, Family::flatLessEqualBand, false};
        if (mode == DepthMode::lessEqualWrite && !state.blend && state.dither)
            return {Family::template ditheredLessEqual<RedShift, GreenBits>,
                    Family::template ditheredLessEqualBand<RedShift, GreenBits>, false};
    }
    const bool readsBlendTables = setup.flat && state.blend;
    switch (mode) {
    case DepthMode::off:
        return choiceOf(scalarWalk<RedShift, GreenBits, DepthMode::off>(setup, overZero), readsBlendTables);
    case DepthMode::lessEqualWrite:
        return choiceOf(scalarWalk<RedShift, GreenBits, DepthMode::lessEqualWrite>(setup, false), readsBlendTables);
    default:
        return choiceOf(scalarWalk<RedShift, GreenBits, DepthMode::general>(setup, false), readsBlendTables);
    }
}

template <typename Family>
WalkChoice chooseInLayout(const SpanSetup& setup, bool depthAllZero)
{
    return setup.layout.greenBits == 5 ? chooseIn<10, 5, Family>(setup, depthAllZero)
                                       : chooseIn<11, 6, Family>(setup, depthAllZero);
}

}  // namespace

void makeFlatShade(FlatShade& shade, const int colour[4], PixelLayout layout, bool dither, bool blend)
{
    std::copy_n(colour, 4, shade.colour);
    const int greenLevels = 1 << layout.greenBits;
    for (int phase = 0; phase < 16; ++phase) {
        const uint8_t* red = reductionTable(blueBits, dither, phase);
        const uint8_t* green = reductionTable(layout.greenBits, dither, phase);
        const uint8_t* blue = reductionTable(blueBits, dither, phase);
        shade.opaque[phase] = uint16_t(red[colour[0]] << layout.redShift | green[colour[1]] << 5 | blue[colour[2]]);
        if (!blend)
            continue;
        for (int level = 0; level < 32; ++level) {
            int old = expandLevel(level, blueBits);
            shade.red[phase][level] = uint16_t(red[blendChannel(colour[0], old, colour[3])] << layout.redShift);
            shade.blue[phase][level] = blue[blendChannel(colour[2], old, colour[3])];
        }
        for (int level = 0; level < greenLevels; ++level) {
            int old = expandLevel(level, layout.greenBits);
            shade.green[phase][level] = uint16_t(green[blendChannel(colour[1], old, colour[3])] << 5);
        }
        for (int redLevel = 0; redLevel < 32; ++redLevel)
            for (int greenLevel = 0; greenLevel < greenLevels; ++greenLevel)
                shade.redGreen[phase][redLevel << layout.greenBits | greenLevel] =
                    uint16_t(shade.red[phase][redLevel] | shade.green[phase][greenLevel]);
    }
}

DepthMode depthModeOf(const SpanSetup& setup)
{
    const RasterState& state = setup.state;
    if (!setup.depth || (!state.depthTest && !state.depthWrite))
        return DepthMode::off;
    if (state.depthTest && state.depthWrite && state.depthPassMask == (depthPassNearer | depthPassEqual))
        return DepthMode::lessEqualWrite;
    return DepthMode::general;
}

WalkChoice chooseWalk(const SpanSetup& setup, bool depthAllZero)
{
    switch (kernelFamily()) {
#if MORNAKLE_SPANS_AVX2
    case KernelFamily::avx2:
        return chooseInLayout<avx2::Family>(setup, depthAllZero);
#endif
#if MORNAKLE_SPANS_SSE2
    case KernelFamily::sse2:
        return chooseInLayout<sse2::Family>(setup, depthAllZero);
#endif
#if MORNAKLE_SPANS_NEON
    case KernelFamily::neon:
        return chooseInLayout<neon::Family>(setup, depthAllZero);
#endif
    default:
        return chooseInLayout<NoLanes>(setup, depthAllZero);
    }
}

}  // namespace soft::d3d

namespace soft::d3d {
namespace {

struct FamilyChoice {
    KernelFamily family = KernelFamily::scalar;
    bool made = false;
};

FamilyChoice& familyChoice()
{
    static FamilyChoice choice;
    return choice;
}

constexpr KernelFamily everyFamily[] = {KernelFamily::scalar, KernelFamily::sse2, KernelFamily::avx2,
                                        KernelFamily::neon};

// Whether this build has the family's kernels: the x86 families on x86-64 (and the 128-bit
// one in WebAssembly), the NEON one on arm64.
bool kernelFamilyBuilt(KernelFamily family)
{
    switch (family) {
    case KernelFamily::scalar:
        return true;
    case KernelFamily::sse2:
        return MORNAKLE_SPANS_SSE2 == 1;
    case KernelFamily::avx2:
        return MORNAKLE_SPANS_AVX2 == 1;
    case KernelFamily::neon:
        return MORNAKLE_SPANS_NEON == 1;
    }
    return false;
}

// The processors whose kernels a family is, and the one this program is built for, as
// the refusal of a family built for another names them.
const char* homeOf(KernelFamily family) { return family == KernelFamily::neon ? "arm64" : "x86-64"; }
constexpr const char* thisMachine = onWebAssembly ? "WebAssembly" :
#if defined(__aarch64__)
                                                  "arm64";
#elif defined(__x86_64__)
                                                  "x86-64";
#else
                                                  "another processor";
#endif

}  // namespace

bool kernelFamilyRuns(KernelFamily family)
{
    if (!kernelFamilyBuilt(family))
        return false;
#if MORNAKLE_SPANS_AVX2
    if (family == KernelFamily::avx2)
        return __builtin_cpu_supports("avx2");
#endif
    return true;
}

const char* kernelFamilyName(KernelFamily family)
{
    const char* names[] = {"scalar", "sse2", "avx2", "neon"};
    return names[int(family)];
}

void useKernelFamily(KernelFamily family) { familyChoice() = {family, true}; }

KernelFamily kernelFamily()
{
    if (!familyChoice().made && !takeKernelFamilyFromEnvironment())
        reportFailure(Failure::kernelFamilyRefused);
    return familyChoice().family;
}

std::vector<KernelFamily> kernelFamiliesHere()
{
    std::vector<KernelFamily> here;
    for (KernelFamily family : everyFamily)
        if (kernelFamilyRuns(family))
            here.push_back(family);
    return here;
}

bool takeKernelFamilyFromEnvironment()
{
    const std::vector<KernelFamily> here = kernelFamiliesHere();
    const char* wanted = std::getenv("MORNAKLE_SIMD");
    if (!wanted || !*wanted) {
        useKernelFamily(here.back());
        return true;
    }
    std::string known;
    for (KernelFamily family : everyFamily) {
        const bool named = std::strcmp(wanted, kernelFamilyName(family)) == 0 ||
                           (family == KernelFamily::sse2 && std::strcmp(wanted, "wasm") == 0 && d3d::onWebAssembly);
        if (named && kernelFamilyRuns(family)) {
            useKernelFamily(family);
            return true;
        }
        if (named && kernelFamilyBuilt(family)) {
            std::fprintf(stderr, "MORNAKLE_SIMD=%s: this processor lacks the %s kernels\n", wanted, wanted);
            return false;
        }
        if (named) {
            std::fprintf(stderr, "MORNAKLE_SIMD=%s: the %s kernels are for %s processors, this program for %s\n",
                         wanted, wanted, homeOf(family), thisMachine);
            return false;
        }
        known += std::string(known.empty() ? "" : ", ") + kernelFamilyName(family);
    }
    std::fprintf(stderr, "MORNAKLE_SIMD=%s: no such kernel family (%s)\n", wanted, known.c_str());
    return false;
}

}  // namespace soft::d3d
