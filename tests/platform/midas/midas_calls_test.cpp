// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "midas_fixture.h"
#include "test_songs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

namespace {

// The calls' results and error texts: injected failures, refused files, bad handles.
TEST_F(MidasTest, EachInjectedFailureReturnsZeroWithItsOwnText)
{
    std::string path = writeTestFile("calls.xm", makeXm({}));
    bringUp();
    MIDASmodule module = MIDASloadModule(path.c_str());
    ASSERT_NE(module, nullptr);
    MIDASmodulePlayHandle play = MIDASplayModule(module, TRUE);
    ASSERT_NE(play, 0u);
    MIDASplayStatus status;

    const struct {
        const char* call;
        std::function<long()> invoke;
        const char* text;
    } cases[] = {
        {"MIDASstartup", [] { return long(MIDASstartup()); }, "Undefined error"},
        {"MIDASsetOption", [] { return long(MIDASsetOption(MIDAS_OPTION_DSOUND_MODE, 0)); },
         "Invalid function arguments"},
        {"MIDASconfig", [] { return long(MIDASconfig()); }, "Configuration cancelled"},
        {"MIDASinit", [] { return long(MIDASinit()); }, "Sound device failure"},
        {"MIDASloadModule", [&] { return long(MIDASloadModule(path.c_str()) != nullptr); }, "Unable to read file"},
        {"MIDASplayModule", [&] { return long(MIDASplayModule(module, TRUE)); }, "Out of memory"},
        {"MIDASpoll", [] { return long(MIDASpoll()); }, "Sound device failure"},
        {"MIDASgetPlayStatus", [&] { return long(MIDASgetPlayStatus(play, &status)); }, "Invalid handle"},
        {"MIDASstopModule", [&] { return long(MIDASstopModule(play)); }, "Invalid handle"},
        {"MIDASfreeModule", [&] { return long(MIDASfreeModule(module)); }, "Invalid handle"},
        {"MIDASclose", [] { return long(MIDASclose()); }, "Sound device failure"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        soft::injectFault(c.call, 1);
        EXPECT_EQ(c.invoke(), 0);
        EXPECT_EQ(lastErrorText(), c.text);
    }
    // The failures changed nothing: the song still plays and answers.
    EXPECT_TRUE(MIDASgetPlayStatus(play, &status));
    EXPECT_TRUE(MIDASstopModule(play));
    EXPECT_TRUE(MIDASfreeModule(module));
}

TEST_F(MidasTest, RefusedFilesSayWhy)
{
    bringUp();
    const std::string folder = testFilePath("a_folder.xm");
    std::filesystem::create_directories(folder);
    std::vector<uint8_t> xm = makeXm({});
    struct Refusal {
        std::string path;
        const char* text;
    } refusals[] = {
        {testFilePath("no_such_song.xm"), "File not found"},
        {testFilePath("no_such_folder/back.xm"), "File not found"},
        {folder, "Unable to read file"},
        {writeTestFile("empty.xm", {}), "Invalid module file"},
        {writeTestFile("text.xm", std::vector<uint8_t>(60, 'x')), "Invalid module file"},
        {writeTestFile("cut.xm", std::vector<uint8_t>(xm.begin(), xm.begin() + 70)), "Invalid module file"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.path);
        EXPECT_EQ(MIDASloadModule(r.path.c_str()), nullptr);
        EXPECT_EQ(lastErrorText(), r.text);
    }
    EXPECT_EQ(MIDASloadModule(nullptr), nullptr);
    EXPECT_EQ(lastErrorText(), "Invalid function arguments");
}

TEST_F(MidasTest, BadHandlesAreErrors)
{
    std::string path = writeTestFile("handles.xm", makeXm({}));
    bringUp();
    MIDASplayStatus status;
    int notASong = 0;
    EXPECT_EQ(MIDASplayModule(&notASong, TRUE), 0u);
    EXPECT_EQ(lastErrorText(), "Invalid handle");
    EXPECT_FALSE(MIDASfreeModule(&notASong) || MIDASgetPlayStatus(0, &status) || MIDASstopModule(12345));
    EXPECT_EQ(lastErrorText(), "Invalid handle");

    MIDASmodule module = MIDASloadModule(path.c_str());
    MIDASmodulePlayHandle play = MIDASplayModule(module, FALSE);
    ASSERT_NE(play, 0u);
    EXPECT_EQ(MIDASplayModule(module, FALSE), 0u);
    EXPECT_EQ(lastErrorText(), "Module is already playing");
    EXPECT_FALSE(MIDASgetPlayStatus(play, nullptr));
    EXPECT_EQ(lastErrorText(), "Invalid function arguments");
    EXPECT_TRUE(MIDASstopModule(play));
    EXPECT_FALSE(MIDASstopModule(play));  // a stopped playback's handle is spent
    EXPECT_FALSE(MIDASgetPlayStatus(play, &status));

    // Closing the library frees its songs; their handles go with them.
    MIDASmodulePlayHandle again = MIDASplayModule(module, TRUE);
    ASSERT_NE(again, 0u);
    EXPECT_NE(again, play);
    EXPECT_TRUE(MIDASclose());
    EXPECT_FALSE(MIDASgetPlayStatus(again, &status) || MIDASfreeModule(module));
    EXPECT_EQ(lastErrorText(), "Invalid handle");
}

TEST_F(MidasTest, SongsWaitForTheLibraryAndOptionsAreItsOwn)
{
    std::string path = writeTestFile("early.xm", makeXm({}));
    EXPECT_EQ(MIDASloadModule(path.c_str()), nullptr);
    EXPECT_EQ(lastErrorText(), "MIDAS is not initialized");
    EXPECT_TRUE(MIDASsetOption(MIDAS_OPTION_DSOUND_HWND, 0x1234) && MIDASsetOption(MIDAS_OPTION_DSOUND_MODE, 0));
    EXPECT_FALSE(MIDASsetOption(0, 1) || MIDASsetOption(MIDAS_OPTION_DSOUND_HWND + 1, 1));
    EXPECT_EQ(lastErrorText(), "Invalid function arguments");
    bringUp();
    EXPECT_NE(MIDASloadModule(path.c_str()), nullptr);
}

TEST_F(MidasTest, ErrorTextsAreSingleLines)
{
    for (int code = -2; code < 40; ++code) {
        std::string text = MIDASgetErrorMessage(code);
        EXPECT_FALSE(text.empty() || text.find('\n') != std::string::npos) << code;
    }
    EXPECT_STREQ(MIDASgetErrorMessage(0), "OK");
    EXPECT_STREQ(MIDASgetErrorMessage(-1), "Undefined error");
    EXPECT_STREQ(MIDASgetErrorMessage(1000), "Undefined error");
}

// Without a device the show goes on silently after one line of warning.
TEST_F(MidasTest, ConfigOpensTheDeviceOrWarnsThatThereIsNone)
{
    for (bool hasAudio : {true, false}) {
        fakeHost.hasAudio = hasAudio;
        testing::internal::CaptureStderr();
        bringUp();
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  hasAudio ? "" : "mornakle: no audio device, playing without sound\n");
        EXPECT_EQ(fakeHost.audio != nullptr, hasAudio);
        EXPECT_TRUE(MIDASclose());
        EXPECT_EQ(fakeHost.audio, nullptr);
        ASSERT_TRUE(MIDASstartup());
    }
}

// Pulls sound on its own thread for as long as the device is open, as SDL does: the library must change
// what plays only with the device held off.
class ThreadedHost : public FakeHost {
public:
    ~ThreadedHost() override { closeAudio(); }
    bool openAudio(host::AudioSource* source) override
    {
        closeAudio();
        running = true;
        device = std::thread([this, source] {
            std::vector<int16_t> buffer(512 * host::audioChannels);
            for (; running; ++pulls) {
                std::lock_guard<std::mutex> hold(mutex);
                source->mix(buffer.data(), 512);
            }
        });
        return true;
    }
    void closeAudio() override
    {
        running = false;
        if (device.joinable())
            device.join();
    }
    void lockAudio() override { mutex.lock(); }
    void unlockAudio() override { mutex.unlock(); }

