#include "gdi_canvas.h"

#include "gdi_soft.h"

namespace host::sdl {
namespace {

// The font Windows gives dialogs that do not choose one.
constexpr int dialogFont = DEFAULT_GUI_FONT;

COLORREF colourOf(soft::Rgb8 c) { return RGB(c.r, c.g, c.b); }

}  // namespace

GdiCanvas::GdiCanvas(soft::SurfaceMemory& memory)
    : dc_(gdiCreateSurfaceDC(&memory)), previousFont_(SelectObject(dc_, GetStockObject(dialogFont)))
{
    SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas()
{
    SelectObject(dc_, previousFont_);
    gdiReleaseSurfaceDC(dc_);
}

void GdiCanvas::fill(const Rect& r, soft::Rgb8 colour)
{
    RECT rect{r.x, r.y, r.x + r.width, r.y + r.height};
    HBRUSH brush = CreateSolidBrush(colourOf(colour));
    FillRect(dc_, &rect, brush);
    DeleteObject(brush);
}

void GdiCanvas::text(int x, int y, const std::string& s, soft::Rgb8 colour)
{
    SetTextColor(dc_, colourOf(colour));
    TextOutA(dc_, x, y, s.c_str(), int(s.size()));
}

int GdiCanvas::textWidth(const std::string& s)
{
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc_, s.c_str(), int(s.size()), &size);
    return int(size.cx);
}

int GdiCanvas::lineHeight()
{
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    return int(metrics.tmHeight);
}

int dialogLineHeight()
{
    soft::SurfaceMemory scratch(1, 1, soft::PixelFormat::rgb565);
    GdiCanvas canvas(scratch);
    return canvas.lineHeight();
}

}  // namespace host::sdl
