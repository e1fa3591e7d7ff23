// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The records of one 3D scene: what one 3D Studio mesh file yields (meshes, lights,
// one camera). Plain data; the loader fills it, the renderer draws it and the scene
// that owns it animates its fields directly between frames.
//
// Space is left-handed with y up. Lists are heap blocks (std::malloc / std::realloc)
// owned by the Scene exactly when their count is non-zero: code that frees a list
// early frees it with std::free and sets its count to 0 in the same step.
#pragma once

#include <cstdint>

constexpr int sceneNameSize = 128;  // names are zero-terminated, at most 127 characters

struct SceneCamera {
    float position[3];  // eye point
    float target[3];    // point looked at
    float roll;         // the file's bank angle, copied unconverted; used as radians
    float fieldOfView;  // radians
    char name[sceneNameSize];
};

// Model data as loaded.
struct MeshVertex {
    float x, y, z;
    float r, g, b, a;  // vertex colour, 1.0 each at load; a is the alpha of the drawn colour
    float u, v;        // texture coordinates, carried but never drawn
    float nx, ny, nz;  // mean of the unit normals of the faces using the vertex
};

// The renderer's per-frame working copy of one vertex.
struct LitVertex {
    float x, y, z;              // world-space position
    float baseR, baseG, baseB;  // where the light sum starts; zero from the load
    float litR, litG, litB;     // lit colour 0..1
    float nx, ny, nz;           // world-space normal
};

struct MeshFace {
    uint32_t indices[3];  // into the mesh's vertex arrays, in drawing order; always < vertexCount
};

struct Mesh {
    MeshFace* faces;
    uint32_t faceCount;
    MeshVertex* vertices;
    LitVertex* transformedVertices;  // same count as vertices
    uint32_t vertexCount;
    // Local frame, row by row (element (r, c) at 4r + c), applied to column vectors:
    // columns 0-2 the local axes, column 3 the origin, all in the file's axis order.
    float transform[16];
    uint32_t fillMode;      // a Direct3D fill mode: 3 solid, 2 wireframe
    uint32_t lightingMode;  // one of the LightingMode values
    char name[sceneNameSize];
};

enum LightingMode : uint32_t {
    lightingLit = 0,    // the scene's lights light every vertex
    lightingUnlit = 1,  // the vertex colour is drawn as it is
    // any other value keeps the lit colour of the previous frame
};

enum class LightKind : uint32_t {
    omni = 0,         // point light limited by range, with attenuation
    spot = 1,         // cone between hotspot and falloff
    directional = 2,  // direction points toward the light
    ambient = 3,      // adds its colour everywhere
    point = 4,        // point light without range or attenuation
    // values above 4 light nothing
};

struct SceneLight {
    LightKind kind;
    float colour[3];
    float position[3];
    float direction[3];  // unit; spot: toward the target, directional: toward the light
    float range;
    float spotExponent;  // exactly 1.0 gives a linear cone edge
    float attenuation0, attenuation1, attenuation2;
    float hotspot;  // half-angle of the fully lit cone, radians
    float falloff;  // half-angle of the outer cone, radians
    char name[sceneNameSize];
};

struct Scene {
    Mesh* meshes;
    uint32_t meshCount;
    SceneLight* lights;
    uint32_t lightCount;
    SceneCamera camera;  // all zero when the file has none
};

// Frees every list the scene owns (a list is owned while its count is non-zero).
// The record is not cleared.
void releaseScene(Scene* scene);
