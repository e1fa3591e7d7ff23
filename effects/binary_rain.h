// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The opening effect: columns of green binary digits scrolling up under the title overlay.
#pragma once

#include "display/display_context.h"
#include "effects/rain_grid.h"

// The rain's text, filled by initBinaryRain and scrolled one row by each drawn frame.
extern RainGrid rainGrid;

void initBinaryRain(DisplayContext* context);
// Seeds the rain's generator again, as a fresh process has it, for a show started
// afresh in the same process.
void reseedBinaryRain();
void drawBinaryRain(float time, DisplayContext* context);
