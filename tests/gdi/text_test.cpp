// TextOutA with the stock bitmap fonts: cell sizes, opaque and transparent cells,
// glyphs that differ, and the clip.
#include "windows.h"

#include "gdi_soft.h"

#include "surface_png.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr uint16_t kMarker = 0x1234;  // what the surface held before drawing
constexpr uint16_t kGreen565 = 0x07E0;

struct TextSurface {
    soft::SurfaceMemory surface;
    HDC dc;

    explicit TextSurface(int w = 160, int h = 40, int pad = 0) : surface(w, h, soft::PixelFormat::rgb565, pad)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                surface.at(x, y) = kMarker;
        dc = gdiCreateSurfaceDC(&surface);
    }
    ~TextSurface() { gdiReleaseSurfaceDC(dc); }

    // The binary rain's settings: a stock font, green on black.
    void greenOnBlack(int font)
    {
        SelectObject(dc, GetStockObject(font));
        SetBkColor(dc, 0);
        SetTextColor(dc, RGB(0, 255, 0));
    }
    std::set<uint16_t> valuesIn(int x0, int y0, int x1, int y1) const
    {
        std::set<uint16_t> v;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                v.insert(surface.at(x, y));
        return v;
    }
    int count(uint16_t value, int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += surface.at(x, y) == value;
        return n;
    }
};

TEST(Text, StockFontsHaveTheirCellSizes)
{
    TextSurface t;
    SIZE size{};
    SelectObject(t.dc, GetStockObject(ANSI_FIXED_FONT));
    ASSERT_TRUE(GetTextExtentPoint32A(t.dc, "01010101", 8, &size));
    EXPECT_EQ(size.cx, 64);
    EXPECT_EQ(size.cy, 13);
    SelectObject(t.dc, GetStockObject(OEM_FIXED_FONT));
    GetTextExtentPoint32A(t.dc, "Hi", 2, &size);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 12);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(t.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 12);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, 12);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);

    // The dialog font is proportional and about as large as 8-point MS Sans Serif.
    SelectObject(t.dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE narrow{}, wide{};
    GetTextExtentPoint32A(t.dc, "iiii", 4, &narrow);
    GetTextExtentPoint32A(t.dc, "WWWW", 4, &wide);
    EXPECT_LT(narrow.cx, wide.cx);
    EXPECT_GE(narrow.cy, 11);
    EXPECT_LE(narrow.cy, 14);
    GetTextMetricsA(t.dc, &tm);
    EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
}

TEST(Text, OpaqueCellsArePaintedWithTheBackgroundFirst)
{
    TextSurface t;
    t.greenOnBlack(ANSI_FIXED_FONT);
    ASSERT_TRUE(TextOutA(t.dc, 10, 5, "01 10", 5));
    // Inside the 40 x 13 cells only black and green; a space is a black cell.
    EXPECT_EQ(t.valuesIn(10, 5, 50, 18), (std::set<uint16_t>{0, kGreen565}));
    EXPECT_EQ(t.count(kGreen565, 26, 5, 34, 18), 0);
    EXPECT_GT(t.count(kGreen565, 10, 5, 18, 18), 5);
    // Outside them nothing changed.
    EXPECT_EQ(t.count(kMarker, 0, 0, 160, 40), 160 * 40 - 40 * 13);
    gdi_test::writeSurfacePng(t.surface, "text_opaque.png");
}

TEST(Text, TransparentModeLeavesTheGapsAlone)
{
    TextSurface t;
    t.greenOnBlack(ANSI_FIXED_FONT);
    EXPECT_EQ(SetBkMode(t.dc, TRANSPARENT), OPAQUE);
    TextOutA(t.dc, 10, 5, "01", 2);
    EXPECT_EQ(t.valuesIn(10, 5, 26, 18), (std::set<uint16_t>{kMarker, kGreen565}));
}

TEST(Text, GlyphsDifferAndRepeatExactly)
{
    TextSurface t;
    t.greenOnBlack(ANSI_FIXED_FONT);
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
    EXPECT_EQ(t.count(kMarker, 100, 0, 108, 13), 8 * 13);
}

TEST(Text, ClipAndSurfaceEdgesBoundTheText)
{
    TextSurface t(64, 32, 6);
    t.greenOnBlack(OEM_FIXED_FONT);
    HRGN clip = CreateRectRgn(4, 2, 30, 10);
    SelectClipRgn(t.dc, clip);
    DeleteObject(clip);
    TextOutA(t.dc, 0, 0, "MMMMMMMMMM", 10);
    TextOutA(t.dc, -5, -5, "WW", 2);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            if (x < 4 || x >= 30 || y < 2 || y >= 10) {
                ASSERT_EQ(t.surface.at(x, y), kMarker) << x << "," << y;
            }
    EXPECT_EQ(t.count(kMarker, 4, 2, 30, 10), 0);
    // Without the clip, text running off every edge stays inside the surface.
    SelectClipRgn(t.dc, nullptr);
    TextOutA(t.dc, 60, 28, "MMMM", 4);
    TextOutA(t.dc, -1000, 30, "MMMM", 4);
    EXPECT_EQ(t.count(0, 60, 28, 64, 32) + t.count(kGreen565, 60, 28, 64, 32), 16);
}

TEST(Text, RainAndGreetingsLookRight)
{
    // Written for a person to look at: the rain's lines and the scroller's line.
    soft::SurfaceMemory surface(320, 80, soft::PixelFormat::rgb555);
    HDC dc = gdiCreateSurfaceDC(&surface);
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    SetBkColor(dc, 0);
    SetTextColor(dc, RGB(0, 255, 0));
    const char* lines[] = {" 0010011", "01111111", "100100 0"};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            TextOutA(dc, 81 * k, 12 * r, lines[(r + k) % 3], 8);
    SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
    TextOutA(dc, 0, 40, "g r e e t i n g s   t o   a l l", 31);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 0, 60, "Select Rendering Device  OK  Cancel", 35);
    gdiReleaseSurfaceDC(dc);
    EXPECT_FALSE(gdi_test::writeSurfacePng(surface, "text_gallery.png").empty());
}

} // namespace
