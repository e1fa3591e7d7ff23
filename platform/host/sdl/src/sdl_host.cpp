// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The real host on SDL2: one window that shows first the device dialog, then the
// frames; the keyboard; the audio device; and giving all of it back on the way out.
#include "host/sdl_host.h"

#include "audio_output.h"
#include "device_list.h"
#include "frame_pacer.h"
#include "host/dialog_answer.h"
#include "host/scaling.h"
#include "host/virtual_audio.h"
#include "key_map.h"
#include "screenshot.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <thread>

namespace host::sdl {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t escapeKey = 0x1B;  // VK_ESCAPE

// The host's own clock counts from the start of the process, so it never wraps during a
// show; the demo reads the transport's show time over it.
const Clock::time_point processStart = Clock::now();

// The windowed device's size as the enumeration describes it: the size programs of
// the time asked DirectDraw for.
constexpr int windowedDeviceWidth = 640;
constexpr int windowedDeviceHeight = 480;
constexpr int largeDesktopWidth = 2560;  // from here on the dialog is shown twice the size

std::string executableName()
{
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error || exe.empty() ? std::string("screenshot") : exe.filename().string();
}

class SdlHost;
SdlHost* liveHost = nullptr;  // the one host, for the exit handlers

class SdlHost final : public Host {
public:
    explicit SdlHost(const SdlHostOptions& chosen) : options(chosen), viewer(chosen.showLengthMs, chosen.startAtMs)
    {
        if (options.screenshotPrefix.empty())
            options.screenshotPrefix = executableName();
        title = options.screenshotPrefix;
        if (options.screenshotDir.empty())
            options.screenshotDir = screenshotFolder();
        // The working folder at start-up, whatever folder the program moves to later.
        std::error_code error;
        std::filesystem::path dir = std::filesystem::absolute(options.screenshotDir, error);
        if (!error)
            options.screenshotDir = dir.lexically_normal().string();
        liveHost = this;
    }
    ~SdlHost() override { shutdown(); }

    // Gives back the audio device, the display and the cursor; safe to call twice.
    void shutdown()
    {
        closeAudio();
        if (window) {
            SDL_SetWindowFullscreen(window, 0);
            SDL_ShowCursor(SDL_ENABLE);
        }
        if (texture)
            SDL_DestroyTexture(texture);
        if (renderer)
            SDL_DestroyRenderer(renderer);
        if (window)
            SDL_DestroyWindow(window);
        texture = nullptr;
        renderer = nullptr;
        window = nullptr;
        if (liveHost == this) {
            SDL_Quit();
            liveHost = nullptr;
        }
    }

    // The counter the demo reads is the transport's show time, on the process's clock.
    uint32_t tickCount() override
    {
        lastRead = viewer.counter(nowMs());
        return lastRead;
    }

    Transport* transport() override { return &viewer; }

    // The window, its picture and its mode stay; the dialog is answered as before.
    void restartShow() override
    {
        viewer.restart();
        replayingDialog = true;
        keepMode = true;
        dialogAnswersGiven = 0;
    }

    std::vector<DisplayDevice> displays() override
    {
        refreshDevices();
        std::vector<DisplayDevice> out;
        for (const HostDevice& d : devices)
            out.push_back(d.device);
        return out;
    }

