// What the 3D scenes set on the device before they draw: the fixed render states and
// the clear of their window's colour and depth.
#pragma once

#include "display/display_context.h"

// Dither, depth test and write (less-or-equal), alpha blending by the source alpha,
// counter-clockwise culling: the states display set-up makes, in the same order.
void applySceneRenderStates(IDirect3DDevice2* device);

// Records rect as the context's clearRect and clears colour and depth inside it.
void clearSceneRect(const D3DRECT& rect, DisplayContext* context);

constexpr D3DRECT fullScreenRect = {0, 0, 640, 480};