    std::atomic<long> pulls{0};
    std::thread device;
    std::atomic<bool> running{false};
    std::mutex mutex;
};

TEST(MidasThreads, SongsComeAndGoWhileTheDevicePulls)
{
    ThreadedHost threaded;
    host::install(&threaded);
    soft::clearFaults();
    std::string path = writeTestFile("threads.xm", makeXm({}));
    ASSERT_TRUE(MIDASstartup() && MIDASconfig() && MIDASinit());
    for (int round = 0; round < 40; ++round) {
        MIDASmodule a = MIDASloadModule(path.c_str()), b = MIDASloadModule(path.c_str());
        MIDASmodulePlayHandle playA = MIDASplayModule(a, TRUE);
        ASSERT_NE(playA, 0u);
        ASSERT_NE(MIDASplayModule(b, round % 2), 0u);
        for (long before = threaded.pulls; threaded.pulls < before + 2;)
            std::this_thread::yield();
        MIDASplayStatus status;
        EXPECT_TRUE(MIDASgetPlayStatus(playA, &status));
        EXPECT_TRUE(MIDASstopModule(playA));
        EXPECT_TRUE(MIDASfreeModule(a));
        EXPECT_TRUE(MIDASfreeModule(b));  // still playing: stopped on the way
    }
    EXPECT_TRUE(MIDASclose());
    host::install(nullptr);
}

}  // namespace
