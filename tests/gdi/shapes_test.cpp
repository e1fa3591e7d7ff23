// Pens, brushes and shapes: ellipse outlines, wide dashed pens drawn solid, thin
// dashes, rectangles and lines, and the clip region around all of them.
#include "windows.h"

#include "gdi_soft.h"

#include "surface_png.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr uint16_t kInk = 0xFFFF;  // white in 5-6-5

struct Canvas {
    soft::SurfaceMemory surface;
    HDC dc;

    Canvas(int w, int h) : surface(w, h, soft::PixelFormat::rgb565, 4) { dc = gdiCreateSurfaceDC(&surface); }
    ~Canvas() { gdiReleaseSurfaceDC(dc); }
    bool inked(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < surface.width && y < surface.height && surface.at(x, y) == kInk;
    }
    int inkedCount() const
    {
        int n = 0;
        for (int y = 0; y < surface.height; ++y)
            for (int x = 0; x < surface.width; ++x)
                n += inked(x, y);
        return n;
    }
    // Draws one ellipse with a new pen and the hollow brush, deleting the pen after.
    void ellipse(int style, int width, int l, int t, int r, int b)
    {
        HPEN pen = CreatePen(style, width, RGB(255, 255, 255));
        HGDIOBJ old = SelectObject(dc, pen);
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        EXPECT_TRUE(Ellipse(dc, l, t, r, b));
        SelectObject(dc, old);
        DeleteObject(pen);
    }
};

void expectMirrorSymmetric(const Canvas& c, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            ASSERT_EQ(c.inked(x, y), c.inked(left + right - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(c.inked(x, y), c.inked(x, top + bottom - 1 - y)) << x << "," << y;
        }
}

TEST(Ellipse, ThinOutlineIsSymmetricConnectedAndInsideTheBox)
{
    struct Box {
        int l, t, r, b;
    };
    for (Box box : {Box{10, 10, 31, 25}, Box{5, 5, 45, 45}, Box{3, 20, 60, 24}, Box{8, 8, 11, 11}, Box{20, 2, 21, 30}}) {
        SCOPED_TRACE(testing::Message() << box.l << "," << box.t << "," << box.r << "," << box.b);
        Canvas c(64, 64);
        c.ellipse(PS_SOLID, 1, box.l, box.t, box.r, box.b);
        expectMirrorSymmetric(c, box.l, box.t, box.r, box.b);
        int touches[4] = {};
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                if (!c.inked(x, y))
                    continue;
                ASSERT_TRUE(x >= box.l && x < box.r && y >= box.t && y < box.b) << x << "," << y;
                touches[0] += x == box.l, touches[1] += x == box.r - 1;
                touches[2] += y == box.t, touches[3] += y == box.b - 1;
                int neighbours = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        neighbours += (dx || dy) && c.inked(x + dx, y + dy);
                ASSERT_GE(neighbours, 1) << x << "," << y;
            }
        for (int side = 0; side < 4; ++side)
            EXPECT_GT(touches[side], 0) << side;
        gdi_test::writeSurfacePng(c.surface, "ellipse_thin_" + std::to_string(box.r - box.l) + "x" +
                                                 std::to_string(box.b - box.t) + ".png");
        // The hollow brush leaves the middle alone.
        if (box.r - box.l > 4 && box.b - box.t > 4) {
            EXPECT_FALSE(c.inked((box.l + box.r) / 2, (box.t + box.b) / 2));
        }
    }
}

TEST(Ellipse, EmptyBoxDrawsNothing)
{
    Canvas c(32, 32);
    c.ellipse(PS_DASH, 6, 16, 16, 16, 16);  // the rings' first box, radius 0
    c.ellipse(PS_SOLID, 1, 5, 5, 5, 20);
    c.ellipse(PS_SOLID, 1, 5, 9, 20, 9);
    EXPECT_EQ(c.inkedCount(), 0);
}

TEST(Ellipse, WideDashedPenDrawsASolidBandCentredOnTheOutline)
{
    // A ring of the circle interference: box 420 +- 10n around its centre, 6-pixel dashed pen.
    Canvas c(120, 120);
    int cx = 60, cy = 60, n = 3;
    c.ellipse(PS_DASH, 6, cx - 10 * n, cy - 10 * n, cx + 10 * n, cy + 10 * n);
    expectMirrorSymmetric(c, cx - 10 * n, cy - 10 * n, cx + 10 * n, cy + 10 * n);
    // Across the middle row the band is 6 pixels on each side, centred on the
    // outline's first and last columns (cx - 30 and cx + 29).
    int y = cy;
    int run = 0;
    for (int x = cx; x < 120; ++x)
        run += c.inked(x, y);
    EXPECT_EQ(run, 6);
    EXPECT_TRUE(c.inked(cx + 29 - 2, y) && c.inked(cx + 29 + 2, y));
    EXPECT_FALSE(c.inked(cx + 29 - 4, y) || c.inked(cx + 29 + 4, y));
    // No gap anywhere around: every angle finds the band solid across its middle.
    double ox = cx - 0.5, oy = cy - 0.5, radius = 10 * n - 0.5;
    for (int degree = 0; degree < 360; ++degree) {
        double a = degree * M_PI / 180;
        for (double d = -1.5; d <= 1.5; d += 0.5)
            ASSERT_TRUE(c.inked(int(std::lround(ox + (radius + d) * std::cos(a))),
                                int(std::lround(oy + (radius + d) * std::sin(a)))))
                << degree << " " << d;
    }
    gdi_test::writeSurfacePng(c.surface, "ellipse_wide.png");
}

