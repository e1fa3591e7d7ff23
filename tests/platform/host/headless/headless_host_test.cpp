// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The headless host's virtual clock, its sound in step with it, frame capture, and the
// failures it leaves to the program.
#include "host/headless_host.h"
#include "soft/failure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

host::Frame blackFrame()
{
    static std::vector<uint8_t> pixels(640 * 480 * 2);
    return host::Frame{pixels.data(), 640, 480, 1280, soft::PixelFormat::rgb565};
}

// A source that counts what it is asked for.
struct CountingSource : host::AudioSource {
    int64_t frames = 0;
    void mix(int16_t* out, int count) override
    {
        for (int i = 0; i < count * 2; ++i)
            out[i] = int16_t(i);
        frames += count;
    }
};

TEST(HeadlessClock, AFrameRateNeverDriftsOverAWholeShowAndTheCounterWraps)
{
    for (uint32_t fps : {30u, 50u, 60u}) {
        host::headless::HeadlessHostOptions options;
        options.startMs = 500;
        options.framesPerSecond = fps;
        host::headless::HeadlessHost h(options);
        CountingSource sound;
        h.openAudio(&sound);
        uint32_t frames = fps * 110;
        for (uint32_t k = 0; k < frames; ++k) {
            ASSERT_EQ(h.tickCount(), 500 + uint32_t(uint64_t(k) * 1000 / fps)) << fps << " fps";
            h.present(blackFrame());
        }
        EXPECT_EQ(h.tickCount(), 500u + 110000u) << fps << " fps";
        // The sound covers exactly the time the clock moved: 110 s at 44.1 kHz.
        EXPECT_EQ(sound.frames, 110 * 44100) << fps << " fps";
    }
    // A fixed step in milliseconds; the counter wraps.
    host::headless::HeadlessHostOptions options;
    options.startMs = 0xFFFFFFFFu - 30;
    options.frameMs = 20;
    host::headless::HeadlessHost h(options);
    h.present(blackFrame());
    h.present(blackFrame());
    EXPECT_EQ(h.tickCount(), 9u);
}

TEST(HeadlessSound, WavHoldsExactlyTheMixedFrames)
{
    std::string path = std::filesystem::temp_directory_path() / "mornakle-host-test.wav";
    {
        host::headless::HeadlessHostOptions options;
        options.frameMs = 7;  // not a whole number of samples per frame
        options.wavPath = path;
        host::headless::HeadlessHost h(options);
        CountingSource sound;
        h.openAudio(&sound);
        for (int k = 0; k < 1000; ++k)
            h.present(blackFrame());
        EXPECT_EQ(sound.frames, 7000 * 441 / 10);
    }
    EXPECT_EQ(std::filesystem::file_size(path), 44u + 7000u * 441 / 10 * 4);
    std::string header(44, '\0');
    std::ifstream(path, std::ios::binary).read(header.data(), 44);
    EXPECT_EQ(header.substr(0, 4), "RIFF");
    EXPECT_EQ(header.substr(36, 4) + std::to_string(*reinterpret_cast<const uint32_t*>(&header[40])),
              "data" + std::to_string(7000u * 441 / 10 * 4));
    std::filesystem::remove(path);
}

TEST(HeadlessCapture, NamesTieEachFrameToTheTickTheDemoLastRead)
{
    auto folder = std::filesystem::temp_directory_path() / "mornakle-capture-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    host::headless::HeadlessHostOptions options;
    options.startMs = 1000;
    options.frameMs = 50;
    options.captureDir = folder;
    options.captureEvery = 2;
    host::headless::HeadlessHost h(options);
    for (int k = 0; k < 5; ++k) {
        if (k != 3)  // a frame presented twice without reading the counter in between
            h.tickCount();
        h.present(blackFrame());
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"frame-000000-0000001000.png", "frame-000002-0000001100.png",
                                               "frame-000004-0000001200.png"}));
    std::filesystem::remove_all(folder);
}

TEST(HeadlessEvents, TimedEventsArriveWhenTheClockReachesThem)
{
    host::headless::HeadlessHostOptions options;
    options.frameMs = 100;
    host::headless::HeadlessHost h(options);
    h.postEventAt(250, {host::EventKind::keyDown, 27});
    host::Event event;
    EXPECT_FALSE(h.pollEvent(event));
    h.present(blackFrame());
    h.present(blackFrame());
    EXPECT_FALSE(h.pollEvent(event));
    h.present(blackFrame());
    ASSERT_TRUE(h.pollEvent(event));
    EXPECT_EQ(event.virtualKey, 27u);
}

// What the host cannot go on from goes to the program's failure handler, which decides
// how the process ends; with none installed the process aborts.
[[noreturn]] void exitByFailure(soft::Failure failure) { std::_Exit(10 + int(failure)); }
constexpr int unwritable = 10 + int(soft::Failure::outputUnwritable);
constexpr int unanswered = 10 + int(soft::Failure::dialogUnanswered);

TEST(HeadlessFailureDeathTest, WhatCannotBeWrittenOrAnsweredIsTheProgramsToEnd)
{
    const std::string nowhere = (std::filesystem::temp_directory_path() / "mornakle-no-such-folder/x").string();
    EXPECT_EXIT(
        {
            soft::setFailureHandler(exitByFailure);
            host::headless::HeadlessHostOptions options;
            options.captureDir = nowhere;
            host::headless::HeadlessHost(options).present(blackFrame());
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(unwritable), "mornakle: cannot capture a frame");
    EXPECT_EXIT(
        {
            soft::setFailureHandler(exitByFailure);
            host::headless::HeadlessHostOptions options;
            options.wavPath = nowhere + "/show.wav";
            CountingSource source;
            host::headless::HeadlessHost(options).openAudio(&source);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(unwritable), "mornakle: cannot write");
    EXPECT_EXIT(
        {
            soft::setFailureHandler(exitByFailure);
            host::headless::HeadlessHost h{host::headless::HeadlessHostOptions{}};
            host::Event event;
            for (int ask = 0; ask < 1000; ++ask)
                h.waitEvent(event, 0);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(unanswered), "does not close");
    EXPECT_EXIT(
        {
            soft::setFailureHandler(nullptr);
            host::headless::HeadlessHostOptions options;
            options.captureDir = nowhere;
            host::headless::HeadlessHost(options).present(blackFrame());
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGABRT), "cannot capture a frame");
}

}  // namespace
