// The loader on well-formed files: what each chunk it knows becomes.
#include "chunk_builder.h"
#include "loaded_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// main { version, editor { mesh version, body } }, as 3D Studio writes it.
template <typename Body>
std::vector<uint8_t> sceneFile(Body body)
{
    ChunkBuilder b;
    b.begin(0x4D4D).version().begin(0x3D3D).version(0x3D3E);
    body(b);
    b.end().end();
    return b.bytes();
}

bool allZero(const void* p, size_t n)
{
    const auto* bytes = static_cast<const uint8_t*>(p);
    for (size_t i = 0; i < n; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

std::string tempPath(const char* leaf)
{
    return std::string(::testing::TempDir()) + "/" + leaf + std::to_string(getpid());
}

TEST(SceneLoader, FilesWithoutObjectsGiveAnEmptySceneAndSucceed)
{
    LoadedScene bare(sceneFile([](ChunkBuilder&) {}));
    EXPECT_EQ(bare->meshCount, 0u);
    EXPECT_EQ(bare->lightCount, 0u);
    EXPECT_TRUE(allZero(&bare->camera, sizeof bare->camera));

    Scene empty;
    std::memset(&empty, 0xAB, sizeof empty);
    EXPECT_EQ(loadSceneFromMemory(nullptr, 0, &empty), 0);
    EXPECT_TRUE(allZero(&empty, sizeof empty));

    std::string path = tempPath("empty.3ds");
    std::fclose(std::fopen(path.c_str(), "wb"));
    std::memset(&empty, 0xAB, sizeof empty);
    EXPECT_EQ(loadScene(path.c_str(), &empty), 0);
    EXPECT_TRUE(allZero(&empty, sizeof empty));
    std::remove(path.c_str());
}

TEST(SceneLoader, AFileThatCannotBeOpenedLeavesTheSceneUntouched)
{
    Scene scene;
    std::memset(&scene, 0x5A, sizeof scene);
    Scene before = scene;
    EXPECT_EQ(loadScene("/nonexistent/dir/no.3ds", &scene), 1);
    EXPECT_EQ(std::memcmp(&scene, &before, sizeof scene), 0);
    EXPECT_EQ(loadScene(::testing::TempDir().c_str(), &scene), 1);  // a directory
    EXPECT_EQ(std::memcmp(&scene, &before, sizeof scene), 0);
}

TEST(SceneLoader, ReadsAFileFromDisk)
{
    auto bytes = sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("Box").begin(0x4100).vertices({{1, 2, 3}}).end().end();
    });
    std::string path = tempPath("box.3ds");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    Scene scene{};
    ASSERT_EQ(loadScene(path.c_str(), &scene), 0);
    ASSERT_EQ(scene.meshCount, 1u);
    EXPECT_STREQ(scene.meshes[0].name, "Box");
    EXPECT_EQ(scene.meshes[0].vertexCount, 1u);
    releaseScene(&scene);
    std::remove(path.c_str());
}

TEST(SceneLoader, MeshesExchangeYAndZAndReverseTriangles)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("Tri").begin(0x4100);
        b.vertices({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}).faces({{0, 1, 2}});
        b.end().end();
    }));
    ASSERT_EQ(s->meshCount, 1u);
    const Mesh& mesh = s->meshes[0];
    EXPECT_STREQ(mesh.name, "Tri");
    EXPECT_EQ(mesh.fillMode, 3u);
    EXPECT_EQ(mesh.lightingMode, 0u);
    ASSERT_EQ(mesh.vertexCount, 3u);
    EXPECT_EQ(mesh.vertices[0].x, 1.0f);
    EXPECT_EQ(mesh.vertices[0].y, 3.0f);
    EXPECT_EQ(mesh.vertices[0].z, 2.0f);
    for (float c : {mesh.vertices[1].r, mesh.vertices[1].g, mesh.vertices[1].b, mesh.vertices[1].a})
        EXPECT_EQ(c, 1.0f);
    EXPECT_TRUE(allZero(mesh.transformedVertices, 3 * sizeof(LitVertex)));
    EXPECT_TRUE(allZero(mesh.transform, sizeof mesh.transform));  // no local frame chunk
    ASSERT_EQ(mesh.faceCount, 1u);
    EXPECT_EQ(mesh.faces[0].indices[0], 2u);
    EXPECT_EQ(mesh.faces[0].indices[1], 1u);
    EXPECT_EQ(mesh.faces[0].indices[2], 0u);
}

