// The house scene's decisions: the orbit, the swelling, the flashes and the band.
#include "scenes/house_animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(HouseOrbit, TurnsTheSourceCameraAboutTheVerticalAxis)
{
    SceneCamera source = {};
    source.position[0] = 10.0f, source.position[1] = 5.0f, source.position[2] = 20.0f;
    SceneCamera camera = {};
    camera.position[1] = 7.0f;
    camera.target[0] = 1.0f, camera.roll = 0.25f, camera.fieldOfView = 0.8f;

    orbitHouseCamera(30.0f, source, &camera);  // one radian
    EXPECT_NEAR(camera.position[0], 10 * std::cos(1.0) + 20 * std::sin(1.0), 1e-5);
    EXPECT_NEAR(camera.position[2], 20 * std::cos(1.0) - 10 * std::sin(1.0), 1e-5);
    EXPECT_EQ(camera.position[1], 7.0f);  // y, target, roll and field of view keep their values
    EXPECT_EQ(camera.target[0], 1.0f);
    EXPECT_EQ(camera.roll, 0.25f);
    EXPECT_EQ(camera.fieldOfView, 0.8f);

    orbitHouseCamera(0.0f, source, &camera);
    EXPECT_FLOAT_EQ(camera.position[0], 10.0f);
    EXPECT_FLOAT_EQ(camera.position[2], 20.0f);
}

TEST(HouseSwelling, DirectionFollowsThreeSinesAndHasNoLengthAtTheStart)
{
    for (double t : {0.5, 7.0, 40.0, 123.4, 266.0}) {
        const double e[3] = {std::sin(t / 7.0), std::sin(t / 9.1), std::sin(t / 11.2)};
        const double length = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
        const Vector3 w = wanderingDirection(float(t));
        EXPECT_NEAR(w.x, e[0] / length, 1e-5) << t;
        EXPECT_NEAR(w.y, e[1] / length, 1e-5) << t;
        EXPECT_NEAR(w.z, e[2] / length, 1e-5) << t;
    }
    const Vector3 start = wanderingDirection(0.0f);
    EXPECT_EQ(start.x, 0.0f);
    EXPECT_EQ(start.y, 0.0f);
    EXPECT_EQ(start.z, 0.0f);
}

struct TestMesh {
    std::vector<MeshVertex> vertices;
    Mesh mesh = {};
    explicit TestMesh(std::vector<MeshVertex> v) : vertices(std::move(v))
    {
        mesh.vertices = vertices.data();
        mesh.vertexCount = uint32_t(vertices.size());
    }
};

MeshVertex vertexAt(float x, float y, float z, Vector3 normal)
{
    MeshVertex v = {};
    v.x = x, v.y = y, v.z = z;
    v.nx = normal.x, v.ny = normal.y, v.nz = normal.z;
    return v;
}

TEST(HouseSwelling, PushesVerticesOutByTheirNormalsAngleToTheDirection)
{
    const float t = 40.0f;
    const Vector3 w = wanderingDirection(t);
    Vector3 across = cross(w, {0.0f, 1.0f, 0.0f});
    divideVector(&across, &across, std::sqrt(lengthSquared(across)));
    const Vector3 against = {-w.x, -w.y, -w.z};

    TestMesh source({vertexAt(2, 4, -6, w), vertexAt(2, 4, -6, against), vertexAt(2, 4, -6, across),
                     vertexAt(2, 4, -6, {0, 0, 0})});
    TestMesh target(source.vertices);
    for (MeshVertex& v : target.vertices)
        v.x = v.y = v.z = 99.0f;  // the previous frame's positions are overwritten, not scaled
    swellMesh(source.mesh, w, &target.mesh);

    for (int i : {0, 1}) {
        EXPECT_NEAR(target.vertices[i].x, 3.0f, 1e-5) << i;
        EXPECT_NEAR(target.vertices[i].y, 6.0f, 1e-5) << i;
        EXPECT_NEAR(target.vertices[i].z, -9.0f, 1e-5) << i;
    }
    for (int i : {2, 3}) {
        EXPECT_NEAR(target.vertices[i].x, 2.0f, 1e-5) << i;
        EXPECT_NEAR(target.vertices[i].y, 4.0f, 1e-5) << i;
        EXPECT_NEAR(target.vertices[i].z, -6.0f, 1e-5) << i;
    }
    EXPECT_EQ(target.vertices[0].nx, w.x);  // normals stay as they were
}

