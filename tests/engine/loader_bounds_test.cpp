// The loader on files that are cut short, lie about their lengths or hold data in
// the wrong place: it reads nothing outside the image and keeps what came before.
#include "chunk_builder.h"
#include "loaded_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::vector<uint8_t> cut(std::vector<uint8_t> bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

// A mesh "Kept", then whatever the test appends, all inside main and editor chunks.
template <typename Tail>
std::vector<uint8_t> meshThen(Tail tail)
{
    ChunkBuilder b;
    b.begin(0x4D4D).version().begin(0x3D3D).version(0x3D3E);
    b.begin(0x4000).text("Kept").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    b.faces({{0, 1, 2}}).end().end();
    tail(b);
    b.end().end();
    return b.bytes();
}

TEST(SceneLoaderBounds, ChunkLengthsBelowAHeaderOrPastTheEndStopTheWalk)
{
    for (uint32_t badLength : {0u, 5u, 0xFFFFFFF0u}) {
        LoadedScene s(meshThen([&](ChunkBuilder& b) {
            b.header(0x1234, badLength);  // unknown, so skipped by its length
            b.begin(0x4000).text("Lost").begin(0x4100).end().end();
        }));
        ASSERT_EQ(s->meshCount, 1u) << badLength;
        EXPECT_STREQ(s->meshes[0].name, "Kept");
        EXPECT_EQ(s->meshes[0].faceCount, 1u);
    }
}

TEST(SceneLoaderBounds, DataRunningPastTheEndStopsTheWalkAndKeepsWhatWasRead)
{
    auto full = meshThen([](ChunkBuilder& b) {
        b.begin(0x4000).text("Second").begin(0x4100).vertices({{1, 2, 3}, {4, 5, 6}}).end().end();
    });
    // Every cut of the file loads without reading past it (the sanitizer build checks
    // the reads); the first mesh survives every cut after its face list.
    size_t firstMeshEnd = meshThen([](ChunkBuilder&) {}).size();
    for (size_t size = 0; size <= full.size(); ++size) {
        auto bytes = cut(full, size);
        LoadedScene s(bytes);
        if (size >= firstMeshEnd) {
            ASSERT_GE(s->meshCount, 1u) << size;
            EXPECT_EQ(s->meshes[0].faceCount, 1u) << size;
        }
        for (uint32_t m = 0; m < s->meshCount; ++m)
            EXPECT_TRUE(s->meshes[m].vertexCount == 0 || s->meshes[m].vertices != nullptr);
    }
    // A vertex list cut in its data: the mesh is made, its vertices are not.
    LoadedScene s(cut(full, full.size() - 4));
    ASSERT_EQ(s->meshCount, 2u);
    EXPECT_EQ(s->meshes[1].vertexCount, 0u);
    EXPECT_EQ(s->meshes[1].vertices, nullptr);
}

TEST(SceneLoaderBounds, CountsLargerThanTheFileStopTheWalk)
{
    LoadedScene s(meshThen([](ChunkBuilder& b) {
        b.begin(0x4000).text("Big").begin(0x4100);
        b.header(0x4110, 8 + 12 * 60000).u16(60000).floats({1, 2, 3});
        b.end().end();
    }));
    ASSERT_EQ(s->meshCount, 2u);
    EXPECT_EQ(s->meshes[1].vertexCount, 0u);
}

TEST(SceneLoaderBounds, ANameWithoutItsTerminatingZeroStopsTheWalk)
{
    auto bytes = meshThen([](ChunkBuilder& b) { b.header(0x4000, 20).u8('N').u8('o').u8('Z'); });
    LoadedScene s(bytes);
    EXPECT_EQ(s->meshCount, 1u);
}

