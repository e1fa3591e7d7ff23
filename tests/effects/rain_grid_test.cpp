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

TEST(RainGrid, FirstLinesOfSeedOne)
{
    const RainGrid grid = freshGrid();
    EXPECT_EQ(lineOf(grid, 0, 0), " 0010011");
    EXPECT_EQ(lineOf(grid, 1, 0), "01111111");
    EXPECT_EQ(lineOf(grid, 2, 0), "100100 0");
}

TEST(RainGrid, EveryCellHoldsEightCharactersAndATerminator)
{
    const RainGrid grid = freshGrid();
    int linesWithBlank = 0;
    for (int column = 0; column < rainColumns; ++column) {
        for (int row = 0; row < rainRows; ++row) {
            const char* line = rainLine(grid, row, column);
            int blanks = 0;
            for (int i = 0; i < rainLineLength; ++i) {
                ASSERT_TRUE(line[i] == '0' || line[i] == '1' || line[i] == ' ') << row << "," << column;
                blanks += line[i] == ' ';
            }
            EXPECT_EQ(line[rainLineLength], '\0');
            EXPECT_LE(blanks, 1);
            linesWithBlank += blanks;
        }
    }
    EXPECT_EQ(linesWithBlank, 220);
}

TEST(RainGrid, ScrollingMovesRowsUpAndWrapsAfterFortyFrames)
{
    const RainGrid generated = freshGrid();
    RainGrid grid = generated;
    scrollRainGrid(grid);
    for (int column = 0; column < rainColumns; ++column) {
        EXPECT_EQ(lineOf(grid, 0, column), lineOf(generated, 1, column));
        EXPECT_EQ(lineOf(grid, 38, column), lineOf(generated, 39, column));
        EXPECT_EQ(lineOf(grid, 39, column), lineOf(generated, 0, column));
    }
    for (int frame = 1; frame < rainRows; ++frame)
        scrollRainGrid(grid);
    for (int column = 0; column < rainColumns; ++column)
        for (int row = 0; row < rainRows; ++row)
            EXPECT_EQ(lineOf(grid, row, column), lineOf(generated, row, column));
}

} // namespace
