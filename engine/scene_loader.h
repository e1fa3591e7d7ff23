// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Reads a 3D Studio mesh file (.3ds) into a Scene: meshes with vertices, faces,
// texture coordinates, local frame and normals; omni lights and spotlights; the camera.
// Points are stored as (file x, file z, file y) and every triangle's corners reversed,
// turning the file's right-handed z-up space into the renderer's left-handed y-up one.
#pragma once

#include "engine/scene.h"

#include <cstddef>
#include <cstdint>

// 0 when the file was read and the scene filled (zeroed first), 1 when it cannot be
// opened (the scene is then left untouched).
int loadScene(const char* fileName, Scene* scene);

// The same from a file image in memory. Never reads outside [data, data + size): a
// chunk cut short or lying ends the walk, keeping what was read before it. Returns 0.
int loadSceneFromMemory(const uint8_t* data, size_t size, Scene* scene);
