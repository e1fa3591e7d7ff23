// Whole runs of the program on the headless host: how the show ends, and every exit
// code. Each test runs in a process of its own, as the program does.
#include "host/headless_host.h"
#include "soft/faults.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32_t showMs = 110000;  // 2200 ticks of 50 ms

class ShowRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(chdir(MORNAKLE_DATA_DIR), 0); }

    int run(host::HeadlessHostOptions options = {})
    {
        hostObject = host::makeHeadlessHost(options);
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
    host::HeadlessHostOptions options;
    options.frameMs = 1000;
    options.startMs = 12345;
    ASSERT_EQ(run(options), 0);
    ASSERT_GT(ticks.size(), 100u);
    // The clock only moves at presents, so the show started at the first frame's tick.
    uint32_t start = ticks.front();
    EXPECT_LT(ticks.back() - start, showMs);
    EXPECT_GE(ticks.back() - start, 106667u);  // the black close (from 2133.33 ticks) was shown
    EXPECT_TRUE(hostObject->cursorVisible());
    EXPECT_EQ(hostObject->modeDevice(), -1);
}

TEST_F(ShowRun, EscapeWhileTheDataLoadsShowsTheFirstFrameThenEnds)
{
    host::HeadlessHostOptions options;
    auto hostPtr = host::makeHeadlessHost(options);
    // The key arrives after the dialog, while start-up goes on.
    hostPtr->onDialog = [&](const host::DialogView&) { hostPtr->postEvent({host::EventKind::keyDown, VK_ESCAPE}); };
    host::install(hostPtr.get());
    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT), 0);
    // The rain's set-up presents once, then the first frame is drawn and presented.
    EXPECT_EQ(hostPtr->framesPresented(), 2);
}

TEST_F(ShowRun, ClosingTheWindowEndsTheShowLikeEscape)
{
    host::HeadlessHostOptions options;
    options.frameMs = 50;
    options.startMs = 1000;
    auto hostPtr = host::makeHeadlessHost(options);
    hostPtr->postEventAt(1000 + 30 * 50, {host::EventKind::quit, 0});
    host::install(hostPtr.get());
    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT), 0);
    EXPECT_LT(hostPtr->framesPresented(), 40);
}

TEST_F(ShowRun, AWrappingTickCounterKeepsTheShowGoing)
{
    host::HeadlessHostOptions options;
    options.frameMs = 1000;
    options.startMs = 0xFFFFFFFFu - 5000;
    auto hostPtr = host::makeHeadlessHost(options);
    // Long after the wrap the show is still on (back at the rain); Escape ends it.
    hostPtr->postEventAt(30000, {host::EventKind::keyDown, VK_ESCAPE});
    host::install(hostPtr.get());
    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT), 0);
    EXPECT_GT(hostPtr->framesPresented(), 30);
    EXPECT_LT(hostPtr->framesPresented(), 40);
}

TEST_F(ShowRun, CancelledDeviceDialogEndsWithExitCode2)
{
    host::HeadlessHostOptions options;
    options.dialogAnswer = host::HeadlessHostOptions::DialogAnswer::cancel;
    EXPECT_EQ(run(options), 2);
    EXPECT_TRUE(ticks.empty());
}

TEST_F(ShowRun, RefusedSoundConfigurationEndsWithExitCode2AndNoMessage)
{
    soft::injectFault("MIDASconfig", 1);
    EXPECT_EQ(run(), 2);
    EXPECT_EQ(hostObject->lastMessageBox(), "");
}

TEST_F(ShowRun, FailedDisplaySetUpEndsWithExitCode2)
{
    soft::injectFault("IDirect3D2::CreateViewport", E_OUTOFMEMORY);
    EXPECT_EQ(run(), 2);
}

using ShowRunDeathTest = ShowRun;

TEST_F(ShowRunDeathTest, SoundLibraryFailuresEndWithTheMessageAndExitCode1)
{
    for (const char* call : {"MIDASinit", "MIDASplayModule", "MIDASstopModule", "MIDASfreeModule", "MIDASclose"}) {
        EXPECT_EXIT(
            {
                soft::injectFault(call, 1);
                host::HeadlessHostOptions options;
                options.frameMs = 5000;
                run(options);
            },
            ::testing::ExitedWithCode(1), "Midas: ")
            << call;
    }
}

TEST_F(ShowRunDeathTest, MissingSongEndsWithTheMessageAndExitCode1)
{
    char folder[] = "/tmp/mornakle-empty-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(1), "Midas: ");
    rmdir(folder);
}

}  // namespace
