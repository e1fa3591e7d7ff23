// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/fades.h"
#include "engine/renderer.h"
#include "recording_device.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

// What renderScene sends the device. A hand-made mesh with the identity transform; never copied, as
// `mesh` points into the vectors.
struct TestMesh {
    std::vector<MeshVertex> vertices;
    std::vector<MeshFace> faces;
    std::vector<LitVertex> lit = std::vector<LitVertex>(vertices.size());
    Mesh mesh = meshOver();

    Mesh meshOver()
    {
        Mesh m{};
        m.vertices = vertices.data(), m.transformedVertices = lit.data(), m.faces = faces.data();
        m.vertexCount = uint32_t(vertices.size()), m.faceCount = uint32_t(faces.size());
        m.fillMode = 3;
        identityMatrix(reinterpret_cast<Matrix4*>(m.transform));
        return m;
    }
};

MeshVertex vertex(float x, float y, float r = 1, float g = 1, float b = 1, float a = 1)
{
    MeshVertex v{};
    v.x = x, v.y = y, v.r = r, v.g = g, v.b = b, v.a = a, v.ny = 1.0f;
    return v;
}

TestMesh triangle(float r = 1, float g = 1, float b = 1)
{
    return {{vertex(0, 0, r, g, b), vertex(1, 0, r, g, b), vertex(0, 1, r, g, b)}, {{{0, 1, 2}}}};
}

// The meshes drawn by a camera at (0, 0, -10) looking at the origin with a 50 mm lens.
RecordingDevice render(std::vector<Mesh> meshes, std::vector<SceneLight> lights = {}, float roll = 0)
{
    Scene scene{meshes.data(), uint32_t(meshes.size()), lights.data(), uint32_t(lights.size()), {}};
    scene.camera.position[2] = -10.0f;
    scene.camera.fieldOfView = 0.837744f;
    scene.camera.roll = roll;
    RecordingDevice device;
    renderScene(&scene, &device);
    return device;
}