    bool setMode(int device, int width, int height) override
    {
        if (devices.empty())
            refreshDevices();
        if (device < 0 || device >= int(devices.size()) || width <= 0 || height <= 0)
            return false;
        const HostDevice& chosen = devices[device];
        if (!ensureWindow(width, height))
            return false;
        if (keepMode && device == modeDevice) {
            keepMode = false;  // started afresh on the display it was showing on
            return true;
        }
        keepMode = false;
        modeDevice = device;
        // Black until the first frame, not the dialog that was shown last.
        shownPixels.assign(size_t(width) * height * 2, 0);
        shown = Frame{shownPixels.data(), width, height, width * 2, options.pixelFormat};
        SDL_SetWindowTitle(window, title.c_str());
        shownTitle = title;
        SDL_SetWindowHitTest(window, nullptr, nullptr);
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, width, height);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED_DISPLAY(chosen.monitor),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(chosen.monitor));
        SDL_ShowWindow(window);
        setFullScreen(chosen.device.fullScreen);
        SDL_RaiseWindow(window);
        showShown();
        return true;
    }

    void restoreMode() override
    {
        if (!window || viewer.restartPending())
            return;
        modeDevice = -1;
        SDL_SetWindowFullscreen(window, 0);
        fullScreen = false;
        SDL_HideWindow(window);
    }

    void present(const Frame& frame) override
    {
        if (!window || !frame.pixels)
            return;
        uint32_t now = nowMs();
        uint32_t before = viewer.counter(now);
        bool playing = !viewer.isPaused() && !viewer.isSeeking();
        if (viewer.present(lastRead, now)) {
            keep(frame);
            showShown();
            waitForNextRefresh();
        }
        // The sound of a time not played (a seek's unseen frames, a step) is mixed and
        // dropped, so that it goes on in step with the picture; played time the audio
        // device takes itself.
        if (!playing)
            dropSound(viewer.counter(now) - before);
        pumpEvents();
        followTransport();
        // Held inside this present while paused; the window keeps answering. Escape or a
        // close request lets the demo go for good: it may present once more (a one-shot
        // action's frame and its span's first) before it sees the request.
        while (viewer.holding() && !showEnding) {
            SDL_WaitEventTimeout(nullptr, 100);
            pumpEvents();
            followTransport();
            showEnding = quitPending();
        }
    }

    bool pollEvent(Event& event) override
    {
        pumpEvents();
        if (events.empty())
            return false;
        event = events.front();
        events.pop_front();
        return true;
    }

    void setCursorVisible(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

    // Shown from the next mode change on: until then the window may show a dialog.
    void setTitle(const std::string& name) override { title = name; }

    void messageBox(const std::string& caption, const std::string& text) override
    {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        bool shown = window && !(SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN);
        if (shown && fullScreen)
            setFullScreen(false);  // a box behind a full-screen window could not be answered
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), shown ? window : nullptr);
    }

    void presentDialog(const DialogFrame& dialog) override
    {
        if (replayingDialog)
            return;  // answered unseen, as the viewer answered it
        if (!dialogOpen)
            openDialogWindow(dialog);
        if (!window)
            return;
        keep(dialog.picture);
        showShown();
    }

    bool waitEvent(Event& event, int timeoutMs) override
    {
        if (replayingDialog) {
            pumpEvents();
            event = dialogAnswersGiven < dialogAnswers.size() ? dialogAnswers[dialogAnswersGiven++]
                                                              : answeringEvent(DialogAnswer::ok);
            return true;
        }
        pumpEvents();
        if (events.empty() && SDL_WaitEventTimeout(nullptr, timeoutMs))
            pumpEvents();
        if (!pollEvent(event))
            return false;
        if (dialogOpen && !replayingDialog)
            dialogAnswers.push_back(event);
        return true;
    }

    void closeDialog() override
    {
        if (replayingDialog) {
            replayingDialog = false;
            return;
        }
        dialogOpen = false;
        if (window)
            SDL_HideWindow(window);
    }

    bool openAudio(AudioSource* source) override;
    void closeAudio() override { audio.close(); }
    void lockAudio() override { audio.lock(); }
    void unlockAudio() override { audio.unlock(); }

