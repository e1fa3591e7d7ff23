// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/rain_grid.h"

#include <cstdio>
#include <cstring>

namespace {

// The multiplier and increment of the C library's classic linear congruential rand().
constexpr uint32_t randomMultiplier = 214013;
constexpr uint32_t randomIncrement = 2531011;

// A line keeps all its digits when this draw is 10000 or less.
constexpr unsigned blankThreshold = 10000;

}  // namespace

unsigned nextRandom(RandomState& state)
{
    state.value = state.value * randomMultiplier + randomIncrement;
    return (state.value >> 16) & 0x7FFF;
}

char* rainLine(RainGrid& grid, int row, int column) { return grid.text + row * rainRowChars + column * rainCellChars; }

const char* rainLine(const RainGrid& grid, int row, int column)
{
    return grid.text + row * rainRowChars + column * rainCellChars;
}

void fillRainGrid(RainGrid& grid, RandomState& random)
{
    for (int column = 0; column < rainColumns; ++column) {
        for (int row = 0; row < rainRows; ++row) {
            unsigned bits[rainLineLength];
            for (unsigned& bit : bits)
                bit = nextRandom(random) & 1;
            // The last draw comes first in the line.
            char* line = rainLine(grid, row, column);
            std::snprintf(line, rainCellChars, "%u%u%u%u%u%u%u%u", bits[7], bits[6], bits[5], bits[4], bits[3], bits[2],
                          bits[1], bits[0]);
            if (nextRandom(random) > blankThreshold)
                line[nextRandom(random) & 7] = ' ';
        }
    }
}

void scrollRainGrid(RainGrid& grid)
{
    for (int column = 0; column < rainColumns; ++column) {
        char kept[rainCellChars];
        std::memcpy(kept, rainLine(grid, 0, column), rainCellChars);
        for (int row = 0; row + 1 < rainRows; ++row)
            std::memcpy(rainLine(grid, row, column), rainLine(grid, row + 1, column), rainCellChars);
        std::memcpy(rainLine(grid, rainRows - 1, column), kept, rainCellChars);
    }
}
