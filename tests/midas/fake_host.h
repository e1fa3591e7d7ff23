// A host with a hand-driven clock and an audio device the test pulls from itself.
#pragma once

#include "host/host.h"

#include <cstdint>
#include <vector>

class FakeHost : public host::Host {
public:
    bool hasAudio = true;
    uint32_t nowMs = 0;
    host::AudioSource* audio = nullptr;
    int locks = 0;    // lockAudio calls not yet matched by unlockAudio
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
    void restoreMode() override {}
    void present(const host::Frame&) override {}
    bool pollEvent(host::Event&) override { return false; }
    void setCursorVisible(bool) override {}
    void messageBox(const std::string&, const std::string&) override {}
    host::DialogInput waitDialogInput(const host::DialogView&) override { return {}; }
    void closeDialog() override {}

    bool openAudio(host::AudioSource* source) override
    {
        if (!hasAudio)
            return false;
        audio = source;
        return true;
    }
    void closeAudio() override { audio = nullptr; }
    void lockAudio() override
    {
        ++locks;
        ++lockCalls;
    }
    void unlockAudio() override { --locks; }
};
