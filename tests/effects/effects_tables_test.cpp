// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/circle_interference.h"
#include "effects/greetings_scroller.h"
#include "effects/greetings_text.h"
#include "effects/rain_grid.h"
#include "effects/warp_tables.h"
#include "effects/wave_field.h"

#include "effect_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string lineOf(const RainGrid& grid, int row, int column)
{
    return std::string(rainLine(grid, row, column), rainLineLength);
}

RainGrid freshGrid()
{
    RainGrid grid{};
    RandomState random;
    fillRainGrid(grid, random);
    return grid;
}

// Seeded 1: the first three lines; every cell eight digits, a terminator, at most one blank (220 lines of 320).
TEST(RainGrid, LinesOfSeedOne)
{
    const RainGrid grid = freshGrid();
    EXPECT_EQ((std::vector{lineOf(grid, 0, 0), lineOf(grid, 1, 0), lineOf(grid, 2, 0)}),
              (std::vector<std::string>{" 0010011", "01111111", "100100 0"}));
    int linesWithBlank = 0;
    for (int column = 0; column < rainColumns; ++column)
        for (int row = 0; row < rainRows; ++row) {
            const std::string line = lineOf(grid, row, column);
            ASSERT_EQ(line.find_first_not_of("01 "), std::string::npos) << row << "," << column;
            EXPECT_EQ(rainLine(grid, row, column)[rainLineLength], '\0');
            const auto blanks = std::count(line.begin(), line.end(), ' ');
            EXPECT_LE(blanks, 1);
            linesWithBlank += int(blanks);
        }
    EXPECT_EQ(linesWithBlank, 220);
}

TEST(RainGrid, ScrollingMovesRowsUpAndWrapsAfterFortyFrames)
{
    const RainGrid generated = freshGrid();
    RainGrid grid = generated;
    for (int frame = 1; frame <= rainRows; ++frame) {
        scrollRainGrid(grid);
        for (int column = 0; column < rainColumns; ++column)
            for (int row = 0; row < rainRows; ++row)
                ASSERT_EQ(lineOf(grid, row, column), lineOf(generated, (row + frame) % rainRows, column))
                    << "frame " << frame << " row " << row << " column " << column;
    }
}

uint16_t entry(int r, int k) { return warpOffsetTable[r * warpBlockColumns + k]; }
constexpr uint16_t vu(int v, int u) { return uint16_t(v << 8 | u); }

TEST(WarpSineTable, TruncatesFiftySinesTowardZero)
{
    buildWarpSineTable();
    const std::pair<int, int> values[] = {{0, 0},     {3, 0},     {4, 1},    {256, 50},
                                          {768, -50}, {824, -47}, {1021, 0}, {1023, 0}};
    for (auto [i, value] : values)
        EXPECT_EQ(warpSineTable[i], value) << i;
    EXPECT_EQ(std::count(warpSineTable, warpSineTable + warpSineCount, 50), 1);
    EXPECT_EQ(std::count(warpSineTable, warpSineTable + warpSineCount, -50), 1);
}

TEST(WarpOffsetTable, EntriesAndTexelsAtTheFirstTwoSteps)
{
    buildWarpSineTable();
    struct Case {
        int step, r, k;
        uint16_t entry, texel;
    } cases[] = {
        {0, 0, 0, vu(47, 0), 12032},  // s(-200) is entry 824, -47
        {0, 0, 1, vu(46, 1), 11777},
        {0, 239, 319, vu(184, 9), 47113},
        {3, 0, 0, vu(50, 254), vu(66, 4)},  // 1 <= t < 2: adding 3846 carries from u into v
    };
    for (const Case& c : cases) {
        buildWarpOffsetTable(c.step);
        EXPECT_EQ(entry(c.r, c.k), c.entry) << c.step << " " << c.r << "," << c.k;
        EXPECT_EQ(warpTexelIndex(entry(c.r, c.k), c.step), c.texel) << c.step << " " << c.r << "," << c.k;
    }
}

TEST(TexelTable, ConvertsToBothPixelFormats)
{
    // Only the top five bits of each channel count, green's too in 5-6-5.
    const std::array<int, 5> cases[] = {{255, 255, 255, 0xFFDF, 0x7FFF},
                                        {255, 0, 0, 0xF800, 0x7C00},
                                        {0, 255, 0, 0x07C0, 0x03E0},
                                        {0, 0, 255, 0x001F, 0x001F},
                                        {7, 7, 7, 0, 0}};
    for (auto [r, g, b, in565, in555] : cases) {
        EXPECT_EQ(convertTexel(uint8_t(r), uint8_t(g), uint8_t(b), false), in565) << r << "," << g << "," << b;
        EXPECT_EQ(convertTexel(uint8_t(r), uint8_t(g), uint8_t(b), true), in555) << r << "," << g << "," << b;
    }
}

TEST(TexelTable, FastRowGatherMatchesThePlainOne)
{
    for (int n = 0; n < texelCount; ++n)
        texelTable[n] = uint16_t(n * 40503u);
    uint16_t entries[warpBlockColumns];
    for (int k = 0; k < warpBlockColumns; ++k)
        entries[k] = uint16_t(k * 2654435761u >> 7);
    entries[0] = 0;
    entries[1] = entries[319] = 0xFFFF;  // the very last texel
    for (int step : {0, 3, -6, 1200}) {
        uint32_t fast[warpBlockColumns], plain[warpBlockColumns];
        gatherWarpRow(entries, step, fast);
        gatherWarpRowPlain(entries, step, plain);
        for (int k = 0; k < warpBlockColumns; ++k) {
            ASSERT_EQ(fast[k], plain[k]) << "step " << step << " k " << k;
            const uint32_t texel = texelTable[uint16_t(entries[k] + 1282 * step)];
            ASSERT_EQ(plain[k], texel | texel << 16);
        }
    }
}

