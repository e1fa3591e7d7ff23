// The three scene files read back through the demo's own loader, and checked for
// what their scenes rely on: a house that swells without tearing, lights that reach. That
// the cameras see them, and see no face from behind, is the drawn scenes' test.
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

// Where the renderer puts a vertex: the loader subtracted the frame origin, the
// transform adds it back.
Vector3 worldPosition(const Mesh& mesh, uint32_t i)
{
    const MeshVertex& v = mesh.vertices[i];
    const float* m = mesh.transform;
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3], m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7],
            m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11]};
}

// The house comes first, centred on its frame's origin so that swelling grows it evenly,
// within the renderer's budget; it is one closed smooth surface that swells without
// tearing: every vertex is shared by faces (so every normal is set) and no position is
// duplicated (copies would split apart when they swell by different amounts).
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

// Share of the mesh's vertices that the file's lights light at all, and the
// brightest channel any of its vertices gets.
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

TEST(HouseFile, AColouredSpotAndOmniLightsThatReachTheHouse)
{
    SceneFile file("hus.3ds");
    const Scene& s = file.scene;
    int spots = 0, omnis = 0;
    for (uint32_t l = 0; l < s.lightCount; ++l) {
        const SceneLight& light = s.lights[l];
        spots += light.kind == LightKind::spot && light.colour[0] != light.colour[2];
        omnis += light.kind == LightKind::omni && light.attenuation1 > 0 &&
                 light.range > lengthOf({light.position[0], light.position[1], light.position[2]}) + 30.0f;
    }
    EXPECT_GE(spots, 1) << "a coloured spot";
    EXPECT_GE(omnis, 1) << "an omni light that reaches past the house";
    EXPECT_GT(litShare(s, s.meshes[0]), 0.9);
    // The vertices are white, so a channel the lights sum past full is cut off and
    // the surface turns white instead of taking the lights' colours.
    for (uint32_t m = 0; m < s.meshCount; ++m) {
        float brightest = 0;
        litShare(s, s.meshes[m], &brightest);
        EXPECT_LT(brightest, 1.0f) << s.meshes[m].name << " is lit past full";
    }
}

// The boxes lie near the origin, lit by two coloured omni lights that reach them (the scene
// test draws them in view all along the camera's path).
TEST(BoxFile, BoxesNearTheOriginLitByTwoColouredLights)
{
    SceneFile file("box.3ds");
    const Scene& s = file.scene;
    ASSERT_GE(s.lightCount, 2u);
    for (int l = 0; l < 2; ++l) {
        EXPECT_EQ(s.lights[l].kind, LightKind::omni);
        EXPECT_GT(s.lights[l].range, 80.0f);
        EXPECT_NE(s.lights[l].colour[0], s.lights[l].colour[2]) << "coloured";
    }
    EXPECT_GT(litShare(s, s.meshes[0]), 0.5);
    for (uint32_t m = 0; m < s.meshCount; ++m)
        for (uint32_t i = 0; i < s.meshes[m].vertexCount; ++i)
            ASSERT_LE(lengthOf(worldPosition(s.meshes[m], i)), 20.0f) << s.meshes[m].name;
}

// A lattice of radius 40 round the camera, lit by the light inside.
TEST(LightFile, ALatticeAroundTheCameraLitFromInside)
{
    SceneFile file("light.3ds");
    const Scene& s = file.scene;
    ASSERT_GE(s.lightCount, 2u);
    const Mesh& lattice = s.meshes[0];
    for (uint32_t i = 0; i < lattice.vertexCount; ++i)
        EXPECT_NEAR(lengthOf(worldPosition(lattice, i)), 40.0f, 0.01f);
    EXPECT_EQ(s.lights[1].kind, LightKind::omni);
    EXPECT_GT(s.lights[1].range, 40.0f);
    EXPECT_GT(litShare(s, lattice), 0.5);
}

}  // namespace
