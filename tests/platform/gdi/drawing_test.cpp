// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "bitmap_files.h"
#include "gdi_soft.h"
#include "soft/pixels.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// A 24-bit bitmap loaded through a file, as the picture loader gets it; deleted with the test.
struct Picture {
    HBITMAP bitmap;
    Picture(int width, int height, const std::vector<uint32_t>& rgb)
        : bitmap((HBITMAP)LoadImageA(
              nullptr, gdi_test::writeFile("stretch_picture.bmp", gdi_test::buildBitmap({width, height}, rgb)).c_str(),
              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE))
    {
        EXPECT_TRUE(bitmap);
    }
    ~Picture() { DeleteObject(bitmap); }

    // StretchBlt of the source's top-left srcW x srcH onto (x, 0), w x h (0: the whole surface).
    BOOL copyOnto(soft::SurfaceMemory& surface, int srcW, int srcH, int w = 0, int h = 0, HRGN clip = nullptr,
                  int x = 0, DWORD rop = SRCCOPY)
    {
        HDC memory = CreateCompatibleDC(nullptr);
        SelectObject(memory, bitmap);
        HDC dc = soft::gdi::createSurfaceDC(&surface);
        SelectClipRgn(dc, clip);
        BOOL done = StretchBlt(dc, x, 0, w ? w : surface.width, h ? h : surface.height, memory, 0, 0, srcW, srcH, rop);
        soft::gdi::releaseSurfaceDC(dc);
        DeleteDC(memory);
        return done;
    }
};

TEST(StretchBlt, ColoursKeepTheirTopBitsInBothFormats)
{
    const std::vector<uint32_t> colours = {0x0000FF, 0xFFFFFF, 0x000000, 0x878685, 0x0000F8, 0x0000F7, 0x00FC00};
    Picture picture(int(colours.size()), 1, colours);
    for (soft::PixelFormat format : {soft::PixelFormat::rgb565, soft::PixelFormat::rgb555}) {
        soft::SurfaceMemory surface(int(colours.size()), 1, format);
        EXPECT_TRUE(picture.copyOnto(surface, int(colours.size()), 1));
        for (size_t i = 0; i < colours.size(); ++i) {
            uint32_t r = colours[i] >> 16, g = colours[i] >> 8 & 0xFF, b = colours[i] & 0xFF;
            EXPECT_EQ(surface.at(int(i), 0), format == soft::PixelFormat::rgb565
                                                 ? (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)
                                                 : (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))
                << i;
        }
    }
}

TEST(StretchBlt, NearestNeighbourDoublesHalvesAndMirrors)
{
    // 4 x 2 distinct colours over 8 x 4: every source pixel becomes a 2 x 2 block.
    std::vector<uint32_t> rgb;
    for (uint32_t i = 0; i < 8; ++i)
        rgb.push_back(i * 32 << 16 | (255 - i * 32));
    Picture picture(4, 2, rgb);
    soft::SurfaceMemory big(8, 4, soft::PixelFormat::rgb565);
    picture.copyOnto(big, 4, 2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            uint32_t c = rgb[size_t((y / 2) * 4 + x / 2)];
            EXPECT_EQ(big.at(x, y), soft::packColour(big.format, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)));
        }
    // Shrinking samples at the destination pixels' centres: 4 x 2 onto 2 x 1 reads (1, 1) and (3, 1).
    soft::SurfaceMemory small(2, 1, soft::PixelFormat::rgb565);
    picture.copyOnto(small, 4, 2);
    EXPECT_EQ(small.at(0, 0), big.at(2, 2));
    EXPECT_EQ(small.at(1, 0), big.at(6, 2));
    // A negative width mirrors; only SRCCOPY is done.
    soft::SurfaceMemory mirrored(4, 1, soft::PixelFormat::rgb565);
    EXPECT_TRUE(picture.copyOnto(mirrored, 4, 1, -4, 1, nullptr, 4));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(mirrored.at(x, 0), big.at(2 * (3 - x), 0)) << x;
    EXPECT_FALSE(picture.copyOnto(mirrored, 4, 1, 0, 0, nullptr, 0, 0x00EE0086));
}

TEST(StretchBlt, ClipRegionAndSurfaceEdgesBoundTheCopy)
{
    Picture picture(2, 2, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF});
    soft::SurfaceMemory surface(10, 10, soft::PixelFormat::rgb555);
    HRGN clip = CreateRectRgn(2, 3, 6, 8);
    picture.copyOnto(surface, 2, 2, 0, 0, clip);
    DeleteObject(clip);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(surface.at(x, y), (x >= 2 && x < 6 && y >= 3 && y < 8) ? 0x7FFF : 0) << x << "," << y;
    // A destination far larger than the surface writes only the surface.
    soft::SurfaceMemory tiny(3, 3, soft::PixelFormat::rgb565, 2);
    picture.copyOnto(tiny, 2, 2, 5000, 5000);
    EXPECT_EQ(tiny.at(2, 2), 0xFFFF);
}

