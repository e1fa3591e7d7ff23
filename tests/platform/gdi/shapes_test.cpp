// Pens, brushes and shapes: ellipse outlines, wide dashed pens drawn solid, thin
// dashes, rectangles and lines.
#include "windows.h"

#include "gdi_soft.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr uint16_t ink = 0xFFFF;  // white in 5-6-5

struct Canvas {
    soft::SurfaceMemory surface;
    HDC dc;

    Canvas(int w, int h) : surface(w, h, soft::PixelFormat::rgb565, 4) { dc = gdiCreateSurfaceDC(&surface); }
    ~Canvas() { gdiReleaseSurfaceDC(dc); }
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
    // A one-pixel dashed pen: dashes of 18 with gaps of 6, the gaps painted with the
    // background colour in the default opaque mode.
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
    // Rectangle: the pen on the box's edge pixels, right and bottom exclusive, the
    // brush inside. LineTo leaves the last point out.
    c.withPen(PS_SOLID, 1, [&] {
        SelectObject(c.dc, red);
        EXPECT_TRUE(Rectangle(c.dc, 20, 20, 30, 26));
        MoveToEx(c.dc, 0, 35, nullptr);
        LineTo(c.dc, 10, 35);
    });
    EXPECT_TRUE(c.inked(20, 20) && c.inked(29, 20) && c.inked(29, 25) && c.inked(20, 25));
    EXPECT_FALSE(c.inked(30, 20) || c.inked(20, 26));
    EXPECT_EQ(c.surface.at(25, 23), 0xF800);
    EXPECT_TRUE(c.inked(9, 35));
    EXPECT_FALSE(c.inked(10, 35));
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
}

}  // namespace

// A pen left selected when the next CreatePen failed cannot be deleted; the system
// frees it, and every context, when the process ends.
TEST(Objects, WhatTheProgramLeftAliveIsReclaimedButNotTheStockObjects)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    SelectObject(dc, pen);
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_GE(gdiLiveObjectCount(), 2);
    gdiReclaimAll();
    EXPECT_EQ(gdiLiveObjectCount(), 0);
    EXPECT_EQ(GetObjectType(pen), 0u);
    HDC fresh = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(fresh, GetStockObject(WHITE_PEN)), GetStockObject(BLACK_PEN));
    DeleteDC(fresh);
}
