// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/web_host.h"

#include "host/scaling.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The page's side of the host (page/host.js) is reached through Module.web.
// clang-format off
EM_JS(double, webNow, (), { return performance.now(); });
EM_JS(void, webSetSize, (int width, int height), { Module.web.setSize(width, height); });
EM_JS(void, webShow, (const uint8_t* rgba, int width, int height), {
    Module.web.show(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});
// Fills kind, then the virtual key or the point and the canvas's size on the page.
EM_JS(int, webNextEvent, (int* fields), {
    const event = Module.web.nextEvent();
    if (!event) return 0;
    HEAP32.set(event, fields >> 2);
    return 1;
});
EM_ASYNC_JS(void, webNextFrame, (), { await Module.web.nextFrame(); });
EM_ASYNC_JS(void, webYield, (), { await new Promise((resolve) => setTimeout(resolve, 0)); });
// Never resolves: the program stays where it stopped, its results on the page.
EM_ASYNC_JS(void, webHalt, (), { await new Promise(() => {}); });
EM_JS(void, webCursor, (int visible), { Module.web.cursor(visible); });
EM_JS(void, webMessage, (const char* caption, const char* text), {
    Module.web.message(UTF8ToString(caption), UTF8ToString(text));
});
EM_JS(int, webOpenAudio, (), { return Module.web.openAudio(); });
EM_JS(void, webCloseAudio, (), { Module.web.closeAudio(); });
EM_JS(int, webAudioWanted, (), { return Module.web.audioWanted(); });
EM_JS(void, webAudioPlay, (const int16_t* samples, int frames), {
    Module.web.audioPlay(HEAP16.subarray(samples >> 1, (samples >> 1) + frames * 2));
});
EM_JS(void, webReport, (const char* audio, const char* timing, int exitCode), {
    Module.web.report(UTF8ToString(audio), UTF8ToString(timing), exitCode);
});
// clang-format on

namespace host::web {
namespace {

constexpr int dialogPatience = 64;  // answers after which a dialog is not listening
constexpr int yieldEveryMs = 100;   // test mode gives the page a turn this often
constexpr int waitStepMs = 10;      // a waiting dialog looks at the page's events this often

// CRC-32 as zlib computes it (reflected polynomial 0xEDB88320).
const std::array<uint32_t, 256>& crcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t crc32(uint32_t crc, const uint8_t* bytes, size_t size)
{
    const auto& table = crcTable();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// Every 16-bit pixel as the canvas's RGBA bytes, one table per pixel format.
const std::vector<uint32_t>& rgbaTable(soft::PixelFormat format)
{
    static std::vector<uint32_t> tables[2];
    std::vector<uint32_t>& table = tables[format == soft::PixelFormat::rgb555 ? 1 : 0];
    if (table.empty()) {
        table.resize(65536);
        for (uint32_t p = 0; p < 65536; ++p) {
            soft::Rgb8 c = soft::unpackColour(format, uint16_t(p));
            table[p] = uint32_t(c.r) | uint32_t(c.g) << 8 | uint32_t(c.b) << 16 | 0xFF000000u;
        }
    }
    return table;
}

}  // namespace

// The show's first frame is a seek's arrival (at 0, or at the moment the page asks for).
WebHost::WebHost(const WebHostOptions& options)
    : options(options), clock(0), lastRead(counterBase()), startedAt(webNow()), frameStartedAt(startedAt),
      viewer(options.showLengthMs, options.seekMs)
{
    if (options.startPaused)
        viewer.setPaused(true, nowMs());
}

// Test mode's counter may start late (startMs); the transport counts show time from 0.
uint32_t WebHost::counterBase() const { return options.testMode ? options.startMs : 0; }

uint32_t WebHost::tickCount()
{
    lastRead = counterBase() + viewer.counter(nowMs());
    if (!readSincePresent && !startKnown) {
        startTick = lastRead;
        startKnown = true;
    }
    readSincePresent = true;
    return lastRead;
}

std::vector<DisplayDevice> WebHost::displays()
{
    DisplayDevice canvas;
    canvas.description = "Browser canvas";
    canvas.driverName = "canvas";
    canvas.fullScreen = true;
    return {canvas};
}

bool WebHost::setMode(int device, int width, int height)
{
    if (device != 0 || width <= 0 || height <= 0)
        return false;
    webSetSize(width, height);
    return true;
}

void WebHost::restoreMode() { }

void WebHost::show(const Frame& frame)
{
    const std::vector<uint32_t>& table = rgbaTable(frame.format);
    rgba.resize(size_t(frame.width) * frame.height * 4);
    auto* out = reinterpret_cast<uint32_t*>(rgba.data());
    for (int y = 0; y < frame.height; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(frame.pixels + size_t(y) * frame.pitch);
        for (int x = 0; x < frame.width; ++x)
            *out++ = table[row[x]];
    }
    webShow(rgba.data(), frame.width, frame.height);
    shownWidth = frame.width;
    shownHeight = frame.height;
}

void WebHost::keep(const Frame& frame)
{
    size_t rowBytes = size_t(frame.width) * 2;
    kept.resize(rowBytes * frame.height);
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(kept.data() + rowBytes * y, frame.pixels + size_t(y) * frame.pitch, rowBytes);
    keptFrame = frame;
}

void WebHost::recordTiming(double frameMs)
{
    if (!spanOf || !startKnown)
        return;
    auto& [total, frames] = spanTimes[spanOf(startTick, lastRead)];
    total += frameMs;
    ++frames;
}

void WebHost::present(const Frame& frame)
{
    double now = webNow();
    if (readSincePresent) {
        timingStarted = true;
        recordTiming(now - frameStartedAt);
    } else if (!timingStarted) {
        startKnown = false;  // a frame drawn before the show's clock started
    }
    readSincePresent = false;
    uint32_t before = viewer.counter(nowMs());
    bool wasSeeking = viewer.isSeeking();
    bool shown = viewer.present(lastRead - counterBase(), nowMs());
    if (options.testMode) {
        presentVirtual(frame, shown, wasSeeking, before);
        if (now - lastYieldAt >= yieldEveryMs) {
            webYield();
            lastYieldAt = webNow();
        }
    } else {
        presentLive(frame, shown, wasSeeking);
    }
    frameStartedAt = webNow();
}

void WebHost::mixVirtual(uint32_t advancedMs)
{
    if (!audio)
        return;
    std::span<const int16_t> mixed = virtualAudio.advance(*audio, advancedMs);
    crc = crc32(crc, reinterpret_cast<const uint8_t*>(mixed.data()), mixed.size_bytes());
}

void WebHost::feedAudio()
{
    if (!audio)
        return;
    int wanted = webAudioWanted();
    if (wanted <= 0)
        return;
    mixBuffer.resize(size_t(wanted) * audioChannels);
    audio->mix(mixBuffer.data(), wanted);
    mixedFrames += wanted;
    webAudioPlay(mixBuffer.data(), wanted);
}

bool WebHost::pollEvent(Event& event)
{
    // What the page queued: kind (as EventKind numbers it), then for a key its virtual-key
    // code, for the mouse the point on the canvas and the canvas's size, in CSS pixels.
    for (;;) {
        int fields[5] = {};
        if (!webNextEvent(fields))
            return false;
        event = Event{EventKind(fields[0])};
        if (event.kind == EventKind::keyDown || event.kind == EventKind::keyUp) {
            event.virtualKey = uint32_t(fields[1]);
            return true;
        }
        // The picture is scaled into the canvas with its shape kept; a point on the bars
        // around it, or off the canvas, is on nothing: a press there counts for nothing,
        // a move or a release there is at (-1, -1), so a button held down lets go.
        Rect shown = frameRectangle(Scale::aspect, fields[3], fields[4], shownWidth, shownHeight);
        if (outputToFrame(shown, shownWidth, shownHeight, fields[1], fields[2], event.x, event.y))
            return true;
        if (event.kind != EventKind::mouseDown) {
            event.x = event.y = -1;
            return true;
        }
    }
}

void WebHost::setCursorVisible(bool visible) { webCursor(visible ? 1 : 0); }

void WebHost::messageBox(const std::string& caption, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    webMessage(caption.c_str(), text.c_str());
}

void WebHost::presentDialog(const DialogFrame& dialog)
{
    dialogTitle = dialog.title;
    if (options.testMode || options.dialogUnseen)
        return;
    webSetSize(dialog.picture.width, dialog.picture.height);
    show(dialog.picture);
}

void WebHost::closeDialog() { }

// Test mode answers as the headless host does: Enter, Escape or a close request.
bool WebHost::answerDialog(Event& event)
{
    if (++dialogCalls > dialogPatience) {
        std::fprintf(stderr, "mornakle: the dialog \"%s\" does not close\n", dialogTitle.c_str());
        stop(2);
    }
    event = answeringEvent(options.dialogAnswer);
    return true;
}

// The browser runs while the dialog waits: the wait sleeps through Asyncify.
bool WebHost::waitEvent(Event& event, int timeoutMs)
{
    if (options.testMode)
        return answerDialog(event);
    if (options.dialogUnseen) {
        event = answeringEvent(DialogAnswer::ok);
        return true;
    }
    double until = webNow() + timeoutMs;
    for (;;) {
        if (pollEvent(event))
            return true;
        double left = until - webNow();
        if (left <= 0)
            return false;
        emscripten_sleep(unsigned(std::min(left, double(waitStepMs)) + 0.5));
    }
}

bool WebHost::openAudio(AudioSource* source)
{
    virtualAudio.restart();
    crc = 0;
    audioOpenedAt = viewer.counter(nowMs());
    mixedFrames = 0;
    audioMoved = false;
    if (!options.testMode && !webOpenAudio())
        return false;
    audio = source;
    return true;
}

void WebHost::closeAudio()
{
    if (audio && !options.testMode)
        webCloseAudio();
    audio = nullptr;
}

void WebHost::stop(int exitCode)
{
    report(exitCode);
    webHalt();
}

void WebHost::report(int exitCode)
{
    if (!kept.empty())
        show(Frame{kept.data(), keptFrame.width, keptFrame.height, keptFrame.width * 2, keptFrame.format});
    char audioText[40];
    std::snprintf(audioText, sizeof audioText, "%lld %08x", static_cast<long long>(virtualAudio.mixedFrames()),
                  unsigned(crc));
    std::string timing = "{";
    for (const auto& [span, time] : spanTimes) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "%s\"%d\": %.3f", timing.size() > 1 ? ", " : "", span,
                      time.first / time.second);
        timing += entry;
    }
    timing += "}";
    webReport(audioText, timing.c_str(), exitCode);
}

}  // namespace host::web
