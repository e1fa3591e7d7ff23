#include "soft_canvas.h"

#include <zlib.h>

#include <algorithm>

namespace host::sdl {
namespace {

constexpr uint8_t psf1Magic[2] = {0x36, 0x04};
constexpr uint8_t psf1Mode512 = 0x01;       // 512 glyphs instead of 256
constexpr uint8_t psf1ModeHasTable = 0x02;  // a Unicode table follows the glyphs
constexpr uint16_t psf1Separator = 0xFFFE;  // starts a sequence inside a glyph's entry
constexpr uint16_t psf1EntryEnd = 0xFFFF;   // ends a glyph's entry in the table

std::vector<uint8_t> readWhole(const std::string& path)
{
    std::vector<uint8_t> bytes;
    gzFile file = gzopen(path.c_str(), "rb");   // reads plain files too
    if (!file)
        return bytes;
    uint8_t buffer[8192];
    int n;
    while ((n = gzread(file, buffer, sizeof buffer)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    gzclose(file);
    return bytes;
}

// Maps characters 0-255 (taken as Latin-1) to glyphs through the Unicode table.
void readUnicodeTable(BitmapFont& font, const std::vector<uint8_t>& bytes, size_t at, int glyphCount)
{
    for (int glyph = 0; glyph < glyphCount && at + 1 < bytes.size(); ++glyph) {
        bool inSequence = false;
        while (at + 1 < bytes.size()) {
            uint16_t value = uint16_t(bytes[at] | bytes[at + 1] << 8);
            at += 2;
            if (value == psf1EntryEnd)
                break;
            if (value == psf1Separator)
                inSequence = true;
            else if (!inSequence && value < 256 && font.glyphOf[value] < 0)
                font.glyphOf[value] = glyph;
        }
    }
}

} // namespace

const uint8_t* BitmapFont::glyph(unsigned char c) const
{
    int index = glyphOf.empty() ? -1 : glyphOf[c];
    if (index < 0)
        return nullptr;
    return glyphs.data() + size_t(index) * height;
}

BitmapFont readPsfFont(const std::string& path)
{
    std::vector<uint8_t> bytes = readWhole(path);
    BitmapFont font;
    if (bytes.size() < 4 || bytes[0] != psf1Magic[0] || bytes[1] != psf1Magic[1] || bytes[3] == 0)
        return font;
    uint8_t mode = bytes[2];
    int glyphCount = (mode & psf1Mode512) ? 512 : 256;
    font.height = bytes[3];
    size_t glyphBytes = size_t(glyphCount) * font.height;
    if (bytes.size() < 4 + glyphBytes)
        return font;
    font.glyphs.assign(bytes.begin() + 4, bytes.begin() + 4 + long(glyphBytes));
    font.glyphOf.assign(256, -1);
    if (mode & psf1ModeHasTable)
        readUnicodeTable(font, bytes, 4 + glyphBytes, glyphCount);
    else
        for (int c = 0; c < 256; ++c)
            font.glyphOf[c] = c;
    return font;
}

const BitmapFont& systemFont()
{
    static const BitmapFont font = [] {
        const char* candidates[] = {
            "/usr/share/consolefonts/Lat15-Fixed13.psf.gz",
            "/usr/share/consolefonts/Lat15-Fixed14.psf.gz",
            "/usr/share/consolefonts/default8x16.psf.gz",
            "/usr/share/kbd/consolefonts/default8x16.psf.gz",
            "/usr/lib/kbd/consolefonts/default8x16.psf.gz",
        };
        for (const char* path : candidates) {
            BitmapFont f = readPsfFont(path);
            if (!f.empty())
                return f;
        }
        return BitmapFont{};
    }();
    return font;
}

void SoftCanvas::plot(int x, int y, uint16_t pixel)
{
    if (x >= 0 && y >= 0 && x < memory_.width && y < memory_.height)
        memory_.at(x, y) = pixel;
}

void SoftCanvas::fill(const Rect& r, soft::Rgb8 colour)
{
    uint16_t pixel = soft::packColour(memory_.format, colour.r, colour.g, colour.b);
    int x0 = std::max(0, r.x), x1 = std::min(memory_.width, r.x + r.width);
    int y0 = std::max(0, r.y), y1 = std::min(memory_.height, r.y + r.height);
    for (int y = y0; y < y1; ++y)
        std::fill(memory_.row(y) + x0, memory_.row(y) + std::max(x0, x1), pixel);
}

void SoftCanvas::text(int x, int y, const std::string& s, soft::Rgb8 colour)
{
    uint16_t pixel = soft::packColour(memory_.format, colour.r, colour.g, colour.b);
    for (size_t i = 0; i < s.size(); ++i) {
        int left = x + int(i) * font_.width;
        const uint8_t* bits = font_.glyph(static_cast<unsigned char>(s[i]));
        if (!bits) {
            // No font: a filled box holds the character's place.
            if (s[i] != ' ')
                fill(Rect{left + 1, y + 2, font_.width - 2, font_.height - 4}, colour);
            continue;
        }
        for (int row = 0; row < font_.height; ++row)
            for (int col = 0; col < font_.width; ++col)
                if (bits[row] & (0x80 >> col))
                    plot(left + col, y + row, pixel);
    }
}

} // namespace host::sdl
