// A dialog canvas that draws straight into 16-bit surface memory, its text in a
// console bitmap font of the system's (boxes where none is installed).
#pragma once

#include "dialog_paint.h"
#include "soft/surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host::sdl {

// An 8-pixel-wide bitmap font read from a PC Screen Font (PSF 1) file.
struct BitmapFont {
    int width = 8;
    int height = 13;
    std::vector<uint8_t> glyphs;          // `height` bytes a glyph, top bit leftmost
    std::vector<int> glyphOf;             // character code (0-255) to glyph index, -1 for none

    bool empty() const { return glyphs.empty(); }
    const uint8_t* glyph(unsigned char c) const;
};

// Reads a PSF 1 font, gzip-compressed or not, mapping characters through its
// Unicode table when it has one. An empty font when the file is missing or malformed.
BitmapFont readPsfFont(const std::string& path);
// The first console font of the usual places that reads.
const BitmapFont& systemFont();

class SoftCanvas : public DialogCanvas {
public:
    SoftCanvas(soft::SurfaceMemory& memory, const BitmapFont& font) : memory_(memory), font_(font) {}
    void fill(const Rect& r, soft::Rgb8 colour) override;
    void text(int x, int y, const std::string& s, soft::Rgb8 colour) override;
    int textWidth(const std::string& s) override { return int(s.size()) * font_.width; }
    int lineHeight() override { return font_.height; }

private:
    void plot(int x, int y, uint16_t pixel);
    soft::SurfaceMemory& memory_;
    const BitmapFont& font_;
};

} // namespace host::sdl
