// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The binary rain's text: 40 rows of eight short lines of "0", "1" and blanks, and the
// 15-bit generator that fills it. The generator starts at 1 and is never reseeded, so
// the rain looks the same on every run.
#pragma once

#include <cstdint>

// The generator's one 32-bit state; 1 at start-up.
struct RandomState {
    uint32_t value = 1;
};

// state = state * 214013 + 2531011 (mod 2^32); returns bits 16..30 of the new state.
unsigned nextRandom(RandomState& state);

constexpr int rainRows = 40;
constexpr int rainColumns = 8;
constexpr int rainRowChars = 80;   // eight cells a row
constexpr int rainCellChars = 10;  // 8 characters, the terminator, one unused
constexpr int rainLineLength = 8;

// 40 rows x 80 characters; the line of column k in row r starts at 80r + 10k.
struct RainGrid {
    char text[rainRows * rainRowChars];
};

char* rainLine(RainGrid& grid, int row, int column);
const char* rainLine(const RainGrid& grid, int row, int column);

// Writes every line, column by column and top to bottom within each column: eight
// random bits, then in about 69% of lines one digit blanked at a random position.
void fillRainGrid(RainGrid& grid, RandomState& random);

// Moves every row up by one; the top row wraps round to the bottom.
void scrollRainGrid(RainGrid& grid);
