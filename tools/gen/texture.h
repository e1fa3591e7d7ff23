// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// screen1tex.raw: 256 x 256 texels, three bytes each (red, green, blue), top row
// first, no header. Built only from whole periods across the tile, so it repeats
// seamlessly in both directions under the texture warp.
#pragma once

#include <cstdint>
#include <vector>

constexpr int textureSize = 256;

std::vector<uint8_t> paintWarpTexture();
