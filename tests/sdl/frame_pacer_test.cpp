#include "frame_pacer.h"

#include <gtest/gtest.h>

using host::sdl::FramePacer;
using namespace std::chrono;

namespace {

// Presents as fast as the pacer lets through, `frames` times, starting at `start`;
// returns how long that took.
FramePacer::Clock::duration run(FramePacer& pacer, FramePacer::Clock::time_point& now, int frames,
                                int hz, bool vsync)
{
    auto start = now;
    for (int i = 0; i < frames; ++i)
        now += pacer.delayAt(now, hz, vsync) + microseconds(100);   // 0.1 ms of drawing
    return now - start;
}

} // namespace

TEST(FramePacer, AFastLoopIsHeldToTheRefreshRate)
{
    FramePacer pacer;
    FramePacer::Clock::time_point now{seconds(1000)};
    pacer.delayAt(now, 60, false);   // the first frame starts the count
    auto second = run(pacer, now, 60, 60, false);
    EXPECT_NEAR(duration_cast<milliseconds>(second).count(), 1000, 5);
    auto tenth = run(pacer, now, 10, 100, false);
    EXPECT_NEAR(duration_cast<milliseconds>(tenth).count(), 100, 2);
}

TEST(FramePacer, AnUnknownRateCountsAsSixtyAndVsyncPacesAQuarterFaster)
{
    FramePacer unknown, vsync;
    FramePacer::Clock::time_point a{seconds(5)}, b{seconds(5)};
    unknown.delayAt(a, 0, false);
    vsync.delayAt(b, 60, true);
    EXPECT_NEAR(duration_cast<milliseconds>(run(unknown, a, 60, 0, false)).count(), 1000, 5);
    EXPECT_NEAR(duration_cast<milliseconds>(run(vsync, b, 75, 60, true)).count(), 1000, 5);
}

TEST(FramePacer, ASlowFrameIsNotMadeUpByRushingTheNextOnes)
{
    FramePacer pacer;
    FramePacer::Clock::time_point now{seconds(7)};
    pacer.delayAt(now, 50, false);
    now += milliseconds(500);   // a frame that took half a second
    EXPECT_EQ(pacer.delayAt(now, 50, false), FramePacer::Clock::duration::zero());
    // From there on the frames come one period apart again, not in a burst.
    auto next = pacer.delayAt(now, 50, false);
    EXPECT_NEAR(duration_cast<microseconds>(next).count(), 20000, 10);
}
