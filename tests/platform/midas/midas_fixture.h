// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The sound library's tests share a host with a hand-driven clock and an audio device the test pulls,
// a fixture starting the library over it, and songs played by libxmp alone for comparison.
#pragma once

#include "host/host.h"
#include "midas.h"
#include "soft/faults.h"

#include <gtest/gtest.h>
#include <xmp.h>

#include <cstdint>
#include <string>
#include <vector>

class FakeHost : public host::Host {
public:
    bool hasAudio = true;
    uint32_t nowMs = 0;
    host::AudioSource* audio = nullptr;
    int locks = 0;  // lockAudio calls not yet matched by unlockAudio
    int lockCalls = 0;

    // What the device thread would do: pulls `frames` frames from the open source.
    std::vector<int16_t> pull(int frames)
    {
        std::vector<int16_t> out(size_t(frames) * host::audioChannels);
        if (audio)
            audio->mix(out.data(), frames);
        return out;
    }

    uint32_t tickCount() override { return nowMs; }
    std::vector<host::DisplayDevice> displays() override { return {}; }
    bool setMode(int, int, int) override { return false; }
    void restoreMode() override { }
    void present(const host::Frame&) override { }
    bool pollEvent(host::Event&) override { return false; }
    void setCursorVisible(bool) override { }
    void messageBox(const std::string&, const std::string&) override { }
    void presentDialog(const host::DialogFrame&) override { }
    void closeDialog() override { }
    bool waitEvent(host::Event&, int) override { return false; }
    bool openAudio(host::AudioSource* source) override { return hasAudio && (audio = source); }
    void closeAudio() override { audio = nullptr; }
    void lockAudio() override { ++locks, ++lockCalls; }
    void unlockAudio() override { --locks; }
};

// Every test starts from a freshly started library over a fake host, and leaves it closed.
class MidasTest : public testing::Test {
protected:
    FakeHost fakeHost;

    void SetUp() override
    {
        soft::clearFaults();
        host::install(&fakeHost);
        ASSERT_TRUE(MIDASstartup());
    }
    void TearDown() override
    {
        soft::clearFaults();
        MIDASclose();
        host::install(nullptr);
    }
    // Configures and initialises, as the demo does before it loads its song.
    void bringUp()
    {
        ASSERT_TRUE(MIDASconfig());
        ASSERT_TRUE(MIDASinit());
    }
    static std::string lastErrorText() { return MIDASgetErrorMessage(MIDASgetLastError()); }
};

// `frames` frames of `song` by libxmp alone at 44.1 kHz stereo; `loopLimit` is libxmp's (0 repeats for
// ever, 1 stops at the end). Optionally reports the frame information after the render.
inline std::vector<int16_t> renderWithLibxmp(const std::vector<uint8_t>& song, int frames, int loopLimit,
                                             xmp_frame_info* after = nullptr)
{
    std::vector<int16_t> out(size_t(frames) * 2, 0);
    xmp_context context = xmp_create_context();
    if (xmp_load_module_from_memory(context, song.data(), long(song.size())) == 0) {
        xmp_start_player(context, 44100, 0);
        if (xmp_play_buffer(context, out.data(), frames * 4, loopLimit) < 0)
            out.assign(out.size(), 0);
        if (after)
            xmp_get_frame_info(context, after);
        xmp_end_player(context);
        xmp_release_module(context);
    }
    xmp_free_context(context);
    return out;
}
