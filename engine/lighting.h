// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The engine's own vertex lighting: five kinds of light summed per vertex on the CPU.
#pragma once

#include "engine/scene.h"
#include "engine/vector_math.h"

// How strongly a light of kind omni, spot, directional or point reaches a point P
// with normal N; the light adds factor x colour only when the factor is above 0
// (a factor that is not a number adds nothing). Ambient and unknown kinds give 0.
float lightFactor(const SceneLight& light, Vector3 position, Vector3 normal);

// Lights one vertex with every light of the list: the sum starts from the vertex's
// base colour, each channel is clamped to at most 1 and then scaled by the model
// colour. Writes litR, litG, litB.
void lightVertex(const SceneLight* lights, uint32_t lightCount, const MeshVertex& model, LitVertex& lit);

// lightVertex for `count` vertices at once, with the very same results: a light at a time
// over every vertex, so that what depends on the light alone is worked out once.
void lightVertices(const SceneLight* lights, uint32_t lightCount, const MeshVertex* models, LitVertex* lits,
                   uint32_t count);
