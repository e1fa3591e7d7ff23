// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Two sets of dashed rings drifting over each other into a moire.
#pragma once

#include "display/display_context.h"

struct RingCentre {
    int x, y;
};

// The centres of the pale blue set A and the pale yellow set B at local time t: each
// swings up to 30 pixels round the window's centre, offsets truncated toward zero.
RingCentre ringCentreA(float time);
RingCentre ringCentreB(float time);

void drawCircleInterference(float time, DisplayContext* context);
