// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The headless host: no display and no sound card. A virtual tick counter advances a
// fixed step at every presented frame, a dialog gets the key (or close request) that
// answers it, and frames, the dialog and sound can be captured to files.
#pragma once

#include "host/dialog_answer.h"
#include "host/host.h"
#include "host/virtual_audio.h"
#include "host/wav_writer.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host::headless {

// A transport command of a test's script, taken at the show time `atMs`.
struct TransportAction : TransportCommand {
    uint32_t atMs = 0;
};

struct HeadlessHostOptions {
    uint32_t startMs = 0;   // the virtual tick counter's first value
    uint32_t frameMs = 20;  // how far it advances at every presented frame
    // When set, the counter runs at this many frames a second instead: frame k is shown
    // at startMs + k * 1000 / fps, so a whole show never drifts.
    uint32_t framesPerSecond = 0;
    // When set, presented frames are written here as PNG, and a dialog, as drawn before
    // it is answered, as dialog.png.
    std::string captureDir;
    int captureEvery = 1;  // write every K-th presented frame
    std::string wavPath;   // when set, the mixed sound is written here
    // How a dialog is answered: Enter (OK, the default), Escape (Cancel) or a close request.
    using DialogAnswer = host::DialogAnswer;
    DialogAnswer dialogAnswer = DialogAnswer::ok;
    bool progress = false;  // one overwritten progress line on stderr
    // The devices DirectDraw reports; empty means the one off-screen device.
    std::vector<DisplayDevice> displayDevices;
    // Events a dialog gets before its answer: keys or clicks that pick from a list, say.
    std::vector<Event> dialogScript;
    // The first frame shown is the first at this show time or later (see Transport); the
    // frames before it are drawn and not shown, their sound mixed and not written.
    uint32_t startAtMs = 0;
    // The show's length, where seeks end.
    uint32_t showLengthMs = UINT32_MAX;
    // What a viewer does, in order, for tests: each action is taken at the first frame
    // shown at its time or later, or, while the show is held, at once.
    std::vector<TransportAction> transportScript;
};

class HeadlessHost final : public Host {
public:
    explicit HeadlessHost(const HeadlessHostOptions& options);
    ~HeadlessHost() override;

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
    void lockAudio() override { }
    void unlockAudio() override { }
    Transport* transport() override { return &viewer; }
    // Frames are counted anew, so that they are named as an uninterrupted run names them.
    void restartShow() override;

    // Queues a host event, as a key press on a real keyboard would.
    void postEvent(const Event& event) { events.push_back(event); }
    // Queues an event for the first poll once the tick counter reaches `atMs`.
    void postEventAt(uint32_t atMs, const Event& event);
    // Called once per frame shown, after the frame was captured (tests watch frames).
    std::function<void(const Frame&, uint32_t lastTick)> onPresent;
    // Called whenever a dialog closes.
    std::function<void()> onDialogClosed;
    // Writes what is still buffered (WAV sizes, the progress line's end). Idempotent.
    void finish();

    // What tests look at. Frames are counted from the demo's latest start, shown or not.
    int framesPresented() const { return presented; }
    uint32_t lastTickRead() const { return lastRead; }
    bool cursorVisible() const { return cursorShown; }
    int modeDevice() const { return mode; }
    // The last dialog as drawn, and its title.
    const Frame& lastDialog() const { return dialog.picture; }
    const std::string& lastDialogTitle() const { return dialog.title; }
    int dialogRequests() const { return dialogCalls; }
    const std::string& lastMessageBox() const { return messageText; }
    int64_t audioFramesMixed() const { return virtualAudio.mixedFrames(); }

private:
    void mixAudio(uint32_t advancedMs);
    uint32_t showTime() const { return viewer.counter(clock); }
    void act(const TransportAction& action);
    void takeScriptedActions(bool frameShown);
    void capture(const Frame& frame);
    void showProgress();

    HeadlessHostOptions options;
    uint32_t clock;
    uint32_t lastRead;
    int presented = 0;
    int ownFrames = 0;  // every frame presented, for the host's own clock
    bool cursorShown = true;
    int mode = -1;
    void captureDialog();

    DialogFrame dialog;
    std::vector<uint8_t> dialogPixels;
    int dialogCalls = 0;
    size_t dialogScriptSent = 0;
    std::string messageText;
    std::deque<Event> events;
    std::deque<std::pair<uint32_t, Event>> timedEvents;
    AudioSource* audio = nullptr;
    VirtualAudio virtualAudio;
    WavWriter wav;
    bool finished = false;
    Transport viewer;
    size_t actionsTaken = 0;
    int64_t soundFrom = 0;  // the first sample written: a seek's target
};

std::unique_ptr<HeadlessHost> makeHeadlessHost(const HeadlessHostOptions& options);

}  // namespace host::headless
