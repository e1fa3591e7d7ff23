// The house scene's decisions: the orbit, the swelling, the flashes and the band.
#include "scenes/house_animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(HouseOrbit, TurnsOnlyTheSourceCamerasXAndZAboutTheVerticalAxis)
{
    SceneCamera source = {}, camera = {};
    source.position[0] = 10.0f, source.position[2] = 20.0f;
    camera.position[1] = 7.0f, camera.target[0] = 1.0f, camera.roll = 0.25f, camera.fieldOfView = 0.8f;
    orbitHouseCamera(30.0f, source, &camera);  // one radian
    EXPECT_NEAR(camera.position[0], 10 * std::cos(1.0) + 20 * std::sin(1.0), 1e-5);
    EXPECT_NEAR(camera.position[2], 20 * std::cos(1.0) - 10 * std::sin(1.0), 1e-5);
    EXPECT_EQ(camera.position[1], 7.0f);
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
    EXPECT_TRUE(start.x == 0.0f && start.y == 0.0f && start.z == 0.0f);
}

// Normals along, against, across w and zero; at t = 0 (no direction) nothing moves.
TEST(HouseSwelling, PushesVerticesOutByTheirNormalsAngleToTheDirection)
{
    for (float t : {40.0f, 0.0f}) {
        const Vector3 w = wanderingDirection(t);
        Vector3 across = cross(w, {0.0f, 1.0f, 0.0f});
        if (t > 0)
            divideVector(&across, &across, std::sqrt(lengthSquared(across)));
        std::vector<MeshVertex> source, target;
        for (Vector3 n : {w, Vector3{-w.x, -w.y, -w.z}, across, Vector3{0, 0, 0}}) {
            MeshVertex v = {};
            v.x = 2, v.y = 4, v.z = -6, v.nx = n.x, v.ny = n.y, v.nz = n.z;
            source.push_back(v);
        }
        target = source;
        for (MeshVertex& v : target)
            v.x = v.y = v.z = 99.0f;  // the previous frame's positions are overwritten, not scaled
        Mesh from = {}, to = {};
        from.vertices = source.data(), to.vertices = target.data();
        from.vertexCount = to.vertexCount = uint32_t(source.size());
        swellMesh(from, w, &to);
        for (int i = 0; i < 4; ++i) {
            const float s = t > 0 && i < 2 ? 1.5f : 1.0f;
            EXPECT_NEAR(target[i].x, 2 * s, 1e-5) << t << " " << i;
            EXPECT_NEAR(target[i].y, 4 * s, 1e-5) << t << " " << i;
            EXPECT_NEAR(target[i].z, -6 * s, 1e-5) << t << " " << i;
            EXPECT_EQ(target[i].nx, source[i].nx);  // normals stay as they were
        }
    }
}

TEST(HouseFlashes, FallOnTheBeatAndTwelveAndAHalfTicksAfter)
{
    const struct { float t; float level; } cases[] = {  // level < 0: no flash
        {5.0f, 0.5f}, {10.0f, -1}, {12.5f, -1}, {17.5f, 0.5f}, {0.0f, -1}, {25.0f, -1},  // window ends excluded
        {240.0f, float(1 - (240 - 7 * 33.33333206176758) * 0.1)},  // beat 7 starts at 233.33332, about 0.3333
        {33.4f, float(1 - (33.4f - 33.33333206176758) * 0.1)}, {270.0f, -1},  // only eight beats flash
    };
    for (auto c : cases)
        EXPECT_NEAR(houseFlashLevel(c.t).value_or(-1), c.level, 1e-6) << c.t;
}

TEST(HouseBand, ChangesEveryTwoBeatsThenFadesToBlack)
{
    const struct { float t; HouseBand::Kind kind; int picture; float black; float slack; } cases[] = {
        {0.0f, HouseBand::picture, 0, 0, 0}, {66.6f, HouseBand::picture, 0, 0, 0},
        {66.666664f, HouseBand::picture, 1, 0, 0}, {133.3f, HouseBand::picture, 1, 0, 0},
        {133.33333f, HouseBand::picture, 4, 0, 0}, {199.99f, HouseBand::picture, 4, 0, 0},
        {200.0f, HouseBand::blackFade, 0, 0.0f, 0}, {233.33f, HouseBand::blackFade, 0, 0.5f, 1e-3f},
        {240.0f, HouseBand::blackFade, 0, 0.6f, 1e-6f}, {266.66f, HouseBand::blackFade, 0, 1.0f, 2e-3f},
        {266.66666f, HouseBand::nothing, 0, 0, 0},
    };
    for (auto c : cases) {
        const HouseBand band = houseBand(c.t);
        ASSERT_EQ(band.kind, c.kind) << c.t;
        EXPECT_EQ(c.kind == HouseBand::picture ? band.pictureIndex : 0, c.picture) << c.t;
        EXPECT_NEAR(c.kind == HouseBand::blackFade ? band.blackLevel : 0, c.black, c.slack) << c.t;
    }
}

}  // namespace
