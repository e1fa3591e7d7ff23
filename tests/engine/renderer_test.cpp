// What renderScene sends the device, recorded call by call.
#include "engine/renderer.h"
#include "engine/vector_math.h"
#include "recording_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A hand-made scene: meshes over caller-owned arrays (never released).
struct TestMesh {
    std::vector<MeshVertex> vertices;
    std::vector<LitVertex> lit;
    std::vector<MeshFace> faces;
};

Mesh meshOver(TestMesh& data, uint32_t fillMode = 3)
{
    Mesh mesh{};
    data.lit.resize(data.vertices.size());
    mesh.vertices = data.vertices.data();
    mesh.transformedVertices = data.lit.data();
    mesh.vertexCount = uint32_t(data.vertices.size());
    mesh.faces = data.faces.data();
    mesh.faceCount = uint32_t(data.faces.size());
    mesh.fillMode = fillMode;
    identityMatrix(reinterpret_cast<Matrix4*>(mesh.transform));
    return mesh;
}

MeshVertex vertex(float x, float y, float z, float r = 1, float g = 1, float b = 1, float a = 1)
{
    MeshVertex v{};
    v.x = x, v.y = y, v.z = z;
    v.r = r, v.g = g, v.b = b, v.a = a;
    v.ny = 1.0f;
    return v;
}

Scene sceneOf(Mesh* meshes, uint32_t meshCount, SceneLight* lights = nullptr, uint32_t lightCount = 0)
{
    Scene scene{};
    scene.meshes = meshes;
    scene.meshCount = meshCount;
    scene.lights = lights;
    scene.lightCount = lightCount;
    scene.camera.position[2] = -10.0f;
    scene.camera.fieldOfView = 0.837744f;
    return scene;
}

TestMesh triangle(float r = 1, float g = 1, float b = 1, float a = 1)
{
    return {{vertex(0, 0, 0, r, g, b, a), vertex(1, 0, 0, r, g, b, a), vertex(0, 1, 0, r, g, b, a)}, {}, {{{0, 1, 2}}}};
}

