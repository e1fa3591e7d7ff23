// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The scenes' decisions apart from drawing: poses, swelling, flashes, bands, the light-beam swarm.
#include "scenes/box_animation.h"
#include "scenes/house_animation.h"
#include "scenes/light_scene.h"
#include "scenes/particles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
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
    EXPECT_EQ((std::array{camera.position[1], camera.target[0], camera.roll, camera.fieldOfView}),
              (std::array{7.0f, 1.0f, 0.25f, 0.8f}));
    orbitHouseCamera(0.0f, source, &camera);
    EXPECT_EQ(std::pair(camera.position[0], camera.position[2]), std::pair(10.0f, 20.0f));
}

// Normals along, against, across the wandering direction and zero; at t = 0 nothing moves.
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
            EXPECT_TRUE(std::abs(target[i].x - 2 * s) + std::abs(target[i].y - 4 * s) + std::abs(target[i].z + 6 * s) <
                        3e-5)
                << t << " " << i;
            EXPECT_EQ(target[i].nx, source[i].nx);  // normals stay as they were
        }
    }
}

// Flash levels (-1: no flash) and the house's band of pictures and fade; the window ends are excluded.
TEST(Flashes, FallOnTheirBeats)
{
    const float beat7 = 7 * 33.33333206176758f;
    const struct {
        FlashLevel (*level)(float);
        float t, expected, slack;
    } cases[] = {// clang-format off
        {houseFlashLevel, 5, .5f, 1e-6f}, {houseFlashLevel, 10, -1, 0}, {houseFlashLevel, 12.5f, -1, 0},
        {houseFlashLevel, 17.5f, .5f, 1e-6f}, {houseFlashLevel, 0, -1, 0}, {houseFlashLevel, 25, -1, 0},
        {houseFlashLevel, 240, 1 - (240 - beat7) * .1f, 1e-6f}, {houseFlashLevel, 270, -1, 0},
        {houseFlashLevel, 33.4f, 1 - (33.4f - 33.33333206176758f) * .1f, 1e-6f},
        {boxFlashLevel, 13.333333f, .5f, 1e-6f}, {boxFlashLevel, 27, .5f, 1e-6f}, {boxFlashLevel, 20, -1, 0},
        {boxFlashLevel, 30, -1, 0}, {boxFlashLevel, 8.333333f, -1, 0}, {boxFlashLevel, 0, -1, 0},
        {boxFlashLevel, 41.67f, 1, 1e-3f}, {boxFlashLevel, 18.3f, 1 - (18.3f - 8.333333f) * .1f, 1e-6f},
        {boxFlashLevel, 18.34f, -1, 0}, {boxFlashLevel, 24.01f, 1, 1e-2f}};  // clang-format on
    for (auto c : cases)
        EXPECT_NEAR(c.level(c.t).value_or(-1), c.expected, c.slack) << (c.level == boxFlashLevel) << " " << c.t;
    const struct {
        float t;
        HouseBand::Kind kind;
        int picture;
        float black, slack;
    } bands[] = {{0, HouseBand::picture, 0, 0, 0},           {66.6f, HouseBand::picture, 0, 0, 0},
                 {66.666664f, HouseBand::picture, 1, 0, 0},  {133.3f, HouseBand::picture, 1, 0, 0},
                 {133.33333f, HouseBand::picture, 4, 0, 0},  {199.99f, HouseBand::picture, 4, 0, 0},
                 {200, HouseBand::blackFade, 0, 0, 0},       {233.33f, HouseBand::blackFade, 0, .5f, 1e-3f},
                 {240, HouseBand::blackFade, 0, .6f, 1e-6f}, {266.66f, HouseBand::blackFade, 0, 1, 2e-3f},
                 {266.66666f, HouseBand::nothing, 0, 0, 0}};
    for (auto c : bands) {
        const HouseBand band = houseBand(c.t);
        ASSERT_EQ(band.kind, c.kind) << c.t;
        EXPECT_EQ(c.kind == HouseBand::picture ? band.pictureIndex : 0, c.picture) << c.t;
        EXPECT_NEAR(c.kind == HouseBand::blackFade ? band.blackLevel : 0, c.black, c.slack) << c.t;
    }
}

