// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The display as start-up leaves it (fixtures/headless_display.h) in a chosen pixel format and
// pitch, with helpers to seed and read its buffers and to make pictures.
#pragma once

#include "ddraw_soft.h"
#include "headless_display.h"
#include "host/headless_host.h"
#include "soft/pixels.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct ChosenLayout {
    soft::SurfaceLayout previous = soft::surfaceLayout();
    ChosenLayout(soft::PixelFormat format, int extraPitchBytes) { soft::surfaceLayout() = {format, extraPitchBytes}; }
    ~ChosenLayout() { soft::surfaceLayout() = previous, is555 = 0; }
};

class EffectScreen : ChosenLayout, public HeadlessDisplay {
public:
    explicit EffectScreen(soft::PixelFormat format = soft::PixelFormat::rgb565, int extraPitchBytes = 0)
        : ChosenLayout(format, extraPitchBytes)
    { }
    DisplayContext* context() { return &(this->HeadlessDisplay::context); }
    host::headless::HeadlessHost& headless() { return static_cast<host::headless::HeadlessHost&>(host::current()); }
    soft::SurfaceMemory& back() { return *soft::ddraw::surfaceMemoryOf(HeadlessDisplay::context.backSurface); }
    soft::SurfaceMemory& front() { return *soft::ddraw::surfaceMemoryOf(HeadlessDisplay::context.primarySurface); }

    // Fills the back buffer with a pattern no effect draws, so that untouched pixels show.
    void seedBack()
    {
        for (int y = 0; y < back().height; ++y)
            for (int x = 0; x < back().width; ++x)
                back().at(x, y) = seedValue(x, y);
    }
    static uint16_t seedValue(int x, int y) { return uint16_t(0x8421 ^ (x * 7 + y * 13)); }

    // An off-screen surface holding `pixels` (width * height, top row first).
    IDirectDrawSurface* makePicture(int width, int height, const std::vector<uint16_t>& pixels)
    {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc, desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = DWORD(width), desc.dwHeight = DWORD(height), desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        IDirectDrawSurface* surface = nullptr;
        HeadlessDisplay::context.directDraw->CreateSurface(&desc, &surface, nullptr);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                soft::ddraw::surfaceMemoryOf(surface)->at(x, y) = pixels[size_t(y) * width + x];
        return surface;
    }
};

// A rectangle of the screen, right and bottom exclusive, and the pixels in it that pass a test.
struct Window {
    int left, top, right, bottom;
    bool holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
template <typename Test>
int countIn(const soft::SurfaceMemory& m, Window w, Test test)
{
    int n = 0;
    for (int y = w.top; y < w.bottom; ++y)
        for (int x = w.left; x < w.right; ++x)
            n += bool(test(m.at(x, y)));
    return n;
}

// A pixel at five bits a channel, what both pixel formats keep.
inline int fiveBitColour(soft::PixelFormat format, uint16_t pixel)
{
    const soft::Rgb8 c = soft::unpackColour(format, pixel);
    return (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3;
}

// Writes `bytes` to `name` under the build directory and returns the path.
inline std::string writeTestFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::string path = std::string(MORNAKLE_BINARY_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}
