// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/scene_loading.h"

#include "engine/vector_math.h"

#include <cmath>
#include <cstdlib>
#include <vector>

void dropFacesOutsideMesh(Mesh* mesh)
{
    uint32_t kept = 0;
    for (uint32_t i = 0; i < mesh->faceCount; ++i) {
        const MeshFace& face = mesh->faces[i];
        bool inside = face.indices[0] < mesh->vertexCount && face.indices[1] < mesh->vertexCount &&
                      face.indices[2] < mesh->vertexCount;
        if (inside)
            mesh->faces[kept++] = face;
    }
    if (kept == 0 && mesh->faceCount != 0) {
        std::free(mesh->faces);
        mesh->faces = nullptr;
    }
    mesh->faceCount = kept;
}

namespace {

Vector3 positionOf(const MeshVertex& v) { return {v.x, v.y, v.z}; }

// The unit normal of the face's plane; a face of zero area has none and gives zero.
Vector3 faceNormal(const Mesh& mesh, const MeshFace& face)
{
    Vector3 a = positionOf(mesh.vertices[face.indices[0]]);
    Vector3 n = cross(subtract(positionOf(mesh.vertices[face.indices[1]]), a),
                      subtract(positionOf(mesh.vertices[face.indices[2]]), a));
    float length = std::sqrt(lengthSquared(n));
    if (length == 0.0f)
        return {0.0f, 0.0f, 0.0f};
    divideVector(&n, &n, length);
    return n;
}

}  // namespace

// Each vertex normal is the mean of the normals of the faces using it, summed in face
// order; a face naming one vertex twice counts once for it. One pass over the faces
// gives each vertex exactly the sums of a scan of every face per vertex.
void computeVertexNormals(Mesh* mesh)
{
    std::vector<uint32_t> uses(mesh->vertexCount, 0);
    for (uint32_t i = 0; i < mesh->vertexCount; ++i) {
        MeshVertex& v = mesh->vertices[i];
        v.nx = v.ny = v.nz = 0.0f;
    }
    for (uint32_t f = 0; f < mesh->faceCount; ++f) {
        const MeshFace& face = mesh->faces[f];
        Vector3 n = faceNormal(*mesh, face);
        const uint32_t* idx = face.indices;
        for (int corner = 0; corner < 3; ++corner) {
            uint32_t index = idx[corner];
            if ((corner > 0 && index == idx[0]) || (corner > 1 && index == idx[1]))
                continue;
            MeshVertex& v = mesh->vertices[index];
            v.nx += n.x;
            v.ny += n.y;
            v.nz += n.z;
            ++uses[index];
        }
    }
    for (uint32_t i = 0; i < mesh->vertexCount; ++i) {
        if (uses[i] == 0)
            continue;
        MeshVertex& v = mesh->vertices[i];
        float k = float(uses[i]);
        v.nx /= k;
        v.ny /= k;
        v.nz /= k;
    }
}