private:
    static uint32_t nowMs()
    {
        return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - processStart).count());
    }

    // Escape or a close request waits for the demo, which a held show lets go to it.
    bool quitPending() const
    {
        return std::any_of(events.begin(), events.end(), [](const Event& e) {
            return e.kind == EventKind::quit || (e.kind == EventKind::keyDown && e.virtualKey == escapeKey);
        });
    }

    void dropSound(uint32_t ms)
    {
        AudioSource* source = audio.source();
        if (!source || ms == 0)
            return;
        audio.lock();
        droppedSound.advance(*source, ms);
        audio.unlock();
    }

    // What follows from the transport's state after the viewer acted: the sound held
    // while the show does not play, the demo told to leave for a seek back, the title.
    void followTransport()
    {
        audio.hold(viewer.isPaused() || viewer.isSeeking());
        if (viewer.restartPending() && !quitPending())
            pushQuit();
        showClockInTitle();
    }

    // While the show does not play, the title says so: "Mornakle 3D - paused at 1:01.2"
    // or "Mornakle 3D - seeking 45%"; playing, it is the demo's caption alone.
    void showClockInTitle()
    {
        if (!window || dialogOpen || modeDevice < 0)
            return;
        uint32_t now = nowMs();
        if (now - titleShownAt < 200 && titleShownAt != 0)
            return;
        titleShownAt = now;
        std::string text = title;
        if (viewer.isSeeking()) {
            text += " - seeking " + std::to_string(int(viewer.seekProgress() * 100)) + "%";
        } else if (viewer.isPaused()) {
            uint32_t ms = viewer.shownAt();
            char clock[32];
            std::snprintf(clock, sizeof clock, "%u:%02u.%03u", ms / 60000, ms / 1000 % 60, ms % 1000);
            text += std::string(" - paused at ") + clock;
        }
        if (text != shownTitle) {
            SDL_SetWindowTitle(window, text.c_str());
            shownTitle = text;
        }
    }

    // The transport's keys, from the show's first frame to its end, never the demo's nor
    // the dialog's: true when `e` was one (or its release).
    bool takeTransportKey(const SDL_Event& e)
    {
        if ((e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) || dialogOpen || modeDevice < 0)
            return false;
        if (e.key.keysym.mod & (KMOD_ALT | KMOD_CTRL | KMOD_GUI))
            return false;
        SDL_Scancode code = e.key.keysym.scancode;
        const SDL_Scancode keys[] = {SDL_SCANCODE_SPACE, SDL_SCANCODE_PERIOD, SDL_SCANCODE_COMMA,    SDL_SCANCODE_LEFT,
                                     SDL_SCANCODE_RIGHT, SDL_SCANCODE_PAGEUP, SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_HOME};
        if (std::find(std::begin(keys), std::end(keys), code) == std::end(keys))
            return false;
        if (e.type == SDL_KEYUP || (e.key.repeat && code == SDL_SCANCODE_SPACE))
            return true;
        uint32_t now = nowMs(), at = viewer.isSeeking() ? viewer.seekTarget() : viewer.shownAt();
        constexpr uint32_t jumpMs = 5000;
        switch (code) {
        case SDL_SCANCODE_SPACE:
            viewer.setPaused(!viewer.isPaused(), now);
            break;
        case SDL_SCANCODE_PERIOD:
            viewer.step();
            break;
        case SDL_SCANCODE_COMMA:
            viewer.stepBack(now);
            break;
        case SDL_SCANCODE_LEFT:
            viewer.seek(at > jumpMs ? at - jumpMs : 0, now);
            break;
        case SDL_SCANCODE_RIGHT:
            viewer.seek(at + jumpMs, now);
            break;
        case SDL_SCANCODE_PAGEUP:
            viewer.seek(chapterBefore(at), now);
            break;
        case SDL_SCANCODE_PAGEDOWN:
            if (const Chapter* next = chapterAfter(at))
                viewer.seek(next->startMs, now);
            break;
        default:  // Home
            viewer.seek(0, now);
            break;
        }
        titleShownAt = 0;
        return true;
    }

    // The start of the chapter on screen, or of the one before when that start is less
    // than a second behind, as players go back.
    uint32_t chapterBefore(uint32_t at) const
    {
        constexpr uint32_t graceMs = 1000;
        uint32_t start = 0;
        for (const Chapter& chapter : options.chapters)
            if (chapter.startMs + graceMs <= at)
                start = chapter.startMs;
        return start;
    }

    const Chapter* chapterAfter(uint32_t at) const
    {
        for (const Chapter& chapter : options.chapters)
            if (chapter.startMs > at)
                return &chapter;
        return nullptr;
    }

    void refreshDevices()
    {
        std::vector<MonitorInfo> monitors;
        int count = SDL_GetNumVideoDisplays();
        for (int i = 0; i < count; ++i) {
            SDL_DisplayMode mode{};
            SDL_GetDesktopDisplayMode(i, &mode);
            const char* name = SDL_GetDisplayName(i);
            monitors.push_back(MonitorInfo{name ? name : "display", mode.w, mode.h});
        }
        devices = listDevices(monitors, windowedDeviceWidth, windowedDeviceHeight);
    }

    bool ensureWindow(int width, int height)
    {
        if (window)
            return true;
        window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                  SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
        if (!window) {
            std::fprintf(stderr, "cannot open a window: %s\n", SDL_GetError());
            return false;
        }
        Uint32 flags = SDL_RENDERER_ACCELERATED | (options.vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
        renderer = SDL_CreateRenderer(window, -1, flags);
        if (!renderer)
            renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer) {
            std::fprintf(stderr, "cannot draw into the window: %s\n", SDL_GetError());
            SDL_DestroyWindow(window);
            window = nullptr;
            return false;
        }
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(renderer, &info);
        vsyncActive = options.vsync && (info.flags & SDL_RENDERER_PRESENTVSYNC);
        return true;
    }

    void setFullScreen(bool on)
    {
        if (!window)
            return;
        SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        fullScreen = on;
        showShown();
    }

    // Keeps a copy of what is shown, to show again after the window changes and for F12.
    void keep(const Frame& frame)
    {
        int rowBytes = frame.width * 2;
        shownPixels.resize(size_t(rowBytes) * frame.height);
        for (int y = 0; y < frame.height; ++y)
            std::memcpy(shownPixels.data() + size_t(y) * rowBytes, frame.pixels + size_t(y) * frame.pitch,
                        size_t(rowBytes));
        shown = Frame{shownPixels.data(), frame.width, frame.height, rowBytes, frame.format};
    }

    bool ensureTexture(const Frame& frame)
    {
        if (texture && textureWidth == frame.width && textureHeight == frame.height && textureFormat == frame.format)
            return true;
        if (texture)
            SDL_DestroyTexture(texture);
        Uint32 format = frame.format == soft::PixelFormat::rgb555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
        texture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, frame.width, frame.height);
        if (!texture)
            return false;
        SDL_SetTextureScaleMode(texture, options.filter == SdlHostOptions::Filter::linear ? SDL_ScaleModeLinear
                                                                                          : SDL_ScaleModeNearest);
        textureWidth = frame.width;
        textureHeight = frame.height;
        textureFormat = frame.format;
        return true;
    }

    void showShown()
    {
        if (!renderer || !shown.pixels || !ensureTexture(shown))
            return;
        SDL_UpdateTexture(texture, nullptr, shown.pixels, shown.pitch);
        int outputWidth = 0, outputHeight = 0;
        SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
        shownRect = frameRectangle(options.scale, outputWidth, outputHeight, shown.width, shown.height);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_Rect target{shownRect.x, shownRect.y, shownRect.width, shownRect.height};
        SDL_RenderCopy(renderer, texture, nullptr, &target);
        SDL_RenderPresent(renderer);
    }

    void waitForNextRefresh()
    {
        SDL_DisplayMode mode{};
        int display = SDL_GetWindowDisplayIndex(window);
        int hz = SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 ? mode.refresh_rate : 0;
        std::this_thread::sleep_for(pacer.delayAt(Clock::now(), hz, vsyncActive));
    }

    void saveShownFrame()
    {
        std::string line = saveScreenshot(shown, options.screenshotDir, options.screenshotPrefix, std::time(nullptr),
                                          viewer.shownAt());
        std::fprintf(stderr, "%s\n", line.c_str());
    }

    // Alt+Enter and F12 belong to the host: true when `e` was one of them (or the
    // release of one), which then goes no further.
    bool takeHostKey(const SDL_Event& e)
    {
        if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP)
            return false;
        SDL_Scancode code = e.key.keysym.scancode;
        bool enter = code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER;
        if (e.type == SDL_KEYDOWN) {
            if (enter && (e.key.keysym.mod & KMOD_ALT)) {
                if (!e.key.repeat)
                    setFullScreen(!fullScreen);
                swallowEnterUp = true;
                return true;
            }
            if (code == SDL_SCANCODE_F12) {
                if (!e.key.repeat)
                    saveShownFrame();
                return true;
            }
            return false;
        }
        if (enter && swallowEnterUp) {
            swallowEnterUp = false;
            return true;
        }
        return code == SDL_SCANCODE_F12;
    }

    // Window changes that need the picture again.
    bool takeWindowEvent(const SDL_Event& e)
    {
        if (e.type != SDL_WINDOWEVENT)
            return false;
        switch (e.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            showShown();
            break;
        default:
            break;
        }
        return e.window.event != SDL_WINDOWEVENT_CLOSE;
    }

    void pushQuit()
    {
        if (events.empty() || events.back().kind != EventKind::quit)
            events.push_back(Event{EventKind::quit, 0});
    }

    void pumpEvents()
    {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (takeHostKey(e) || takeTransportKey(e) || takeWindowEvent(e))
                continue;
            if (e.type == SDL_QUIT || (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE)) {
                pushQuit();
            } else if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
                uint32_t key = virtualKeyOf(e.key.keysym.scancode);
                if (key)
                    events.push_back(Event{e.type == SDL_KEYDOWN ? EventKind::keyDown : EventKind::keyUp, key});
            } else {
                takeMouseEvent(e);
            }
        }
    }

    // The picture point under a mouse position given in window coordinates.
    bool windowToPicture(int x, int y, int& pictureX, int& pictureY)
    {
        int windowWidth = 1, windowHeight = 1, outputWidth = 1, outputHeight = 1;
        SDL_GetWindowSize(window, &windowWidth, &windowHeight);
        SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
        int outX = windowWidth > 0 ? x * outputWidth / windowWidth : x;
        int outY = windowHeight > 0 ? y * outputHeight / windowHeight : y;
        return outputToFrame(shownRect, shown.width, shown.height, outX, outY, pictureX, pictureY);
    }

    // The left button and the mouse's moves, at the picture point under the mouse. A
    // press counts only on the picture; a move or a release off it (SDL follows the mouse
    // outside the window while the button is held) is at a point on nothing, (-1, -1), so
    // that a button held down there lets go without acting.
    void takeMouseEvent(const SDL_Event& e)
    {
        Event event;
        bool onPicture = false;
        if (e.type == SDL_MOUSEMOTION) {
            event.kind = EventKind::mouseMove;
            onPicture = windowToPicture(e.motion.x, e.motion.y, event.x, event.y);
        } else if ((e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) &&
                   e.button.button == SDL_BUTTON_LEFT) {
            event.kind = e.type == SDL_MOUSEBUTTONDOWN ? EventKind::mouseDown : EventKind::mouseUp;
            onPicture = windowToPicture(e.button.x, e.button.y, event.x, event.y);
        } else {
            return;
        }
        if (!onPicture) {
            if (event.kind == EventKind::mouseDown)
                return;
            event.x = event.y = -1;
        }
        events.push_back(event);
    }

    void openDialogWindow(const DialogFrame& dialog)
    {
        SDL_DisplayMode desktop{};
        SDL_GetDesktopDisplayMode(0, &desktop);
        // Twice the size on a large desktop, where the dialog's pixels would be tiny.
        int zoom = desktop.w >= largeDesktopWidth ? 2 : 1;
        int width = dialog.picture.width * zoom, height = dialog.picture.height * zoom;
        if (!ensureWindow(width, height))
            return;
        SDL_SetWindowTitle(window, dialog.title.c_str());
        // The dialog paints its own title bar, which moves the window as a real one would.
        SDL_SetWindowBordered(window, SDL_FALSE);
        dialogTitleBar = dialog.titleBar;
        dialogCloseBox = dialog.closeBox;
        SDL_SetWindowHitTest(window, dialogHitTest, this);
        if (!fullScreen) {
            SDL_SetWindowSize(window, width, height);
            SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
        SDL_ShowWindow(window);
        SDL_RaiseWindow(window);
        dialogOpen = true;
    }

    static SDL_HitTestResult dialogHitTest(SDL_Window*, const SDL_Point* point, void* self)
    {
        auto* host = static_cast<SdlHost*>(self);
        int x = 0, y = 0;
        if (!host->dialogOpen || host->fullScreen || !host->windowToPicture(point->x, point->y, x, y))
            return SDL_HITTEST_NORMAL;
        bool bar = host->dialogTitleBar.contains(x, y) && !host->dialogCloseBox.contains(x, y);
        return bar ? SDL_HITTEST_DRAGGABLE : SDL_HITTEST_NORMAL;
    }

    SdlHostOptions options;
    std::vector<HostDevice> devices;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0, textureHeight = 0;
    soft::PixelFormat textureFormat = soft::PixelFormat::rgb565;
    bool vsyncActive = false;
    bool fullScreen = false;
    bool swallowEnterUp = false;
    FramePacer pacer;
    std::vector<uint8_t> shownPixels;
    Frame shown;
    Rect shownRect;
    std::deque<Event> events;

    std::string title;  // the program's name until it names its window
    bool dialogOpen = false;
    Area dialogTitleBar, dialogCloseBox;

    AudioOutput audio;

    Transport viewer;
    uint32_t lastRead = 0;
    VirtualAudio droppedSound;  // counts the sound dropped, so that rounding never drifts
    int modeDevice = -1;        // the display the show is on, from its first mode on
    bool keepMode = false;      // the demo was started afresh: its mode is the one set
    bool replayingDialog = false;
    std::vector<Event> dialogAnswers;  // what the viewer did in the device dialog
    size_t dialogAnswersGiven = 0;
    uint32_t titleShownAt = 0;
    bool showEnding = false;  // Escape or a close request reached a held show
    std::string shownTitle;
};

