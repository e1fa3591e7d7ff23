// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// TextOutA and the text measurements, with the selected bitmap font: each character
// cell painted with the background colour first when the mode is opaque, then the
// glyph's pixels in the text colour, row masks at a time.
#include "device_context.h"

#include <algorithm>
#include <bit>

using namespace soft::gdi;

namespace {

// The columns [first, last) of a 32-bit row mask (bit 31 is column 0).
uint32_t columnWindow(int first, int last)
{
    uint32_t fromFirst = first >= 32 ? 0 : 0xFFFFFFFFu >> first;
    uint32_t beforeLast = last >= 32 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> last);
    return fromFirst & beforeLast;
}

template <class Pixel>
void drawCell(const Canvas& canvas, const FontFace& face, unsigned char ch, int x, int y, Pixel ink, Pixel paper,
              bool opaque)
{
    int x0 = std::max(x, int(canvas.clip.left)), x1 = std::min(x + face.advances[ch], int(canvas.clip.right));
    int y0 = std::max(y, int(canvas.clip.top)), y1 = std::min(y + face.height, int(canvas.clip.bottom));
    if (x0 >= x1 || y0 >= y1)
        return;
    const uint32_t* rows = face.cell(ch);
    uint32_t window = columnWindow(x0 - x, x1 - x);
    for (int py = y0; py < y1; ++py) {
        Pixel* row = reinterpret_cast<Pixel*>(canvas.base + size_t(py) * size_t(canvas.pitch));
        if (opaque)
            std::fill(row + x0, row + x1, paper);
        for (uint32_t mask = rows[py - y] & window; mask; mask &= mask - 1)
            row[x + 31 - std::countr_zero(mask)] = ink;
    }
}

template <class Pixel>
void drawText(const Canvas& canvas, const FontFace& face, int x, int y, const unsigned char* text, int count, Pixel ink,
              Pixel paper, bool opaque)
{
    for (int i = 0; i < count && x < canvas.clip.right; x += face.advances[text[i]], ++i)
        drawCell(canvas, face, text[i], x, y, ink, paper, opaque);
}

const FontFace* faceOf(HDC__* dc) { return dc && dc->font ? dc->font->face : nullptr; }

}  // namespace

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c || count < 0 || (count > 0 && !text))
        return FALSE;
    const FontFace& face = *faceOf(c);
    Canvas canvas = canvasOf(*c);
    if (canvas.clip.right == 0 || y >= canvas.clip.bottom || int64_t(y) + face.height <= canvas.clip.top)
        return TRUE;  // nothing of the line can show
    auto chars = reinterpret_cast<const unsigned char*>(text);
    bool opaque = c->backgroundMode == OPAQUE;
    uint32_t ink = canvas.pixelOf(c->textColour), paper = canvas.pixelOf(c->backgroundColour);
    if (canvas.wide)
        drawText<uint32_t>(canvas, face, x, y, chars, count, ink, paper, opaque);
    else
        drawText<uint16_t>(canvas, face, x, y, chars, count, uint16_t(ink), uint16_t(paper), opaque);
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c || count < 0 || (count > 0 && !text) || !size)
        return FALSE;
    const FontFace& face = *faceOf(c);
    LONG width = 0;
    for (int i = 0; i < count; ++i)
        width += face.advances[static_cast<unsigned char>(text[i])];
    *size = SIZE{width, face.height};
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC dc, TEXTMETRICA* metrics)
{
    HDC__* c = liveDeviceContext(dc);
    if (!c || !metrics)
        return FALSE;
    const FontFace& face = *faceOf(c);
    TEXTMETRICA tm{};
    tm.tmHeight = face.height;
    tm.tmAscent = face.ascent;
    tm.tmDescent = face.descent;
    tm.tmAveCharWidth = face.averageWidth;
    tm.tmMaxCharWidth = face.maxWidth;
    tm.tmWeight = 400;  // FW_NORMAL
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0;
    tm.tmLastChar = 255;
    tm.tmDefaultChar = '?';
    tm.tmBreakChar = ' ';
    tm.tmPitchAndFamily = face.fixedPitch ? 0 : TMPF_FIXED_PITCH;
    *metrics = tm;
    return TRUE;
}
