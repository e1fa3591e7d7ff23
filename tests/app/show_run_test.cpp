// Whole runs of the program on the headless host: how the show ends, and the exit codes
// of failures the command line cannot reach (the options' script tests the others).
// Runs follow one another in one process, in any order.
#include "host/headless_host.h"
#include "soft/faults.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32_t showMs = 110000;  // 2200 ticks of 50 ms

class ShowRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(chdir(MORNAKLE_DATA_DIR), 0); }
    void TearDown() override { host::install(nullptr), soft::clearFaults(); }

    // The program's exit code; `prepare` may post events to the host before the run.
    int run(uint32_t frameMs, uint32_t startMs, const std::function<void(host::HeadlessHost&)>& prepare = {})
    {
        host::HeadlessHostOptions options;
        options.frameMs = frameMs;
        options.startMs = startMs;
        hostObject = host::makeHeadlessHost(options);
        if (prepare)
            prepare(*hostObject);
        host::install(hostObject.get());
        hostObject->onPresent = [this](const host::Frame&, uint32_t tick) { ticks.push_back(tick); };
        char commandLine[] = "";
        return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    }

    std::unique_ptr<host::HeadlessHost> hostObject;
    std::vector<uint32_t> ticks;
};

TEST_F(ShowRun, RunsToTheEndWithoutPresentingPastIt)
{
    ASSERT_EQ(run(1000, 12345), 0);
    ASSERT_GT(ticks.size(), 100u);
    // The clock only moves at presents, so the show started at the first frame's tick.
    EXPECT_LT(ticks.back() - ticks.front(), showMs);
    EXPECT_GE(ticks.back() - ticks.front(), 106667u);  // the black close (from 2133.33 ticks) was shown
    EXPECT_TRUE(hostObject->cursorVisible());
    EXPECT_EQ(hostObject->modeDevice(), -1);
}

// Escape while the data loads: the rain's set-up presents once, then the first frame. Closing
// the window ends the show like Escape. With a wrapping tick counter the show goes on (back at
// the rain) until Escape.
TEST_F(ShowRun, EscapeAndCloseEndTheShowWhereverTheClockStands)
{
    EXPECT_EQ(run(50, 0,
                  [](host::HeadlessHost& h) {
                      h.onDialogClosed = [&h] { h.postEvent({host::EventKind::keyDown, VK_ESCAPE}); };
                  }),
              0);
    EXPECT_EQ(hostObject->framesPresented(), 2);
    EXPECT_EQ(run(50, 1000,
                  [](host::HeadlessHost& h) {
                      h.postEventAt(1000 + 30 * 50, {host::EventKind::quit, 0});
                  }),
              0);
    EXPECT_LT(hostObject->framesPresented(), 40);
    EXPECT_EQ(run(1000, 0xFFFFFFFFu - 5000,
                  [](host::HeadlessHost& h) {
                      h.postEventAt(30000, {host::EventKind::keyDown, VK_ESCAPE});
                  }),
              0);
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
