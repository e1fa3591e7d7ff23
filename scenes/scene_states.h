// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What the 3D scenes do on the device before they draw: the clear of their window's
// colour and depth.
#pragma once

#include "display/display_context.h"
#include "display/screen.h"

// Records rect as the context's clearRect and clears colour and depth inside it.
void clearSceneRect(const D3DRECT& rect, DisplayContext* context);

constexpr D3DRECT fullScreenRect = {0, 0, screenWidth, screenHeight};