TEST(Lines, WideDashedPenIsSolidAndThinDashesHaveGaps)
{
    Canvas c(100, 40);
    HPEN wide = CreatePen(PS_DASH, 6, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(c.dc, wide);
    MoveToEx(c.dc, 10, 10, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 90, 10));
    for (int x = 10; x <= 90; ++x) {
        int across = 0;
        for (int y = 0; y < 40; ++y)
            across += c.inked(x, y);
        ASSERT_EQ(across, 6) << x;
    }
    SelectObject(c.dc, old);
    DeleteObject(wide);

    // A one-pixel dashed pen: dashes of 18 with gaps of 6, the gaps painted with the
    // background colour in the default opaque mode.
    HPEN thin = CreatePen(PS_DASH, 1, RGB(255, 255, 255));
    old = SelectObject(c.dc, thin);
    SetBkColor(c.dc, RGB(255, 0, 0));
    POINT previous{};
    MoveToEx(c.dc, 0, 30, &previous);
    EXPECT_EQ(previous.x, 90);
    LineTo(c.dc, 100, 30);
    for (int x = 0; x < 48; ++x)
        ASSERT_EQ(c.surface.at(x, 30), (x % 24) < 18 ? kInk : 0xF800) << x;
    SetBkMode(c.dc, TRANSPARENT);
    MoveToEx(c.dc, 0, 35, nullptr);
    LineTo(c.dc, 100, 35);
    EXPECT_EQ(c.surface.at(20, 35), 0);
    SelectObject(c.dc, old);
    DeleteObject(thin);
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
    // brush inside.
    HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(c.dc, white);
    HGDIOBJ oldBrush = SelectObject(c.dc, red);
    EXPECT_TRUE(Rectangle(c.dc, 20, 20, 30, 26));
    EXPECT_TRUE(c.inked(20, 20) && c.inked(29, 20) && c.inked(29, 25) && c.inked(20, 25));
    EXPECT_FALSE(c.inked(30, 20) || c.inked(20, 26));
    EXPECT_EQ(c.surface.at(25, 23), 0xF800);
    // LineTo leaves the last point out.
    MoveToEx(c.dc, 0, 35, nullptr);
    LineTo(c.dc, 10, 35);
    EXPECT_TRUE(c.inked(9, 35));
    EXPECT_FALSE(c.inked(10, 35));
    SelectObject(c.dc, oldPen);
    SelectObject(c.dc, oldBrush);
    DeleteObject(white);
    DeleteObject(red);
}

// One frame of the circle interference, as the effect draws it.
void drawInterferenceFrame(soft::SurfaceMemory& surface, int ax, int ay, int bx, int by)
{
    HDC dc = gdiCreateSurfaceDC(&surface);
    HRGN window = CreateRectRgn(300, 140, 540, 340);
    SelectClipRgn(dc, window);
    HPEN penA = CreatePen(PS_DASH, 6, 0xFFCFCF);
    HGDIOBJ original = SelectObject(dc, penA);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (int n = 0; n < 20; ++n)
        Ellipse(dc, ax - 10 * n, ay - 10 * n, ax + 10 * n, ay + 10 * n);
    HPEN penB = CreatePen(PS_DASH, 6, 0xCFFFFF);
    SelectObject(dc, penB);
    DeleteObject(penA);
    for (int n = 0; n < 20; ++n)
        Ellipse(dc, bx - 10 * n, by - 10 * n, bx + 10 * n, by + 10 * n);
    SelectObject(dc, original);
    DeleteObject(penB);
    DeleteObject(window);
    gdiReleaseSurfaceDC(dc);
}

TEST(Clip, InterferenceFrameStaysInsideItsWindowAndLeavesNoObjects)
{
    soft::SurfaceMemory surface(640, 480, soft::PixelFormat::rgb565, 64);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            surface.at(x, y) = 0x4321;
    int before = gdiLiveObjectCount();
    drawInterferenceFrame(surface, 445, 262, 449, 220);
    EXPECT_EQ(gdiLiveObjectCount(), before);
    int insideChanged = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            bool inside = x >= 300 && x < 540 && y >= 140 && y < 340;
            if (!inside)
                ASSERT_EQ(surface.at(x, y), 0x4321) << x << "," << y;
            else
                insideChanged += surface.at(x, y) != 0x4321;
        }
    EXPECT_GT(insideChanged, 240 * 200 / 4);
    // Pale blue is (207, 207, 255), pale yellow (255, 255, 207) in 5-6-5.
    EXPECT_EQ(surface.at(449 + 10 * 5 - 1, 220), soft::packColour(surface.format, 255, 255, 207));
    gdi_test::writeSurfacePng(surface, "circle_interference.png");
}

} // namespace
