// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Translucent full-screen quads laid over a finished 3D frame: white for flashes,
// black for fading out. A level of 1 covers the frame, 0 leaves it unchanged.
#pragma once

#include "display/display_context.h"

void drawWhiteFade(float level, DisplayContext* context);
void drawBlackFade(float level, DisplayContext* context);
