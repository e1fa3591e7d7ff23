// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/fades.h"

#include "display/screen.h"
#include "engine/colour.h"

namespace {

constexpr D3DCOLOR white = 0x00FFFFFF;
constexpr D3DCOLOR black = 0x00000000;

// Two clockwise triangles covering the screen, so a counter-clockwise cull keeps both.
constexpr float quadCorners[6][2] = {
    {0.0f, 0.0f}, {screenWidth, 0.0f},         {screenWidth, screenHeight},
    {0.0f, 0.0f}, {screenWidth, screenHeight}, {0.0f, screenHeight},
};

// One screen-space quad whose vertex alpha (level x 255, truncated) is the strength
// of the blend the device's alpha states apply.
void drawFade(float level, D3DCOLOR colour, DisplayContext* context)
{
    D3DCOLOR colourWithAlpha = colourByte(level) << 24 | colour;
    IDirect3DDevice2* device = context->device;
    device->Begin(D3DPT_TRIANGLELIST, D3DVT_TLVERTEX, D3DDP_WAIT);
    for (const auto& corner : quadCorners) {
        D3DTLVERTEX vertex{};
        vertex.sx = corner[0];
        vertex.sy = corner[1];
        vertex.sz = 0.0f;
        vertex.rhw = 1.0f;
        vertex.color = colourWithAlpha;
        vertex.specular = noSpecular;
        device->Vertex(&vertex);
    }
    device->End(0);
}

}  // namespace

void drawWhiteFade(float level, DisplayContext* context) { drawFade(level, white, context); }

void drawBlackFade(float level, DisplayContext* context) { drawFade(level, black, context); }
