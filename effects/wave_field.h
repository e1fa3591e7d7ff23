// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A rippling field of blue shades from sums of sines, smoothed by halving interpolation.
#pragma once

#include "display/display_context.h"

#include <cstdint>

constexpr int waveFieldRows = 253;
constexpr int waveFieldColumns = 213;

// Row-major, rows 213 values apart; every value 0..30, shown as a pure blue of that level.
extern uint16_t waveField[waveFieldRows * waveFieldColumns];

void computeWaveField(float time);
void drawWaveField(float time, DisplayContext* context);
