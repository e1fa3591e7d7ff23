// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "app/timeline.h"
#include "host/headless_host.h"
#include "scenes/box_scene.h"
#include "scenes/house_scene.h"
#include "scenes/light_scene.h"
#include "soft/faults.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The running order: the exact boundaries, which span a time falls in, a span's one-shot actions.
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
    // A wrapped counter (a negative difference) shows the rain again; the last case rounds to the first
    // boundary, which is tested before rounding.
    const std::pair<double, int> cases[] = {{-1.0e6, 0},
                                            {0.0, 0},
                                            {266.666656494140625, 1},
                                            {1999.99, 8},
                                            {1999.9998779296875, 9},
                                            {2199.99, 10},
                                            {2200.0, -1},
                                            {5000.0, -1},
                                            {266.666656494140625 - 1e-6, 0}};
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

// Whole runs on the headless host, one after another in one process: how the show ends, and the exit
// codes of failures the command line cannot reach (the options' script tests the others).
constexpr uint32_t showMs = 110000;  // 2200 ticks of 50 ms

class ShowRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(chdir(MORNAKLE_DATA_DIR), 0); }
    void TearDown() override { host::install(nullptr), soft::clearFaults(); }

    // The program's exit code; `prepare` may post events to the host before the run.
    int run(uint32_t frameMs, uint32_t startMs, const std::function<void(host::headless::HeadlessHost&)>& prepare = {})
    {
        host::headless::HeadlessHostOptions options;
        options.frameMs = frameMs;
        options.startMs = startMs;
        hostObject = host::headless::makeHeadlessHost(options);
        if (prepare)
            prepare(*hostObject);
        host::install(hostObject.get());
        hostObject->onPresent = [this](const host::Frame&, uint32_t tick) { ticks.push_back(tick); };
        char commandLine[] = "";
        const int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
        // A show ended early leaves its scenes loaded for the process's end to free; the next loads anew.
        releaseHouseScene(nullptr), releaseBoxScene(nullptr), releaseLightScene(nullptr);
        releaseScene(&houseScene);  // the drawn copy, which the show keeps to the end
        houseScene = {};
        return code;
    }

    std::unique_ptr<host::headless::HeadlessHost> hostObject;
    std::vector<uint32_t> ticks;
};

TEST_F(ShowRun, RunsToTheEndWithoutPresentingPastIt)
{
    ASSERT_EQ(run(1000, 12345), 0);
    ASSERT_GT(ticks.size(), 100u);
    // The clock only moves at presents, so the show started at the first frame's tick.
    EXPECT_LT(ticks.back() - ticks.front(), showMs);
    EXPECT_GE(ticks.back() - ticks.front(), 106667u);  // the black close (from 2133.33 ticks) was shown
    EXPECT_TRUE(hostObject->cursorVisible() && hostObject->modeDevice() == -1) << "the display is not given back";
}

// Escape while the data loads: the rain's set-up presents once, then the first frame. Closing ends the
// show like Escape. With a wrapping tick counter the show goes on (back at the rain) until Escape.
TEST_F(ShowRun, EscapeAndCloseEndTheShowWhereverTheClockStands)
{
    const host::Event escape{host::EventKind::keyDown, VK_ESCAPE};
    EXPECT_EQ(
        run(50, 0, [&](host::headless::HeadlessHost& h) { h.onDialogClosed = [&h, escape] { h.postEvent(escape); }; }),
        0);
    EXPECT_EQ(hostObject->framesPresented(), 2);
    EXPECT_EQ(run(50, 1000,
                  [](host::headless::HeadlessHost& h) {
                      h.postEventAt(2500, {host::EventKind::quit, 0});
                  }),
              0);
    EXPECT_LT(hostObject->framesPresented(), 40);
    EXPECT_EQ(run(1000, 0xFFFFFFFFu - 5000, [&](host::headless::HeadlessHost& h) { h.postEventAt(30000, escape); }), 0);
    EXPECT_GT(hostObject->framesPresented(), 30);
    EXPECT_LT(hostObject->framesPresented(), 40);
}

TEST_F(ShowRun, FailedDisplaySetUpEndsWithExitCode2)
{
    soft::injectFault("IDirect3D2::CreateViewport", E_OUTOFMEMORY);
    EXPECT_EQ(run(50, 0), 2);
    EXPECT_TRUE(ticks.empty());
}

using ShowRunDeathTest = ShowRun;

TEST_F(ShowRunDeathTest, SoundLibraryFailuresEndWithTheMessageAndExitCode1)
{
    for (const char* call : {"MIDASplayModule", "MIDASstopModule", "MIDASfreeModule", "MIDASclose"}) {
        EXPECT_EXIT(
            {
                soft::injectFault(call, 1);
                run(5000, 0);
            },
            ::testing::ExitedWithCode(1), "Midas: ")
            << call;
    }
}

}  // namespace