// At the start and ten ticks in, then on their spheres and circles at every time.
TEST(BoxPose, CameraAndLightsKeepTheirPathsAndDistances)
{
    const struct {
        float t, camera[3], light0X, light0Z, light1X, light1Y, slack;
    } cases[] = {{0, {-0.9995f, 0.0300f, -49.990f}, 40.792f, 39.192f, -39.592f, 20.796f, 1e-3f},
                 {10, {-27.005f, 34.054f, -24.720f}, 54.285f, -15.910f, -4.737f, 44.470f, 2e-3f}};
    for (const auto& c : cases) {
        const BoxPose p = boxPose(c.t);
        const float got[] = {p.camera[0], p.camera[1], p.camera[2], p.light0X, p.light0Z, p.light1X, p.light1Y};
        const float want[] = {c.camera[0], c.camera[1], c.camera[2], c.light0X, c.light0Z, c.light1X, c.light1Y};
        for (int i = 0; i < 7; ++i)
            EXPECT_NEAR(got[i], want[i], c.slack) << c.t << " value " << i;
    }
    for (float t = 0.0f; t < 140.0f; t += 0.37f) {
        const BoxPose p = boxPose(t);
        EXPECT_NEAR(std::hypot(p.camera[0], p.camera[1], p.camera[2]), 50.0f, 1e-4) << t;
        EXPECT_NEAR(std::hypot(p.light0X, p.light0Z), 40 * std::sqrt(2.0), 1e-4) << t;
        EXPECT_NEAR(std::hypot(p.light1X, p.light1Y), std::sqrt(2000.0), 1e-4) << t;
    }
}

class Swarm : public ::testing::Test {
protected:
    void SetUp() override { resetParticles(), simulationClock = 0.0f; }
};

TEST_F(Swarm, StartsAtOneHeightOnAFanOfUnitVelocities)
{
    EXPECT_TRUE(particles[0].vx == 0.0f && particles[0].vy == 0.0f && particles[0].vz == 1.0f);
    EXPECT_NEAR(particles[25].vx, 0.89443f, 1e-5);
    EXPECT_NEAR(particles[25].vy, 0.44721f, 1e-5);
    EXPECT_NEAR(particles[25].vz, -0.00001f, 5e-6);
    for (const Particle& p : particles) {
        EXPECT_TRUE(p.x == 0.0f && p.y == 40.0f && p.z == 0.0f);
        EXPECT_NEAR(p.vx * p.vx + p.vy * p.vy + p.vz * p.vz, 1.0f, 1e-5);
        EXPECT_FLOAT_EQ(p.vy, 0.5f * p.vx);
    }
}

TEST_F(Swarm, RunsWholePassesUntilTheClockCatchesUp)
{
    simulateUntil(0.5f);
    EXPECT_NEAR(simulationClock, 0.8f, 1e-5);
    EXPECT_NEAR(particles[25].y, 40.40721f, 1e-5);
    EXPECT_NEAR(particles[25].x, 0.89443f, 1e-5);
    EXPECT_NEAR(particles[0].vy, -0.04f, 1e-7);
    const float y = particles[25].y;
    simulateUntil(0.7f);  // already ahead: no pass
    EXPECT_NEAR(simulationClock, 0.8f, 1e-5);
    EXPECT_EQ(particles[25].y, y);
    simulateUntil(4.0f);  // whole passes: the clock ends at or just past 4
    EXPECT_TRUE(simulationClock >= 4.0f && simulationClock < 4.0f + 0.8f + 1e-4f) << simulationClock;
    EXPECT_NEAR(std::fmod(simulationClock + 0.4f, 0.8f), 0.4f, 1e-3);
}

TEST_F(Swarm, TurnsAtTheWallsWithoutPullingBackAndFallsUnderGravity)
{
    particles[3] = {49.5f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    particles[4] = {0.0f, -49.9f, -49.5f, 0.0f, -0.5f, -1.0f};
    particles[7] = {0.0f, 0.0f, 0.0f, 0.0f, 0.2f, 0.0f};
    runSimulationPass();
    EXPECT_TRUE(particles[3].x == 50.5f && particles[3].vx == -1.0f);
    EXPECT_NEAR(particles[4].y, -50.44f, 1e-4);
    EXPECT_NEAR(particles[4].vy, 0.54f, 1e-6);  // leaving -50 downward turns it upward
    EXPECT_EQ(particles[4].vz, 1.0f);
    runSimulationPass();
    EXPECT_TRUE(particles[3].x == 49.5f && particles[3].vx == -1.0f);
    float highest = particles[7].y;
    for (int pass = 2; pass < 20; ++pass) {
        runSimulationPass();
        highest = std::max(highest, particles[7].y);
    }
    EXPECT_NEAR(particles[7].vy, 0.2f - 20 * 0.04f, 1e-5);  // rising slows by 0.04 a pass and falls back
    EXPECT_LT(particles[7].y, highest);
    EXPECT_NEAR(highest, 0.16f + 0.12f + 0.08f + 0.04f, 1e-5);
}

}  // namespace
