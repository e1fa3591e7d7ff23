// A dialog canvas that paints with GDI into 16-bit surface memory, in the stock
// font dialogs use.
#pragma once

#include "dialog_paint.h"
#include "soft/surface.h"

#include "windows.h"

namespace host::sdl {

class GdiCanvas : public DialogCanvas {
public:
    explicit GdiCanvas(soft::SurfaceMemory& memory);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void fill(const Rect& r, soft::Rgb8 colour) override;
    void text(int x, int y, const std::string& s, soft::Rgb8 colour) override;
    int textWidth(const std::string& s) override;
    int lineHeight() override;

private:
    HDC dc_;
    HGDIOBJ previousFont_;
};

// The height of a line in the dialog font.
int dialogLineHeight();

}  // namespace host::sdl
