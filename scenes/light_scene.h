// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The light-beam scene: a wireframe lattice, a moving light and a bouncing swarm of tetrahedra.
#pragma once

#include "display/display_context.h"
#include "engine/scene.h"
#include "scenes/particles.h"

// Loaded from light.3ds; light 1 moves and the camera follows particle 10.
extern Scene lightScene;

void loadLightScene(DisplayContext* context);
void drawLightScene(float time, DisplayContext* context);
void releaseLightScene(DisplayContext* context);

// Where light 1 is at t: on three sines of radius 20; (0, 20, 0) at t = 0.
void movingLightPosition(float t, float position[3]);
