// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "frame_pacer.h"

#include <gtest/gtest.h>

using host::sdl::FramePacer;
using namespace std::chrono;

// A loop drawing 0.1 ms a frame is held to the refresh rate (60 Hz when unknown); where vsync waits too
// the pacer runs a quarter faster. The first frame only starts the count.
TEST(FramePacer, AFastLoopIsHeldToTheRefreshRate)
{
    const struct {
        int hz;
        bool vsync;
        int frames;
        long milliseconds, slack;
    } cases[] = {
        {60, false, 60, 1000, 5},
        {100, false, 10, 100, 2},
        {0, false, 60, 1000, 5},
        {60, true, 75, 1000, 5},
    };
    for (const auto& c : cases) {
        FramePacer pacer;
        FramePacer::Clock::time_point now{seconds(1000)};
        pacer.delayAt(now, c.hz, c.vsync);
        const auto start = now;
        for (int i = 0; i < c.frames; ++i)
            now += pacer.delayAt(now, c.hz, c.vsync) + microseconds(100);
        EXPECT_NEAR(duration_cast<milliseconds>(now - start).count(), c.milliseconds, c.slack)
            << c.hz << " Hz, vsync " << c.vsync;
    }
}

TEST(FramePacer, ASlowFrameIsNotMadeUpByRushingTheNextOnes)
{
    FramePacer pacer;
    FramePacer::Clock::time_point now{seconds(7)};
    pacer.delayAt(now, 50, false);
    now += milliseconds(500);  // a frame that took half a second
    EXPECT_EQ(pacer.delayAt(now, 50, false), FramePacer::Clock::duration::zero());
    // From there on the frames come one period apart again, not in a burst.
    EXPECT_NEAR(duration_cast<microseconds>(pacer.delayAt(now, 50, false)).count(), 20000, 10);
}
