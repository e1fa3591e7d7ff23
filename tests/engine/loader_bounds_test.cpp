// The loader on files that are cut short, lie about their lengths or hold data in
// the wrong place: it reads nothing outside the image and keeps what came before.
#include "chunk_builder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

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
    // Every cut loads without reading past it (the sanitizer build checks the reads);
    // the first mesh survives every cut after its face list.
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
    EXPECT_EQ(s->meshes[1].vertexCount, 0u);
    EXPECT_EQ(s->meshes[1].vertices, nullptr);
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
    EXPECT_EQ(range.faces[0].indices[0], 0u);  // (2, 1, 0) reversed, kept in order
    EXPECT_EQ(range.faces[1].indices[0], 2u);  // (0, 1, 2) reversed
    EXPECT_EQ(s->meshes[2].faceCount, 0u);
    EXPECT_EQ(s->meshes[2].faces, nullptr);
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