TEST(TexelTable, ReadsTexelsInFileOrderAndTheRestAreBlack)
{
    std::vector<uint8_t> bytes;
    for (int n = 0; n < texelCount; ++n)
        bytes.insert(bytes.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(n * 7)});
    loadTexelTable(writeTestFile("warp_full.raw", bytes).c_str(), false);
    for (int n : {0, 1, 255, 256, 4097, 65535})
        EXPECT_EQ(texelTable[n], convertTexel(uint8_t(n), uint8_t(n >> 8), uint8_t(n * 7), false)) << n;

    struct Case {
        const char* path;
        int texels;  // what the file supplies, white
    };
    // A folder opens but cannot be read: none of its texels are the file's.
    const Case cases[] = {{"no/such/screen1tex.raw", 0}, {"warp_short.raw", 1000}, {MORNAKLE_BINARY_DIR, 0}};
    for (const Case& c : cases) {
        std::fill(std::begin(texelTable), std::end(texelTable), uint16_t(0xABCD));
        const std::string path = c.texels ? writeTestFile(c.path, std::vector<uint8_t>(3 * c.texels, 255)) : c.path;
        loadTexelTable(path.c_str(), true);
        for (int n = 0; n < texelCount; ++n)
            ASSERT_EQ(texelTable[n], n < c.texels ? 0x7FFF : 0) << c.path << " " << n;
    }
}

TEST(WaveField, ValuesAtTimesZeroAndTen)
{
    const std::tuple<float, int, std::vector<int>> cases[] = {
        {0, 0, {15, 14, 15, 15, 16, 13, 11, 8, 7}},    {0, 1, {13}}, {0, 2, {12}}, {0, 4, {11}},
        {10, 0, {11, 10, 10, 10, 11, 11, 13, 14, 17}}, {10, 4, {1}}};
    for (const auto& [t, r, start] : cases) {
        computeWaveField(t);
        const uint16_t* row = waveField + r * waveFieldColumns;
        EXPECT_EQ(std::vector<int>(row, row + start.size()), start) << "t " << t << " row " << r;
    }
}

TEST(WaveField, StaysWithinItsRange)
{
    for (float t = 0; t < 266.7f; t += 1.3f) {
        computeWaveField(t);
        const auto [low, high] = std::minmax_element(std::begin(waveField), std::end(waveField));
        ASSERT_TRUE(*low >= 0 && *high <= 30) << t;
    }
}

TEST(RingCentres, SwingRoundTheWindowCentreTruncatedTowardZero)
{
    // At t 10, 30 sin(-10/13) = -20.87 gives -20.
    const std::pair<float, std::array<int, 4>> cases[] = {
        {0, {420, 240, 420, 240}}, {10, {445, 262, 449, 220}}, {100, {404, 266, 449, 211}}};
    for (auto [t, expected] : cases) {
        const RingCentre a = ringCentreA(t), b = ringCentreB(t);
        EXPECT_EQ((std::array{a.x, a.y, b.x, b.y}), expected) << t;
    }
    for (float t = 0; t < 133.4f; t += 0.7f)
        for (RingCentre c : {ringCentreA(t), ringCentreB(t)})
            EXPECT_TRUE(std::abs(c.x - 420) <= 30 && std::abs(c.y - 240) <= 30) << t;
}

TEST(GreetingsScroller, PositionAdvancesInWholeCharacters)
{
    // At 21.4 the first letter enters; 266.6666259765625 is the span's last instant; outside it the window
    // stays in the line.
    const std::pair<float, int> positions[] = {
        {0, 0},          {1, 2},
        {100, 210},      {200, 421},
        {21.3f, 44},     {21.4f, 45},
        {266.666f, 561}, {266.6666259765625f, 561},
        {-5, 0},         {1000, int(GreetingsText.size()) - 1 - greetingsWindowChars}};
    for (auto [t, p] : positions)
        EXPECT_EQ(greetingsScrollPosition(t), p) << t;
}

// 124 blanks, a message of 394 characters, 124 blanks; letters of a word one blank apart, words three.
TEST(GreetingsText, SpreadsTheMessageBetweenBlankMargins)
{
    const std::string line(GreetingsText.data());
    ASSERT_EQ(line.size(), 642u);
    EXPECT_EQ(std::pair(line.find_first_not_of(' '), line.find_last_not_of(' ')), std::pair(124ul, 642ul - 124 - 1));
    const std::string message = line.substr(124, 394);
    EXPECT_TRUE(std::regex_match(message, std::regex("[^ ]+(( |   )[^ ]+)*"))) << message;
    auto count = [&](int (*is)(int)) {
        return std::count_if(message.begin(), message.end(), [&](unsigned char c) { return is(c) != 0; });
    };
    EXPECT_EQ(count(std::isdigit), 1);
    EXPECT_GT(count(std::isupper), 0);
    EXPECT_GT(count(std::islower), 5 * count(std::isupper));
}

}  // namespace