TEST(SceneLoader, UnknownChunksAreSkippedWholeWithEverythingInside)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("A").begin(0x4100).vertices({{0, 0, 0}}).end().end();
        // a material block holding what would otherwise read as a mesh and a light
        b.begin(0xAFFF).begin(0x4100).vertices({{9, 9, 9}}).end().begin(0x4600).floats({1, 2, 3}).end().end();
        b.begin(0x4000).text("B").begin(0x4100).vertices({{5, 6, 7}, {1, 1, 1}}).end().end();
        b.begin(0xB000).begin(0x4700).floats({1, 1, 1, 2, 2, 2, 0, 50}).end().end();  // keyframer
    }));
    ASSERT_EQ(s->meshCount, 2u);
    EXPECT_STREQ(s->meshes[1].name, "B");
    EXPECT_EQ(s->meshes[1].vertexCount, 2u);
    EXPECT_EQ(s->lightCount, 0u);
    EXPECT_EQ(s->camera.fieldOfView, 0.0f);
}

TEST(SceneLoader, TextureCoordinatesAreReadForEveryVertexWhateverTheirCount)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}});
        b.begin(0x4140).u16(7).floats({0.25f, 0.5f, 0.75f, 1.0f}).end();  // count 7, two pairs
        b.end().end();
        b.begin(0x4000).text("Lamp").begin(0x4600).floats({1, 2, 3}).end().end();
    }));
    ASSERT_EQ(s->meshCount, 1u);
    EXPECT_EQ(s->meshes[0].vertices[0].u, 0.25f);
    EXPECT_EQ(s->meshes[0].vertices[0].v, 0.5f);
    EXPECT_EQ(s->meshes[0].vertices[1].u, 0.75f);
    EXPECT_EQ(s->meshes[0].vertices[1].v, 1.0f);
    ASSERT_EQ(s->lightCount, 1u);  // the walk went on right after the two pairs
    EXPECT_STREQ(s->lights[0].name, "Lamp");
}

TEST(SceneLoader, LocalFrameIsStoredInFileOrderAndTakesLoadedVerticesIntoIt)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{11, 23, 32}});  // stored (11, 32, 23)
        b.begin(0x4160).floats({2, 0, 0, 0, 3, 0, 0, 0, 4, 10, 20, 30}).end();
        b.end().end();
    }));
    const Mesh& mesh = s->meshes[0];
    const float expected[16] = {1, 0, 0, 10, 0, 1, 0, 20, 0, 0, 1, 30, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(mesh.transform[i], expected[i]) << i;
    EXPECT_EQ(mesh.vertices[0].x, 1.0f);
    EXPECT_EQ(mesh.vertices[0].y, 12.0f);
    EXPECT_EQ(mesh.vertices[0].z, -7.0f);
}

TEST(SceneLoader, LocalFrameAxesOfZeroLengthContributeNothing)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{5, 6, 7}});
        b.begin(0x4160).floats({0, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1}).end();
        b.end().end();
    }));
    const MeshVertex& v = s->meshes[0].vertices[0];
    // stored (5, 7, 6) minus the origin: (4, 6, 5); the X axis is gone, so x' loses 4
    EXPECT_EQ(v.x, 0.0f);
    EXPECT_EQ(v.y, 6.0f);
    EXPECT_EQ(v.z, 5.0f);
}

TEST(SceneLoader, LocalFrameBeforeTheVerticesOnlySetsTheTransform)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100);
        b.begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 10, 20, 30}).end();
        b.vertices({{11, 23, 32}}).end().end();
    }));
    EXPECT_EQ(s->meshes[0].transform[3], 10.0f);
    EXPECT_EQ(s->meshes[0].vertices[0].y, 32.0f);
}

