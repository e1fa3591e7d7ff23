// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "chunk_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace {

// The loader on well-formed files: what each chunk it knows becomes.
bool allZero(const void* p, size_t n)
{
    const auto* bytes = static_cast<const uint8_t*>(p);
    return std::all_of(bytes, bytes + n, [](uint8_t b) { return b == 0; });
}

using Xyz = std::array<float, 3>;
Xyz xyz(const float* v) { return {v[0], v[1], v[2]}; }
Xyz xyz(const MeshVertex& v) { return {v.x, v.y, v.z}; }

TEST(SceneLoader, FilesWithoutObjectsGiveAnEmptySceneAndSucceed)
{
    Scene scene;
    for (const std::vector<uint8_t>& file : {sceneFile([](ChunkBuilder&) {}), std::vector<uint8_t>{}}) {
        std::memset(&scene, 0xAB, sizeof scene);
        EXPECT_EQ(loadSceneFromMemory(file.data(), file.size(), &scene), 0);
        EXPECT_TRUE(allZero(&scene, sizeof scene));  // no meshes, no lights, a zero camera
    }
}

TEST(SceneLoader, ReadsAFileFromDiskAndLeavesTheSceneUntouchedWhenItCannot)
{
    std::string path = ::testing::TempDir() + "/box" + std::to_string(getpid()) + ".3ds";
    auto bytes = sceneFile([](ChunkBuilder& b) { b.begin(0x4000).text("Box").begin(0x4100).end().end(); });
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    Scene scene{};
    ASSERT_EQ(loadScene(path.c_str(), &scene), 0);
    ASSERT_EQ(scene.meshCount, 1u);
    EXPECT_STREQ(scene.meshes[0].name, "Box");
    releaseScene(&scene);
    std::remove(path.c_str());

    std::memset(&scene, 0x5A, sizeof scene);
    Scene before = scene;
    for (std::string unreadable :
         {std::string("/nonexistent/dir/no.3ds"), ::testing::TempDir()}) {  // a directory opens
        EXPECT_EQ(loadScene(unreadable.c_str(), &scene), 1);
        EXPECT_EQ(std::memcmp(&scene, &before, sizeof scene), 0);
    }
}

TEST(SceneLoader, MeshesExchangeYAndZAndReverseTriangles)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("Tri").begin(0x4100).vertices({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}).faces({{0, 1, 2}});
        b.end().end();
    }));
    ASSERT_EQ(s->meshCount, 1u);
    const Mesh& mesh = s->meshes[0];
    EXPECT_STREQ(mesh.name, "Tri");
    EXPECT_EQ(std::pair(mesh.fillMode, mesh.lightingMode), std::pair(3u, 0u));
    ASSERT_EQ(mesh.vertexCount, 3u);
    EXPECT_EQ(xyz(mesh.vertices[0]), (Xyz{1, 3, 2}));
    const MeshVertex& v = mesh.vertices[1];
    EXPECT_EQ((std::array<float, 4>{v.r, v.g, v.b, v.a}), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_TRUE(allZero(mesh.transformedVertices, 3 * sizeof(LitVertex)));
    EXPECT_TRUE(allZero(mesh.transform, sizeof mesh.transform));  // no local frame chunk
    ASSERT_EQ(mesh.faceCount, 1u);
    EXPECT_EQ((std::array<uint32_t, 3>{mesh.faces[0].indices[0], mesh.faces[0].indices[1], mesh.faces[0].indices[2]}),
              (std::array<uint32_t, 3>{2, 1, 0}));
}

TEST(SceneLoader, UnknownChunksAreSkippedWholeAndTextureCoordinatesFollowTheVertexCount)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("A").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}});
        b.begin(0x4140).u16(7).floats({0.25f, 0.5f, 0.75f, 1.0f}).end().end().end();  // count 7, two pairs
        // a material block holding what would otherwise read as a mesh and a light
        b.begin(0xAFFF).begin(0x4100).vertices({{9, 9, 9}}).end().begin(0x4600).floats({1, 2, 3}).end().end();
        b.begin(0x4000).text("B").begin(0x4100).vertices({{5, 6, 7}}).end().end();
        b.begin(0xB000).begin(0x4700).floats({1, 1, 1, 2, 2, 2, 0, 50}).end().end();  // keyframer
    }));
    ASSERT_EQ(s->meshCount, 2u);  // the walk went on right after the two pairs
    EXPECT_EQ(std::pair(s->meshes[0].vertices[1].u, s->meshes[0].vertices[1].v), std::pair(0.75f, 1.0f));
    EXPECT_STREQ(s->meshes[1].name, "B");
    EXPECT_EQ(s->lightCount, 0u);
    EXPECT_EQ(s->camera.fieldOfView, 0.0f);
}

