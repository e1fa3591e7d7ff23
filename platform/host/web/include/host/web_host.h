// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The browser host: frames and the dialogs on the page's canvas, keys and the mouse
// from the page, sound through Web Audio, and the real clock. In test mode it runs on a virtual counter instead,
// exactly as the headless host does, and reports what it showed and mixed.
//
// The page's transport reaches the show here: a pause holds the demo inside its next
// present; a seek forward runs it on a virtual counter, 50 ms a present, drawing without
// showing and mixing without playing, up to the first frame at the moment sought; a seek
// back is a new instance of the program, which starts with such a seek (web_transport.cpp).
#pragma once

#include "host/chapter.h"
#include "host/dialog_answer.h"
#include "host/host.h"
#include "host/transport.h"
#include "host/virtual_audio.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host::web {

struct WebHostOptions {
    bool testMode = false;  // a virtual counter, no audio device, results on the page
    uint32_t startMs = 0;
    uint32_t frameMs = 20;
    uint32_t untilMs = 0;  // test mode stops after the frame drawn at this counter value
    using DialogAnswer = host::DialogAnswer;
    DialogAnswer dialogAnswer = DialogAnswer::ok;
    uint32_t showLengthMs = 110000;
    uint32_t seekMs = 0;        // show time of the first frame shown
    bool startPaused = false;   // a seek back made while paused stays paused there
    bool dialogUnseen = false;  // a seek back: the dialog is answered OK, as the viewer did, unseen
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
    // Show time as the page's clock shows it, and as a link to the moment carries it.
    std::function<std::string(uint32_t ms)> clockText, linkText;
    // The chapters the page lists and marks on its seek bar.
    void offerChapters(const Chapters& chapters);

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

    // The transport (web_transport.cpp).
    uint32_t counterBase() const;
    uint32_t nowMs() const;
    bool playing() const;
    void followTransport();
    void mixUnplayed(uint32_t counter);
    void presentVirtual(const Frame& frame, bool shown, bool wasSeeking, uint32_t before);
    void presentLive(const Frame& frame, bool shown, bool wasSeeking);

    WebHostOptions options;
    uint32_t clock;  // test mode's virtual clock, from 0
    uint32_t lastRead;
    uint32_t audioOpenedAt = 0;  // the counter when the sound opened
    int64_t mixedFrames = 0;     // since then, played or not
    bool audioMoved = false;     // mixed unplayed since the page last played
    std::vector<int16_t> unplayed;
    bool seekReported = false;  // the seek running has been told to the page
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
    Transport viewer;
};

}  // namespace host::web
