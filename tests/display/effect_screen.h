// A headless 640 x 480 display for the effect tests: a DirectDraw flipping chain with
// one back buffer in the chosen pixel format and pitch, with helpers to seed and read it.
#pragma once

#include "display/display_context.h"
#include "host/headless_host.h"
#include "soft/pixels.h"
#include "soft/surface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EffectScreen {
public:
    explicit EffectScreen(soft::PixelFormat format = soft::PixelFormat::rgb565, int extraPitchBytes = 0);
    ~EffectScreen();
    EffectScreen(const EffectScreen&) = delete;
    EffectScreen& operator=(const EffectScreen&) = delete;

    DisplayContext* context() { return &display; }
    host::HeadlessHost& headless() { return *host; }
    soft::SurfaceMemory& back();
    soft::SurfaceMemory& front();

    // Fills the back buffer with a pattern no effect draws, so that untouched pixels show.
    void seedBack();
    static uint16_t seedValue(int x, int y) { return uint16_t(0x8421 ^ (x * 7 + y * 13)); }

    // An off-screen surface holding `pixels` (width * height, top row first).
    IDirectDrawSurface* makePicture(int width, int height, const std::vector<uint16_t>& pixels);

private:
    std::unique_ptr<host::HeadlessHost> host;
    DisplayContext display{};
    soft::SurfaceLayout previousLayout;
};

// A pixel at five bits a channel, what both pixel formats keep.
inline int fiveBitColour(soft::PixelFormat format, uint16_t pixel)
{
    const soft::Rgb8 c = soft::unpackColour(format, pixel);
    return (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3;
}

// Writes `bytes` to `name` under the test binary directory and returns the path.
std::string writeTestFile(const std::string& name, const std::vector<uint8_t>& bytes);
