// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/binary_rain.h"

#include "display/frame_presentation.h"
#include "display/pictures.h"
#include "wingdi.h"

RainGrid rainGrid;

namespace {

RandomState rainRandom;  // seeded 1 once, never again

constexpr int columnSpacing = 81;  // pixels between the columns' left edges
constexpr int rowSpacing = 12;     // pixels between text rows
constexpr COLORREF green = 0x00FF00;
constexpr COLORREF black = 0;
constexpr int overlayPicture = 7;  // the title, transparent where it is pure blue

void clearToBlack(IDirectDrawSurface* surface)
{
    DDBLTFX fill{};
    fill.dwSize = sizeof(DDBLTFX);
    surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill);
}

}  // namespace

void reseedBinaryRain() { rainRandom = RandomState{}; }

// Both buffers of the flipping chain start black, so the strips between the text
// cells stay black for the whole effect.
void initBinaryRain(DisplayContext* context)
{
    fillRainGrid(rainGrid, rainRandom);
    clearToBlack(context->backSurface);
    presentFrame(context);
    clearToBlack(context->backSurface);
}

// The time is not used: the rain moves one row per frame whose context was obtained.
void drawBinaryRain(float, DisplayContext* context)
{
    HDC dc;
    if (context->backSurface->GetDC(&dc) == DD_OK) {
        SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
        SetBkColor(dc, black);
        SetTextColor(dc, green);
        scrollRainGrid(rainGrid);
        for (int column = 0; column < rainColumns; ++column)
            for (int row = 0; row < rainRows; ++row)
                TextOutA(dc, columnSpacing * column, rowSpacing * row, rainLine(rainGrid, row, column), rainLineLength);
        context->backSurface->ReleaseDC(dc);
    }
    copyPictureKeyed(overlayPicture, context);
}
