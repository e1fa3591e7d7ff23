// The running order: the exact boundaries, which span a time falls in, and the
// one-shot actions of a span.
#include "app/timeline.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>

namespace {

TEST(Timeline, BoundariesAreTheRoundedProductsOfTheBeat)
{
    EXPECT_EQ(std::bit_cast<uint32_t>(beat), 0x42055555u);
    EXPECT_EQ(double(ticksPerMillisecond), 0.0199999995529651641845703125);
    const std::pair<int, float> boundaries[] = {{8, 266.666656494140625f}, {20, 666.6666259765625f}, {24, 800.0f},
                                                {60, 1999.9998779296875f}, {64, 2133.333251953125f}, {66, 2200.0f}};
    for (auto [beats, ticks] : boundaries)
        EXPECT_EQ(beatBoundary(beats), ticks) << beats;
}

TEST(Timeline, EachTimeFallsInTheSpanItsBoundariesGive)
{
    const std::pair<double, int> cases[] = {
        {-1.0e6, 0},  // a wrapped counter shows the rain again
        {0.0, 0},
        {266.666656494140625, 1},
        {1999.99, 8},
        {1999.9998779296875, 9},
        {2199.99, 10},
        {2200.0, -1},
        {5000.0, -1},
        {266.666656494140625 - 1e-6, 0},  // rounds to the first boundary, which is tested before rounding
    };
    for (auto [difference, span] : cases)
        EXPECT_EQ(selectSpan(showTimeline(), difference, float(difference)), span) << difference;
}

TEST(Timeline, ElapsedTimeUsesTheSinglePrecisionStart)
{
    EXPECT_EQ(ticksOf(1000), 20.0f);
    EXPECT_DOUBLE_EQ(elapsedSince(20.0f, 1050), 1050 * 0.0199999995529651641845703125 - 20.0);
    EXPECT_EQ(std::fmod(double(ticksOf(864000000)), 2.0), 0.0);  // after ten days of uptime, held to 2 ticks
}

// A timeline of recording operations, to watch the mechanism itself.
std::string calls;
int32_t firstDone, thirdDone;

void record(char what, float t) { calls += what + std::to_string(int(std::lround(t * 10))) + " "; }
const Span testSpans[] = {
    {0.0f, &firstDone, [](DisplayContext*) { firstDone = 1, calls += "1 "; },
     [](float t, DisplayContext*) { record('a', t); }},
    {100.0f, nullptr, nullptr, [](float t, DisplayContext*) { record('b', t); }},
    {200.0f, &thirdDone, [](DisplayContext*) { thirdDone = 1, calls += "3 "; },
     [](float t, DisplayContext*) { record('c', t); }},
};
const Timeline testTimeline = {testSpans, 3, 300.0f};

std::string run(std::initializer_list<double> times)
{
    DisplayContext context = {};
    calls.clear();
    for (double t : times)
        if (!stepTimeline(testTimeline, t, &context))
            calls += "end ";
    return calls;
}

TEST(Timeline, OneShotActionsRunOnceBeforeTheirSpansFirstFrameUntilRearmed)
{
    rearmTimeline(testTimeline);
    EXPECT_EQ(run({0.0, 10.0, 150.0, 210.0, 220.0, 300.0}), "1 a0 a100 b500 3 c100 c200 end ");
    EXPECT_EQ(run({0.0, 250.0}), "a0 c500 ");
    rearmTimeline(testTimeline);
    EXPECT_EQ(run({250.0, 0.0}), "3 c500 1 a0 ");  // a skipped span runs nothing
    // The local time is the difference of the two single-precision values.
    EXPECT_EQ(run({200.3}), "c3 ");
}

}  // namespace
