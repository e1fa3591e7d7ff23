// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/circle_interference.h"

#include "wingdi.h"

#include <cmath>

namespace {

constexpr RECT ringWindow = {300, 140, 540, 340};  // right and bottom exclusive
constexpr int centreX = 420, centreY = 240;        // the window's centre
constexpr double swing = 30;                       // pixels either way
constexpr int ringCount = 20;
constexpr int ringSpacing = 10;  // radii 0, 10, ..., 190
constexpr int penWidth = 6;
constexpr COLORREF paleBlue = 0xFFCFCF;    // red 207, green 207, blue 255
constexpr COLORREF paleYellow = 0xCFFFFF;  // red 255, green 255, blue 207

void drawRings(HDC dc, RingCentre centre)
{
    for (int n = 0; n < ringCount; ++n) {
        const int radius = ringSpacing * n;
        Ellipse(dc, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
    }
}

}  // namespace

RingCentre ringCentreA(float time)
{
    const double t = time;
    return {centreX + int(swing * std::sin(t / 10)), centreY + int(swing * std::sin(t / 12))};
}

RingCentre ringCentreB(float time)
{
    const double t = time;
    return {centreX + int(swing * std::sin(t / 7)), centreY + int(swing * std::sin(-t / 13))};
}

// Set B is drawn after set A, so where the rings cross the yellow lies on top.
void drawCircleInterference(float time, DisplayContext* context)
{
    IDirectDrawSurface* back = context->backSurface;
    RECT window = ringWindow;
    DDBLTFX fill{};
    fill.dwSize = sizeof(DDBLTFX);
    back->Blt(&window, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill);

    HDC dc;
    if (back->GetDC(&dc) != DD_OK)
        return;
    HRGN clip = CreateRectRgn(ringWindow.left, ringWindow.top, ringWindow.right, ringWindow.bottom);
    SelectClipRgn(dc, clip);

    HPEN penA = CreatePen(PS_DASH, penWidth, paleBlue);
    HGDIOBJ previousPen = SelectObject(dc, penA);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    drawRings(dc, ringCentreA(time));

    HPEN penB = CreatePen(PS_DASH, penWidth, paleYellow);
    SelectObject(dc, penB);
    DeleteObject(penA);
    drawRings(dc, ringCentreB(time));

    SelectObject(dc, previousPen);
    DeleteObject(penB);
    DeleteObject(clip);
    back->ReleaseDC(dc);
}