// A surface filled with `background`, with a context on it: white pens for shapes, or a stock
// font drawn the binary rain's way, green on black.
constexpr uint16_t marker = 0x1234, green565 = 0x07E0, ink = 0xFFFF;

struct Canvas {
    soft::SurfaceMemory surface;
    HDC dc;

    Canvas(int w, int h, int pad = 4, uint16_t background = 0, int font = -1)
        : surface(w, h, soft::PixelFormat::rgb565, pad)
    {
        for (int y = 0; y < h; ++y)
            std::fill_n(surface.row(y), w, background);
        dc = soft::gdi::createSurfaceDC(&surface);
        if (font >= 0)
            SelectObject(dc, GetStockObject(font)), SetBkColor(dc, 0), SetTextColor(dc, RGB(0, 255, 0));
    }
    ~Canvas() { soft::gdi::releaseSurfaceDC(dc); }
    int count(uint16_t value, int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += surface.at(x, y) == value;
        return n;
    }
    bool inked(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < surface.width && y < surface.height && surface.at(x, y) == ink;
    }
    // Draws with a new white pen (and the hollow brush), deleting the pen after.
    template <typename Draw>
    void withPen(int style, int width, Draw draw)
    {
        HPEN pen = CreatePen(style, width, RGB(255, 255, 255));
        HGDIOBJ old = SelectObject(dc, pen);
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        draw();
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    void ellipse(int style, int width, int l, int t, int r, int b)
    {
        withPen(style, width, [&] { EXPECT_TRUE(Ellipse(dc, l, t, r, b)); });
    }
    // The ink is mirror-symmetric within the box and never outside it.
    void expectSymmetricInside(int left, int top, int right, int bottom) const
    {
        for (int y = -8; y < surface.height + 8; ++y)
            for (int x = -8; x < surface.width + 8; ++x) {
                bool inside = x >= left && x < right && y >= top && y < bottom;
                ASSERT_TRUE(inside || !inked(x, y)) << x << "," << y;
                ASSERT_TRUE(!inside || (inked(x, y) == inked(left + right - 1 - x, y) &&
                                        inked(x, y) == inked(x, top + bottom - 1 - y)))
                    << x << "," << y;
            }
    }
};

TEST(Text, StockFontsHaveTheirCellSizes)
{
    Canvas t(160, 40, 0, marker, ANSI_FIXED_FONT);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(t.dc, "01010101", 8, &size));
    EXPECT_EQ(std::pair(size.cx, size.cy), (std::pair<LONG, LONG>(64, 13)));
    SelectObject(t.dc, GetStockObject(OEM_FIXED_FONT));
    GetTextExtentPoint32A(t.dc, "Hi", 2, &size);
    EXPECT_EQ(std::pair(size.cx, size.cy), (std::pair<LONG, LONG>(16, 12)));
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(t.dc, &tm));
    EXPECT_EQ(std::pair(tm.tmHeight, tm.tmAscent + tm.tmDescent), (std::pair<LONG, LONG>(12, 12)));
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    // The dialog font is proportional and about as large as 8-point MS Sans Serif.
    SelectObject(t.dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE narrow{}, wide{};
    GetTextExtentPoint32A(t.dc, "iiii", 4, &narrow);
    GetTextExtentPoint32A(t.dc, "WWWW", 4, &wide);
    EXPECT_LT(narrow.cx, wide.cx);
    EXPECT_TRUE(narrow.cy >= 11 && narrow.cy <= 14) << narrow.cy;
    GetTextMetricsA(t.dc, &tm);
    EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
}

TEST(Text, OpaqueCellsArePaintedWithTheBackgroundFirstTransparentOnesNot)
{
    Canvas t(160, 40, 0, marker, ANSI_FIXED_FONT);
    ASSERT_TRUE(TextOutA(t.dc, 10, 5, "01 10", 5));
    // Inside the 40 x 13 cells only black and green, both there; a space is a black cell.
    EXPECT_EQ(t.count(0, 10, 5, 50, 18) + t.count(green565, 10, 5, 50, 18), 40 * 13);
    EXPECT_EQ(t.count(green565, 26, 5, 34, 18), 0);
    EXPECT_GT(t.count(green565, 10, 5, 18, 18), 5);
    EXPECT_EQ(t.count(marker, 0, 0, 160, 40), 160 * 40 - 40 * 13);  // outside them nothing changed

    EXPECT_EQ(SetBkMode(t.dc, TRANSPARENT), OPAQUE);
    TextOutA(t.dc, 10, 20, "01", 2);
    EXPECT_EQ(t.count(0, 10, 20, 26, 33), 0);
    EXPECT_GT(t.count(green565, 10, 20, 26, 33), 0);
}

