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

    // Queues a host event, as a key press on a real keyboard would.
    void postEvent(const Event& event) { events.push_back(event); }
    // Queues an event for the first poll at or after the virtual time `atMs`.
    void postEventAt(uint32_t atMs, const Event& event);
    // Called once per presented frame, after the frame was captured (tests watch frames).
    std::function<void(const Frame&, uint32_t lastTick)> onPresent;
    // Called whenever a dialog closes.
    std::function<void()> onDialogClosed;
    // Writes what is still buffered (WAV sizes, the progress line's end). Idempotent.
    void finish();

    // What tests look at.
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
    void capture(const Frame& frame);
    void showProgress();

    HeadlessHostOptions options;
    uint32_t clock;
    uint32_t lastRead;
    int presented = 0;
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
};

std::unique_ptr<HeadlessHost> makeHeadlessHost(const HeadlessHostOptions& options);

}  // namespace host::headless
