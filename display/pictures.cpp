// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "display/pictures.h"

#include "display/frame_presentation.h"

IDirectDrawSurface* pictureTable[pictureCount];

const char* const pictureFileNames[pictureCount] = {
    "loop.bmp",      // 0: house scene overlay
    "woody.bmp",     // 1: house scene overlay
    "bonde.bmp",     // 2: still between scenes
    "lame.bmp",      // 3: still between scenes
    "back2.bmp",     // 4: house scene overlay
    "circles.bmp",   // 5: frame of the circle interference
    "lines.bmp",     // 6: box scene background
    "mannen.bmp",    // 7: title over the binary rain
    "nurturei.bmp",  // 8: light-beam scene overlay
    "rightnow.bmp",  // 9: frame of the wave field
};

namespace {

HBITMAP loadBitmap(const char* name)
{
    // A bitmap resource of that name in the program wins over a file beside it.
    if (HANDLE resource = LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
        return static_cast<HBITMAP>(resource);
    return static_cast<HBITMAP>(LoadImageA(nullptr, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
}

DDBLTFX transparentKey()
{
    DDBLTFX effects{};
    effects.dwSize = sizeof(DDBLTFX);
    effects.ddckSrcColorkey.dwColorSpaceLowValue = transparentColour;
    effects.ddckSrcColorkey.dwColorSpaceHighValue = transparentColour;
    return effects;
}

}  // namespace

void loadPictures(DisplayContext* context)
{
    for (int index = 0; index < pictureCount; ++index)
        pictureTable[index] = loadPicture(pictureFileNames[index], context);
}

IDirectDrawSurface* loadPicture(const char* fileName, DisplayContext* context)
{
    HBITMAP bitmap = loadBitmap(fileName);
    if (!bitmap)
        return nullptr;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = DWORD(info.bmWidth);
    desc.dwHeight = DWORD(info.bmHeight);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface* surface = nullptr;
    if (context->directDraw->CreateSurface(&desc, &surface, nullptr) != DD_OK) {
        DeleteObject(bitmap);
        return nullptr;
    }
    copyBitmapToSurface(surface, bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    return surface;
}

// Stretches the bitmap's area (x, y, width, height) over the whole surface; a width
// or height of 0 stands for the bitmap's own. GDI turns the colours into the
// surface's 16-bit format.
HRESULT copyBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap, int x, int y, int width, int height)
{
    if (!bitmap || !surface)
        return E_FAIL;
    surface->Restore();

    HDC memoryDC = CreateCompatibleDC(nullptr);
    if (!memoryDC)
        OutputDebugStringA("createcompatible dc failed\n");
    SelectObject(memoryDC, bitmap);

    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    if (width == 0)
        width = info.bmWidth;
    if (height == 0)
        height = info.bmHeight;

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    surface->GetSurfaceDesc(&desc);

    HDC surfaceDC;
    const HRESULT result = surface->GetDC(&surfaceDC);
    if (result == DD_OK) {
        StretchBlt(surfaceDC, 0, 0, int(desc.dwWidth), int(desc.dwHeight), memoryDC, x, y, width, height, SRCCOPY);
        surface->ReleaseDC(surfaceDC);
    }
    DeleteDC(memoryDC);
    return result;
}

// The slots keep their pointers: nothing copies from them after this.
void releasePictures()
{
    for (IDirectDrawSurface* surface : pictureTable)
        if (surface)
            surface->Release();
}

HRESULT copyPicture(int index, DisplayContext* context)
{
    return context->backSurface->Blt(nullptr, pictureTable[index], nullptr, DDBLT_WAIT, nullptr);
}

HRESULT copyPictureKeyed(int index, DisplayContext* context)
{
    DDBLTFX effects = transparentKey();
    return context->backSurface->Blt(nullptr, pictureTable[index], nullptr, DDBLT_KEYSRCOVERRIDE | DDBLT_WAIT,
                                     &effects);
}

HRESULT copyPictureRectKeyed(int index, RECT* sourceRect, RECT* destRect, DisplayContext* context)
{
    DDBLTFX effects = transparentKey();
    return context->backSurface->Blt(destRect, pictureTable[index], sourceRect, DDBLT_KEYSRCOVERRIDE | DDBLT_WAIT,
                                     &effects);
}

// Afterwards both buffers of the flipping chain hold the picture and it is on screen.
void showPictureOnBothBuffers(int index, DisplayContext* context)
{
    copyPicture(index, context);
    presentFrame(context);
    copyPicture(index, context);
}
