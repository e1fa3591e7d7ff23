#include "effects/wave_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

int field(int row, int column) { return WaveField[row * waveFieldColumns + column]; }

TEST(WaveField, ValuesAtTimesZeroAndTen)
{
    struct Case {
        float t;
        int row;
        std::vector<int> start;  // the row's first values
    } cases[] = {
        {0, 0, {15, 14, 15, 15, 16, 13, 11, 8, 7}},    {0, 1, {13}}, {0, 2, {12}}, {0, 4, {11}},
        {10, 0, {11, 10, 10, 10, 11, 11, 13, 14, 17}}, {10, 4, {1}},
    };
    for (const Case& c : cases) {
        computeWaveField(c.t);
        const uint16_t* row = WaveField + c.row * waveFieldColumns;
        EXPECT_EQ(std::vector<int>(row, row + c.start.size()), c.start) << "t " << c.t << " row " << c.row;
    }
}

// The sampled points against the wave function written out term by term; no value
// exceeds 30 anywhere.
TEST(WaveField, SampledPointsMatchTheWaveFunction)
{
    for (float t = 0; t < 266.7f; t += 0.1f) {
        computeWaveField(t);
        const double time = t;
        for (int b = 0; b < waveFieldRows; b += 4) {
            const double rowTerm = 6 * (std::sin(b / 16.0) + std::sin((b + 1.8 * time) / 12));
            for (int k = 0; k < waveFieldColumns; k += 4) {
                const double angle =
                    rowTerm + 5 * std::sin(k / 15.0) + 4 * std::sin((k + 2 * time) / 9) + double(0.05882353f) * time;
                ASSERT_EQ(field(b, k), int(15 * std::sin(angle)) + 15) << "t " << t << " b " << b << " k " << k;
            }
        }
        ASSERT_LE(*std::max_element(std::begin(WaveField), std::end(WaveField)), 30) << t;
    }
}

}  // namespace