TEST(SceneLoader, LocalFrameIsStoredInFileOrderAndTakesLoadedVerticesIntoIt)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        // axes of length 2, 3 and 4 are normalised; stored (11, 32, 23) less the origin
        b.begin(0x4000).text("M").begin(0x4100).vertices({{11, 23, 32}});
        b.begin(0x4160).floats({2, 0, 0, 0, 3, 0, 0, 0, 4, 10, 20, 30}).end().end().end();
        // a zero X axis contributes nothing: (5, 7, 6) less (1, 1, 1) becomes (0, 6, 5)
        b.begin(0x4000).text("Z").begin(0x4100).vertices({{5, 6, 7}});
        b.begin(0x4160).floats({0, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1}).end().end().end();
        // a frame before the vertices only sets the transform
        b.begin(0x4000).text("F").begin(0x4100).begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 10, 20, 30});
        b.end().vertices({{11, 23, 32}}).end().end();
    }));
    const float expected[16] = {1, 0, 0, 10, 0, 1, 0, 20, 0, 0, 1, 30, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(s->meshes[0].transform[i], expected[i]) << i;
    EXPECT_EQ(xyz(s->meshes[0].vertices[0]), (Xyz{1, 12, -7}));
    EXPECT_EQ(xyz(s->meshes[1].vertices[0]), (Xyz{0, 6, 5}));
    EXPECT_EQ(s->meshes[2].transform[3], 10.0f);
    EXPECT_EQ(xyz(s->meshes[2].vertices[0]), (Xyz{11, 32, 23}));
}

// Lights are omni until a spotlight chunk makes them spots; the last camera wins, its lens a field of view.
TEST(SceneLoader, LightsAndTheLastCamera)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("Omni").begin(0x4600).floats({1, 2, 3});
        b.begin(0x0011).u8(255).u8(128).u8(0).end().begin(0x465A).f32(250).end().end().end();
        b.begin(0x4000).text("Spot").begin(0x4600).floats({0, 0, 0}).begin(0x0010).floats({0.25f, 0.5f, 1}).end();
        b.begin(0x4610).floats({0, 10, 0, 30, 60}).end().begin(0x465B).f32(2).end().end().end();
        b.begin(0x4000).text("First").begin(0x4700).floats({9, 9, 9, 0, 0, 0, 0, 28}).end().end();
        b.begin(0x4000).text("Camera01").begin(0x4700).floats({1, 2, 3, 4, 5, 6, 45, 50}).end().end();
    }));
    ASSERT_EQ(s->lightCount, 2u);
    const SceneLight &omni = s->lights[0], &spot = s->lights[1];
    EXPECT_STREQ(omni.name, "Omni");
    EXPECT_EQ(xyz(omni.position), (Xyz{1, 3, 2}));
    EXPECT_EQ(xyz(omni.colour), (Xyz{1, 128 / 255.0f, 0}));
    // kind, spot exponent, range, then the three attenuations: the range chunk sets only the range
    using Light = std::array<float, 6>;
    auto facts = [](const SceneLight& l) {
        return Light{float(l.kind), l.spotExponent, l.range, l.attenuation0, l.attenuation1, l.attenuation2};
    };
    EXPECT_EQ(facts(omni), (Light{float(LightKind::omni), 0, 250, 0, 0, 0}));
    EXPECT_EQ(facts(spot), (Light{float(LightKind::spot), 1, 0, 0, 2, 0}));
    EXPECT_NEAR(spot.hotspot, 0.26178f, 1e-5);  // 15 and 30 degrees: half the file's cone angles
    EXPECT_NEAR(spot.falloff, 0.52356f, 1e-5);
    EXPECT_EQ(xyz(spot.direction), (Xyz{0, 0, 1}));  // toward the target along the file's y
    EXPECT_EQ(xyz(spot.colour), (Xyz{0.25f, 0.5f, 1}));
    EXPECT_STREQ(s->camera.name, "Camera01");
    EXPECT_EQ(xyz(s->camera.position), (Xyz{1, 3, 2}));
    EXPECT_EQ(xyz(s->camera.target), (Xyz{4, 6, 5}));
    EXPECT_EQ(s->camera.roll, 45.0f);  // degrees in the file, copied unconverted
    EXPECT_NEAR(s->camera.fieldOfView, 0.837744f, 1e-6);
}

const std::vector<uint8_t> meshAndLight = sceneFile([](ChunkBuilder& b) {
    b.begin(0x4000).text("M").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}).faces({{0, 1, 2}});
    b.end().end().begin(0x4000).text("L").begin(0x4600).floats({1, 2, 3}).end().end();
});

