#include "effects/rain_grid.h"

#include <gtest/gtest.h>

#include <string>

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

// Seeded 1: the first three lines, then every cell eight binary digits with at most one
// blank and a terminator, 220 of the 320 lines with a blank.
TEST(RainGrid, LinesOfSeedOne)
{
    const RainGrid grid = freshGrid();
    EXPECT_EQ(lineOf(grid, 0, 0), " 0010011");
    EXPECT_EQ(lineOf(grid, 1, 0), "01111111");
    EXPECT_EQ(lineOf(grid, 2, 0), "100100 0");
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

}  // namespace