TEST(Renderer, SetsViewAndProjectionFromTheCameraThenDrawsEachMeshOpaqueBlackWithoutLights)
{
    TestMesh a = triangle(), b{};
    b.mesh.fillMode = 2;
    RecordingDevice device = render({a.mesh, b.mesh});
    using K = DeviceCall;
    using Call = std::array<DWORD, 4>;  // kind, then state and value or primitive, vertex type and flags
    std::vector<Call> calls;
    for (const DeviceCall& call : device.calls)
        calls.push_back({DWORD(call.kind), call.a, call.b, call.c});
    const Call begin{K::begin, D3DPT_TRIANGLELIST, D3DVT_LVERTEX, D3DDP_WAIT}, vertex{K::vertex}, end{K::end, 0};
    EXPECT_EQ(calls, (std::vector<Call>{{K::setTransform, D3DTRANSFORMSTATE_VIEW},
                                        {K::setTransform, D3DTRANSFORMSTATE_PROJECTION},
                                        {K::setRenderState, D3DRENDERSTATE_FILLMODE, 3},
                                        begin,
                                        vertex,
                                        vertex,
                                        vertex,
                                        end,
                                        {K::setRenderState, D3DRENDERSTATE_FILLMODE, 2},
                                        begin,
                                        end}));
    for (const DeviceCall& v : device.callsOf(DeviceCall::vertex)) {
        EXPECT_EQ(v.lvertex.color, 0xFF000000u);  // the light sum starts at zero
        EXPECT_EQ(v.lvertex.specular, 0xFF000000u);
    }
    // roll 0: y up
    Matrix4 view, projection;
    lookAtMatrix(&view, {0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    projectionMatrix(&projection, 10, 500, 0.837744f);
    EXPECT_EQ(std::memcmp(&device.calls[0].matrix, view.m, 64), 0);
    EXPECT_EQ(std::memcmp(&device.calls[1].matrix, projection.m, 64), 0);
    EXPECT_EQ(device.calls[0].matrix._43, 10.0f);
}

TEST(Renderer, AnEmptySceneSetsOnlyTheTwoTransformsWithTheRollInRadians)
{
    RecordingDevice device = render({}, {}, 1.5707963f);  // a quarter-turn roll: x becomes up
    ASSERT_EQ(device.calls.size(), 2u);
    EXPECT_NEAR(device.calls[0].matrix._12, 1.0f, 1e-6);   // the up column (1) holds the world x axis
    EXPECT_NEAR(device.calls[0].matrix._21, -1.0f, 1e-6);  // and world y points to the screen's left
}

TEST(Renderer, ColoursArePackedTruncatedAsArgbByTheLightingMode)
{
    SceneLight ambient[2]{};
    ambient[0].kind = ambient[1].kind = LightKind::ambient;
    ambient[0].colour[0] = 1.0f, ambient[1].colour[0] = 0.7f;  // red sums to 1.7
    ambient[0].colour[1] = 0.25f;
    TestMesh lit = triangle(), unlit = triangle(1.0f, 0.5f, 0.25f), kept = triangle();
    unlit.vertices[2].a = 0.5f;
    unlit.mesh.lightingMode = 1;
    kept.mesh.lightingMode = 2;
    kept.lit[0].litR = 0.5f;
    auto v = render({lit.mesh, unlit.mesh, kept.mesh}, {ambient[0], ambient[1]}).callsOf(DeviceCall::vertex);
    ASSERT_EQ(v.size(), 9u);
    // 1.7 clamped to 255 and 0.25 to 63; the unlit mesh's own colours; another mode keeps the last lit colour
    EXPECT_EQ((std::array{v[0].lvertex.color, v[3].lvertex.color, v[5].lvertex.color, v[6].lvertex.color}),
              (std::array<D3DCOLOR, 4>{0xFFFF3F00u, 0xFFFF7F3Fu, 0x7FFF7F3Fu, 0xFF7F0000u}));
}

TEST(Renderer, CornersAreSentPerFaceInStoredOrderFromTheSharedLitVertex)
{
    TestMesh data{{vertex(0, 0, 1, 0, 0), vertex(1, 0, 0, 1, 0), vertex(0, 1, 0, 0, 1), vertex(1, 1)},
                  {{{2, 1, 0}}, {{1, 3, 2}}}};
    data.mesh.lightingMode = 1;
    auto v = render({data.mesh}).callsOf(DeviceCall::vertex);
    ASSERT_EQ(v.size(), 6u);
    const float expectedX[6] = {0, 1, 0, 1, 1, 0}, expectedY[6] = {1, 0, 0, 0, 1, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(v[i].lvertex.x == expectedX[i] && v[i].lvertex.y == expectedY[i]) << i;
    EXPECT_EQ(v[1].lvertex.color, 0xFF00FF00u);
    EXPECT_EQ(v[3].lvertex.color, v[1].lvertex.color);  // vertex 1 in both faces
    EXPECT_EQ(v[2].lvertex.color, 0xFFFF0000u);
}

TEST(Renderer, TheMeshTransformMapsPositionsAndNormalsAsColumnVectors)
{
    TestMesh data = triangle();
    data.vertices[1].nx = 1.0f, data.vertices[1].ny = 0.0f;
    // a quarter turn about z (x to y) and a move by (10, 20, 30); row 3 zero as loaded
    const float m[16] = {0, -1, 0, 10, 1, 0, 0, 20, 0, 0, 1, 30, 0, 0, 0, 0};
    std::memcpy(data.mesh.transform, m, sizeof m);
    auto v = render({data.mesh}).callsOf(DeviceCall::vertex);
    const LitVertex& moved = data.lit[1];  // model (1, 0, 0) with normal (1, 0, 0)
    EXPECT_EQ((std::array{moved.x, moved.y, moved.z, moved.nx, moved.ny}), (std::array<float, 5>{10, 21, 30, 0, 1}));
    EXPECT_EQ(v[1].lvertex.y, 21.0f);
}

TEST(Renderer, MeshesWithoutFacesAreStillTransformedAndLit)
{
    TestMesh data{{vertex(1, 2)}, {}};
    data.vertices[0].z = 3.0f;
    SceneLight sun{};
    sun.kind = LightKind::directional;
    sun.direction[1] = 1.0f;
    sun.colour[0] = sun.colour[1] = sun.colour[2] = 0.5f;
    RecordingDevice device = render({data.mesh}, {sun});
    EXPECT_EQ(std::pair(data.lit[0].z, data.lit[0].litG), std::pair(3.0f, 0.5f));
    EXPECT_EQ(std::pair(device.callsOf(DeviceCall::begin).size(), device.callsOf(DeviceCall::vertex).size()),
              std::pair(size_t(1), size_t(0)));
}

TEST(Fades, OneTriangleListOfSixScreenCornersCarryingTheTruncatedLevel)
{
    const float corners[6][2] = {{0, 0}, {640, 0}, {640, 480}, {0, 0}, {640, 480}, {0, 480}};
    const struct {
        void (*draw)(float, DisplayContext*);
        D3DCOLOR colour;
    } fades[] = {{drawWhiteFade, 0xFFFFFF}, {drawBlackFade, 0}};
    const std::pair<float, D3DCOLOR> alphas[] = {{0.0f, 0x00}, {0.5f, 0x7F}, {0.999f, 0xFE}, {1.0f, 0xFF}};
    for (const auto& fade : fades)
        for (auto [level, alpha] : alphas) {
            RecordingDevice device;
            DisplayContext context{};
            context.device = &device;
            fade.draw(level, &context);
            const std::vector<DeviceCall>& calls = device.calls;
            ASSERT_EQ(calls.size(), 8u);  // no render state is touched
            EXPECT_EQ(
                (std::array<DWORD, 6>{calls[0].kind, calls[0].a, calls[0].b, calls[0].c, calls[7].kind, calls[7].a}),
                (std::array<DWORD, 6>{DeviceCall::begin, D3DPT_TRIANGLELIST, D3DVT_TLVERTEX, D3DDP_WAIT,
                                      DeviceCall::end, 0}));
            for (int i = 0; i < 6; ++i) {
                const D3DTLVERTEX& v = calls[1 + i].tlvertex;
                EXPECT_EQ(calls[1 + i].kind, DeviceCall::vertex);
                EXPECT_EQ((std::array<float, 4>{v.sx, v.sy, v.sz, v.rhw}),
                          (std::array<float, 4>{corners[i][0], corners[i][1], 0, 1}))
                    << i;
                EXPECT_EQ((std::array<D3DCOLOR, 2>{v.color, v.specular}),
                          (std::array<D3DCOLOR, 2>{alpha << 24 | fade.colour, 0xFF000000u}))
                    << level;
            }
        }
}

}  // namespace
