// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "canvas.h"
#include "gen_test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Every file the show opens, as the demo names them; the song is composed by a generator of its own.
const char* const showFiles[] = {"hus.3ds",    "box.3ds",      "light.3ds",    "loop.bmp",       "woody.bmp",
                                 "bonde.bmp",  "lame.bmp",     "back2.bmp",    "circles.bmp",    "lines.bmp",
                                 "mannen.bmp", "nurturei.bmp", "rightnow.bmp", "screen1tex.raw", "back.xm"};

TEST(GeneratedFiles, TheBuildLeavesEveryFileOfTheShowAndTheArtIsMadeOnceEach)
{
    for (const char* name : showFiles)
        EXPECT_FALSE(readDataFile(name).empty()) << dataPath(name);
    std::set<std::string> made, expected(std::begin(showFiles), std::end(showFiles) - 1);
    for (const GeneratedFile& file : artFiles())
        EXPECT_TRUE(made.insert(file.name).second) << file.name << " is made twice";
    EXPECT_EQ(made, expected);
}

TEST(GeneratedFiles, TwoRunsGiveTheSameBytesAndTheBuiltFilesAreCurrent)
{
    for (const GeneratedFile& file : artFiles()) {
        const std::vector<uint8_t> first = file.make();
        EXPECT_EQ(first, file.make()) << file.name << " differs between two runs";
        EXPECT_EQ(first, readDataFile(file.name)) << file.name << " in the data folder is not what the generator makes";
    }
}

TEST(FinishImage, UncoveredPixelsBecomeTheKeyAndCoveredOnesNeverDo)
{
    Canvas canvas(8, 8);
    canvas.fill({0, 0, 2, 8}, {0, 0, 1});           // painted pure blue: must stay opaque
    canvas.fill({2, 0, 4, 8}, {0, 6 / 255.0f, 1});  // the key in 5-5-5 only: must stay opaque too
    canvas.fill({4, 0, 8, 4}, {0.5f, 0.25f, 1});    // an ordinary colour
    // (4..7, 4..7) is left uncovered.
    const Image24 image = finishImage(canvas);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint8_t* p = &image.rgb[size_t(y * 8 + x) * 3];
            const bool key = p[0] == 0 && p[1] == 0 && p[2] == 255;
            EXPECT_EQ(key, x >= 4 && y >= 4) << x << "," << y;
            // Opaque pixels stay clear of the key in 5-5-5, and so in 5-6-5 too.
            EXPECT_TRUE(key || !((p[0] >> 3) == 0 && (p[1] >> 3) == 0 && (p[2] >> 3) == 31)) << x << "," << y;
        }
    // Full intensity stays full, and a level survives keeping the top five bits.
    const uint8_t* ordinary = &image.rgb[size_t(0 * 8 + 4) * 3];
    EXPECT_EQ(ordinary[2], 255);
    EXPECT_NEAR(ordinary[0] >> 3, 16, 1);
}

TEST(FinishImage, HalfCoverageBecomesAnEvenScreenDoor)
{
    Canvas half(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            half.paint(x, y, {1, 1, 1}, 0.5f);
    const Image24 image = finishImage(half);
    int opaque = 0;
    for (size_t i = 0; i < image.rgb.size(); i += 3)
        opaque += !(image.rgb[i] == 0 && image.rgb[i + 1] == 0 && image.rgb[i + 2] == 255);
    EXPECT_EQ(opaque, 128);
}

}  // namespace
