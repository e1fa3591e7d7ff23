// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The page's transport, as the browser host carries it out at each present: the page
// says where the show should be (a moment sought, or none), whether it is paused, and
// whether this instance is to stop (a seek back starts a new one); the host answers with
// the moment on screen.
#include "host/web_host.h"

#include <emscripten.h>

#include <algorithm>

// clang-format off
EM_JS(double, webTransportNow, (), { return performance.now(); });
// Fills the moment sought (-1 for none), whether paused, whether to stop, and whether a
// key waits for the demo.
EM_JS(void, webTransport, (int* fields), { HEAP32.set(Module.web.transport(), fields >> 2); });
EM_JS(void, webShown, (int ms, const char* clock, const char* link), {
    Module.web.shown(ms, UTF8ToString(clock), UTF8ToString(link));
});
EM_JS(void, webSeekTo, (int ms), { Module.web.seekTo(ms); });
EM_JS(void, webArrived, (int ms), { Module.web.arrived(ms); });
EM_JS(void, webSeeking, (int ms, int target), { Module.web.seeking(ms, target); });
EM_JS(void, webStopped, (), { Module.web.stopped(); });
EM_JS(void, webRestartAudio, (), { Module.web.restartAudio(); });
EM_JS(void, webChapter, (int ms, const char* name), { Module.web.chapter(ms, UTF8ToString(name)); });
EM_ASYNC_JS(void, webTransportNextFrame, (), { await Module.web.nextFrame(); });
EM_ASYNC_JS(void, webTransportYield, (), { await new Promise((resolve) => setTimeout(resolve, 0)); });
EM_ASYNC_JS(void, webTransportHalt, (), { await new Promise(() => {}); });
EM_ASYNC_JS(void, webHoldFor, (int ms), { await new Promise((resolve) => setTimeout(resolve, ms)); });
// clang-format on

namespace host::web {
namespace {

constexpr uint32_t seekStepMs = 50;    // the virtual counter's advance per present while seeking
constexpr int seekYieldEveryMs = 100;  // a seek gives the page a turn this often
constexpr int holdPollMs = 15;         // a paused show looks at the page this often

struct Transport {
    int32_t target = -1;
    bool paused = false;
    bool stop = false;
    bool keyWaiting = false;  // for the demo: Escape still ends a paused show
};

Transport readTransport()
{
    int fields[4] = {};
    webTransport(fields);
    return Transport{fields[0], fields[1] != 0, fields[2] != 0, fields[3] != 0};
}

int64_t framesIn(uint32_t ms) { return int64_t(uint64_t(ms) * audioSampleRate / 1000); }

}  // namespace

void WebHost::offerChapters(const Chapters& chapters)
{
    for (const Chapter& chapter : chapters)
        webChapter(int(chapter.startMs), chapter.name.c_str());
}

uint32_t WebHost::liveCounter() const { return anchorCounter + uint32_t(webTransportNow() - anchorNow); }

void WebHost::goVirtual(uint32_t counter)
{
    virtualClock = true;
    clock = counter;
}

// The virtual counter a tick on, as the headless host moves it at each present (whether
// or not the frame read it); from the real clock, from the value the frame read.
void WebHost::tickOn()
{
    if (!virtualClock)
        goVirtual(lastRead);
    clock += seekStepMs;
}

void WebHost::goLive(uint32_t counter)
{
    if (audioMoved) {
        webRestartAudio();
        audioMoved = false;
    }
    virtualClock = false;
    anchorCounter = counter;
    anchorNow = webTransportNow();
}

// What the sound holds up to this counter value is mixed and let go: when the show
// plays on, its sound goes on from that sample.
void WebHost::mixUnplayed(uint32_t counter)
{
    if (!audio)
        return;
    int64_t due = framesIn(counter - audioOpenedAt) - mixedFrames;
    if (due <= 0)
        return;
    unplayed.resize(size_t(due) * audioChannels);
    audio->mix(unplayed.data(), int(due));
    mixedFrames += due;
    audioMoved = true;
}

// A stopped instance closes its sound, tells the page, and stays where it is for good.
void WebHost::leaveIfStopped()
{
    if (!readTransport().stop)
        return;
    closeAudio();
    webStopped();
    webTransportHalt();
}

// A frame before the moment sought: drawn, not shown; the counter moves on a tick.
bool WebHost::presentSeeking(uint32_t at, int32_t target)
{
    if (int64_t(at) >= target)
        return false;
    tickOn();
    if (options.testMode)
        mixVirtual(seekStepMs);
    else
        mixUnplayed(clock);
    if (webTransportNow() - lastYieldAt >= seekYieldEveryMs) {
        webSeeking(int(at), target);
        webTransportYield();
        lastYieldAt = webTransportNow();
        leaveIfStopped();
    }
    return true;
}

// The first frame at the moment sought or after it: shown, and the show plays on from
// it, in real time, or a tick at a time while paused.
void WebHost::arrive(const Frame& frame, uint32_t at)
{
    webArrived(int(at));
    show(frame);
    webShown(int(at), clockText ? clockText(at).c_str() : "", linkText ? linkText(at).c_str() : "");
    if (readTransport().paused) {
        tickOn();
        mixUnplayed(clock);
    } else {
        goLive(lastRead);
    }
}

void WebHost::showLive(const Frame& frame, uint32_t at)
{
    show(frame);
    webShown(int(at), clockText ? clockText(at).c_str() : "", linkText ? linkText(at).c_str() : "");
    webTransportNextFrame();
    leaveIfStopped();
    feedAudio();
}

// Paused: the demo waits here, its frame not shown, the counter where it read it.
void WebHost::hold()
{
    if (!virtualClock)
        goVirtual(lastRead);
    webHoldFor(holdPollMs);
    leaveIfStopped();
}

// The show's first frame: a moment to open at is sought from here; true for that frame.
bool WebHost::startShowOnce()
{
    if (showStarted)
        return false;
    showStarted = true;
    if (options.seekMs > 0)
        webSeekTo(int(options.seekMs));
    return true;
}

// Test mode seeks on its own virtual counter: true for a frame drawn unseen.
bool WebHost::seekingInTestMode(uint32_t at)
{
    startShowOnce();
    Transport transport = readTransport();
    if (transport.stop)
        leaveIfStopped();
    if (transport.target < 0)
        return false;
    if (presentSeeking(at, transport.target))
        return true;
    webArrived(int(at));
    return false;
}

void WebHost::presentLive(const Frame& frame)
{
    uint32_t at = lastRead - firstRead;
    // Opening at the start, the first frame is shown even while paused (a seek back to 0).
    if (startShowOnce() && options.seekMs == 0) {
        arrive(frame, at);
        return;
    }
    for (;;) {
        Transport transport = readTransport();
        if (transport.stop)
            leaveIfStopped();
        if (transport.target >= 0) {
            if (presentSeeking(at, transport.target))
                return;
            arrive(frame, at);
            return;
        }
        if (!transport.paused) {
            if (virtualClock)
                goLive(lastRead);
            showLive(frame, at);
            return;
        }
        // A key for the demo lets it read its messages, the frame unseen, the clock still.
        if (transport.keyWaiting) {
            if (!virtualClock)
                goVirtual(lastRead);
            return;
        }
        hold();
    }
}

}  // namespace host::web
