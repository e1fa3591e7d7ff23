// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The choice of kernel family: the widest this processor runs unless MORNAKLE_SIMD names
// one, and a name that is unknown, or a family of another kind of processor, refused with
// one line. What runs depends on the machine the test runs on (x86-64 or arm64).
#include "d3d_soft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using soft::d3d::kernelFamiliesHere;
using soft::d3d::KernelFamily;
using soft::d3d::kernelFamily;
using soft::d3d::kernelFamilyName;
using soft::d3d::kernelFamilyRuns;
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

}  // namespace
