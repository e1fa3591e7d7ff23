// Face and vertex normals as the loader computes them after the walk.
#include "chunk_builder.h"
#include "loaded_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

float length(const MeshVertex& v)
{
    return std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz);
}

// The reference: for each vertex, scan every face in order and average the unit
// normals of those that name it (once per face).
void referenceNormals(const Mesh& mesh, std::vector<float>& out)
{
    std::vector<float> face(3 * mesh.faceCount);
    for (uint32_t f = 0; f < mesh.faceCount; ++f) {
        const MeshVertex* v = mesh.vertices;
        const uint32_t* i = mesh.faces[f].indices;
        float e1[3] = {v[i[1]].x - v[i[0]].x, v[i[1]].y - v[i[0]].y, v[i[1]].z - v[i[0]].z};
        float e2[3] = {v[i[2]].x - v[i[0]].x, v[i[2]].y - v[i[0]].y, v[i[2]].z - v[i[0]].z};
        float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int c = 0; c < 3; ++c)
            face[3 * f + c] = len == 0.0f ? 0.0f : n[c] / len;
    }
    out.assign(3 * mesh.vertexCount, 0.0f);
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        uint32_t k = 0;
        for (uint32_t f = 0; f < mesh.faceCount; ++f) {
            const uint32_t* i = mesh.faces[f].indices;
            if (i[0] == v || i[1] == v || i[2] == v) {
                for (int c = 0; c < 3; ++c)
                    out[3 * v + c] += face[3 * f + c];
                ++k;
            }
        }
        if (k > 0)
            for (int c = 0; c < 3; ++c)
                out[3 * v + c] /= float(k);
    }
}

TEST(SceneNormals, UnusedVerticesGetZeroAndPerpendicularFacesAverage)
{
    ChunkBuilder b;
    b.begin(0x4D4D).begin(0x3D3D).begin(0x4000).text("M").begin(0x4100);
    // two unit right triangles meeting at right angles along the x axis, and one loose vertex
    b.vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {5, 5, 5}});
    b.faces({{0, 1, 2}, {0, 3, 1}});
    b.end().end().end().end();
    LoadedScene s(b.bytes());
    const Mesh& mesh = s->meshes[0];
    EXPECT_EQ(length(mesh.vertices[4]), 0.0f);
    EXPECT_NEAR(length(mesh.vertices[0]), 0.70711f, 1e-5);
    EXPECT_NEAR(length(mesh.vertices[2]), 1.0f, 1e-6);
}

TEST(SceneNormals, ZeroAreaFacesCountButAddAZeroNormal)
{
    ChunkBuilder b;
    b.begin(0x4D4D).begin(0x3D3D).begin(0x4000).text("M").begin(0x4100);
    b.vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 0, 0}});
    // a proper face, a face naming vertex 0 twice, and three collinear points
    b.faces({{0, 1, 2}, {0, 0, 1}, {0, 1, 3}});
    b.end().end().end().end();
    LoadedScene s(b.bytes());
    const Mesh& mesh = s->meshes[0];
    for (uint32_t i = 0; i < mesh.vertexCount; ++i) {
        EXPECT_FALSE(std::isnan(mesh.vertices[i].nx + mesh.vertices[i].ny + mesh.vertices[i].nz)) << i;
    }
    EXPECT_NEAR(length(mesh.vertices[0]), 1.0f / 3.0f, 1e-6);  // three faces, the doubled one once
    EXPECT_NEAR(length(mesh.vertices[2]), 1.0f, 1e-6);
    EXPECT_EQ(length(mesh.vertices[3]), 0.0f);
}

TEST(SceneNormals, OnePassGivesBitForBitTheSumsOfThePerVertexScan)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    std::uniform_int_distribution<int> index(0, 59);
    ChunkBuilder b;
    b.begin(0x4D4D).begin(0x3D3D).begin(0x4000).text("M").begin(0x4100);
    b.begin(0x4110).u16(60);
    for (int i = 0; i < 60 * 3; ++i)
        b.f32(coordinate(random));
    b.end().begin(0x4120).u16(400);
    for (int f = 0; f < 400; ++f)
        b.u16(uint16_t(index(random))).u16(uint16_t(index(random))).u16(uint16_t(index(random))).u16(0);
    b.end().end().end().end().end();
    LoadedScene s(b.bytes());
    const Mesh& mesh = s->meshes[0];
    std::vector<float> expected;
    referenceNormals(mesh, expected);
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        const float got[3] = {mesh.vertices[v].nx, mesh.vertices[v].ny, mesh.vertices[v].nz};
        EXPECT_EQ(std::memcmp(got, &expected[3 * v], sizeof got), 0) << v;
    }
}

}  // namespace
