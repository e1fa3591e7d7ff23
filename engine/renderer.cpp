// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/renderer.h"

#include "engine/colour.h"
#include "engine/lighting.h"
#include "engine/vector_math.h"

#include <bit>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr float nearPlane = 10.0f;
constexpr float farPlane = 500.0f;

void setCamera(const SceneCamera& camera, IDirect3DDevice2* device)
{
    Vector3 up{std::sin(camera.roll), std::cos(camera.roll), 0.0f};  // roll taken as radians
    Vector3 eye{camera.position[0], camera.position[1], camera.position[2]};
    Vector3 at{camera.target[0], camera.target[1], camera.target[2]};
    Matrix4 view;
    Matrix4 projection;
    D3DMATRIX viewState = toDeviceMatrix(*lookAtMatrix(&view, eye, at, up));
    D3DMATRIX projectionState = toDeviceMatrix(*projectionMatrix(&projection, nearPlane, farPlane, camera.fieldOfView));
    device->SetTransform(D3DTRANSFORMSTATE_VIEW, &viewState);
    device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projectionState);
}

// Exactly the identity, element by element; a loaded mesh (row 3 zero) never is.
bool isIdentity(const float* m)
{
    for (int i = 0; i < 16; ++i)
        if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f))
            return false;
    return true;
}

// Model to world by the mesh's transform, applied to column vectors; normals by its
// upper-left 3x3 block, not renormalised.
void transformVertices(Mesh& mesh)
{
    const float* m = mesh.transform;
    bool identity = isIdentity(m);
    for (uint32_t i = 0; i < mesh.vertexCount; ++i) {
        const MeshVertex& in = mesh.vertices[i];
        LitVertex& out = mesh.transformedVertices[i];
        if (identity) {
            out.x = in.x, out.y = in.y, out.z = in.z;
            out.nx = in.nx, out.ny = in.ny, out.nz = in.nz;
            continue;
        }
        out.x = m[0] * in.x + m[1] * in.y + m[2] * in.z + m[3];
        out.y = m[4] * in.x + m[5] * in.y + m[6] * in.z + m[7];
        out.z = m[8] * in.x + m[9] * in.y + m[10] * in.z + m[11];
        out.nx = m[0] * in.nx + m[1] * in.ny + m[2] * in.nz;
        out.ny = m[4] * in.nx + m[5] * in.ny + m[6] * in.nz;
        out.nz = m[8] * in.nx + m[9] * in.ny + m[10] * in.nz;
    }
}

void lightVertices(Mesh& mesh, const Scene& scene)
{
    if (mesh.lightingMode == lightingLit) {
        lightVertices(scene.lights, scene.lightCount, mesh.vertices, mesh.transformedVertices, mesh.vertexCount);
    } else if (mesh.lightingMode == lightingUnlit) {
        for (uint32_t i = 0; i < mesh.vertexCount; ++i) {
            const MeshVertex& in = mesh.vertices[i];
            LitVertex& out = mesh.transformedVertices[i];
            out.litR = in.r, out.litG = in.g, out.litB = in.b;
        }
    }
    // any other mode keeps the lit colour of the previous frame
}

// packColour, the four channels side by side: each scaled by 255, not-a-number and
// values up to 0 give 0, values from 255 on give 255, the rest are truncated.
D3DCOLOR packedColour(float a, float r, float g, float b)
{
#if defined(__SSE2__)
    const __m128 scaled = _mm_mul_ps(_mm_setr_ps(b, g, r, a), _mm_set1_ps(255.0f));
    const __m128 held = _mm_and_ps(_mm_cmpgt_ps(scaled, _mm_setzero_ps()), _mm_min_ps(scaled, _mm_set1_ps(255.0f)));
    const __m128i whole = _mm_cvttps_epi32(held);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(whole, whole), whole);  // blue in the low byte
    return D3DCOLOR(_mm_cvtsi128_si32(bytes));
#else
    return packColour(a, r, g, b);
#endif
}

void sendFaces(const Mesh& mesh, IDirect3DDevice2* device)
{
    device->Begin(D3DPT_TRIANGLELIST, D3DVT_LVERTEX, D3DDP_WAIT);
    D3DLVERTEX corner{};
    corner.specular = noSpecular;
    for (uint32_t f = 0; f < mesh.faceCount; ++f) {
        for (uint32_t index : mesh.faces[f].indices) {
            const LitVertex& lit = mesh.transformedVertices[index];
            corner.x = lit.x;
            corner.y = lit.y;
            corner.z = lit.z;
            corner.color = packedColour(mesh.vertices[index].a, lit.litR, lit.litG, lit.litB);
            device->Vertex(&corner);
        }
    }
    device->End(0);
}

}  // namespace

D3DMATRIX toDeviceMatrix(const Matrix4& matrix)
{
    static_assert(sizeof(Matrix4) == sizeof(D3DMATRIX));
    return std::bit_cast<D3DMATRIX>(matrix);
}

void renderScene(Scene* scene, IDirect3DDevice2* device)
{
    setCamera(scene->camera, device);
    for (uint32_t i = 0; i < scene->meshCount; ++i) {
        Mesh& mesh = scene->meshes[i];
        device->SetRenderState(D3DRENDERSTATE_FILLMODE, mesh.fillMode);
        transformVertices(mesh);
        lightVertices(mesh, *scene);
        sendFaces(mesh, device);
    }
}
