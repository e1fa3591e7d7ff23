// Paints the device dialog onto its picture.
#pragma once

#include "dialog_ui.h"
#include "soft/pixels.h"

#include <string>

namespace host::sdl {

// What the painting draws with: filled rectangles and lines of text.
class DialogCanvas {
public:
    virtual ~DialogCanvas() = default;
    virtual void fill(const Rect& r, soft::Rgb8 colour) = 0;
    // Text with its top-left corner at (x, y), the background left as it is.
    virtual void text(int x, int y, const std::string& s, soft::Rgb8 colour) = 0;
    virtual int textWidth(const std::string& s) = 0;
    virtual int lineHeight() = 0;
};

void paintDialog(DialogCanvas& canvas, const DialogView& view, const DialogGeometry& geometry,
                 const DialogUiState& state);

}  // namespace host::sdl
