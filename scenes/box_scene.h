// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The second 3D scene: boxes in a window over a picture, with circling lights.
#pragma once

#include "display/display_context.h"
#include "engine/scene.h"

// Loaded from box.3ds; its camera position and the positions of lights 0 and 1 are
// rewritten every frame.
extern Scene boxScene;

void loadBoxScene(DisplayContext* context);
void drawBoxScene(float time, DisplayContext* context);
void releaseBoxScene(DisplayContext* context);

// Narrows the viewport to the scene's window, 249 x 193 pixels at (376, 82).
void setBoxViewport(DisplayContext* context);
