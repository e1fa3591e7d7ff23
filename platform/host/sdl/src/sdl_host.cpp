// The real host on SDL2: one window that shows first the device dialog, then the
// frames; the keyboard; the audio device; and giving all of it back on the way out.
#include "host/sdl_host.h"

#include "audio_output.h"
#include "device_list.h"
#include "dialog_paint.h"
#include "frame_pacer.h"
#include "gdi_canvas.h"
#include "key_map.h"
#include "scaling.h"
#include "screenshot.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <optional>
#include <thread>

namespace host {
namespace {

using namespace host::sdl;
using Clock = std::chrono::steady_clock;

// GetTickCount counts from the start of the process, so it never wraps during a show.
const Clock::time_point processStart = Clock::now();

// The windowed device's size as the enumeration describes it: the size programs of
// the time asked DirectDraw for.
constexpr int windowedDeviceWidth = 640;
constexpr int windowedDeviceHeight = 480;
constexpr int dialogWaitMs = 100;        // how long the dialog waits before looking again
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
    explicit SdlHost(const SdlHostOptions& options) : options_(options)
    {
        if (options_.screenshotPrefix.empty())
            options_.screenshotPrefix = executableName();
        title_ = options_.screenshotPrefix;
        if (options_.screenshotDir.empty())
            options_.screenshotDir = screenshotFolder();
        // The working folder at start-up, whatever folder the program moves to later.
        std::error_code error;
        std::filesystem::path dir = std::filesystem::absolute(options_.screenshotDir, error);
        if (!error)
            options_.screenshotDir = dir.lexically_normal().string();
        liveHost = this;
    }
    ~SdlHost() override { shutdown(); }

    // Gives back the audio device, the display and the cursor; safe to call twice.
    void shutdown()
    {
        closeAudio();
        if (window_) {
            SDL_SetWindowFullscreen(window_, 0);
            SDL_ShowCursor(SDL_ENABLE);
        }
        if (texture_)
            SDL_DestroyTexture(texture_);
        if (renderer_)
            SDL_DestroyRenderer(renderer_);
        if (window_)
            SDL_DestroyWindow(window_);
        texture_ = nullptr;
        renderer_ = nullptr;
        window_ = nullptr;
        if (liveHost == this) {
            SDL_Quit();
            liveHost = nullptr;
        }
    }

    uint32_t tickCount() override
    {
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - processStart);
        return uint32_t(elapsed.count());
    }

    std::vector<DisplayDevice> displays() override
    {
        refreshDevices();
        std::vector<DisplayDevice> out;
        for (const HostDevice& d : devices_)
            out.push_back(d.device);
        return out;
    }

    bool setMode(int device, int width, int height) override
    {
        if (devices_.empty())
            refreshDevices();
        if (device < 0 || device >= int(devices_.size()) || width <= 0 || height <= 0)
            return false;
        const HostDevice& chosen = devices_[device];
        if (!ensureWindow(width, height))
            return false;
        // Black until the first frame, not the dialog that was shown last.
        shownPixels_.assign(size_t(width) * height * 2, 0);
        shown_ = Frame{shownPixels_.data(), width, height, width * 2, options_.pixelFormat};
        SDL_SetWindowTitle(window_, title_.c_str());
        SDL_SetWindowHitTest(window_, nullptr, nullptr);
        SDL_SetWindowBordered(window_, SDL_TRUE);
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, width, height);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(chosen.monitor),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(chosen.monitor));
        SDL_ShowWindow(window_);
        setFullScreen(chosen.device.fullScreen);
        SDL_RaiseWindow(window_);
        showShown();
        return true;
    }

    void restoreMode() override
    {
        if (!window_)
            return;
        SDL_SetWindowFullscreen(window_, 0);
        fullScreen_ = false;
        SDL_HideWindow(window_);
    }

    void present(const Frame& frame) override
    {
        if (!window_ || !frame.pixels)
            return;
        keep(frame);
        showShown();
        waitForNextRefresh();
        pumpEvents();
    }

    bool pollEvent(Event& event) override
    {
        pumpEvents();
        if (events_.empty())
            return false;
        event = events_.front();
        events_.pop_front();
        return true;
    }

    void setCursorVisible(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

    // Shown from the next mode change on: until then the window may show a dialog.
    void setTitle(const std::string& title) override { title_ = title; }

    void messageBox(const std::string& caption, const std::string& text) override
    {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        bool shown = window_ && !(SDL_GetWindowFlags(window_) & SDL_WINDOW_HIDDEN);
        if (shown && fullScreen_)
            setFullScreen(false);  // a box behind a full-screen window could not be answered
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), shown ? window_ : nullptr);
    }

    DialogInput waitDialogInput(const DialogView& view) override;
    void closeDialog() override
    {
        dialogOpen_ = false;
        if (window_)
            SDL_HideWindow(window_);
    }

    bool openAudio(AudioSource* source) override;
    void closeAudio() override { audio_.close(); }
    void lockAudio() override { audio_.lock(); }
    void unlockAudio() override { audio_.unlock(); }

