// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The first 3D scene: an orbiting camera around a swelling house, with flashes on the beat.
#pragma once

#include "display/display_context.h"
#include "engine/scene.h"

// The unchanging model: mesh 0's positions and normals and the camera are read from it
// every frame. Its mesh 0 faces and its lights are dropped right after loading.
extern Scene houseSourceScene;
// The scene drawn: its camera x, z and its mesh 0 positions are rewritten every frame.
extern Scene houseScene;

void loadHouseScene(DisplayContext* context);
void drawHouseScene(float time, DisplayContext* context);
void releaseHouseScene(DisplayContext* context);
