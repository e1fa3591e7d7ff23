// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What leaves the process: the one small interface between the platform stand-ins
// and the machine. A real backend (SDL: window, keyboard, audio device) and a
// headless one (virtual clock, frame and sound capture) implement it; the stand-ins
// reach whichever was installed at start-up through host::current().
#pragma once

#include "host/audio_source.h"
#include "host/transport.h"
#include "soft/pixels.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// A device DirectDraw can show on, as DirectDrawEnumerateExA reports it.
struct DisplayDevice {
    bool hasGuid = false;  // the primary display is reported without a GUID
    uint8_t guid[16] = {};
    std::string description;
    std::string driverName;
    bool fullScreen = true;  // false for the windowed device
};

// A frame to show: 16-bit pixels, rows `pitch` bytes apart.
struct Frame {
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    soft::PixelFormat format = soft::PixelFormat::rgb565;
};

enum class EventKind {
    keyDown,
    keyUp,
    mouseMove,
    mouseDown,  // the left button
    mouseUp,
    quit,  // window closed, SIGINT or SIGTERM: the win32 layer turns it into Escape
};

struct Event {
    EventKind kind = EventKind::keyDown;
    uint32_t virtualKey = 0;  // Win32 virtual-key code
    int x = 0, y = 0;         // mouse events: the point of the shown picture, in its pixels
};

// A rectangle of a picture, in pixels.
struct Area {
    int x = 0, y = 0, width = 0, height = 0;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// A modal dialog as drawn, frame and title bar included, shown in a window of its own
// until closeDialog.
struct DialogFrame {
    Frame picture;
    std::string title;
    Area titleBar;  // dragging it moves the window,
    Area closeBox;  // except at its close box
};

class Host {
public:
    virtual ~Host() = default;

    // Milliseconds, as GetTickCount returns them.
    virtual uint32_t tickCount() = 0;

    virtual std::vector<DisplayDevice> displays() = 0;
    // Takes over the display for `device` (an index into displays()) at the given size.
    virtual bool setMode(int device, int width, int height) = 0;
    virtual void restoreMode() = 0;
    // Shows a frame, waiting for vertical sync where the host has it.
    virtual void present(const Frame& frame) = 0;

    // Takes the next pending host event without waiting.
    virtual bool pollEvent(Event& event) = 0;

    virtual void setCursorVisible(bool visible) = 0;
    // The caption the program gave its main window, for a host that shows a window.
    virtual void setTitle(const std::string& title) { (void)title; }
    virtual void messageBox(const std::string& caption, const std::string& text) = 0;
    // Shows a dialog (or its new look); its input arrives through waitEvent.
    virtual void presentDialog(const DialogFrame& dialog) = 0;
    virtual void closeDialog() = 0;
    // Waits up to `timeoutMs` for the next host event, for a dialog waiting on its user.
    virtual bool waitEvent(Event& event, int timeoutMs) = 0;

    // Starts pulling sound from `source`; false when there is no audio output.
    virtual bool openAudio(AudioSource* source) = 0;
    virtual void closeAudio() = 0;
    // Holds off the audio thread while the caller changes what the source plays.
    virtual void lockAudio() = 0;
    virtual void unlockAudio() = 0;

    // The viewer's transport over the show's clock, for a host that has one. When its
    // seek back is pending after the demo ended, the program starts the demo afresh.
    virtual Transport* transport() { return nullptr; }
    // The program is running the demo afresh for the transport's seek back: the
    // transport's counter goes back to 0, and the device dialog is answered as the
    // viewer answered it, unseen.
    virtual void restartShow() { }
};

// The host installed at start-up. The stand-ins call through it.
Host& current();
void install(Host* host);
bool installed();

}  // namespace host
