// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The ten pictures: loaded once from Windows bitmaps into off-screen surfaces, copied
// onto the back buffer whole, whole with the transparent colour, or by rectangle.
#pragma once

#include "display/display_context.h"

constexpr int pictureCount = 10;

// One surface per picture, 0 until loaded and 0 for a picture that failed to load.
// The table holds one reference to each.
extern IDirectDrawSurface* pictureTable[pictureCount];
// The bitmap resource, or else the bitmap file, of each picture.
extern const char* const pictureFileNames[pictureCount];

// Pure blue in both 16-bit formats: the pixels that a keyed copy leaves out.
constexpr DWORD transparentColour = 0x001F;

void loadPictures(DisplayContext* context);
IDirectDrawSurface* loadPicture(const char* fileName, DisplayContext* context);
HRESULT copyBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap, int x, int y, int width, int height);
void releasePictures();

HRESULT copyPicture(int index, DisplayContext* context);
HRESULT copyPictureKeyed(int index, DisplayContext* context);
HRESULT copyPictureRectKeyed(int index, RECT* sourceRect, RECT* destRect, DisplayContext* context);
void showPictureOnBothBuffers(int index, DisplayContext* context);
