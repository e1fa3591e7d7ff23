#include "effect_screen.h"

#include "../support/display_owner.h"
#include "ddraw_soft.h"

#include <fstream>
#include <stdexcept>

EffectScreen::EffectScreen(soft::PixelFormat format, int extraPitchBytes)
    : host(host::makeHeadlessHost(host::HeadlessHostOptions{})), previousLayout(soft::surfaceLayout())
{
    host::install(host.get());
    soft::surfaceLayout() = soft::SurfaceLayout{format, extraPitchBytes};
    is555 = format == soft::PixelFormat::rgb555;

    if (DirectDrawCreate(nullptr, &display.directDraw, nullptr) != DD_OK)
        throw std::runtime_error("DirectDrawCreate failed");
    display.directDraw->SetCooperativeLevel(displayOwnerWindow(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    display.directDraw->SetDisplayMode(640, 480, 16);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    desc.dwBackBufferCount = 1;
    if (display.directDraw->CreateSurface(&desc, &display.primarySurface, nullptr) != DD_OK)
        throw std::runtime_error("primary surface refused");
    DDSCAPS backCaps{DDSCAPS_BACKBUFFER};
    display.primarySurface->GetAttachedSurface(&backCaps, &display.backSurface);
}

EffectScreen::~EffectScreen()
{
    if (display.backSurface)
        display.backSurface->Release();
    if (display.primarySurface)
        display.primarySurface->Release();
    if (display.directDraw)
        display.directDraw->Release();
    soft::surfaceLayout() = previousLayout;
    is555 = 0;
}

soft::SurfaceMemory& EffectScreen::back() { return *surfaceMemoryOf(display.backSurface); }
soft::SurfaceMemory& EffectScreen::front() { return *surfaceMemoryOf(display.primarySurface); }

void EffectScreen::seedBack()
{
    soft::SurfaceMemory& memory = back();
    for (int y = 0; y < memory.height; ++y)
        for (int x = 0; x < memory.width; ++x)
            memory.at(x, y) = seedValue(x, y);
}

IDirectDrawSurface* EffectScreen::makePicture(int width, int height, const std::vector<uint16_t>& pixels)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = DWORD(width);
    desc.dwHeight = DWORD(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface* surface = nullptr;
    if (display.directDraw->CreateSurface(&desc, &surface, nullptr) != DD_OK)
        throw std::runtime_error("picture surface refused");
    soft::SurfaceMemory& memory = *surfaceMemoryOf(surface);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            memory.at(x, y) = pixels[size_t(y) * width + x];
    return surface;
}

std::string writeTestFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::string path = std::string(MORNAKLE_BINARY_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}
