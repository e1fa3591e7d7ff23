// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The house scene's per-frame decisions, each a function of the local time alone:
// the orbit of the camera, the wandering direction that swells the first mesh, the
// white flashes and what lies in the bottom band.
#pragma once

#include "engine/scene.h"
#include "engine/vector_math.h"
#include "scenes/scene_beat.h"

// The source camera turned about the vertical axis by t / 30 radians; only x and z
// of the position change.
void orbitHouseCamera(float t, const SceneCamera& source, SceneCamera* camera);

// The unit direction the swelling follows at t; the zero vector at t = 0, where the
// direction has no length (every vertex then keeps its source position).
Vector3 wanderingDirection(float t);

// How far a vertex with this normal is pushed out: 1 across the direction (or for a
// zero normal), 1.5 along it or against it.
float swellFactor(Vector3 direction, Vector3 normal);

// Rewrites the positions of target's vertices as the source's scaled by their swell
// factors; over the vertices both meshes have.
void swellMesh(const Mesh& source, Vector3 direction, Mesh* target);

// A flash on every beat and another 12.5 ticks after it, each falling from 1 to 0
// over 10 ticks.
FlashLevel houseFlashLevel(float t);

// What the bottom band shows: a keyed picture, a black quad over the whole frame, or
// nothing at all.
struct HouseBand {
    enum Kind { picture, blackFade, nothing } kind;
    int pictureIndex;  // for picture
    float blackLevel;  // for blackFade
};
HouseBand houseBand(float t);