TEST(Text, GlyphsDifferAndRepeatExactly)
{
    Canvas t(160, 40, 0, marker, ANSI_FIXED_FONT);
    TextOutA(t.dc, 0, 0, "0", 1);
    TextOutA(t.dc, 8, 0, "1", 1);
    TextOutA(t.dc, 81, 12, "0", 1);  // the rain's column and row spacing
    int differing = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 8; ++x) {
            differing += t.surface.at(x, y) != t.surface.at(8 + x, y);
            EXPECT_EQ(t.surface.at(x, y), t.surface.at(81 + x, 12 + y));
        }
    EXPECT_GT(differing, 4);
    // A zero-length string draws nothing; a negative count is refused.
    EXPECT_TRUE(TextOutA(t.dc, 100, 0, "1", 0));
    EXPECT_FALSE(TextOutA(t.dc, 100, 0, "1", -1));
    EXPECT_EQ(t.count(marker, 100, 0, 108, 13), 8 * 13);
}

TEST(Text, ClipAndSurfaceEdgesBoundTheText)
{
    Canvas t(64, 32, 6, marker, OEM_FIXED_FONT);
    HRGN clip = CreateRectRgn(4, 2, 30, 10);
    SelectClipRgn(t.dc, clip);
    DeleteObject(clip);
    TextOutA(t.dc, 0, 0, "MMMMMMMMMM", 10);
    TextOutA(t.dc, -5, -5, "WW", 2);
    EXPECT_EQ(t.count(marker, 4, 2, 30, 10), 0);
    EXPECT_EQ(t.count(marker, 0, 0, 64, 32), 64 * 32 - 26 * 8);  // nothing outside the clip
    // Without the clip, text running off every edge stays inside the surface.
    SelectClipRgn(t.dc, nullptr);
    TextOutA(t.dc, 60, 28, "MMMM", 4);
    TextOutA(t.dc, -1000, 30, "MMMM", 4);
    EXPECT_EQ(t.count(0, 60, 28, 64, 32) + t.count(green565, 60, 28, 64, 32), 16);
}

TEST(Ellipse, ThinOutlineIsSymmetricConnectedAndTouchesEverySideOfItsBoxUnlessEmpty)
{
    for (RECT box :
         {RECT{10, 10, 31, 25}, RECT{5, 5, 45, 45}, RECT{3, 20, 60, 24}, RECT{8, 8, 11, 11}, RECT{20, 2, 21, 30}}) {
        SCOPED_TRACE(testing::Message() << box.left << "," << box.top << "," << box.right << "," << box.bottom);
        Canvas c(64, 64);
        c.ellipse(PS_SOLID, 1, box.left, box.top, box.right, box.bottom);
        c.expectSymmetricInside(box.left, box.top, box.right, box.bottom);
        int touches[4] = {};
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) {
                if (!c.inked(x, y))
                    continue;
                touches[0] += x == box.left, touches[1] += x == box.right - 1;
                touches[2] += y == box.top, touches[3] += y == box.bottom - 1;
                int neighbours = 0;
                for (int d = 0; d < 9; ++d)
                    neighbours += d != 4 && c.inked(x + d % 3 - 1, y + d / 3 - 1);
                ASSERT_GE(neighbours, 1) << x << "," << y;
            }
        for (int side = 0; side < 4; ++side)
            EXPECT_GT(touches[side], 0) << side;
        if (box.right - box.left > 4 && box.bottom - box.top > 4) {  // the hollow brush leaves the middle alone
            EXPECT_FALSE(c.inked((box.left + box.right) / 2, (box.top + box.bottom) / 2));
        }
    }
    // An empty box draws nothing (the rings' first box has radius 0).
    Canvas c(32, 32);
    c.ellipse(PS_DASH, 6, 16, 16, 16, 16);
    c.ellipse(PS_SOLID, 1, 5, 5, 5, 20);
    c.ellipse(PS_SOLID, 1, 5, 9, 20, 9);
    c.expectSymmetricInside(0, 0, 0, 0);
}

