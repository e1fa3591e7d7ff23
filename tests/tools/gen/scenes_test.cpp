// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The scene files read back through the demo's loader, checked for what their scenes rely on: a house
// that swells without tearing, lights that reach. What the cameras see is the drawn scenes' test.
#include "chunk_builder.h"
#include "gen_test_support.h"

#include "engine/lighting.h"
#include "engine/scene.h"
#include "engine/vector_math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

struct SceneFile : LoadedScene {
    explicit SceneFile(const char* name) : LoadedScene(readDataFile(name)) { EXPECT_GT(scene.meshCount, 0u) << name; }
};

double dotOf(Vector3 a, Vector3 b) { return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z; }
float lengthOf(Vector3 a) { return float(std::sqrt(dotOf(a, a))); }

// Where the renderer puts a vertex: the loader subtracted the frame origin, the transform adds it back.
Vector3 worldPosition(const Mesh& mesh, uint32_t i)
{
    const MeshVertex& v = mesh.vertices[i];
    const float* m = mesh.transform;
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3], m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7],
            m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11]};
}

// The house comes first, centred on its origin so that it swells evenly, within the renderer's budget:
// one closed surface, every vertex on faces (every normal set), no position twice (copies would split).
TEST(HouseFile, HoldsAFineClosedHouseFirstWithItsYardWithinTheRenderersBudget)
{
    SceneFile file("hus.3ds");
    const Scene& s = file.scene;
    uint32_t faces = 0;
    for (uint32_t m = 0; m < s.meshCount; ++m)
        faces += s.meshes[m].faceCount;
    EXPECT_LE(faces, 6000u);
    const Mesh& house = s.meshes[0];
    EXPECT_STREQ(house.name, "House");
    std::vector<int> uses(house.vertexCount, 0);
    for (uint32_t f = 0; f < house.faceCount; ++f)
        for (uint32_t i : house.faces[f].indices)
            ++uses[i];
    std::map<std::tuple<float, float, float>, int> positions;
    Vector3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    for (uint32_t i = 0; i < house.vertexCount; ++i) {
        const MeshVertex& v = house.vertices[i];
        EXPECT_GE(uses[i], 2) << "vertex " << i;
        EXPECT_EQ(++positions[std::make_tuple(v.x, v.y, v.z)], 1) << "vertex " << i << " duplicates another";
        EXPECT_GT(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 0.3f) << "vertex " << i;
        lo = {std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z)};
        hi = {std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z)};
    }
    EXPECT_NEAR(lo.x + hi.x, 0.0f, 1.0f);
    EXPECT_NEAR(lo.y + hi.y, 0.0f, 6.0f);  // the chimney rises above the ridge
    EXPECT_NEAR(lo.z + hi.z, 0.0f, 1.0f);
}

// The share of the mesh's vertices the file's lights reach, and the brightest channel any vertex gets.
double litShare(const Scene& s, const Mesh& mesh, float* brightest = nullptr)
{
    int lit = 0;
    for (uint32_t i = 0; i < mesh.vertexCount; ++i) {
        const MeshVertex& v = mesh.vertices[i];
        const Vector3 p = worldPosition(mesh, i);
        LitVertex out{p.x, p.y, p.z, 0, 0, 0, 0, 0, 0, v.nx, v.ny, v.nz};
        lightVertex(s.lights, s.lightCount, v, out);
        lit += out.litR + out.litG + out.litB > 0.05f;
        if (brightest)
            *brightest = std::max({*brightest, out.litR, out.litG, out.litB});
    }
    return double(lit) / double(mesh.vertexCount);
}

// The lights reach most of the house, half of the cube and of the lattice, and never light the house's
// white vertices past full (they would turn white instead of taking the lights' colours).
TEST(SceneFiles, TheLightsReachTheirMeshesAndLeaveTheHouseItsColours)
{
    const std::pair<const char*, double> files[] = {{"hus.3ds", 0.9}, {"box.3ds", 0.5}, {"light.3ds", 0.5}};
    for (auto [name, share] : files) {
        SceneFile file(name);
        EXPECT_GT(litShare(file.scene, file.scene.meshes[0]), share) << name;
    }
    SceneFile house("hus.3ds");
    for (uint32_t m = 0; m < house.scene.meshCount; ++m) {
        float brightest = 0;
        litShare(house.scene, house.scene.meshes[m], &brightest);
        EXPECT_LT(brightest, 1.0f) << house.scene.meshes[m].name << " is lit past full";
    }
}

// The boxes lie near the origin, where their camera looks; the lattice is a sphere of radius 40 round its.
TEST(SceneFiles, TheBoxesLieRoundTheOriginAndTheLatticeRoundTheCamera)
{
    SceneFile box("box.3ds"), light("light.3ds");
    for (uint32_t m = 0; m < box.scene.meshCount; ++m)
        for (uint32_t i = 0; i < box.scene.meshes[m].vertexCount; ++i)
            ASSERT_LE(lengthOf(worldPosition(box.scene.meshes[m], i)), 20.0f) << box.scene.meshes[m].name;
    for (uint32_t i = 0; i < light.scene.meshes[0].vertexCount; ++i)
        EXPECT_NEAR(lengthOf(worldPosition(light.scene.meshes[0], i)), 40.0f, 0.01f);
}

}  // namespace
