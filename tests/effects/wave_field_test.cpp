#include "effects/wave_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

uint16_t field(int row, int column) { return WaveField[row * waveFieldColumns + column]; }

std::vector<int> rowStart(int row, int count)
{
    return std::vector<int>(WaveField + row * waveFieldColumns, WaveField + row * waveFieldColumns + count);
}

TEST(WaveField, ValuesAtTimeZero)
{
    computeWaveField(0);
    EXPECT_EQ(rowStart(0, 9), (std::vector<int>{15, 14, 15, 15, 16, 13, 11, 8, 7}));
    EXPECT_EQ(field(4, 0), 11);
    EXPECT_EQ(field(2, 0), 12);
    EXPECT_EQ(field(1, 0), 13);
}

TEST(WaveField, ValuesAtTimeTen)
{
    computeWaveField(10);
    EXPECT_EQ(rowStart(0, 9), (std::vector<int>{11, 10, 10, 10, 11, 11, 13, 14, 17}));
    EXPECT_EQ(field(4, 0), 1);
}

// The sampled points against the wave function written out term by term.
TEST(WaveField, SampledPointsMatchTheWaveFunction)
{
    for (float t = 0; t < 266.7f; t += 0.1f) {
        computeWaveField(t);
        const double time = t;
        for (int b = 0; b < waveFieldRows; b += 4) {
            const double rowTerm = 6 * (std::sin(b / 16.0) + std::sin((b + 1.8 * time) / 12));
            for (int k = 0; k < waveFieldColumns; k += 4) {
                const double angle = rowTerm + 5 * std::sin(k / 15.0) + 4 * std::sin((k + 2 * time) / 9) +
                                     double(0.05882353f) * time;
                ASSERT_EQ(field(b, k), int(15 * std::sin(angle)) + 15) << "t " << t << " b " << b << " k " << k;
            }
        }
    }
}

TEST(WaveField, StaysWithinThirtyOneLevelsOfBlue)
{
    for (float t = 0; t < 266.7f; t += 13.3f) {
        computeWaveField(t);
        EXPECT_LE(*std::max_element(std::begin(WaveField), std::end(WaveField)), 30) << t;
    }
}

} // namespace