TEST(Renderer, SetsViewAndProjectionFromTheCameraThenDrawsEachMesh)
{
    TestMesh a = triangle(), b{};
    Mesh meshes[2] = {meshOver(a, 3), meshOver(b, 2)};
    Scene scene = sceneOf(meshes, 2);
    RecordingDevice device;
    renderScene(&scene, &device);

    using K = DeviceCall;
    std::vector<K::Kind> kinds;
    for (const DeviceCall& call : device.calls)
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds, (std::vector<K::Kind>{K::setTransform, K::setTransform, K::setRenderState, K::begin,
                                            K::vertex, K::vertex, K::vertex, K::end, K::setRenderState,
                                            K::begin, K::end}));
    EXPECT_EQ(device.calls[0].a, DWORD(D3DTRANSFORMSTATE_VIEW));
    EXPECT_EQ(device.calls[1].a, DWORD(D3DTRANSFORMSTATE_PROJECTION));
    EXPECT_EQ(device.calls[2].a, DWORD(D3DRENDERSTATE_FILLMODE));
    EXPECT_EQ(device.calls[2].b, 3u);
    EXPECT_EQ(device.calls[8].b, 2u);
    EXPECT_EQ(device.calls[3].a, DWORD(D3DPT_TRIANGLELIST));
    EXPECT_EQ(device.calls[3].b, DWORD(D3DVT_LVERTEX));
    EXPECT_EQ(device.calls[3].c, DWORD(D3DDP_WAIT));
    EXPECT_EQ(device.calls[7].a, 0u);

    // roll 0: y up; eye (0, 0, -10) toward the origin
    Matrix4 view, projection;
    lookAtMatrix(&view, {0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    projectionMatrix(&projection, 10, 500, 0.837744f);
    EXPECT_EQ(std::memcmp(&device.calls[0].matrix, view.m, 64), 0);
    EXPECT_EQ(std::memcmp(&device.calls[1].matrix, projection.m, 64), 0);
    EXPECT_EQ(device.calls[0].matrix._43, 10.0f);
}

TEST(Renderer, AnEmptySceneSetsOnlyTheTwoTransforms)
{
    Scene scene = sceneOf(nullptr, 0);
    scene.camera.roll = 1.5707963f;  // a quarter-turn roll: x becomes up
    RecordingDevice device;
    renderScene(&scene, &device);
    ASSERT_EQ(device.calls.size(), 2u);
    EXPECT_NEAR(device.calls[0].matrix._12, 1.0f, 1e-6);  // the up column (1) holds the world x axis
    EXPECT_NEAR(device.calls[0].matrix._21, -1.0f, 1e-6);  // and world y points to the screen's left
}

TEST(Renderer, WithoutLightsEveryVertexIsOpaqueBlack)
{
    TestMesh data = triangle();
    Mesh mesh = meshOver(data);
    Scene scene = sceneOf(&mesh, 1);
    RecordingDevice device;
    renderScene(&scene, &device);
    auto vertices = device.callsOf(DeviceCall::vertex);
    ASSERT_EQ(vertices.size(), 3u);
    for (const DeviceCall& v : vertices) {
        EXPECT_EQ(v.lvertex.color, 0xFF000000u);
        EXPECT_EQ(v.lvertex.specular, 0xFF000000u);
    }
}

TEST(Renderer, UnlitColoursArePackedTruncatedAsArgb)
{
    TestMesh data = triangle(1.0f, 0.5f, 0.25f, 1.0f);
    data.vertices[2].a = 0.5f;
    Mesh mesh = meshOver(data);
    mesh.lightingMode = 1;
    Scene scene = sceneOf(&mesh, 1);
    RecordingDevice device;
    renderScene(&scene, &device);
    auto vertices = device.callsOf(DeviceCall::vertex);
    EXPECT_EQ(vertices[0].lvertex.color, 0xFFFF7F3Fu);
    EXPECT_EQ(vertices[2].lvertex.color, 0x7FFF7F3Fu);
}

TEST(Renderer, LitChannelsClampAtFullAndTruncate)
{
    TestMesh data = triangle();
    Mesh mesh = meshOver(data);
    SceneLight ambient[2]{};
    ambient[0].kind = ambient[1].kind = LightKind::ambient;
    ambient[0].colour[0] = 1.0f, ambient[1].colour[0] = 0.7f;  // red sums to 1.7
    ambient[0].colour[1] = 0.25f;
    Scene scene = sceneOf(&mesh, 1, ambient, 2);
    RecordingDevice device;
    renderScene(&scene, &device);
    EXPECT_EQ(device.callsOf(DeviceCall::vertex)[0].lvertex.color, 0xFFFF3F00u);
}

TEST(Renderer, CornersAreSentPerFaceInStoredOrderFromTheSharedLitVertex)
{
    TestMesh data{{vertex(0, 0, 0, 1, 0, 0), vertex(1, 0, 0, 0, 1, 0), vertex(0, 1, 0, 0, 0, 1),
                   vertex(1, 1, 0)},
                  {},
                  {{{2, 1, 0}}, {{1, 3, 2}}}};
    Mesh mesh = meshOver(data);
    mesh.lightingMode = 1;
    Scene scene = sceneOf(&mesh, 1);
    RecordingDevice device;
    renderScene(&scene, &device);
    auto v = device.callsOf(DeviceCall::vertex);
    ASSERT_EQ(v.size(), 6u);
    const float expectedX[6] = {0, 1, 0, 1, 1, 0};
    const float expectedY[6] = {1, 0, 0, 0, 1, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(v[i].lvertex.x, expectedX[i]) << i;
        EXPECT_EQ(v[i].lvertex.y, expectedY[i]) << i;
    }
    EXPECT_EQ(v[1].lvertex.color, 0xFF00FF00u);
    EXPECT_EQ(v[3].lvertex.color, v[1].lvertex.color);  // vertex 1 in both faces
    EXPECT_EQ(v[2].lvertex.color, 0xFFFF0000u);
}

TEST(Renderer, TheMeshTransformMapsPositionsAndNormalsAsColumnVectors)
{
    TestMesh data = triangle();
    data.vertices[1].nx = 1.0f, data.vertices[1].ny = 0.0f;
    Mesh mesh = meshOver(data);
    // a quarter turn about z (x to y) and a move by (10, 20, 30); row 3 zero as loaded
    const float m[16] = {0, -1, 0, 10, 1, 0, 0, 20, 0, 0, 1, 30, 0, 0, 0, 0};
    std::memcpy(mesh.transform, m, sizeof m);
    Scene scene = sceneOf(&mesh, 1);
    RecordingDevice device;
    renderScene(&scene, &device);
    const LitVertex& moved = data.lit[1];  // model (1, 0, 0)
    EXPECT_EQ(moved.x, 10.0f);
    EXPECT_EQ(moved.y, 21.0f);
    EXPECT_EQ(moved.z, 30.0f);
    EXPECT_EQ(moved.nx, 0.0f);
    EXPECT_EQ(moved.ny, 1.0f);
    auto v = device.callsOf(DeviceCall::vertex);
    EXPECT_EQ(v[1].lvertex.y, 21.0f);
}

TEST(Renderer, MeshesWithoutFacesAreStillTransformedAndLit)
{
    TestMesh data{{vertex(1, 2, 3)}, {}, {}};
    Mesh mesh = meshOver(data);
    SceneLight sun{};
    sun.kind = LightKind::directional;
    sun.direction[1] = 1.0f;
    sun.colour[0] = sun.colour[1] = sun.colour[2] = 0.5f;
    Scene scene = sceneOf(&mesh, 1, &sun, 1);
    RecordingDevice device;
    renderScene(&scene, &device);
    EXPECT_EQ(data.lit[0].z, 3.0f);
    EXPECT_EQ(data.lit[0].litG, 0.5f);
    EXPECT_EQ(device.callsOf(DeviceCall::begin).size(), 1u);
    EXPECT_EQ(device.callsOf(DeviceCall::vertex).size(), 0u);
}

TEST(Renderer, OtherLightingModesKeepTheLastLitColour)
{
    TestMesh data = triangle();
    Mesh mesh = meshOver(data);
    mesh.lightingMode = 2;
    data.lit[0].litR = 0.5f;
    Scene scene = sceneOf(&mesh, 1);
    RecordingDevice device;
    renderScene(&scene, &device);
    EXPECT_EQ(device.callsOf(DeviceCall::vertex)[0].lvertex.color, 0xFF7F0000u);
}

}  // namespace
