// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Filling and emptying the display context: the window, the exclusive full-screen
// 640 x 480 x 16 mode with one back buffer, the depth buffer, the 3D device, the
// viewport, the black background and the fixed render states.
#pragma once

#include "display/display_context.h"
#include "display/screen.h"

// Flags of setUpDisplay, a bit set.
constexpr DWORD setupDirectDraw = 1;  // let the user choose the device, then set up DirectDraw
constexpr DWORD setupDirect3D = 2;    // also set up Direct3D
constexpr DWORD setupWindow = 8;      // create and show the main window

// The result of setUpDisplay when the device dialog was not confirmed.
constexpr HRESULT setupCancelled = -1;

// 0 on success, setupCancelled, or the HRESULT of the first platform call that
// failed; nothing made before a failure is released.
HRESULT setUpDisplay(HINSTANCE instance, int showCommand, DisplayContext* context, DWORD flags);
void tearDownDisplay(DisplayContext* context);

// The fixed render states, in their order: dither, depth test and write (less or
// equal), blending by the source alpha, counter-clockwise culling. Stops at the first
// state the device refuses and returns its result.
HRESULT setFixedRenderStates(IDirect3DDevice2* device);
// The same states in the same order, each sent whatever the device answered to the one
// before: for a scene that applies them again on every frame and checks nothing.
void resendFixedRenderStates(IDirect3DDevice2* device);

// The viewport over the whole screen; a scene that draws in a window of it narrows it.
D3DVIEWPORT2 fullScreenViewport();
void setFullScreenViewport(DisplayContext* context);
