// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/scene_loading.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t solidFill = 3;      // D3DFILL_SOLID
constexpr size_t fileVertexSize = 12;  // float x, y, z
constexpr size_t fileFaceSize = 8;     // u16 a, b, c, flags
constexpr size_t fileUvSize = 8;       // float u, v
constexpr size_t localFrameSize = 48;  // 12 floats

Mesh* currentMesh(LoadState& state)
{
    return state.scene->meshCount ? &state.scene->meshes[state.currentMesh] : nullptr;
}

void freeVertices(Mesh* mesh)
{
    if (mesh->vertexCount != 0) {
        std::free(mesh->vertices);
        std::free(mesh->transformedVertices);
    }
    mesh->vertices = nullptr;
    mesh->transformedVertices = nullptr;
    mesh->vertexCount = 0;
}

void freeFaces(Mesh* mesh)
{
    if (mesh->faceCount != 0)
        std::free(mesh->faces);
    mesh->faces = nullptr;
    mesh->faceCount = 0;
}

// p / d, or 0 where d is zero or not a number (an axis of zero length).
float divideOrZero(float p, float d) { return (d == 0.0f || std::isnan(d)) ? 0.0f : p / d; }

void normalise(float* v)
{
    float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int i = 0; i < 3; ++i)
        v[i] /= length;
}

// A list's u16 count, when the count and all its entries lie inside the file.
bool readCountedList(ByteReader& in, size_t entrySize, uint16_t& count)
{
    if (!in.has(2))
        return false;
    count = in.u16();
    return in.has(count * entrySize);
}

}  // namespace

ChunkStep readTriangleMesh(LoadState& state)
{
    Scene* scene = state.scene;
    if (!appendZeroedRecord(scene->meshes, scene->meshCount))
        return ChunkStep::stop;
    Mesh& mesh = scene->meshes[scene->meshCount - 1];
    mesh.fillMode = solidFill;
    std::memcpy(mesh.name, state.name, sceneNameSize);
    state.currentMesh = scene->meshCount - 1;
    return ChunkStep::next;
}

// A second vertex list for the same mesh replaces the first.
ChunkStep readVertexList(LoadState& state)
{
    Mesh* mesh = currentMesh(state);
    if (mesh == nullptr)
        return ChunkStep::skipWhole;
    ByteReader& in = state.reader;
    uint16_t count;
    if (!readCountedList(in, fileVertexSize, count))
        return ChunkStep::stop;
    freeVertices(mesh);
    if (count == 0)
        return ChunkStep::next;
    auto* vertices = static_cast<MeshVertex*>(std::malloc(count * sizeof(MeshVertex)));
    auto* lit = static_cast<LitVertex*>(std::calloc(count, sizeof(LitVertex)));
    if (vertices == nullptr || lit == nullptr) {
        std::free(vertices);
        std::free(lit);
        return ChunkStep::stop;
    }
    for (uint16_t i = 0; i < count; ++i) {
        MeshVertex& v = vertices[i];
        std::memset(&v, 0, sizeof v);  // u, v and the normal are set later, if at all
        v.x = in.f32();
        v.z = in.f32();
        v.y = in.f32();
        v.r = v.g = v.b = v.a = 1.0f;
    }
    mesh->vertices = vertices;
    mesh->transformedVertices = lit;
    mesh->vertexCount = count;
    return ChunkStep::next;
}

// A second face list for the same mesh replaces the first. Indices are checked
// against the mesh's vertices once the whole file is read.
ChunkStep readFaceList(LoadState& state)
{
    Mesh* mesh = currentMesh(state);
    if (mesh == nullptr)
        return ChunkStep::skipWhole;
    ByteReader& in = state.reader;
    uint16_t count;
    if (!readCountedList(in, fileFaceSize, count))
        return ChunkStep::stop;
    freeFaces(mesh);
    if (count == 0)
        return ChunkStep::next;
    auto* faces = static_cast<MeshFace*>(std::malloc(count * sizeof(MeshFace)));
    if (faces == nullptr)
        return ChunkStep::stop;
    for (uint16_t i = 0; i < count; ++i) {
        uint32_t first = in.u16();
        uint32_t second = in.u16();
        uint32_t third = in.u16();
        in.u16();  // edge and visibility flags, not used
        faces[i] = {{third, second, first}};
    }
    mesh->faces = faces;
    mesh->faceCount = count;
    return ChunkStep::next;
}

// The chunk's own count is not used: one pair is read for each vertex of the mesh.
ChunkStep readTextureCoordinates(LoadState& state)
{
    Mesh* mesh = currentMesh(state);
    if (mesh == nullptr)
        return ChunkStep::skipWhole;
    ByteReader& in = state.reader;
    if (!in.has(2 + size_t(mesh->vertexCount) * fileUvSize))
        return ChunkStep::stop;
    in.u16();
    for (uint32_t i = 0; i < mesh->vertexCount; ++i) {
        mesh->vertices[i].u = in.f32();
        mesh->vertices[i].v = in.f32();
    }
    return ChunkStep::next;
}

// The mesh's local axes and origin, in the file's own axis order. Vertices already
// loaded are taken into the local frame (the renderer's use of the transform brings
// them back out).
ChunkStep readLocalFrame(LoadState& state)
{
    Mesh* mesh = currentMesh(state);
    if (mesh == nullptr)
        return ChunkStep::skipWhole;
    ByteReader& in = state.reader;
    if (!in.has(localFrameSize))
        return ChunkStep::stop;
    float axes[3][3];
    float origin[3];
    for (auto& axis : axes) {
        for (float& component : axis)
            component = in.f32();
        normalise(axis);
    }
    for (float& component : origin)
        component = in.f32();

    float* m = mesh->transform;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            m[4 * row + column] = axes[column][row];
        m[4 * row + 3] = origin[row];
    }

    for (uint32_t i = 0; i < mesh->vertexCount; ++i) {
        MeshVertex& v = mesh->vertices[i];
        float x = v.x - origin[0];
        float y = v.y - origin[1];
        float z = v.z - origin[2];
        v.x = divideOrZero(x, m[0]) + divideOrZero(y, m[1]) + divideOrZero(z, m[2]);
        v.y = divideOrZero(x, m[4]) + divideOrZero(y, m[5]) + divideOrZero(z, m[6]);
        v.z = divideOrZero(x, m[8]) + divideOrZero(y, m[9]) + divideOrZero(z, m[10]);
    }
    return ChunkStep::next;
}