// Lists freed early with their count zeroed are not freed again (the sanitizer build aborts on a second free).
TEST(SceneLoader, TwoLoadsAreEqualAndShareNothingAndReleaseSkipsEmptiedLists)
{
    LoadedScene a(meshAndLight), b(meshAndLight);
    ASSERT_EQ(a->meshCount, 1u);
    EXPECT_TRUE(a->meshes != b->meshes && a->meshes[0].vertices != b->meshes[0].vertices && a->lights != b->lights);
    EXPECT_EQ(std::memcmp(a->meshes[0].vertices, b->meshes[0].vertices, 3 * sizeof(MeshVertex)), 0);
    EXPECT_EQ(std::memcmp(a->lights, b->lights, sizeof(SceneLight)), 0);
    Scene scene{};
    loadSceneFromMemory(meshAndLight.data(), meshAndLight.size(), &scene);
    std::free(scene.lights);
    scene.lightCount = 0;
    std::free(scene.meshes[0].faces);
    scene.meshes[0].faceCount = 0;
    releaseScene(&scene);
    Scene zero{};
    releaseScene(&zero);
}

// Bad files: the loader reads nothing outside the image and keeps what came before.
// A mesh "Kept" of one face, then whatever the test appends.
std::vector<uint8_t> meshThen(const std::function<void(ChunkBuilder&)>& tail)
{
    return sceneFile([&](ChunkBuilder& b) {
        b.begin(0x4000).text("Kept").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        b.faces({{0, 1, 2}}).end().end();
        tail(b);
    });
}

// A mesh the walk must never reach.
ChunkBuilder& lost(ChunkBuilder& b)
{
    return b.begin(0x4000).text("Lost").begin(0x4100).vertices({{1, 2, 3}}).end().end();
}

TEST(SceneLoaderBounds, LyingLengthsCountsAndNamesStopTheWalkKeepingWhatCameBefore)
{
    const struct {
        const char* what;
        std::function<void(ChunkBuilder&)> tail;
        uint32_t meshCount;
    } cases[] = {
        {"unknown chunk of length 0", [](ChunkBuilder& b) { lost(b.header(0x1234, 0)); }, 1},
        {"unknown chunk of length 5", [](ChunkBuilder& b) { lost(b.header(0x1234, 5)); }, 1},
        {"unknown chunk past the end", [](ChunkBuilder& b) { lost(b.header(0x1234, 0xFFFFFFF0u)); }, 1},
        {"vertex count past the end",
         [](ChunkBuilder& b) {
             b.begin(0x4000).text("Big").begin(0x4100).header(0x4110, 8 + 12 * 60000).u16(60000).floats({1, 2, 3});
             lost(b.end().end());
         },
         2},
        {"name without its zero", [](ChunkBuilder& b) { b.header(0x4000, 20).u8('N').u8('o').u8('Z'); }, 1},
    };
    for (const auto& c : cases) {
        LoadedScene s(meshThen(c.tail));
        ASSERT_EQ(s->meshCount, c.meshCount) << c.what;
        EXPECT_STREQ(s->meshes[0].name, "Kept");
        EXPECT_EQ(s->meshes[0].faceCount, 1u);
        for (uint32_t m = 1; m < s->meshCount; ++m)
            EXPECT_EQ(s->meshes[m].vertexCount, 0u) << c.what;
    }
}

TEST(SceneLoaderBounds, DataRunningPastTheEndStopsTheWalkAndKeepsWhatWasRead)
{
    auto full = meshThen([](ChunkBuilder& b) {
        b.begin(0x4000).text("Second").begin(0x4100).vertices({{1, 2, 3}, {4, 5, 6}}).end().end();
    });
    // Every cut loads without reading past it (the sanitizer build checks); the first mesh survives.
    size_t firstMeshEnd = meshThen([](ChunkBuilder&) {}).size();
    for (size_t size = 0; size <= full.size(); ++size) {
        LoadedScene s(std::vector<uint8_t>(full.begin(), full.begin() + ptrdiff_t(size)));
        if (size >= firstMeshEnd) {
            ASSERT_GE(s->meshCount, 1u) << size;
            EXPECT_EQ(s->meshes[0].faceCount, 1u) << size;
        }
        for (uint32_t m = 0; m < s->meshCount; ++m)
            EXPECT_TRUE(s->meshes[m].vertexCount == 0 || s->meshes[m].vertices != nullptr);
    }
    // A vertex list cut in its data: the mesh is made, its vertices are not.
    LoadedScene s(std::vector<uint8_t>(full.begin(), full.end() - 4));
    ASSERT_EQ(s->meshCount, 2u);
    EXPECT_TRUE(s->meshes[1].vertexCount == 0 && s->meshes[1].vertices == nullptr);
}

