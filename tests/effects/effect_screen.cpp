#include "effect_screen.h"

#include "ddraw_soft.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>

EffectScreen::EffectScreen(soft::PixelFormat format, int extraPitchBytes)
    : host(host::makeHeadlessHost(host::HeadlessHostOptions{})), previousLayout(soft::surfaceLayout())
{
    host::install(host.get());
    soft::surfaceLayout() = soft::SurfaceLayout{format, extraPitchBytes};
    is555 = format == soft::PixelFormat::rgb555;

    if (DirectDrawCreate(nullptr, &display.directDraw, nullptr) != DD_OK)
        throw std::runtime_error("DirectDrawCreate failed");
    display.directDraw->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
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

std::string EffectScreen::saveBack(const std::string& name)
{
    const soft::SurfaceMemory& memory = back();
    const std::string path = testPath(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return path;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, memory.width, memory.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(size_t(memory.width) * 3);
    for (int y = 0; y < memory.height; ++y) {
        for (int x = 0; x < memory.width; ++x) {
            const soft::Rgb8 c = soft::unpackColour(memory.format, memory.at(x, y));
            row[3 * x] = c.r;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return path;
}

std::vector<uint8_t> encodeBitmapFile(int width, int height, const std::vector<uint8_t>& rgb)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t pixelOffset = 14 + 40;
    const uint32_t fileSize = pixelOffset + uint32_t(rowBytes) * height;
    std::vector<uint8_t> bytes(fileSize, 0);
    auto put16 = [&](size_t at, uint32_t v) { bytes[at] = uint8_t(v); bytes[at + 1] = uint8_t(v >> 8); };
    auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF); put16(at + 2, v >> 16); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, fileSize);
    put32(10, pixelOffset);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    put16(26, 1);
    put16(28, 24);
    for (int y = 0; y < height; ++y) {
        uint8_t* out = bytes.data() + pixelOffset + size_t(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const uint8_t* in = rgb.data() + (size_t(y) * width + x) * 3;
            out[3 * x] = in[2];
            out[3 * x + 1] = in[1];
            out[3 * x + 2] = in[0];
        }
    }
    return bytes;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string testPath(const std::string& name) { return std::string(MORNAKLE_BINARY_DIR) + "/" + name; }
