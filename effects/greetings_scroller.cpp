// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/greetings_scroller.h"

#include "effects/greetings_text.h"
#include "wingdi.h"

#include <algorithm>
#include <cstring>

namespace {

// The share of the whole travel covered per tick: 0.00375 x 266.67 ticks (eight beats) = 1.
constexpr float scrollRate = 0.00375f;
constexpr int textX = 0;
constexpr int textY = 240;  // the middle of the screen
constexpr COLORREF green = 0x00FF00;
constexpr COLORREF black = 0;

constexpr int textLength = int(greetings::lineLength);
constexpr int travel = textLength - greetingsWindowChars;  // 562

char lineBuffer[greetingsWindowChars];

}  // namespace

int greetingsScrollPosition(float time)
{
    const double position = travel * double(scrollRate) * double(time);
    // Within the span the position stays in 0..561; any other time is held inside the
    // line before it is truncated.
    if (!(position > 0))
        return 0;
    return int(std::min(position, double(travel)));
}

void drawGreetingsScroller(float time, DisplayContext* context)
{
    IDirectDrawSurface* back = context->backSurface;
    DDBLTFX fill{};
    fill.dwSize = sizeof(DDBLTFX);
    back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill);

    HDC dc;
    if (back->GetDC(&dc) != DD_OK)
        return;
    SetBkColor(dc, black);
    SetTextColor(dc, green);
    SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
    std::memcpy(lineBuffer, GreetingsText.data() + greetingsScrollPosition(time), sizeof lineBuffer);
    TextOutA(dc, textX, textY, lineBuffer, greetingsWindowChars);
    back->ReleaseDC(dc);
}
