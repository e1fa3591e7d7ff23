// TextOutA with the stock bitmap fonts: cell sizes, opaque and transparent cells,
// glyphs that differ, and the clip.
#include "windows.h"

#include "gdi_soft.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr uint16_t marker = 0x1234;  // what the surface held before drawing
constexpr uint16_t green565 = 0x07E0;

// A surface of marker pixels with a context drawing the binary rain's way: a stock
// font, green on black.
struct TextSurface {
    soft::SurfaceMemory surface;
    HDC dc;

    TextSurface(int font, int w = 160, int h = 40, int pad = 0) : surface(w, h, soft::PixelFormat::rgb565, pad)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                surface.at(x, y) = marker;
        dc = gdiCreateSurfaceDC(&surface);
        SelectObject(dc, GetStockObject(font));
        SetBkColor(dc, 0);
        SetTextColor(dc, RGB(0, 255, 0));
    }
    ~TextSurface() { gdiReleaseSurfaceDC(dc); }

    std::multiset<uint16_t> valuesIn(int x0, int y0, int x1, int y1) const
    {
        std::multiset<uint16_t> v;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                v.insert(surface.at(x, y));
        return v;
    }
    int count(uint16_t value, int x0, int y0, int x1, int y1) const
    {
        return int(valuesIn(x0, y0, x1, y1).count(value));
    }
};

TEST(Text, StockFontsHaveTheirCellSizes)
{
    TextSurface t(ANSI_FIXED_FONT);
    SIZE size{};
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

TEST(Text, OpaqueCellsArePaintedWithTheBackgroundFirstTransparentOnesNot)
{
    TextSurface t(ANSI_FIXED_FONT);
    ASSERT_TRUE(TextOutA(t.dc, 10, 5, "01 10", 5));
    // Inside the 40 x 13 cells only black and green; a space is a black cell.
    std::multiset<uint16_t> cells = t.valuesIn(10, 5, 50, 18);
    EXPECT_EQ(std::set<uint16_t>(cells.begin(), cells.end()), (std::set<uint16_t>{0, green565}));
    EXPECT_EQ(t.count(green565, 26, 5, 34, 18), 0);
    EXPECT_GT(t.count(green565, 10, 5, 18, 18), 5);
    EXPECT_EQ(t.count(marker, 0, 0, 160, 40), 160 * 40 - 40 * 13);  // outside them nothing changed

    EXPECT_EQ(SetBkMode(t.dc, TRANSPARENT), OPAQUE);
    TextOutA(t.dc, 10, 20, "01", 2);
    cells = t.valuesIn(10, 20, 26, 33);
    EXPECT_EQ(std::set<uint16_t>(cells.begin(), cells.end()), (std::set<uint16_t>{marker, green565}));
}

TEST(Text, GlyphsDifferAndRepeatExactly)
{
    TextSurface t(ANSI_FIXED_FONT);
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
    TextSurface t(OEM_FIXED_FONT, 64, 32, 6);
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

}  // namespace
