// The box scene's decisions: the camera on its sphere, the circling lights, the flashes.
#include "scenes/box_animation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(BoxPose, CameraAndLightsAtTheStartAndTenTicksIn)
{
    const struct { float t; float camera[3], light0X, light0Z, light1X, light1Y, slack; } cases[] = {
        {0.0f, {-0.9995f, 0.0300f, -49.990f}, 40.792f, 39.192f, -39.592f, 20.796f, 1e-3f},
        {10.0f, {-27.005f, 34.054f, -24.720f}, 54.285f, -15.910f, -4.737f, 44.470f, 2e-3f},
    };
    for (const auto& c : cases) {
        const BoxPose pose = boxPose(c.t);
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(pose.camera[axis], c.camera[axis], c.slack) << c.t << " axis " << axis;
        EXPECT_NEAR(pose.light0X, c.light0X, c.slack) << c.t;
        EXPECT_NEAR(pose.light0Z, c.light0Z, c.slack) << c.t;
        EXPECT_NEAR(pose.light1X, c.light1X, c.slack) << c.t;
        EXPECT_NEAR(pose.light1Y, c.light1Y, c.slack) << c.t;
    }
}

TEST(BoxPose, CameraAndLightsKeepTheirDistances)
{
    for (float t = 0.0f; t < 140.0f; t += 0.37f) {
        const BoxPose pose = boxPose(t);
        const float* c = pose.camera;
        EXPECT_NEAR(std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]), 50.0f, 1e-4) << t;
        EXPECT_NEAR(std::hypot(pose.light0X, pose.light0Z), 40 * std::sqrt(2.0), 1e-4) << t;
        EXPECT_NEAR(std::hypot(pose.light1X, pose.light1Y), std::sqrt(2000.0), 1e-4) << t;
    }
}

TEST(BoxFlashes, TwoInEveryBeat)
{
    const struct { float t; float level; float slack; } cases[] = {  // level < 0: no flash
        {13.333333f, 0.5f, 1e-6f}, {27.0f, 0.5f, 1e-6f}, {20.0f, -1, 0}, {30.0f, -1, 0},
        {8.333333f, -1, 0}, {0.0f, -1, 0},  // the start itself is excluded
        {41.67f, 1.0f, 1e-3f},        // beat 1, a quarter beat in
        {18.3f, 1.0f - (18.3f - 8.333333f) * 0.1f, 1e-6f}, {18.34f, -1, 0}, {24.01f, 1.0f, 1e-2f},
    };
    for (auto c : cases)
        EXPECT_NEAR(boxFlashLevel(c.t).value_or(-1), c.level, c.slack) << c.t;
}

}  // namespace
