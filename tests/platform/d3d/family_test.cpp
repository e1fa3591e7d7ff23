// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The choice of kernel family: the widest this processor runs unless MORNAKLE_SIMD names
// one, and a name that is unknown, or a family of another kind of processor, refused with
// one line. What runs depends on the machine the test runs on (x86-64 or arm64). And what
// every family must do: draw the scalar loops' very pixels and depths.
#include "d3d_soft.h"
#include "raster_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using soft::PixelFormat;
using soft::SurfaceMemory;
using soft::d3d::kernelFamiliesHere;
using soft::d3d::KernelFamily;
using soft::d3d::kernelFamily;
using soft::d3d::kernelFamilyName;
using soft::d3d::kernelFamilyRuns;
using soft::d3d::RasterRect;
using soft::d3d::RasterState;
using soft::d3d::RasterTarget;
using soft::d3d::RasterVertex;
using soft::d3d::takeKernelFamilyFromEnvironment;
using soft::d3d::useKernelFamily;

namespace {

constexpr KernelFamily allFamilies[] = {KernelFamily::scalar, KernelFamily::sse2, KernelFamily::avx2,
                                        KernelFamily::neon};

// What this processor should run, as its architecture and features say.
std::vector<KernelFamily> expectedHere()
{
#if defined(__aarch64__)
    return {KernelFamily::scalar, KernelFamily::neon};
#elif defined(__x86_64__)
    if (__builtin_cpu_supports("avx2"))
        return {KernelFamily::scalar, KernelFamily::sse2, KernelFamily::avx2};
    return {KernelFamily::scalar, KernelFamily::sse2};
#else
    return {KernelFamily::scalar};
#endif
}

struct Outcome {
    bool taken;
    KernelFamily family;  // the one in use afterwards
    std::string error;    // what went to standard error
};

// Takes MORNAKLE_SIMD=value (unset for null) after a choice of scalar, and restores the
// variable as it was.
Outcome takeWith(const char* value)
{
    const char* before = std::getenv("MORNAKLE_SIMD");
    const std::string saved = before ? before : "";
    if (value)
        setenv("MORNAKLE_SIMD", value, 1);
    else
        unsetenv("MORNAKLE_SIMD");
    useKernelFamily(KernelFamily::scalar);
    testing::internal::CaptureStderr();
    const bool taken = takeKernelFamilyFromEnvironment();
    Outcome outcome{taken, kernelFamily(), testing::internal::GetCapturedStderr()};
    if (before)
        setenv("MORNAKLE_SIMD", saved.c_str(), 1);
    else
        unsetenv("MORNAKLE_SIMD");
    return outcome;
}

bool oneLine(const std::string& text) { return !text.empty() && text.find('\n') == text.size() - 1; }

TEST(KernelFamilyChoice, RunsTheFamiliesOfThisProcessorAndNoOther)
{
    EXPECT_EQ(kernelFamiliesHere(), expectedHere());
    for (KernelFamily family : allFamilies) {
        const std::vector<KernelFamily> here = expectedHere();
        EXPECT_EQ(kernelFamilyRuns(family), std::find(here.begin(), here.end(), family) != here.end())
            << kernelFamilyName(family);
    }
}

TEST(KernelFamilyChoice, TakesTheWidestWithoutANameAndAnyThatRunsByName)
{
    for (const char* unnamed : {static_cast<const char*>(nullptr), ""}) {
        const Outcome outcome = takeWith(unnamed);
        EXPECT_TRUE(outcome.taken);
        EXPECT_EQ(outcome.family, expectedHere().back());
        EXPECT_EQ(outcome.error, "");
    }
    for (KernelFamily family : expectedHere()) {
        const Outcome outcome = takeWith(kernelFamilyName(family));
        EXPECT_TRUE(outcome.taken) << kernelFamilyName(family);
        EXPECT_EQ(outcome.family, family);
        EXPECT_EQ(outcome.error, "");
    }
}

TEST(KernelFamilyChoice, RefusesAnotherProcessorsFamilyWithOneLineNamingBoth)
{
    int refused = 0;
    for (KernelFamily family : allFamilies) {
        const std::vector<KernelFamily> here = expectedHere();
        if (std::find(here.begin(), here.end(), family) != here.end())
            continue;
        const std::string name = kernelFamilyName(family);
        const Outcome outcome = takeWith(name.c_str());
        EXPECT_FALSE(outcome.taken) << name;
        EXPECT_EQ(outcome.family, KernelFamily::scalar) << "a refusal leaves the choice alone";
        EXPECT_TRUE(oneLine(outcome.error)) << outcome.error;
        EXPECT_EQ(outcome.error.rfind("MORNAKLE_SIMD=" + name + ": ", 0), 0u) << outcome.error;
#if defined(__aarch64__)
        EXPECT_NE(outcome.error.find("for x86-64 processors, this program for arm64"), std::string::npos)
            << outcome.error;
#elif defined(__x86_64__)
        if (family == KernelFamily::neon)
            EXPECT_NE(outcome.error.find("for arm64 processors, this program for x86-64"), std::string::npos)
                << outcome.error;
        else
            EXPECT_NE(outcome.error.find("this processor lacks the avx2 kernels"), std::string::npos) << outcome.error;
#endif
        ++refused;
    }
    // Every machine lacks some family: x86-64 the arm64 one, arm64 the two x86 ones.
    EXPECT_GE(refused, 1);
}

TEST(KernelFamilyChoice, RefusesAnUnknownNameListingEveryFamily)
{
    // "wasm" names the 128-bit family only in WebAssembly; "NEON" is not "neon".
    for (const char* unknown : {"bogus", "wasm", "NEON", "sse2 "}) {
        const Outcome outcome = takeWith(unknown);
        EXPECT_FALSE(outcome.taken) << unknown;
        EXPECT_EQ(outcome.family, KernelFamily::scalar);
        EXPECT_EQ(outcome.error,
                  "MORNAKLE_SIMD=" + std::string(unknown) + ": no such kernel family (scalar, sse2, avx2, neon)\n");
    }
}

// Hundreds of random triangles, lines and points over random pixels and depths, in every
// state the span loops tell apart (flat or Gouraud, blended, dithered, each depth test,
// clipped), corners off the surface and depths past both ends among them. The surface is
// an odd width, so that spans end in partial chunks at its right edge.
void drawRandomScene(KernelFamily family, uint32_t seed, SurfaceMemory& colour, SurfaceMemory& depth)
{
    useKernelFamily(family);
    std::mt19937 random(seed);
    auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    auto whole = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (SurfaceMemory* surface : {&colour, &depth})
        for (int y = 0; y < surface->height; ++y)
            for (int x = 0; x < surface->width; ++x)
                surface->at(x, y) = uint16_t(whole(0, 0xFFFF));
    const float width = float(colour.width), height = float(colour.height);
    for (int i = 0; i < 600; ++i) {
        RasterState state;
        const int depthKind = whole(0, 3);  // none, less-or-equal-and-write (twice as often), any other
        state.depthTest = depthKind == 1 || depthKind == 2 || (depthKind == 3 && whole(0, 1));
        state.depthWrite = depthKind == 1 || depthKind == 2 || (depthKind == 3 && whole(0, 1));
        state.depthPassMask = depthKind == 3 ? uint8_t(whole(0, 7)) : uint8_t(3);
        state.blend = whole(0, 2) == 0;
        state.dither = whole(0, 3) != 0;
        const bool flat = whole(0, 1) == 0;
        const float shared[4] = {float(whole(0, 255)), float(whole(0, 255)), float(whole(0, 255)),
                                 float(whole(0, 255))};
        auto vertex = [&] {
            RasterVertex v{float(uniform(-40, width + 40)),
                           float(uniform(-20, height + 20)),
                           float(uniform(-0.1, 1.1)),
                           shared[0],
                           shared[1],
                           shared[2],
                           shared[3]};
            if (!flat)
                v.r = float(uniform(0, 255)), v.g = float(uniform(0, 255)), v.b = float(uniform(0, 255)),
                v.a = float(uniform(0, 255));
            return v;
        };
        RasterRect clip{0, 0, colour.width, colour.height};
        if (whole(0, 3) == 0)
            clip = RasterRect{whole(0, 40), whole(0, 20), whole(colour.width - 40, colour.width),
                              whole(colour.height - 20, colour.height)};
        const RasterTarget target{&colour, depthKind == 0 && whole(0, 1) ? nullptr : &depth, clip};
        const RasterVertex a = vertex(), b = vertex(), c = vertex();
        switch (whole(0, 5)) {
        case 0:
            soft::d3d::drawLine(target, state, a, b);
            break;
        case 1:
            soft::d3d::drawPoint(target, state, a);
            break;
        default:
            soft::d3d::rasterizeTriangle(target, state, a, b, c);
        }
    }
}

int pixelsUnlike(const SurfaceMemory& one, const SurfaceMemory& other)
{
    int unlike = 0;
    for (int y = 0; y < one.height; ++y)
        for (int x = 0; x < one.width; ++x)
            unlike += one.at(x, y) != other.at(x, y);
    return unlike;
}

TEST(KernelFamilyPixels, EveryFamilyHereDrawsTheScalarPixelsAndDepths)
{
    int compared = 0;
    for (PixelFormat format : {PixelFormat::rgb565, PixelFormat::rgb555})
        for (uint32_t seed = 1; seed <= 6; ++seed) {
            SurfaceMemory colour(203, 61, format), depth(203, 61, PixelFormat::rgb565);
            drawRandomScene(KernelFamily::scalar, seed, colour, depth);
            for (KernelFamily family : kernelFamiliesHere()) {
                if (family == KernelFamily::scalar)
                    continue;
                SurfaceMemory familyColour(203, 61, format), familyDepth(203, 61, PixelFormat::rgb565);
                drawRandomScene(family, seed, familyColour, familyDepth);
                SCOPED_TRACE(testing::Message() << kernelFamilyName(family) << ", seed " << seed
                                                << (format == PixelFormat::rgb555 ? ", 5-5-5" : ", 5-6-5"));
                EXPECT_EQ(pixelsUnlike(familyColour, colour), 0);
                EXPECT_EQ(pixelsUnlike(familyDepth, depth), 0);
                ++compared;
            }
        }
    useKernelFamily(KernelFamily::scalar);
    // Every machine has a vector family: x86-64 SSE2, arm64 NEON.
    EXPECT_GE(compared, 12);
}

}  // namespace
