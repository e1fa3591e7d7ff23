// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// ctest runs the rasteriser's suites once under each kernel family of every machine. A
// family this one lacks (another processor's, or AVX2 on an older x86) ends the run with
// exit code 64, which ctest counts as skipped, before any test draws; listing the tests
// draws nothing and asks nothing.
#include "d3d_soft.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class FamilyFromEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        if (!soft::d3d::takeKernelFamilyFromEnvironment())
            std::exit(64);
    }
};

testing::Environment* const familyFromEnvironment = testing::AddGlobalTestEnvironment(new FamilyFromEnvironment);

}  // namespace
