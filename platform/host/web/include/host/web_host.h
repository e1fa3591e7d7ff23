// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The browser host: frames and the dialogs on the page's canvas, keys and the mouse
// from the page, sound through Web Audio, and the real clock. In test mode it runs on a virtual counter instead,
// exactly as the headless host does, and reports what it showed and mixed.
#pragma once

#include "host/dialog_answer.h"
#include "host/host.h"
#include "host/virtual_audio.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace host::web {

struct WebHostOptions {
    bool testMode = false;  // a virtual counter, no audio device, results on the page
    uint32_t startMs = 0;
    uint32_t frameMs = 20;
    uint32_t untilMs = 0;  // test mode stops after the frame drawn at this counter value
    using DialogAnswer = host::DialogAnswer;
    DialogAnswer dialogAnswer = DialogAnswer::ok;
};

class WebHost final : public Host {
public:
    explicit WebHost(const WebHostOptions& options);

    uint32_t tickCount() override;
    std::vector<DisplayDevice> displays() override;
    bool setMode(int device, int width, int height) override;
    void restoreMode() override;
    void present(const Frame& frame) override;
    bool pollEvent(Event& event) override;
    void setCursorVisible(bool visible) override;
    void messageBox(const std::string& caption, const std::string& text) override;
    void presentDialog(const DialogFrame& dialog) override;
    void closeDialog() override;
    bool waitEvent(Event& event, int timeoutMs) override;
    bool openAudio(AudioSource* source) override;
    void closeAudio() override;
    // One thread: nothing mixes while the demo runs.
    void lockAudio() override { }
    void unlockAudio() override { }

    // The span of the show a frame belongs to, from its counter value and the first
    // value read after the last frame drawn, before the show, without reading the counter.
    std::function<int(uint32_t startTick, uint32_t frameTick)> spanOf;

    // Puts the results on the page: the last frame, the sound so far, the timings, and
    // last the exit code.
    void report(int exitCode);
    // Reports, then stays where it is: the page keeps the program's last state.
    void stop(int exitCode);

private:
    void show(const Frame& frame);
    void keep(const Frame& frame);
    void mixVirtual(uint32_t advancedMs);
    void feedAudio();
    void recordTiming(double frameMs);
    bool answerDialog(Event& event);

    WebHostOptions options;
    uint32_t clock;
    uint32_t lastRead;
    bool readSincePresent = false;
    bool startKnown = false;
    bool timingStarted = false;
    uint32_t startTick = 0;
    double startedAt;
    double frameStartedAt;
    double lastYieldAt = 0;
    int dialogCalls = 0;
    std::string dialogTitle;
    int shownWidth = 0, shownHeight = 0;  // the picture on the canvas, for the mouse
    std::vector<uint8_t> rgba;            // the frame shown last, as the canvas takes it
    std::vector<uint8_t> kept;            // test mode: the frame presented last, shown when it stops
    Frame keptFrame;
    AudioSource* audio = nullptr;
    VirtualAudio virtualAudio;                        // test mode
    uint32_t crc = 0;                                 // of what the virtual counter mixed
    std::vector<int16_t> mixBuffer;                   // what Web Audio asked for last
    std::map<int, std::pair<double, int>> spanTimes;  // span: total ms, frames
};

}  // namespace host::web