private:
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
        devices_ = listDevices(monitors, windowedDeviceWidth, windowedDeviceHeight);
    }

    bool ensureWindow(int width, int height)
    {
        if (window_)
            return true;
        window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                   SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
        if (!window_) {
            std::fprintf(stderr, "cannot open a window: %s\n", SDL_GetError());
            return false;
        }
        Uint32 flags = SDL_RENDERER_ACCELERATED | (options_.vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
        renderer_ = SDL_CreateRenderer(window_, -1, flags);
        if (!renderer_)
            renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer_) {
            std::fprintf(stderr, "cannot draw into the window: %s\n", SDL_GetError());
            SDL_DestroyWindow(window_);
            window_ = nullptr;
            return false;
        }
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(renderer_, &info);
        vsyncActive_ = options_.vsync && (info.flags & SDL_RENDERER_PRESENTVSYNC);
        return true;
    }

    void setFullScreen(bool on)
    {
        if (!window_)
            return;
        SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        fullScreen_ = on;
        showShown();
    }

    // Keeps a copy of what is shown, to show again after the window changes and for F12.
    void keep(const Frame& frame)
    {
        int rowBytes = frame.width * 2;
        shownPixels_.resize(size_t(rowBytes) * frame.height);
        for (int y = 0; y < frame.height; ++y)
            std::memcpy(shownPixels_.data() + size_t(y) * rowBytes, frame.pixels + size_t(y) * frame.pitch,
                        size_t(rowBytes));
        shown_ = Frame{shownPixels_.data(), frame.width, frame.height, rowBytes, frame.format};
    }

    bool ensureTexture(const Frame& frame)
    {
        if (texture_ && textureWidth_ == frame.width && textureHeight_ == frame.height &&
            textureFormat_ == frame.format)
            return true;
        if (texture_)
            SDL_DestroyTexture(texture_);
        Uint32 format = frame.format == soft::PixelFormat::rgb555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
        texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, frame.width, frame.height);
        if (!texture_)
            return false;
        SDL_SetTextureScaleMode(texture_, options_.filter == SdlHostOptions::Filter::linear ? SDL_ScaleModeLinear
                                                                                            : SDL_ScaleModeNearest);
        textureWidth_ = frame.width;
        textureHeight_ = frame.height;
        textureFormat_ = frame.format;
        return true;
    }

    void showShown()
    {
        if (!renderer_ || !shown_.pixels || !ensureTexture(shown_))
            return;
        SDL_UpdateTexture(texture_, nullptr, shown_.pixels, shown_.pitch);
        int outputWidth = 0, outputHeight = 0;
        SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
        shownRect_ = frameRectangle(options_.scale, outputWidth, outputHeight, shown_.width, shown_.height);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_Rect target{shownRect_.x, shownRect_.y, shownRect_.width, shownRect_.height};
        SDL_RenderCopy(renderer_, texture_, nullptr, &target);
        SDL_RenderPresent(renderer_);
    }

    void waitForNextRefresh()
    {
        SDL_DisplayMode mode{};
        int display = SDL_GetWindowDisplayIndex(window_);
        int hz = SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 ? mode.refresh_rate : 0;
        std::this_thread::sleep_for(pacer_.delayAt(Clock::now(), hz, vsyncActive_));
    }

    void saveShownFrame()
    {
        std::string line =
            saveScreenshot(shown_, options_.screenshotDir, options_.screenshotPrefix, std::time(nullptr), tickCount());
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
                    setFullScreen(!fullScreen_);
                swallowEnterUp_ = true;
                return true;
            }
            if (code == SDL_SCANCODE_F12) {
                if (!e.key.repeat)
                    saveShownFrame();
                return true;
            }
            return false;
        }
        if (enter && swallowEnterUp_) {
            swallowEnterUp_ = false;
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
        if (events_.empty() || events_.back().kind != EventKind::quit)
            events_.push_back(Event{EventKind::quit, 0});
    }

    void pumpEvents()
    {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (takeHostKey(e) || takeWindowEvent(e))
                continue;
            if (e.type == SDL_QUIT || (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE)) {
                pushQuit();
            } else if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
                uint32_t key = virtualKeyOf(e.key.keysym.scancode);
                if (key)
                    events_.push_back(Event{e.type == SDL_KEYDOWN ? EventKind::keyDown : EventKind::keyUp, key});
            }
        }
    }

    // The picture point under a mouse position given in window coordinates.
    bool windowToPicture(int x, int y, int& pictureX, int& pictureY)
    {
        int windowWidth = 1, windowHeight = 1, outputWidth = 1, outputHeight = 1;
        SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
        SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
        int outX = windowWidth > 0 ? x * outputWidth / windowWidth : x;
        int outY = windowHeight > 0 ? y * outputHeight / windowHeight : y;
        return outputToFrame(shownRect_, shown_.width, shown_.height, outX, outY, pictureX, pictureY);
    }

    std::optional<DialogAction> dialogActionOf(const SDL_Event& e)
    {
        if (e.type == SDL_QUIT || (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE))
            return DialogAction{DialogAction::closeRequest, 0, 0, 0};
        if (e.type == SDL_KEYDOWN) {
            uint32_t key = virtualKeyOf(e.key.keysym.scancode);
            if (key)
                return DialogAction{DialogAction::key, key, 0, 0};
        }
        if (e.type == SDL_MOUSEMOTION && dialogState_.dropped) {
            int x = 0, y = 0;
            if (windowToPicture(e.motion.x, e.motion.y, x, y))
                return DialogAction{DialogAction::hover, 0, x, y};
        }
        if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
            int x = 0, y = 0;
            if (windowToPicture(e.button.x, e.button.y, x, y))
                return DialogAction{DialogAction::click, 0, x, y};
        }
        return std::nullopt;
    }

    void openDialogWindow(const DialogGeometry& geometry, const std::string& caption)
    {
        SDL_DisplayMode desktop{};
        SDL_GetDesktopDisplayMode(0, &desktop);
        // Twice the size on a large desktop, where the dialog's pixels would be tiny.
        int zoom = desktop.w >= largeDesktopWidth ? 2 : 1;
        if (!ensureWindow(geometry.width * zoom, geometry.height * zoom))
            return;
        SDL_SetWindowTitle(window_, caption.c_str());
        // The dialog paints its own title bar, which moves the window as a real one would.
        SDL_SetWindowBordered(window_, SDL_FALSE);
        dialogCaption_ = geometry.caption;
        dialogCloseBox_ = geometry.closeBox;
        SDL_SetWindowHitTest(window_, dialogHitTest, this);
        if (!fullScreen_) {
            SDL_SetWindowSize(window_, geometry.width * zoom, geometry.height * zoom);
            SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
        dialogOpen_ = true;
        dialogState_ = DialogUiState{};
    }

    static SDL_HitTestResult dialogHitTest(SDL_Window*, const SDL_Point* point, void* self)
    {
        auto* host = static_cast<SdlHost*>(self);
        int x = 0, y = 0;
        if (!host->dialogOpen_ || host->fullScreen_ || !host->windowToPicture(point->x, point->y, x, y))
            return SDL_HITTEST_NORMAL;
        auto inside = [&](const Rect& r) { return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height; };
        return inside(host->dialogCaption_) && !inside(host->dialogCloseBox_) ? SDL_HITTEST_DRAGGABLE
                                                                              : SDL_HITTEST_NORMAL;
    }

    void paintDialogPicture(const DialogView& view, const DialogGeometry& geometry)
    {
        if (dialogPicture_.width != geometry.width || dialogPicture_.height != geometry.height)
            dialogPicture_ = soft::SurfaceMemory(geometry.width, geometry.height, options_.pixelFormat);
        {
            GdiCanvas canvas(dialogPicture_);
            paintDialog(canvas, view, geometry, dialogState_);
        }
        keep(Frame{dialogPicture_.bytes.data(), dialogPicture_.width, dialogPicture_.height, dialogPicture_.pitch,
                   dialogPicture_.format});
        showShown();
    }

    SdlHostOptions options_;
    std::string title_;  // the program's name until it names its window
    std::vector<HostDevice> devices_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0, textureHeight_ = 0;
    soft::PixelFormat textureFormat_ = soft::PixelFormat::rgb565;
    bool vsyncActive_ = false;
    bool fullScreen_ = false;
    bool swallowEnterUp_ = false;
    FramePacer pacer_;
    std::vector<uint8_t> shownPixels_;
    Frame shown_;
    Rect shownRect_;
    std::deque<Event> events_;

    bool dialogOpen_ = false;
    DialogUiState dialogState_;
    Rect dialogCaption_, dialogCloseBox_;
    soft::SurfaceMemory dialogPicture_;

    AudioOutput audio_;
};

DialogInput SdlHost::waitDialogInput(const DialogView& view)
{
    static const int lineHeight = dialogLineHeight();
    DialogGeometry geometry(view, lineHeight);
    if (!dialogOpen_)
        openDialogWindow(geometry, view.caption);
    if (!window_)
        return DialogInput{DialogInput::close, 0, 0};
    paintDialogPicture(view, geometry);
    for (;;) {
        SDL_Event e;
        if (!SDL_WaitEventTimeout(&e, dialogWaitMs))
            continue;
        if (takeHostKey(e) || takeWindowEvent(e))
            continue;
        std::optional<DialogAction> action = dialogActionOf(e);
        if (!action)
            continue;
        std::optional<DialogInput> input = reactToDialog(view, geometry, dialogState_, *action);
        if (input)
            return *input;
        paintDialogPicture(view, geometry);
    }
}

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
    if (!audio_.open(source))
        return false;
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

}  // namespace host
