// The real host: an SDL window, its keyboard, and the audio device.
#pragma once

#include "host/host.h"

#include <memory>
#include <string>

namespace host {

struct SdlHostOptions {
    enum class Scale { aspect, integer, stretch } scale = Scale::aspect;
    enum class Filter { nearest, linear } filter = Filter::nearest;
    bool vsync = true;
    soft::PixelFormat pixelFormat = soft::PixelFormat::rgb565;
};

// Opens the video subsystem. When no display can be opened, returns null and puts
// one line saying why into `error`.
std::unique_ptr<Host> makeSdlHost(const SdlHostOptions& options, std::string& error);

} // namespace host
