// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The page's transport, as the browser host carries it out at each present through the
// hosts' transport (host/transport.h): the page sends the viewer's commands (pause,
// resume, step, step back, seek); the host shows or holds the demo's frames as the
// transport says, mixes the sound of a time not played without playing it, and tells
// the page the moment on screen. A seek back needs a fresh demo: this instance closes
// its sound, asks the page for a new one that starts with that seek, and stays where it
// is for good.
#include "host/web_host.h"

#include <emscripten.h>

// clang-format off
EM_JS(double, webTransportNow, (), { return performance.now(); });
// The viewer's next command, as TransportCommand numbers it, and a seek's target: 0 for none.
EM_JS(int, webNextCommand, (int* fields), {
    const command = Module.web.nextCommand();
    if (!command) return 0;
    HEAP32.set(command, fields >> 2);
    return 1;
});
EM_JS(int, webKeyWaiting, (), { return Module.web.keyWaiting(); });
EM_JS(void, webShown, (int ms, const char* clock, const char* link), {
    Module.web.shown(ms, UTF8ToString(clock), UTF8ToString(link));
});
EM_JS(void, webArrived, (int ms), { Module.web.arrived(ms); });
EM_JS(void, webSeeking, (int ms, int target, double progress), { Module.web.seeking(ms, target, progress); });
EM_JS(void, webRestart, (int ms, int paused), { Module.web.restart(ms, paused); });
EM_JS(void, webRestartAudio, (), { Module.web.restartAudio(); });
EM_JS(void, webChapter, (int ms, const char* name), { Module.web.chapter(ms, UTF8ToString(name)); });
EM_ASYNC_JS(void, webTransportNextFrame, (), { await Module.web.nextFrame(); });
EM_ASYNC_JS(void, webTransportHalt, (), { await new Promise(() => {}); });
EM_ASYNC_JS(void, webWait, (int ms), { await new Promise((resolve) => setTimeout(resolve, ms)); });
// clang-format on

namespace host::web {
namespace {

constexpr int seekYieldEveryMs = 100;  // a seek gives the page a turn this often
constexpr int holdPollMs = 15;         // a paused show looks at the page this often

int64_t framesIn(uint32_t ms) { return int64_t(uint64_t(ms) * audioSampleRate / 1000); }

}  // namespace

void WebHost::offerChapters(const Chapters& chapters)
{
    for (const Chapter& chapter : chapters)
        webChapter(int(chapter.startMs), chapter.name.c_str());
}

uint32_t WebHost::nowMs() const { return options.testMode ? clock : uint32_t(webTransportNow()); }

bool WebHost::playing() const { return !viewer.isPaused() && !viewer.isSeeking(); }

// The page's commands, one step at a time (a step is one present let through), so that
// steps pressed quickly add up. A seek back leaves this instance for a fresh one.
void WebHost::followTransport()
{
    int fields[2] = {};
    while (webNextCommand(fields)) {
        using Kind = TransportCommand::Kind;
        const auto kind = Kind(fields[0]);
        if (kind < Kind::pause || kind > Kind::seek)
            continue;
        viewer.apply(TransportCommand{kind, uint32_t(fields[1])}, nowMs());
        if (viewer.restartPending()) {
            closeAudio();
            webRestart(int(viewer.seekTarget()), viewer.isPaused() ? 1 : 0);
            webTransportHalt();
        }
        if (kind == Kind::step)
            return;
    }
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

// Test mode: the virtual counter moves on at every present; the sound follows the
// show's counter (50 ms a frame while a seek runs).
void WebHost::presentVirtual(const Frame& frame, bool shown, bool wasSeeking, uint32_t before)
{
    uint32_t at = lastRead - counterBase();
    if (shown) {
        keep(frame);
        if (wasSeeking)
            webArrived(int(at));
    }
    clock += options.frameMs;
    mixVirtual(viewer.counter(clock) - before);
    // A seek asked for on arrival goes first: the frame it leaves is not the last.
    followTransport();
    if (shown && !viewer.isSeeking() && int32_t(lastRead - options.untilMs) >= 0)
        stop(0);
}

void WebHost::presentLive(const Frame& frame, bool shown, bool wasSeeking)
{
    uint32_t at = lastRead;
    if (shown) {
        show(frame);
        webShown(int(at), clockText ? clockText(at).c_str() : "", linkText ? linkText(at).c_str() : "");
        if (wasSeeking)
            webArrived(int(at));
    }
    followTransport();
    if (shown && playing()) {
        webTransportNextFrame();
        followTransport();
    } else if (viewer.isSeeking() && (!seekReported || webTransportNow() - lastYieldAt >= seekYieldEveryMs)) {
        // Said at once (the page shows its progress), then at every turn the page gets.
        seekReported = true;
        webSeeking(int(at), int(viewer.seekTarget()), viewer.seekProgress());
        webWait(0);
        lastYieldAt = webTransportNow();
        followTransport();
    }
    if (!viewer.isSeeking())
        seekReported = false;
    // Played, the sound is fed as the speakers take it; else it follows the counter unheard.
    if (playing()) {
        if (audioMoved) {
            webRestartAudio();
            audioMoved = false;
        }
        feedAudio();
    } else {
        mixUnplayed(viewer.counter(nowMs()));
    }
    // Paused: held here, the page answering; a key for the demo lets it read its
    // messages (Escape still ends a paused show).
    while (viewer.holding() && !webKeyWaiting()) {
        webWait(holdPollMs);
        followTransport();
    }
}

}  // namespace host::web