TEST(Ellipse, WideDashedPenDrawsASolidBandCentredOnTheOutline)
{
    // A ring of the circle interference: box 420 +- 10n around its centre, 6-pixel dashed pen.
    Canvas c(120, 120);
    const int cx = 60, cy = 60, r = 30;
    c.ellipse(PS_DASH, 6, cx - r, cy - r, cx + r, cy + r);
    c.expectSymmetricInside(cx - r - 3, cy - r - 3, cx + r + 3, cy + r + 3);
    // Across the middle row the band is 6 pixels, centred on the outline's last column (cx + 29).
    int run = 0;
    for (int x = cx; x < 120; ++x)
        run += c.inked(x, cy);
    EXPECT_EQ(run, 6);
    EXPECT_TRUE(c.inked(cx + 29 - 2, cy) && c.inked(cx + 29 + 2, cy));
    EXPECT_FALSE(c.inked(cx + 29 - 4, cy) || c.inked(cx + 29 + 4, cy));
    // No gap anywhere around: every angle finds the band solid across its middle.
    for (int degree = 0; degree < 360; ++degree)
        for (double d = -1.5; d <= 1.5; d += 0.5) {
            double a = degree * M_PI / 180;
            ASSERT_TRUE(c.inked(int(std::lround(cx - 0.5 + (r - 0.5 + d) * std::cos(a))),
                                int(std::lround(cy - 0.5 + (r - 0.5 + d) * std::sin(a)))))
                << degree << " " << d;
        }
}

TEST(Lines, WideDashedPenIsSolidAndThinDashesHaveGaps)
{
    Canvas c(100, 40);
    c.withPen(PS_DASH, 6, [&] {
        MoveToEx(c.dc, 10, 10, nullptr);
        EXPECT_TRUE(LineTo(c.dc, 90, 10));
    });
    for (int x = 10; x <= 90; ++x) {
        int across = 0;
        for (int y = 0; y < 40; ++y)
            across += c.inked(x, y);
        ASSERT_EQ(across, 6) << x;
    }
    // A one-pixel dashed pen: dashes of 18, gaps of 6 in the background colour when opaque (the default).
    c.withPen(PS_DASH, 1, [&] {
        SetBkColor(c.dc, RGB(255, 0, 0));
        POINT previous{};
        MoveToEx(c.dc, 0, 30, &previous);
        EXPECT_EQ(previous.x, 90);
        LineTo(c.dc, 100, 30);
        SetBkMode(c.dc, TRANSPARENT);
        MoveToEx(c.dc, 0, 35, nullptr);
        LineTo(c.dc, 100, 35);
    });
    for (int x = 0; x < 48; ++x)
        ASSERT_EQ(c.surface.at(x, 30), (x % 24) < 18 ? ink : 0xF800) << x;
    EXPECT_EQ(c.surface.at(20, 35), 0);
}

TEST(Shapes, RectanglesFillsAndLinesKeepTheirEdges)
{
    Canvas c(40, 40);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{5, 6, 15, 9};
    EXPECT_EQ(FillRect(c.dc, &r, red), 1);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(c.surface.at(x, y), (x >= 5 && x < 15 && y >= 6 && y < 9) ? 0xF800 : 0) << x << "," << y;
    // Rectangle: the pen on the edge pixels (right and bottom exclusive), the brush inside. LineTo
    // leaves the last point out.
    c.withPen(PS_SOLID, 1, [&] {
        SelectObject(c.dc, red);
        EXPECT_TRUE(Rectangle(c.dc, 20, 20, 30, 26));
        MoveToEx(c.dc, 0, 35, nullptr);
        LineTo(c.dc, 10, 35);
    });
    EXPECT_TRUE(c.inked(20, 20) && c.inked(29, 20) && c.inked(29, 25) && c.inked(20, 25));
    EXPECT_FALSE(c.inked(30, 20) || c.inked(20, 26));
    EXPECT_EQ(c.surface.at(25, 23), 0xF800);
    EXPECT_TRUE(c.inked(9, 35) && !c.inked(10, 35));
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
}

}  // namespace

// A pen still selected cannot be deleted; the system frees it, and every context, when the process ends.
TEST(Objects, WhatTheProgramLeftAliveIsReclaimedButNotTheStockObjects)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    SelectObject(dc, pen);
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_GE(soft::gdi::liveObjectCount(), 2);
    soft::gdi::reclaimAll();
    EXPECT_EQ(soft::gdi::liveObjectCount(), 0);
    EXPECT_EQ(GetObjectType(pen), 0u);
    HDC fresh = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(fresh, GetStockObject(WHITE_PEN)), GetStockObject(BLACK_PEN));
    DeleteDC(fresh);
}