TEST(SceneLoaderBounds, MainAndEditorChunksAreSteppedIntoRightAfterTheirHeaders)
{
    // No version records at all: the editor follows the main header directly.
    ChunkBuilder bare;
    bare.begin(0x4D4D).begin(0x3D3D).begin(0x4000).text("M").begin(0x4100).vertices({{1, 2, 3}});
    bare.end().end().end().end();
    LoadedScene s(bare.bytes());
    ASSERT_EQ(s->meshCount, 1u);
    EXPECT_EQ(s->meshes[0].vertexCount, 1u);

    // A version record longer than ten bytes is skipped by its own length.
    ChunkBuilder longer;
    longer.begin(0x4D4D).begin(0x0002).u32(3).u32(0).end().begin(0x3D3D);
    longer.begin(0x4000).text("M").begin(0x4100).vertices({{1, 2, 3}}).end().end().end().end();
    LoadedScene t(longer.bytes());
    ASSERT_EQ(t->meshCount, 1u);
    EXPECT_EQ(t->meshes[0].vertexCount, 1u);
}

TEST(SceneLoaderBounds, NamesAreReadWholeSpacesIncludedAndCutTo127Characters)
{
    std::string longName(200, 'x');
    longName[150] = 'y';
    LoadedScene s(meshThen([&](ChunkBuilder& b) {
        b.begin(0x4000).text("Torus Knot").begin(0x4100).vertices({{0, 0, 0}}).end().end();
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

TEST(SceneLoaderBounds, FacesNamingAVertexTheMeshLacksAreDropped)
{
    LoadedScene s(meshThen([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        b.faces({{0, 1, 3}, {2, 1, 0}, {3, 0, 1}, {0, 1, 2}, {65535, 0, 1}});
        b.end().end();
        b.begin(0x4000).text("NoVertices").begin(0x4100).faces({{0, 1, 2}}).end().end();
    }));
    const Mesh& mesh = s->meshes[1];
    ASSERT_EQ(mesh.faceCount, 2u);
    EXPECT_EQ(mesh.faces[0].indices[0], 0u);  // (2, 1, 0) reversed, kept in order
    EXPECT_EQ(mesh.faces[1].indices[0], 2u);  // (0, 1, 2) reversed
    EXPECT_EQ(s->meshes[2].faceCount, 0u);
    EXPECT_EQ(s->meshes[2].faces, nullptr);
}

TEST(SceneLoaderBounds, MeshAndLightDataBeforeTheirObjectsAreSkipped)
{
    ChunkBuilder b;
    b.begin(0x4D4D).begin(0x3D3D);
    b.vertices({{1, 2, 3}}).faces({{0, 0, 0}});
    b.begin(0x4140).u16(0).end().begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).end();
    b.begin(0x4610).floats({0, 0, 1, 10, 20}).end().begin(0x465A).f32(1).end();
    b.begin(0x465B).f32(1).end().begin(0x0010).floats({1, 1, 1}).end().begin(0x0011).u8(1).u8(2).u8(3).end();
    b.begin(0x4000).text("After").begin(0x4600).floats({1, 2, 3}).end().end();
    b.end().end();
    LoadedScene s(b.bytes());
    EXPECT_EQ(s->meshCount, 0u);
    ASSERT_EQ(s->lightCount, 1u);  // each was skipped by its length, not misread
    EXPECT_STREQ(s->lights[0].name, "After");
    EXPECT_EQ(s->lights[0].colour[0], 0.0f);
}

TEST(SceneLoaderBounds, ASecondVertexOrFaceListReplacesTheFirst)
{
    LoadedScene s(meshThen([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}});
        b.faces({{0, 1, 2}, {1, 2, 3}});
        b.vertices({{7, 8, 9}, {1, 0, 0}, {0, 0, 1}}).faces({{0, 1, 2}});
        b.end().end();
    }));
    const Mesh& mesh = s->meshes[1];
    ASSERT_EQ(mesh.vertexCount, 3u);
    EXPECT_EQ(mesh.vertices[0].x, 7.0f);
    EXPECT_EQ(mesh.vertices[0].y, 9.0f);
    EXPECT_EQ(mesh.faceCount, 1u);
}

TEST(SceneLoaderBounds, FacesLeftOutsideAShorterReplacementVertexListAreDropped)
{
    LoadedScene s(meshThen([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}});
        b.faces({{0, 1, 2}, {1, 2, 3}}).vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        b.end().end();
    }));
    ASSERT_EQ(s->meshes[1].faceCount, 1u);
    EXPECT_EQ(s->meshes[1].faces[0].indices[0], 2u);
}

}  // namespace
