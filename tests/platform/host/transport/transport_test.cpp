// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The transport against a demo that reads the counter once a frame and presents it, as
// the show's main loop does, with one frame in a while presented twice (a one-shot
// action that shows what it laid down).
#include "host/transport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t showMs = 110000;

// A demo on a host whose own clock advances `frameMs` at every present.
struct DemoRun {
    host::Transport transport;
    uint32_t now = 7;  // the host's clock need not start at 0
    uint32_t frameMs;
    std::vector<uint32_t> shown;  // the counter value of every frame shown

    explicit DemoRun(uint32_t start = 0, uint32_t frameMs = 50) : transport(showMs, start), frameMs(frameMs) { }

    // One frame of the demo: false while the host holds it (it draws nothing).
    bool frame(bool twice = false)
    {
        if (transport.holding())
            return false;
        uint32_t read = transport.counter(now);
        for (int i = 0; i < (twice ? 2 : 1); ++i) {
            if (transport.present(read, now))
                shown.push_back(read);
            now += frameMs;  // the host's own clock moves on, seeking or not
        }
        return true;
    }
    void frames(int n)
    {
        for (int i = 0; i < n; ++i)
            frame(i == 0);  // the show's first frame is presented twice
    }
};

TEST(Transport, AFreshShowPlaysOnTheHostsClockFromItsFirstReading)
{
    DemoRun run(0, 20);
    EXPECT_EQ(run.transport.counter(run.now), 0u);
    EXPECT_TRUE(run.transport.isSeeking());  // until the first frame is shown
    run.frames(4);
    EXPECT_EQ(run.shown, (std::vector<uint32_t>{0, 0, 40, 60, 80}));
    EXPECT_FALSE(run.transport.isSeeking());
}

TEST(Transport, AStartLaterShowsTheFirstFrameOfAOneFramePerTickRunAtOrAfterIt)
{
    // One frame per tick from the start: 0 twice, then 100, 150, ...; the first at 1234
    // or later is 1250, and from there the host's own step.
    DemoRun run(1234, 20);
    run.frames(40);
    ASSERT_FALSE(run.shown.empty());
    EXPECT_EQ(run.shown[0], 1250u);
    EXPECT_EQ(run.shown[1], 1270u);
    // A start exactly on a frame shows that frame.
    DemoRun exact(1250, 50);
    exact.frames(40);
    EXPECT_EQ(exact.shown.at(0), 1250u);
    EXPECT_EQ(exact.shown.at(1), 1300u);
    // No later than the show's last tick.
    DemoRun late(200000, 50);
    late.frames(2300);
    EXPECT_EQ(late.shown.at(0), showMs - 50);
}

TEST(Transport, PauseHoldsTheDemoAndStopsTheClockStepsShowOneTickMore)
{
    DemoRun run;
    run.frames(10);
    uint32_t onScreen = run.shown.back();
    run.transport.setPaused(true, run.now);
    size_t before = run.shown.size();
    uint32_t counter = run.transport.counter(run.now);
    run.now += 5000;  // five seconds paused
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(run.frame());
    EXPECT_EQ(run.shown.size(), before);
    EXPECT_EQ(run.transport.counter(run.now), counter);
    run.transport.step();
    EXPECT_TRUE(run.frame());
    EXPECT_FALSE(run.frame());  // held again after the one frame
    run.transport.step();
    EXPECT_TRUE(run.frame());
    EXPECT_EQ(run.shown.size(), before + 2);
    EXPECT_EQ(run.shown[before], onScreen + 50);
    EXPECT_EQ(run.shown[before + 1], onScreen + 100);
    // Resumed, the clock goes on from where the steps left it: a tick after the last.
    run.transport.setPaused(false, run.now);
    run.frame();
    EXPECT_EQ(run.shown.back(), onScreen + 150);
    run.frame();
    EXPECT_EQ(run.shown.back(), onScreen + 200);
    // A step while playing does nothing.
    run.transport.step();
    run.frame();
    EXPECT_EQ(run.shown.back(), onScreen + 250);
}

TEST(Transport, ASeekForwardRunsOnUnseenAndBackNeedsAFreshDemo)
{
    DemoRun reference(0, 50);
    reference.frames(400);
    DemoRun run;
    run.frames(30);
    // Forward from a frame on the one-frame-per-tick grid lands where a fresh start does.
    run.transport.seek(12345, run.now);
    EXPECT_FALSE(run.transport.restartPending());
    size_t before = run.shown.size();
    while (run.transport.isSeeking())
        run.frame();
    ASSERT_EQ(run.shown.size(), before + 1);
    EXPECT_EQ(run.shown.back(), 12350u);
    EXPECT_EQ(run.transport.seekProgress(), 1.0);
    // Back: nothing more is shown until the host starts the demo afresh.
    run.transport.seek(5000, run.now);
    EXPECT_TRUE(run.transport.restartPending());
    EXPECT_FALSE(run.transport.holding());
    EXPECT_FALSE(run.transport.present(run.transport.counter(run.now), run.now));
    run.transport.restart();
    EXPECT_EQ(run.transport.counter(run.now), 0u);
    run.frames(300);
    before = 0;
    while (run.shown[before] != 12350u || run.shown[before + 1] == 12350u)
        ++before;
    std::vector<uint32_t> afterSeek(run.shown.begin() + long(before) + 1, run.shown.end());
    ASSERT_GE(afterSeek.size(), 10u);
    EXPECT_EQ(afterSeek.front(), 5000u);
    // From there on every frame is the uninterrupted run's.
    auto at = std::find(reference.shown.begin(), reference.shown.end(), 5000u);
    ASSERT_NE(at, reference.shown.end());
    EXPECT_TRUE(std::equal(afterSeek.begin(), afterSeek.end(), at));
}

TEST(Transport, StepsBackAndSeeksWhilePausedStayPaused)
{
    DemoRun run;
    run.frames(20);
    run.transport.setPaused(true, run.now);
    uint32_t onScreen = run.shown.back();
    run.transport.stepBack(run.now);
    ASSERT_TRUE(run.transport.restartPending());
    run.transport.restart();
    while (run.frame()) {
    }
    EXPECT_EQ(run.shown.back(), onScreen - 50);
    EXPECT_TRUE(run.transport.holding());
    // Forward while paused: the demo runs to the target and is held there.
    run.transport.seek(onScreen + 1000, run.now);
    EXPECT_FALSE(run.transport.restartPending());
    while (run.frame()) {
    }
    EXPECT_EQ(run.shown.back(), onScreen + 1000);
    EXPECT_TRUE(run.transport.isPaused());
}

TEST(Transport, ProgressCountsTheWayToTheTarget)
{
    DemoRun run;
    run.frames(3);
    run.transport.seek(10000, run.now);
    EXPECT_EQ(run.transport.seekProgress(), 0.0);
    double last = 0.0;
    for (int i = 0; i < 100; ++i) {
        run.frame();
        double progress = run.transport.seekProgress();
        EXPECT_GE(progress, last);
        last = progress;
    }
    EXPECT_GT(last, 0.4);
    EXPECT_LT(last, 0.6);
    // Seeking again further while a seek runs keeps going from where it stands; nearer
    // than where it stands needs a fresh demo.
    run.transport.seek(20000, run.now);
    EXPECT_FALSE(run.transport.restartPending());
    run.transport.seek(1000, run.now);
    EXPECT_TRUE(run.transport.restartPending());
}

}  // namespace
