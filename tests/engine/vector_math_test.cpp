// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "chunk_builder.h"
#include "engine/vector_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

// The camera transforms handed to the device.
void expectMatrix(const Matrix4& m, const float (&expected)[16], float tolerance)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m.m[i], expected[i], tolerance) << "element (" << i / 4 << ", " << i % 4 << ")";
}

TEST(VectorMath, LookAtHoldsRightUpAndForwardInItsColumnsAndTheNegatedEyeInRowThree)
{
    const float s = std::sqrt(0.5f);
    const struct {
        Vector3 eye, at, up;
        float expected[16];
    } cases[] = {
        {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
        {{0, 0, -10}, {0, 0, 0}, {0, 1, 0}, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 10, 1}},
        // down the x axis: forward x, right -z (left-handed), up y
        {{0, 0, 0}, {5, 0, 0}, {0, 2, 0}, {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1}},
        // a tilted up vector is made perpendicular to the view
        {{1, 2, 3}, {1, 2, 13}, {1, 1, 0}, {s, s, 0, 0, -s, s, 0, 0, 0, 0, 1, 0, s, -3 * s, -3, 1}},
    };
    for (const auto& c : cases) {
        Matrix4 m;
        EXPECT_EQ(lookAtMatrix(&m, c.eye, c.at, c.up), &m);
        expectMatrix(m, c.expected, 1e-6f);
    }
}

TEST(VectorMath, ProjectionForAQuarterTurnAndAFiftyMillimetreLens)
{
    Matrix4 m;
    EXPECT_EQ(projectionMatrix(&m, 10, 500, 1.5707963f), &m);
    expectMatrix(m, {0.70711f, 0, 0, 0, 0, 0.70711f, 0, 0, 0, 0, 0.72154f, 0.70711f, 0, 0, -7.21538f, 0}, 1e-5f);
    projectionMatrix(&m, 10, 500, 0.837744f);
    expectMatrix(m, {0.91355f, 0, 0, 0, 0, 0.91355f, 0, 0, 0, 0, 0.41503f, 0.40673f, 0, 0, -4.15031f, 0}, 1e-5f);
}

// Face and vertex normals as the loader computes them after the walk.
float length(const MeshVertex& v) { return std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz); }

TEST(SceneNormals, VertexNormalsAverageTheUnitNormalsOfTheFacesUsingThem)
{
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        // two unit right triangles meeting at right angles along the x axis, then a face
        // naming vertex 0 twice and one of three collinear points; vertex 5 is loose
        b.begin(0x4000).text("M").begin(0x4100).vertices(
            {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 2, 0}, {5, 5, 5}});
        b.faces({{0, 1, 2}, {0, 3, 1}, {0, 0, 2}, {0, 2, 4}}).end().end();
    }));
    const Mesh& mesh = s->meshes[0];
    for (uint32_t i = 0; i < mesh.vertexCount; ++i)
        EXPECT_FALSE(std::isnan(mesh.vertices[i].nx + mesh.vertices[i].ny + mesh.vertices[i].nz)) << i;
    EXPECT_NEAR(length(mesh.vertices[1]), 0.70711f, 1e-5);
    // faces of zero area count as uses but add nothing; the doubled vertex counts once
    EXPECT_NEAR(length(mesh.vertices[0]), 0.70711f / 2, 1e-5);
    EXPECT_NEAR(length(mesh.vertices[2]), 1.0f / 3, 1e-6);
    EXPECT_NEAR(length(mesh.vertices[3]), 1.0f, 1e-6);
    EXPECT_EQ(length(mesh.vertices[4]) + length(mesh.vertices[5]), 0.0f);
}

// The reference: each vertex's normal is the average of the unit normals of the faces naming it.
std::vector<float> referenceNormals(const Mesh& mesh)
{
    std::vector<float> face(3 * mesh.faceCount), out(3 * mesh.vertexCount, 0.0f);
    for (uint32_t f = 0; f < mesh.faceCount; ++f) {
        const MeshVertex *a = &mesh.vertices[mesh.faces[f].indices[0]], *b = &mesh.vertices[mesh.faces[f].indices[1]],
                         *c = &mesh.vertices[mesh.faces[f].indices[2]];
        float e1[3] = {b->x - a->x, b->y - a->y, b->z - a->z}, e2[3] = {c->x - a->x, c->y - a->y, c->z - a->z};
        float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int k = 0; k < 3; ++k)
            face[3 * f + k] = len == 0.0f ? 0.0f : n[k] / len;
    }
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        uint32_t uses = 0;
        for (uint32_t f = 0; f < mesh.faceCount; ++f) {
            const uint32_t* i = mesh.faces[f].indices;
            if (i[0] == v || i[1] == v || i[2] == v) {
                for (int k = 0; k < 3; ++k)
                    out[3 * v + k] += face[3 * f + k];
                ++uses;
            }
        }
        for (int k = 0; k < 3 && uses > 0; ++k)
            out[3 * v + k] /= float(uses);
    }
    return out;
}

TEST(SceneNormals, OnePassGivesBitForBitTheSumsOfThePerVertexScan)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    std::uniform_int_distribution<int> index(0, 59);
    LoadedScene s(sceneFile([&](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).begin(0x4110).u16(60);
        for (int i = 0; i < 60 * 3; ++i)
            b.f32(coordinate(random));
        b.end().begin(0x4120).u16(400);
        for (int f = 0; f < 400; ++f)
            b.u16(uint16_t(index(random))).u16(uint16_t(index(random))).u16(uint16_t(index(random))).u16(0);
        b.end().end().end();
    }));
    const Mesh& mesh = s->meshes[0];
    std::vector<float> expected = referenceNormals(mesh);
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        const float got[3] = {mesh.vertices[v].nx, mesh.vertices[v].ny, mesh.vertices[v].nz};
        EXPECT_EQ(std::memcmp(got, &expected[3 * v], sizeof got), 0) << v;
    }
}

}  // namespace
