// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A bitmap font as TextOutA draws it: 256 character cells of one Windows code page,
// each row of a cell a 32-bit mask with the cell's leftmost pixel in bit 31. The
// faces are converted at build time from Debian's X11 bitmap fonts.
#pragma once

#include <cstdint>

namespace soft::gdi {

struct FontFace {
    const char* faceName;
    int height;  // cell height: ascent + descent
    int ascent;
    int descent;
    int averageWidth;
    int maxWidth;
    bool fixedPitch;
    const uint8_t* advances;  // 256 cell widths
    const uint32_t* rows;     // 256 * height row masks

    const uint32_t* cell(unsigned char c) const { return rows + unsigned(c) * unsigned(height); }
};

extern const FontFace ansiFixedFace;  // misc-fixed 8x13, code page 1252
extern const FontFace oemFixedFace;   // Schumacher Clean 8x12, code page 437
extern const FontFace guiFace;        // Adobe Helvetica 8 point at 100 dpi, code page 1252

}  // namespace soft::gdi
