// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/scene.h"

#include <cstdlib>

void releaseScene(Scene* scene)
{
    for (uint32_t i = 0; i < scene->meshCount; ++i) {
        Mesh& mesh = scene->meshes[i];
        if (mesh.faceCount != 0)
            std::free(mesh.faces);
        if (mesh.vertexCount != 0) {
            std::free(mesh.vertices);
            std::free(mesh.transformedVertices);
        }
    }
    if (scene->meshCount != 0)
        std::free(scene->meshes);
    if (scene->lightCount != 0)
        std::free(scene->lights);
}