TEST(HouseSwelling, LeavesPositionsFiniteAndUnchangedAtTimeZero)
{
    TestMesh source({vertexAt(1, 2, 3, {0, 1, 0}), vertexAt(-4, 5, 6, {0.6f, 0, 0.8f})});
    TestMesh target(source.vertices);
    swellMesh(source.mesh, wanderingDirection(0.0f), &target.mesh);
    for (size_t i = 0; i < source.vertices.size(); ++i) {
        EXPECT_EQ(target.vertices[i].x, source.vertices[i].x);
        EXPECT_EQ(target.vertices[i].y, source.vertices[i].y);
        EXPECT_EQ(target.vertices[i].z, source.vertices[i].z);
    }
}

TEST(HouseFlashes, FallOnTheBeatAndTwelveAndAHalfTicksAfter)
{
    ASSERT_TRUE(houseFlashLevel(5.0f));
    EXPECT_NEAR(*houseFlashLevel(5.0f), 0.5f, 1e-6);
    EXPECT_FALSE(houseFlashLevel(10.0f));  // the end of a window is excluded
    EXPECT_FALSE(houseFlashLevel(12.5f));  // and so is its start
    ASSERT_TRUE(houseFlashLevel(17.5f));
    EXPECT_NEAR(*houseFlashLevel(17.5f), 0.5f, 1e-6);
    EXPECT_FALSE(houseFlashLevel(0.0f));
    EXPECT_FALSE(houseFlashLevel(25.0f));
    ASSERT_TRUE(houseFlashLevel(240.0f));  // beat 7 starts at 233.33332
    EXPECT_NEAR(*houseFlashLevel(240.0f), 1 - (240 - 7 * 33.33333206176758) * 0.1, 1e-6);
    EXPECT_NEAR(*houseFlashLevel(240.0f), 0.3333f, 1e-3);
    ASSERT_TRUE(houseFlashLevel(33.4f));
    EXPECT_NEAR(*houseFlashLevel(33.4f), 1 - (33.4f - 33.33333206176758) * 0.1, 1e-6);
    EXPECT_FALSE(houseFlashLevel(270.0f));  // only the scene's eight beats flash
}

TEST(HouseBand, ChangesEveryTwoBeatsThenFadesToBlack)
{
    EXPECT_EQ(houseBand(0.0f).kind, HouseBand::picture);
    EXPECT_EQ(houseBand(0.0f).pictureIndex, 0);
    EXPECT_EQ(houseBand(66.6f).pictureIndex, 0);
    EXPECT_EQ(houseBand(66.666664f).kind, HouseBand::picture);
    EXPECT_EQ(houseBand(66.666664f).pictureIndex, 1);
    EXPECT_EQ(houseBand(133.3f).pictureIndex, 1);
    EXPECT_EQ(houseBand(133.33333f).pictureIndex, 4);
    EXPECT_EQ(houseBand(199.99f).kind, HouseBand::picture);
    EXPECT_EQ(houseBand(199.99f).pictureIndex, 4);

    EXPECT_EQ(houseBand(200.0f).kind, HouseBand::blackFade);
    EXPECT_EQ(houseBand(200.0f).blackLevel, 0.0f);
    EXPECT_NEAR(houseBand(233.33f).blackLevel, 0.5f, 1e-3);
    EXPECT_NEAR(houseBand(240.0f).blackLevel, 0.6f, 1e-6);
    EXPECT_EQ(houseBand(266.66f).kind, HouseBand::blackFade);
    EXPECT_LE(houseBand(266.66f).blackLevel, 1.0f);
    EXPECT_EQ(houseBand(266.66666f).kind, HouseBand::nothing);
}

}  // namespace