TEST(SceneLoader, LightsAreOmniUntilASpotlightChunkMakesThemSpots)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("Omni").begin(0x4600).floats({1, 2, 3});
        b.begin(0x0011).u8(255).u8(128).u8(0).end();
        b.begin(0x465A).f32(250).end();
        b.end().end();
        b.begin(0x4000).text("Spot").begin(0x4600).floats({0, 0, 0});
        b.begin(0x0010).floats({0.25f, 0.5f, 1}).end();
        b.begin(0x4610).floats({0, 10, 0, 30, 60}).end();  // target along the file's y
        b.begin(0x465B).f32(2).end();
        b.end().end();
    }));
    ASSERT_EQ(s->lightCount, 2u);
    const SceneLight& omni = s->lights[0];
    EXPECT_STREQ(omni.name, "Omni");
    EXPECT_EQ(omni.kind, LightKind::omni);
    EXPECT_EQ(omni.spotExponent, 0.0f);
    EXPECT_EQ(omni.position[0], 1.0f);
    EXPECT_EQ(omni.position[1], 3.0f);
    EXPECT_EQ(omni.position[2], 2.0f);
    EXPECT_EQ(omni.colour[0], 1.0f);
    EXPECT_NEAR(omni.colour[1], 0.50196f, 1e-5);
    EXPECT_EQ(omni.colour[2], 0.0f);
    EXPECT_EQ(omni.range, 250.0f);
    EXPECT_EQ(omni.attenuation1, 0.0f);  // the range chunk sets only the range

    const SceneLight& spot = s->lights[1];
    EXPECT_EQ(spot.kind, LightKind::spot);
    EXPECT_EQ(spot.spotExponent, 1.0f);
    EXPECT_NEAR(spot.hotspot, 0.26178f, 1e-5);
    EXPECT_NEAR(spot.falloff, 0.52356f, 1e-5);
    EXPECT_EQ(spot.direction[0], 0.0f);  // file y is stored as z
    EXPECT_EQ(spot.direction[1], 0.0f);
    EXPECT_EQ(spot.direction[2], 1.0f);
    EXPECT_EQ(spot.colour[1], 0.5f);
    EXPECT_EQ(spot.attenuation0, 0.0f);
    EXPECT_EQ(spot.attenuation1, 2.0f);
    EXPECT_EQ(spot.attenuation2, 0.0f);
    EXPECT_EQ(spot.range, 0.0f);
}

TEST(SceneLoader, TheLastCameraWinsAndItsLensBecomesAFieldOfView)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("First").begin(0x4700).floats({9, 9, 9, 0, 0, 0, 0, 28}).end().end();
        b.begin(0x4000).text("Camera01").begin(0x4700).floats({1, 2, 3, 4, 5, 6, 45, 50}).end().end();
    }));
    const SceneCamera& c = s->camera;
    EXPECT_STREQ(c.name, "Camera01");
    EXPECT_EQ(c.position[0], 1.0f);
    EXPECT_EQ(c.position[1], 3.0f);
    EXPECT_EQ(c.position[2], 2.0f);
    EXPECT_EQ(c.target[1], 6.0f);
    EXPECT_EQ(c.target[2], 5.0f);
    EXPECT_EQ(c.roll, 45.0f);  // degrees in the file, copied unconverted
    EXPECT_NEAR(c.fieldOfView, 0.837744f, 1e-6);
}

TEST(SceneLoader, TwoLoadsOfOneFileAreEqualAndShareNothing)
{
    auto bytes = sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        b.faces({{0, 1, 2}}).end().end();
        b.begin(0x4000).text("L").begin(0x4600).floats({1, 2, 3}).end().end();
    });
    LoadedScene a(bytes), b(bytes);
    ASSERT_EQ(a->meshCount, 1u);
    EXPECT_NE(a->meshes, b->meshes);
    EXPECT_NE(a->meshes[0].vertices, b->meshes[0].vertices);
    EXPECT_NE(a->lights, b->lights);
    EXPECT_EQ(std::memcmp(a->meshes[0].vertices, b->meshes[0].vertices, 3 * sizeof(MeshVertex)), 0);
    EXPECT_EQ(std::memcmp(a->lights, b->lights, sizeof(SceneLight)), 0);
}

TEST(SceneRelease, ListsFreedEarlyWithTheirCountZeroedAreNotFreedAgain)
{
    auto bytes = sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        b.faces({{0, 1, 2}}).end().end();
        b.begin(0x4000).text("L").begin(0x4600).floats({1, 2, 3}).end().end();
    });
    Scene scene{};
    loadSceneFromMemory(bytes.data(), bytes.size(), &scene);
    std::free(scene.lights);
    scene.lightCount = 0;
    std::free(scene.meshes[0].faces);
    scene.meshes[0].faceCount = 0;
    releaseScene(&scene);  // a second free aborts (the sanitizer build reports it)
    Scene zero{};
    releaseScene(&zero);
}

}  // namespace
