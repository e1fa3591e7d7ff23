// The box scene's decisions: the camera on its sphere, the circling lights, the flashes.
#include "scenes/box_animation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(BoxPose, StartsNearTheFrontOfTheSphere)
{
    const BoxPose pose = boxPose(0.0f);
    EXPECT_NEAR(pose.camera[0], -0.9995f, 1e-4);
    EXPECT_NEAR(pose.camera[1], 0.0300f, 1e-4);
    EXPECT_NEAR(pose.camera[2], -49.990f, 1e-3);
    EXPECT_NEAR(pose.light0X, 40.792f, 1e-3);
    EXPECT_NEAR(pose.light0Z, 39.192f, 1e-3);
    EXPECT_NEAR(pose.light1X, -39.592f, 1e-3);
    EXPECT_NEAR(pose.light1Y, 20.796f, 1e-3);
}

TEST(BoxPose, TenTicksIn)
{
    const BoxPose pose = boxPose(10.0f);
    EXPECT_NEAR(pose.camera[0], -27.005f, 2e-3);
    EXPECT_NEAR(pose.camera[1], 34.054f, 2e-3);
    EXPECT_NEAR(pose.camera[2], -24.720f, 2e-3);
    EXPECT_NEAR(pose.light0X, 54.285f, 2e-3);
    EXPECT_NEAR(pose.light0Z, -15.910f, 2e-3);
    EXPECT_NEAR(pose.light1X, -4.737f, 2e-3);
    EXPECT_NEAR(pose.light1Y, 44.470f, 2e-3);
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
    ASSERT_TRUE(boxFlashLevel(13.333333f));
    EXPECT_NEAR(*boxFlashLevel(13.333333f), 0.5f, 1e-6);
    ASSERT_TRUE(boxFlashLevel(27.0f));
    EXPECT_NEAR(*boxFlashLevel(27.0f), 0.5f, 1e-6);
    EXPECT_FALSE(boxFlashLevel(20.0f));
    EXPECT_FALSE(boxFlashLevel(30.0f));
    EXPECT_FALSE(boxFlashLevel(8.333333f));  // the start itself is excluded
    EXPECT_FALSE(boxFlashLevel(0.0f));
    ASSERT_TRUE(boxFlashLevel(41.67f));      // beat 1, a quarter beat in
    EXPECT_NEAR(*boxFlashLevel(41.67f), 1.0f, 1e-3);
    ASSERT_TRUE(boxFlashLevel(18.3f));
    EXPECT_NEAR(*boxFlashLevel(18.3f), 1.0f - (18.3f - 8.333333f) * 0.1f, 1e-6);
    EXPECT_FALSE(boxFlashLevel(18.34f));
    ASSERT_TRUE(boxFlashLevel(24.01f));
    EXPECT_NEAR(*boxFlashLevel(24.01f), 1.0f, 1e-2);
}

}  // namespace
