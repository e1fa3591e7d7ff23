// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Windows bitmap files: BITMAPFILEHEADER, BITMAPINFOHEADER, 24-bit BI_RGB rows,
// bottom row first, each row padded to a multiple of four bytes.
#pragma once

#include <cstdint>
#include <vector>

struct Image24 {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // top row first, three bytes per pixel: red, green, blue
};

std::vector<uint8_t> encodeBmp(const Image24& image);
