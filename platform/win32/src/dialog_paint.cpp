// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "dialog_paint.h"

#include "gdi_soft.h"
#include "windows.h"

#include <algorithm>

namespace soft::win32 {
namespace {

// The font of title bars, whatever font the dialog's controls use.
constexpr int captionFont = DEFAULT_GUI_FONT;

// The grey dialog colours of the Windows of the demo's time.
constexpr soft::Rgb8 faceColour{192, 192, 192};
constexpr soft::Rgb8 lightColour{223, 223, 223};
constexpr soft::Rgb8 highlightEdge{255, 255, 255};
constexpr soft::Rgb8 shadowColour{128, 128, 128};
constexpr soft::Rgb8 darkColour{0, 0, 0};
constexpr soft::Rgb8 windowColour{255, 255, 255};
constexpr soft::Rgb8 textColour{0, 0, 0};
constexpr soft::Rgb8 captionColour{0, 0, 128};
constexpr soft::Rgb8 captionText{255, 255, 255};
constexpr soft::Rgb8 selectionColour{0, 0, 128};
constexpr soft::Rgb8 selectionText{255, 255, 255};

constexpr uint32_t buttonTypeMask = 0xF;

// Fills and text through one device context on the picture.
class DialogCanvas {
public:
    DialogCanvas(soft::SurfaceMemory& memory, HFONT font)
        : dc(soft::gdi::createSurfaceDC(&memory)), previousFont(SelectObject(dc, font))
    {
        SetBkMode(dc, TRANSPARENT);
    }
    void useFont(HFONT font) { SelectObject(dc, font); }
    ~DialogCanvas()
    {
        SelectObject(dc, previousFont);
        soft::gdi::releaseSurfaceDC(dc);
    }
    DialogCanvas(const DialogCanvas&) = delete;
    DialogCanvas& operator=(const DialogCanvas&) = delete;