// The audio device outlives nothing it reads from: this runs before the destructors
// of everything made before the device was opened, the sound source among them.
void closeAudioAtExit()
{
    if (liveHost)
        liveHost->closeAudio();
}

void shutdownAtExit()
{
    if (liveHost)
        liveHost->shutdown();
}

bool SdlHost::openAudio(AudioSource* source)
{
    if (!audio.open(source))
        return false;
    // Silent until the first frame is shown, which a start later or a seek back reaches
    // with the sound of the frames before it dropped.
    droppedSound.restart();
    audio.hold(viewer.isPaused() || viewer.isSeeking());
    static bool registered = false;
    if (!registered)
        registered = std::atexit(closeAudioAtExit) == 0;
    return true;
}

}  // namespace

std::unique_ptr<Host> makeSdlHost(const SdlHostOptions& options, std::string& error)
{
    // SDL turns SIGINT and SIGTERM into quit events, which reach the demo as Escape.
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = std::string("cannot open a display: ") + SDL_GetError();
        return nullptr;
    }
    // With no display SDL falls back to drawing off screen, where no one sees the show;
    // only someone who asks for such a driver by name gets it.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    bool invisible = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (invisible && !(asked && std::strcmp(asked, driver) == 0)) {
        SDL_Quit();
        error = "cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY leads to one";
        return nullptr;
    }
    static bool registered = false;
    if (!registered)
        registered = std::atexit(shutdownAtExit) == 0;
    return std::make_unique<SdlHost>(options);
}

}  // namespace host::sdl
