// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The one drawing entry of the 3D engine.
#pragma once

#include "d3d.h"
#include "engine/scene.h"
#include "engine/vector_math.h"

// Sets the view and projection from the scene's camera, then for each mesh sets its
// fill mode, transforms and lights every vertex on the CPU into transformedVertices
// and sends each face's corners as pre-lit vertices in one triangle list per mesh.
// Allocates nothing; sets no render state other than the fill mode.
void renderScene(Scene* scene, IDirect3DDevice2* device);

// A view or projection matrix in the record SetTransform takes (the same layout).
D3DMATRIX toDeviceMatrix(const Matrix4& matrix);