    void fill(const Rect& r, soft::Rgb8 colour)
    {
        RECT rect{r.x, r.y, r.x + r.width, r.y + r.height};
        HBRUSH brush = CreateSolidBrush(RGB(colour.r, colour.g, colour.b));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    // Text with its top-left corner at (x, y), the background left as it is.
    void text(int x, int y, const std::string& s, soft::Rgb8 colour)
    {
        SetTextColor(dc, RGB(colour.r, colour.g, colour.b));
        TextOutA(dc, x, y, s.c_str(), int(s.size()));
    }
    int textWidth(const std::string& s)
    {
        SIZE size{0, 0};
        GetTextExtentPoint32A(dc, s.c_str(), int(s.size()), &size);
        return int(size.cx);
    }
    int lineHeight()
    {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        return int(metrics.tmHeight);
    }

private:
    HDC dc;
    HGDIOBJ previousFont;
};

Rect inset(const Rect& r, int by)
{
    return Rect{r.x + by, r.y + by, std::max(0, r.width - 2 * by), std::max(0, r.height - 2 * by)};
}

// A one-pixel edge: `topLeft` along the top and left, `bottomRight` along the others.
void edge(DialogCanvas& canvas, const Rect& r, soft::Rgb8 topLeft, soft::Rgb8 bottomRight)
{
    if (r.width <= 0 || r.height <= 0)
        return;
    canvas.fill(Rect{r.x, r.y, r.width, 1}, topLeft);
    canvas.fill(Rect{r.x, r.y, 1, r.height}, topLeft);
    canvas.fill(Rect{r.x, r.y + r.height - 1, r.width, 1}, bottomRight);
    canvas.fill(Rect{r.x + r.width - 1, r.y, 1, r.height}, bottomRight);
}

void raised(DialogCanvas& canvas, const Rect& r)
{
    canvas.fill(r, faceColour);
    edge(canvas, r, highlightEdge, darkColour);
    edge(canvas, inset(r, 1), faceColour, shadowColour);
}

void sunken(DialogCanvas& canvas, const Rect& r)
{
    edge(canvas, r, shadowColour, highlightEdge);
    edge(canvas, inset(r, 1), darkColour, lightColour);
}

void centredText(DialogCanvas& canvas, const Rect& r, const std::string& s, soft::Rgb8 colour)
{
    int x = r.x + (r.width - canvas.textWidth(s)) / 2;
    int y = r.y + (r.height - canvas.lineHeight()) / 2;
    canvas.text(x, y, s, colour);
}

// Pushed in: the edges of a raised part turned over, and its face a pixel down and right.
void pushedIn(DialogCanvas& canvas, const Rect& r)
{
    canvas.fill(r, faceColour);
    edge(canvas, r, darkColour, highlightEdge);
    edge(canvas, inset(r, 1), shadowColour, faceColour);
}

void paintCloseBox(DialogCanvas& canvas, const Rect& box, bool pushed)
{
    if (pushed)
        pushedIn(canvas, box);
    else
        raised(canvas, box);
    // A cross two pixels thick, corner to corner inside the box.
    int span = box.width - 8, shift = pushed ? 1 : 0;
    for (int i = 0; i < span; ++i) {
        canvas.fill(Rect{box.x + 4 + i + shift, box.y + 4 + i + shift, 2, 1}, darkColour);
        canvas.fill(Rect{box.x + box.width - 6 - i + shift, box.y + 4 + i + shift, 2, 1}, darkColour);
    }
}

void paintFrameAndCaption(DialogCanvas& canvas, const DialogView& view, const DialogGeometry& g, bool closeBoxPushed)
{
    Rect whole{0, 0, g.width, g.height};
    canvas.fill(whole, faceColour);
    edge(canvas, whole, lightColour, darkColour);
    edge(canvas, inset(whole, 1), highlightEdge, shadowColour);
    canvas.fill(g.caption, captionColour);
    canvas.useFont(HFONT(GetStockObject(captionFont)));
    int textY = g.caption.y + (g.caption.height - canvas.lineHeight()) / 2;
    canvas.text(g.caption.x + 3, textY, view.caption, captionText);
    canvas.useFont(view.font);
    paintCloseBox(canvas, g.closeBox, closeBoxPushed);
}

// The dotted rectangle that marks the control with the keyboard focus.
void focusRect(DialogCanvas& canvas, const Rect& r)
{
    for (int x = r.x; x < r.x + r.width; x += 2) {
        canvas.fill(Rect{x, r.y, 1, 1}, darkColour);
        canvas.fill(Rect{x, r.y + r.height - 1, 1, 1}, darkColour);
    }
    for (int y = r.y; y < r.y + r.height; y += 2) {
        canvas.fill(Rect{r.x, y, 1, 1}, darkColour);
        canvas.fill(Rect{r.x + r.width - 1, y, 1, 1}, darkColour);
    }
}

// A pushed button has a flat shadow edge inside its dark frame, and its text moves a
// pixel down and right.
void paintButton(DialogCanvas& canvas, const DialogControl& control, const DialogGeometry& g, bool focused, bool pushed)
{
    Rect r = g.controlRect(control);
    if ((control.style & buttonTypeMask) == BS_DEFPUSHBUTTON || pushed) {
        edge(canvas, r, darkColour, darkColour);
        r = inset(r, 1);
    }
    if (pushed) {
        canvas.fill(r, faceColour);
        edge(canvas, r, shadowColour, shadowColour);
        centredText(canvas, Rect{r.x + 1, r.y + 1, r.width, r.height}, control.text, textColour);
    } else {
        raised(canvas, r);
        centredText(canvas, r, control.text, textColour);
    }
    if (focused)
        focusRect(canvas, inset(r, 3));
}

void paintDownArrow(DialogCanvas& canvas, const Rect& r)
{
    int width = 7;
    int x = r.x + (r.width - width) / 2;
    int y = r.y + (r.height - 4) / 2;
    for (int row = 0; row < 4; ++row)
        canvas.fill(Rect{x + row, y + row, width - 2 * row, 1}, darkColour);
}

void paintItem(DialogCanvas& canvas, const Rect& r, const std::string& s, bool selected)
{
    canvas.fill(r, selected ? selectionColour : windowColour);
    int y = r.y + (r.height - canvas.lineHeight()) / 2;
    canvas.text(r.x + 2, y, s, selected ? selectionText : textColour);
}

void paintCombo(DialogCanvas& canvas, const DialogControl& combo, const DialogGeometry& g, bool focused)
{
    Rect field = g.comboField(combo);
    sunken(canvas, field);
    Rect inside = inset(field, 2);
    canvas.fill(inside, windowColour);
    Rect arrow = g.comboArrow(combo);
    raised(canvas, arrow);
    paintDownArrow(canvas, arrow);
    if (combo.selection >= 0 && combo.selection < int(combo.items.size())) {
        Rect item{inside.x + 1, inside.y + 1, arrow.x - inside.x - 2, inside.height - 2};
        paintItem(canvas, item, combo.items[combo.selection], focused);
    }
}

void paintDroppedList(DialogCanvas& canvas, const DialogControl& combo, const DialogGeometry& g,
                      const DialogUiState& state)
{
    Rect list = g.listRect(combo);
    canvas.fill(list, windowColour);
    edge(canvas, list, darkColour, darkColour);
    for (int row = 0; row < g.listRows(combo); ++row) {
        int item = state.firstRow + row;
        if (item >= int(combo.items.size()))
            break;
        paintItem(canvas, g.listRow(combo, row), combo.items[item], item == state.highlight);
    }
}

}  // namespace

void paintDialog(soft::SurfaceMemory& picture, const DialogView& view, const DialogGeometry& geometry,
                 const DialogUiState& state)
{
    DialogCanvas canvas(picture, view.font);
    const HeldDown& held = state.held;
    paintFrameAndCaption(canvas, view, geometry, held.part == HeldDown::closeBox && held.pushedIn);
    for (size_t i = 0; i < view.controls.size(); ++i) {
        const DialogControl& control = view.controls[i];
        bool focused = int(i) == state.focus && !state.dropped;
        bool pushed = held.part == HeldDown::button && held.control == int(i) && held.pushedIn;
        if (isClass(control, "button"))
            paintButton(canvas, control, geometry, focused, pushed);
        else if (isClass(control, "combobox"))
            paintCombo(canvas, control, geometry, focused);
        else
            canvas.text(geometry.clientX + control.x, geometry.clientY + control.y, control.text, textColour);
    }
    // The dropped list lies over everything else.
    const DialogControl* combo = findCombo(view);
    if (combo && state.dropped)
        paintDroppedList(canvas, *combo, geometry, state);
}

int dialogLineHeight(HFONT font)
{
    soft::SurfaceMemory scratch(1, 1, soft::PixelFormat::rgb565);
    DialogCanvas canvas(scratch, font);
    return canvas.lineHeight();
}

}  // namespace soft::win32
