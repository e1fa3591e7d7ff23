// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The real host: an SDL window, its keyboard, and the audio device.
#pragma once

#include "host/chapter.h"
#include "host/host.h"
#include "host/scaling.h"

#include <memory>
#include <string>

namespace host::sdl {

struct SdlHostOptions {
    // How the 640 x 480 frame fills the window.
    using Scale = host::Scale;
    Scale scale = Scale::aspect;
    enum class Filter { nearest, linear } filter = Filter::nearest;
    // Without vertical sync a frame limiter holds presentation to the display's rate.
    bool vsync = true;
    soft::PixelFormat pixelFormat = soft::PixelFormat::rgb565;
    // Where F12 saves the shown frame, relative to the working folder; empty means
    // Mornakle/ in the user's pictures folder.
    std::string screenshotDir;
    // The screenshot file names' first word; empty means the executable's name.
    std::string screenshotPrefix;
    // The transport: the show time of the first frame shown, the show's length, and its
    // chapters for Page Up and Page Down.
    uint32_t startAtMs = 0;
    uint32_t showLengthMs = UINT32_MAX;
    Chapters chapters;
};

// Opens the video subsystem. When no display can be opened, returns null and puts
// one line saying why into `error`.
std::unique_ptr<Host> makeSdlHost(const SdlHostOptions& options, std::string& error);

}  // namespace host::sdl
