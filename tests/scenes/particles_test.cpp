// The light-beam scene's swarm and its moving light.
#include "scenes/light_scene.h"
#include "scenes/particles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

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
    EXPECT_GE(simulationClock, 4.0f);
    EXPECT_LT(simulationClock, 4.0f + 0.8f + 1e-4f);
    EXPECT_NEAR(std::fmod(simulationClock + 0.4f, 0.8f), 0.4f, 1e-3);
}

TEST_F(Swarm, TurnsAtTheWallsWithoutPullingBackAndFallsUnderGravity)
{
    particles[3] = {49.5f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    particles[4] = {0.0f, -49.9f, -49.5f, 0.0f, -0.5f, -1.0f};
    particles[7] = {0.0f, 0.0f, 0.0f, 0.0f, 0.2f, 0.0f};
    runSimulationPass();
    EXPECT_FLOAT_EQ(particles[3].x, 50.5f);
    EXPECT_EQ(particles[3].vx, -1.0f);
    EXPECT_NEAR(particles[4].y, -50.44f, 1e-4);
    EXPECT_NEAR(particles[4].vy, 0.54f, 1e-6);  // leaving -50 downward turns it upward
    EXPECT_EQ(particles[4].vz, 1.0f);
    runSimulationPass();
    EXPECT_FLOAT_EQ(particles[3].x, 49.5f);
    EXPECT_EQ(particles[3].vx, -1.0f);
    float highest = particles[7].y;
    for (int pass = 2; pass < 20; ++pass) {
        runSimulationPass();
        highest = std::max(highest, particles[7].y);
    }
    EXPECT_NEAR(particles[7].vy, 0.2f - 20 * 0.04f, 1e-5);  // rising slows by 0.04 a pass and falls back
    EXPECT_LT(particles[7].y, highest);
    EXPECT_NEAR(highest, 0.16f + 0.12f + 0.08f + 0.04f, 1e-5);
}

TEST(MovingLight, CirclesOnThreeSines)
{
    float position[3];
    movingLightPosition(0.0f, position);
    EXPECT_TRUE(position[0] == 0.0f && position[1] == 20.0f && position[2] == 0.0f);
    movingLightPosition(50.0f, position);
    EXPECT_NEAR(position[0], 20 * std::sin(5.0), 1e-5);
    EXPECT_NEAR(position[1], 20 * std::cos(50 / 11.2), 1e-5);
    EXPECT_NEAR(position[2], 20 * std::sin(50 / 13.1), 1e-5);
}

}  // namespace
