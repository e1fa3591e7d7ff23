// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The one record of window and display state. Exactly one exists, zeroed at start-up
// and passed by pointer to every set-up, drawing and teardown operation.
#pragma once

#include "d3d.h"

#include <cstdint>

struct DisplayContext {
    HWND window;
    HINSTANCE instance;
    int32_t quitRequested;  // set to 1 by Escape; ends the main loop
    IDirectDraw* directDraw;
    IDirect3D2* direct3D;
    IDirectDrawSurface* primarySurface;  // front buffer of the flipping chain
    IDirectDrawSurface* backSurface;     // back buffer: every drawing operation draws here
    IDirectDrawSurface* depthSurface;    // 16-bit depth buffer attached to backSurface
    IDirect3DDevice2* device;            // renders into backSurface
    IDirect3DViewport2* viewport;
    IDirect3DMaterial2* backgroundMaterial;
    D3DRECT clearRect;  // each 3D scene writes it just before it clears
};

// 1 when the display's 16-bit pixel format is 5-5-5, 0 for 5-6-5.
extern int32_t is555;
