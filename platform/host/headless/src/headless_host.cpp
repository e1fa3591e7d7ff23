// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/headless_host.h"

#include "host/png_writer.h"
#include "host/quit_signal.h"
#include "soft/failure.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace host::headless {
namespace {

// A dialog that keeps asking after this many answers is not listening to them.
constexpr int dialogPatience = 64;

// The first sound frame at a show time or after it.
int64_t firstSample(uint32_t ms) { return (int64_t(ms) * audioSampleRate + 999) / 1000; }

}  // namespace

HeadlessHost::HeadlessHost(const HeadlessHostOptions& options)
    : options(options), clock(options.startMs), lastRead(options.startMs),
      viewer(options.showLengthMs, options.startAtMs), soundFrom(firstSample(options.startAtMs))
{
    if (this->options.captureEvery < 1)
        this->options.captureEvery = 1;
}

HeadlessHost::~HeadlessHost() { finish(); }

std::unique_ptr<HeadlessHost> makeHeadlessHost(const HeadlessHostOptions& options)
{
    return std::make_unique<HeadlessHost>(options);
}

// The host's own clock moves at every present; the counter the demo reads is the
// transport's show time over it, counted from the first value.
uint32_t HeadlessHost::tickCount()
{
    lastRead = options.startMs + showTime();
    return lastRead;
}

std::vector<DisplayDevice> HeadlessHost::displays()
{
    if (!options.displayDevices.empty())
        return options.displayDevices;
    DisplayDevice offScreen;
    offScreen.description = "Headless off-screen display";
    offScreen.driverName = "headless";
    offScreen.fullScreen = true;
    return {offScreen};
}

bool HeadlessHost::setMode(int device, int, int)
{
    mode = device;
    return true;
}

void HeadlessHost::restoreMode() { mode = -1; }

void HeadlessHost::present(const Frame& frame)
{
    uint32_t before = showTime();
    bool shown = viewer.present(lastRead - options.startMs, clock);
    if (shown && !options.captureDir.empty() && presented % options.captureEvery == 0)
        capture(frame);
    if (shown && onPresent)
        onPresent(frame, lastRead);
    ++presented;
    ++ownFrames;
    if (options.framesPerSecond)
        clock = options.startMs + uint32_t(uint64_t(ownFrames) * 1000 / options.framesPerSecond);
    else
        clock += options.frameMs;  // wraps like the real counter after 49.7 days
    // The sound follows the counter: 50 ms a frame while a seek runs, none while held.
    mixAudio(showTime() - before);
    if (options.progress && ownFrames % 25 == 0)
        showProgress();
    takeScriptedActions(shown);
}

void HeadlessHost::takeScriptedActions(bool frameShown)
{
    const std::vector<TransportAction>& script = options.transportScript;
    // Nothing else can happen to a held show, so its next action is taken at once; an
    // action's time is that of the frame on screen, which a seek leaves behind.
    while (actionsTaken < script.size() &&
           (viewer.holding() ||
            (frameShown && !viewer.isSeeking() && lastRead - options.startMs >= script[actionsTaken].atMs)))
        act(script[actionsTaken++]);
    if (viewer.holding()) {
        std::fprintf(stderr, "mornakle: the show is paused and nothing is left to resume it\n");
        soft::reportFailure(soft::Failure::showHeld);
    }
}

void HeadlessHost::act(const TransportAction& action)
{
    viewer.apply(action, clock);
    if (viewer.isSeeking())
        soundFrom = firstSample(viewer.seekTarget());
    // The demo leaves as on a quit, and the program starts it afresh.
    if (viewer.restartPending())
        events.push_back(Event{EventKind::quit, 0});
}

void HeadlessHost::restartShow()
{
    viewer.restart();
    presented = 0;
    lastRead = options.startMs;
}

void HeadlessHost::capture(const Frame& frame)
{
    char name[64];
    std::snprintf(name, sizeof name, "/frame-%06d-%010u.png", presented, unsigned(lastRead));
    std::string path = options.captureDir + name;
    std::string error;
    if (!writeFramePng(path, frame, error, true)) {
        std::fprintf(stderr, "mornakle: cannot capture a frame: %s\n", error.c_str());
        soft::reportFailure(soft::Failure::outputUnwritable);
    }
}

