// The camera transforms handed to the device.
#include "engine/vector_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectMatrix(const Matrix4& m, const float (&expected)[16], float tolerance = 1e-6f)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m.m[i], expected[i], tolerance) << "element (" << i / 4 << ", " << i % 4 << ")";
}

TEST(VectorMath, LookAtAlongZFromTheOriginIsTheIdentity)
{
    Matrix4 m;
    EXPECT_EQ(lookAtMatrix(&m, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}), &m);
    expectMatrix(m, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

TEST(VectorMath, LookAtPutsTheNegatedEyeInRowThree)
{
    Matrix4 m;
    lookAtMatrix(&m, {0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    expectMatrix(m, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 10, 1});
}

TEST(VectorMath, LookAtColumnsAreRightUpAndForward)
{
    // looking down the x axis from (0, 0, 0): forward x, right -z (left-handed), up y
    Matrix4 m;
    lookAtMatrix(&m, {0, 0, 0}, {5, 0, 0}, {0, 2, 0});
    expectMatrix(m, {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1});
    // a tilted up vector is made perpendicular to the view
    lookAtMatrix(&m, {1, 2, 3}, {1, 2, 13}, {1, 1, 0});
    float s = std::sqrt(0.5f);
    expectMatrix(m, {s, s, 0, 0, -s, s, 0, 0, 0, 0, 1, 0, s, -3 * s, -3, 1}, 1e-5f);
}

TEST(VectorMath, ProjectionForAQuarterTurnAndAFiftyMillimetreLens)
{
    Matrix4 m;
    EXPECT_EQ(projectionMatrix(&m, 10, 500, 1.5707963f), &m);
    expectMatrix(m, {0.70711f, 0, 0, 0, 0, 0.70711f, 0, 0, 0, 0, 0.72154f, 0.70711f, 0, 0, -7.21538f, 0}, 1e-5f);
    projectionMatrix(&m, 10, 500, 0.837744f);
    expectMatrix(m, {0.91355f, 0, 0, 0, 0, 0.91355f, 0, 0, 0, 0, 0.41503f, 0.40673f, 0, 0, -4.15031f, 0}, 1e-5f);
}

TEST(VectorMath, DivideVectorMayWriteOverItsSource)
{
    Vector3 v{2, -4, 8};
    EXPECT_EQ(divideVector(&v, &v, 2.0f), &v);
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, -2.0f);
    EXPECT_EQ(v.z, 4.0f);
}

}  // namespace