TEST(SceneLoaderBounds, MainAndEditorChunksAreSteppedIntoRightAfterTheirHeaders)
{
    ChunkBuilder bare, longer;  // no version records at all, and one longer than ten bytes
    bare.begin(0x4D4D).begin(0x3D3D);
    longer.begin(0x4D4D).begin(0x0002).u32(3).u32(0).end().begin(0x3D3D);
    for (ChunkBuilder* b : {&bare, &longer}) {
        b->begin(0x4000).text("M").begin(0x4100).vertices({{1, 2, 3}}).end().end().end().end();
        LoadedScene s(b->bytes());
        ASSERT_EQ(s->meshCount, 1u);
        EXPECT_EQ(s->meshes[0].vertexCount, 1u);
    }
}

TEST(SceneLoaderBounds, NamesAreReadWholeSpacesIncludedAndCutTo127Characters)
{
    std::string longName(200, 'x');
    longName[150] = 'y';
    LoadedScene s(meshThen([&](ChunkBuilder& b) {
        b.begin(0x4000).text("Torus Knot").begin(0x4100).end().end();
        b.begin(0x4000).text(longName).begin(0x4600).floats({1, 2, 3}).end().end();
        b.begin(0x4000).text(" lead").begin(0x4700).floats({0, 0, 0, 1, 1, 1, 0, 50}).end().end();
    }));
    ASSERT_EQ(s->meshCount, 2u);
    EXPECT_STREQ(s->meshes[1].name, "Torus Knot");
    ASSERT_EQ(s->lightCount, 1u);  // the walk went on after the long name's zero
    EXPECT_EQ(std::string(s->lights[0].name), std::string(127, 'x'));
    EXPECT_EQ(s->lights[0].position[1], 3.0f);
    EXPECT_STREQ(s->camera.name, " lead");
}

TEST(SceneLoaderBounds, FacesOutsideTheirMeshAreDroppedAndLaterListsReplaceEarlierOnes)
{
    LoadedScene s(meshThen([](ChunkBuilder& b) {
        b.begin(0x4000).text("Range").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        b.faces({{0, 1, 3}, {2, 1, 0}, {3, 0, 1}, {0, 1, 2}, {65535, 0, 1}}).end().end();
        b.begin(0x4000).text("NoVertices").begin(0x4100).faces({{0, 1, 2}}).end().end();
        // the second vertex list leaves the face (1, 2, 3) outside; the second face list wins
        b.begin(0x4000).text("Again").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}});
        b.faces({{0, 1, 2}, {1, 2, 3}}).vertices({{7, 8, 9}, {1, 0, 0}, {0, 0, 1}}).end().end();
        b.begin(0x4000).text("Faces").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        b.faces({{0, 1, 2}, {1, 2, 0}}).faces({{0, 2, 1}}).end().end();
    }));
    ASSERT_EQ(s->meshCount, 5u);
    const Mesh& range = s->meshes[1];
    ASSERT_EQ(range.faceCount, 2u);
    // (2, 1, 0) and (0, 1, 2) reversed, kept in order
    EXPECT_EQ(std::pair(range.faces[0].indices[0], range.faces[1].indices[0]), std::pair(0u, 2u));
    EXPECT_TRUE(s->meshes[2].faceCount == 0 && s->meshes[2].faces == nullptr);
    const Mesh& again = s->meshes[3];
    ASSERT_EQ(again.vertexCount, 3u);
    EXPECT_EQ(again.vertices[0].y, 9.0f);
    ASSERT_EQ(again.faceCount, 1u);
    EXPECT_EQ(again.faces[0].indices[0], 2u);
    ASSERT_EQ(s->meshes[4].faceCount, 1u);
    EXPECT_EQ(s->meshes[4].faces[0].indices[0], 1u);
}

TEST(SceneLoaderBounds, MeshAndLightDataBeforeTheirObjectsAreSkipped)
{
    ChunkBuilder b;
    b.begin(0x4D4D).begin(0x3D3D).vertices({{1, 2, 3}}).faces({{0, 0, 0}});
    b.begin(0x4140).u16(0).end().begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).end();
    b.begin(0x4610).floats({0, 0, 1, 10, 20}).end().begin(0x465A).f32(1).end();
    b.begin(0x465B).f32(1).end().begin(0x0010).floats({1, 1, 1}).end().begin(0x0011).u8(1).u8(2).u8(3).end();
    b.begin(0x4000).text("After").begin(0x4600).floats({1, 2, 3}).end().end().end().end();
    LoadedScene s(b.bytes());
    EXPECT_EQ(s->meshCount, 0u);
    ASSERT_EQ(s->lightCount, 1u);  // each was skipped by its length, not misread
    EXPECT_STREQ(s->lights[0].name, "After");
    EXPECT_EQ(s->lights[0].colour[0], 0.0f);
}

}  // namespace
