#include "effects/wave_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

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

// No value leaves 0..30 anywhere in the span.
TEST(WaveField, StaysWithinItsRange)
{
    for (float t = 0; t < 266.7f; t += 1.3f) {
        computeWaveField(t);
        const auto [low, high] = std::minmax_element(std::begin(WaveField), std::end(WaveField));
        ASSERT_TRUE(*low >= 0 && *high <= 30) << t;
    }
}

}  // namespace
