// A headless 640 x 480 display for the effect tests: a DirectDraw flipping chain with
// one back buffer in the chosen pixel format and pitch, with helpers to read, seed and
// save what was drawn.
#pragma once

#include "display/display_context.h"
#include "host/headless_host.h"
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

    // Writes the back buffer as an 8-bit RGB PNG under the test binary directory.
    std::string saveBack(const std::string& name);

private:
    std::unique_ptr<host::HeadlessHost> host;
    DisplayContext display{};
    soft::SurfaceLayout previousLayout;
};

// A 24-bit bottom-up Windows bitmap file of `rgb` (three bytes a pixel, top row first).
std::vector<uint8_t> encodeBitmapFile(int width, int height, const std::vector<uint8_t>& rgb);
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
// A path under the test binary directory.
std::string testPath(const std::string& name);
