// The camera transforms handed to the device.
#include "engine/vector_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

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

}  // namespace
