// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/texture_warp.h"

#include "effects/warp_tables.h"

#include <cstring>

namespace {

constexpr const char* textureFileName = "screen1tex.raw";
constexpr int stepsPerTick = 3;  // the warp moves in whole ticks, three steps each

}  // namespace

void initTextureWarp()
{
    buildWarpSineTable();
    loadTexelTable(textureFileName, is555 != 0);
}

// Every block of the half-resolution picture covers 2 x 2 pixels: one row of blocks is
// gathered as 320 pixel pairs and copied into both of its pixel rows.
void drawTextureWarp(float time, DisplayContext* context)
{
    IDirectDrawSurface* back = context->backSurface;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(DDSURFACEDESC);
    if (back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return;

    const int step = stepsPerTick * int(time);
    buildWarpOffsetTable(step);

    auto* pixels = static_cast<uint8_t*>(desc.lpSurface);
    const size_t rowBytes = 2 * size_t(desc.lPitch / 2);
    uint32_t pixelPairs[warpBlockColumns];
    for (int r = 0; r < warpBlockRows; ++r) {
        gatherWarpRow(warpOffsetTable + r * warpBlockColumns, step, pixelPairs);
        uint8_t* upper = pixels + size_t(2 * r) * rowBytes;
        std::memcpy(upper, pixelPairs, sizeof pixelPairs);
        std::memcpy(upper + rowBytes, pixelPairs, sizeof pixelPairs);
    }
    back->Unlock(desc.lpSurface);
}