void HeadlessHost::showProgress()
{
    double seconds = double(showTime()) / 1000.0;
    std::fprintf(stderr, "\rmornakle: %7.2f s of show time, %d frames", seconds, ownFrames);
    std::fflush(stderr);
}

void HeadlessHost::mixAudio(uint32_t advancedMs)
{
    if (!audio)
        return;
    std::span<const int16_t> mixed = virtualAudio.advance(*audio, advancedMs);
    int64_t frames = int64_t(mixed.size() / audioChannels);
    // Sound mixed while a seek runs is not heard: only from the seek's target on.
    int64_t first = virtualAudio.mixedFrames() - frames;
    int64_t skip = std::clamp<int64_t>(soundFrom - first, 0, frames);
    if (frames > skip)
        wav.write(mixed.data() + skip * audioChannels, int(frames - skip));
}

void HeadlessHost::postEventAt(uint32_t atMs, const Event& event) { timedEvents.emplace_back(atMs, event); }

bool HeadlessHost::pollEvent(Event& event)
{
    if (takeQuitSignal())
        events.push_back(Event{EventKind::quit, 0});
    for (auto it = timedEvents.begin(); it != timedEvents.end(); ++it) {
        // Compared as a signed distance, so that a time after the counter wraps is
        // still in the future before it.
        if (int32_t(options.startMs + showTime() - it->first) >= 0) {
            events.push_back(it->second);
            timedEvents.erase(it);
            break;
        }
    }
    if (events.empty())
        return false;
    event = events.front();
    events.pop_front();
    return true;
}

void HeadlessHost::setCursorVisible(bool visible) { cursorShown = visible; }

void HeadlessHost::messageBox(const std::string& caption, const std::string& text)
{
    messageText = caption + ": " + text;
    std::fprintf(stderr, "%s\n", messageText.c_str());
}

void HeadlessHost::presentDialog(const DialogFrame& shown)
{
    const Frame& picture = shown.picture;
    int rowBytes = picture.width * 2;
    dialogPixels.resize(size_t(rowBytes) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(dialogPixels.data() + size_t(y) * rowBytes, picture.pixels + size_t(y) * picture.pitch,
                    size_t(rowBytes));
    dialog = shown;
    dialog.picture = Frame{dialogPixels.data(), picture.width, picture.height, rowBytes, picture.format};
}

void HeadlessHost::closeDialog()
{
    dialogScriptSent = 0;
    if (onDialogClosed)
        onDialogClosed();
}

// Events first, then the script, then the answer; nothing else could happen while a
// dialog waits on the virtual clock.
bool HeadlessHost::waitEvent(Event& event, int)
{
    if (pollEvent(event))
        return true;
    if (++dialogCalls > dialogPatience) {
        std::fprintf(stderr, "mornakle: the dialog \"%s\" does not close\n", dialog.title.c_str());
        soft::reportFailure(soft::Failure::dialogUnanswered);
    }
    if (dialogScriptSent < options.dialogScript.size()) {
        event = options.dialogScript[dialogScriptSent++];
        return true;
    }
    if (!options.captureDir.empty())
        captureDialog();
    event = answeringEvent(options.dialogAnswer);
    return true;
}

void HeadlessHost::captureDialog()
{
    std::string error;
    if (dialog.picture.pixels && !writeFramePng(options.captureDir + "/dialog.png", dialog.picture, error)) {
        std::fprintf(stderr, "mornakle: cannot capture the dialog: %s\n", error.c_str());
        soft::reportFailure(soft::Failure::outputUnwritable);
    }
}

bool HeadlessHost::openAudio(AudioSource* source)
{
    audio = source;
    virtualAudio.restart();
    if (!options.wavPath.empty() && !wav.isOpen() && !wav.open(options.wavPath)) {
        std::fprintf(stderr, "mornakle: cannot write %s\n", options.wavPath.c_str());
        soft::reportFailure(soft::Failure::outputUnwritable);
    }
    return true;
}

void HeadlessHost::closeAudio() { audio = nullptr; }

void HeadlessHost::finish()
{
    if (finished)
        return;
    finished = true;
    wav.finish();
    if (options.progress) {
        showProgress();
        std::fputc('\n', stderr);
    }
}

}  // namespace host::headless
