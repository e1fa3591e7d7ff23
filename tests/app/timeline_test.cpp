// The running order: the exact boundaries, which span a time falls in, and the
// one-shot actions of a span.
#include "app/timeline.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <vector>

namespace {

TEST(TimelineConstants, BoundariesAreTheRoundedProductsOfTheBeat)
{
    EXPECT_EQ(std::bit_cast<uint32_t>(beat), 0x42055555u);
    EXPECT_EQ(std::bit_cast<uint32_t>(ticksPerMillisecond), std::bit_cast<uint32_t>(0.02f));
    EXPECT_EQ(double(ticksPerMillisecond), 0.0199999995529651641845703125);
    EXPECT_EQ(beatBoundary(8), 266.666656494140625f);
    EXPECT_EQ(beatBoundary(16), 533.33331298828125f);
    EXPECT_EQ(beatBoundary(20), 666.6666259765625f);
    EXPECT_EQ(beatBoundary(24), 800.0f);
    EXPECT_EQ(beatBoundary(32), 1066.6666259765625f);
    EXPECT_EQ(beatBoundary(40), 1333.333251953125f);
    EXPECT_EQ(beatBoundary(48), 1600.0f);
    EXPECT_EQ(beatBoundary(56), 1866.6666259765625f);
    EXPECT_EQ(beatBoundary(60), 1999.9998779296875f);
    EXPECT_EQ(beatBoundary(64), 2133.333251953125f);
    EXPECT_EQ(showLength, 2200.0f);
}

int spanAt(double difference) { return selectSpan(showTimeline(), difference, float(difference)); }

TEST(TimelineSelection, EachTimeFallsInTheSpanItsBoundariesGive)
{
    EXPECT_EQ(spanAt(-1.0e6), 0);  // a wrapped counter shows the rain again
    EXPECT_EQ(spanAt(0.0), 0);
    EXPECT_EQ(spanAt(266.666656494140625), 1);
    EXPECT_EQ(spanAt(1999.99), 8);
    EXPECT_EQ(spanAt(1999.9998779296875), 9);
    EXPECT_EQ(spanAt(2000.0), 9);
    EXPECT_EQ(spanAt(2199.99), 10);
    EXPECT_EQ(spanAt(2200.0), -1);
    EXPECT_EQ(spanAt(5000.0), -1);
}

TEST(TimelineSelection, FirstBoundaryIsTestedBeforeRounding)
{
    // Just below the first boundary, but rounding to it in single precision.
    double justBelow = 266.666656494140625 - 1e-6;
    ASSERT_EQ(float(justBelow), 266.666656494140625f);
    EXPECT_EQ(selectSpan(showTimeline(), justBelow, float(justBelow)), 0);
}

TEST(TimelineClock, ElapsedTimeUsesTheSinglePrecisionStart)
{
    float start = ticksOf(1000);
    EXPECT_EQ(start, 20.0f);
    EXPECT_DOUBLE_EQ(elapsedSince(start, 1050), 1050 * 0.0199999995529651641845703125 - 20.0);
    // After ten days of uptime the start is held to 2 ticks.
    float late = ticksOf(864000000);
    EXPECT_EQ(std::fmod(double(late), 2.0), 0.0);
}

// A timeline of recording operations, to watch the mechanism itself.
struct Call {
    char what;
    float time;
};
std::vector<Call> calls;
int32_t firstDone, thirdDone;

void drawA(float t, DisplayContext*) { calls.push_back({'a', t}); }
void drawB(float t, DisplayContext*) { calls.push_back({'b', t}); }
void drawC(float t, DisplayContext*) { calls.push_back({'c', t}); }
void firstOnce(DisplayContext*)
{
    firstDone = 1;
    calls.push_back({'1', 0});
}
void thirdOnce(DisplayContext*)
{
    calls.push_back({'3', 0});
    thirdDone = 1;
}

const Span testSpans[] = {
    {0.0f, &firstDone, firstOnce, drawA},
    {100.0f, nullptr, nullptr, drawB},
    {200.0f, &thirdDone, thirdOnce, drawC},
};
const Timeline testTimeline = {testSpans, 3, 300.0f};

class TimelineStep : public ::testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        firstDone = thirdDone = 0;
    }
    DisplayContext context = {};
};

TEST_F(TimelineStep, OneShotActionsRunOnceBeforeTheirSpansFirstFrame)
{
    for (double t : {0.0, 10.0, 150.0, 210.0, 220.0})
        ASSERT_TRUE(stepTimeline(testTimeline, t, &context));
    std::vector<char> order;
    for (const Call& c : calls)
        order.push_back(c.what);
    EXPECT_EQ(order, (std::vector<char>{'1', 'a', 'a', 'b', '3', 'c', 'c'}));
    EXPECT_FLOAT_EQ(calls[3].time, 50.0f);
    EXPECT_FLOAT_EQ(calls.back().time, 20.0f);
}

TEST_F(TimelineStep, ASkippedSpanRunsNothingAndLaterSpansRunNormally)
{
    ASSERT_TRUE(stepTimeline(testTimeline, 250.0, &context));
    EXPECT_EQ(firstDone, 0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].what, '3');
    EXPECT_FLOAT_EQ(calls[1].time, 50.0f);
}

TEST_F(TimelineStep, TheEndIsNeverDrawn)
{
    EXPECT_FALSE(stepTimeline(testTimeline, 300.0, &context));
    EXPECT_TRUE(calls.empty());
}

TEST_F(TimelineStep, LocalTimeIsTheDifferenceOfTheTwoSinglePrecisionValues)
{
    // The show's box span starts at 666.6666259765625.
    ASSERT_TRUE(stepTimeline(testTimeline, 700.0 - 500.0 + 0.3, &context));
    EXPECT_EQ(calls.back().time, float(200.3) - 200.0f);
}

}  // namespace
