// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "lettering.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr float gridHeight = 6;  // the cap height in grid units
constexpr float spaceWidth = 2.6f;

// Each glyph: polylines separated by '|', points "x,y" separated by spaces, y down.
struct Glyph {
    char c;
    const char* strokes;
};

constexpr Glyph glyphs[] = {
    {'A', "0,6 0,1 1,0 3,0 4,1 4,6 | 0,3.5 4,3.5"},
    {'B', "0,6 0,0 3,0 4,1 4,2 3,3 0,3 | 3,3 4,4 4,5 3,6 0,6"},
    {'C', "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5"},
    {'D', "0,0 0,6 3,6 4,5 4,1 3,0 0,0"},
    {'E', "4,0 0,0 0,6 4,6 | 0,3 3,3"},
    {'F', "4,0 0,0 0,6 | 0,3 3,3"},
    {'G', "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3.5 2.5,3.5"},
    {'H', "0,0 0,6 | 4,0 4,6 | 0,3 4,3"},
    {'I', "1,0 3,0 | 2,0 2,6 | 1,6 3,6"},
    {'J', "4,0 4,5 3,6 1,6 0,5"},
    {'K', "0,0 0,6 | 4,0 1,3 0,3 | 1,3 4,6"},
    {'L', "0,0 0,6 4,6"},
    {'M', "0,6 0,0 2,3 4,0 4,6"},
    {'N', "0,6 0,0 4,6 4,0"},
    {'O', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
    {'P', "0,6 0,0 3,0 4,1 4,2 3,3 0,3"},
    {'Q', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0 | 2.5,4.5 4,6"},
    {'R', "0,6 0,0 3,0 4,1 4,2 3,3 0,3 | 2,3 4,6"},
    {'S', "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'T', "0,0 4,0 | 2,0 2,6"},
    {'U', "0,0 0,5 1,6 3,6 4,5 4,0"},
    {'V', "0,0 2,6 4,0"},
    {'W', "0,0 1,6 2,3 3,6 4,0"},
    {'X', "0,0 4,6 | 4,0 0,6"},
    {'Y', "0,0 2,3 4,0 | 2,3 2,6"},
    {'Z', "0,0 4,0 0,6 4,6"},
    {'0', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0 | 3.3,1.3 0.7,4.7"},
    {'1', "1,1 2,0 2,6 | 1,6 3,6"},
    {'2', "0,1 1,0 3,0 4,1 4,2 0,6 4,6"},
    {'3', "0,1 1,0 3,0 4,1 4,2 3,3 1.5,3 | 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'4', "3,6 3,0 0,4 4,4"},
    {'5', "4,0 0,0 0,3 3,3 4,4 4,5 3,6 0,6"},
    {'6', "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,4 3,3 0,3"},
    {'7', "0,0 4,0 1.5,6"},
    {'8', "1,0 3,0 4,1 4,2 3,3 1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3 | 1,3 0,2 0,1 1,0"},
    {'9', "0,5 1,6 3,6 4,5 4,1 3,0 1,0 0,1 0,2 1,3 4,3"},
    {'.', "2,5.7 2,6"},
    {',', "2,5.5 1.4,7"},
    {'!', "2,0 2,4 | 2,5.7 2,6"},
    {'?', "0,1 1,0 3,0 4,1 4,2 2,3.5 2,4 | 2,5.7 2,6"},
    {'-', "1,3 3,3"},
    {'+', "2,1.5 2,4.5 | 0.5,3 3.5,3"},
    {'\'', "2,0 2,1.5"},
    {':', "2,1.7 2,2 | 2,4.7 2,5"},
    {'/', "4,0 0,6"},
    {'=', "0.5,2 3.5,2 | 0.5,4 3.5,4"},
};

struct Point {
    float x, y;
};

// The polylines of one glyph in grid units, or none for a space or unknown character.
std::vector<std::vector<Point>> strokesOf(char c)
{
    c = char(std::toupper(static_cast<unsigned char>(c)));
    std::vector<std::vector<Point>> result;
    for (const Glyph& g : glyphs) {
        if (g.c != c)
            continue;
        result.emplace_back();
        const char* p = g.strokes;
        while (*p) {
            if (*p == '|') {
                result.emplace_back();
                ++p;
            } else if (*p == ' ') {
                ++p;
            } else {
                char* end;
                float x = std::strtof(p, &end);
                float y = std::strtof(end + 1, &end);  // skip the comma
                result.back().push_back({x, y});
                p = end;
            }
        }
    }
    return result;
}

// Left edge and width of a glyph in grid units.
std::pair<float, float> extentOf(const std::vector<std::vector<Point>>& strokes)
{
    if (strokes.empty())
        return {0, spaceWidth};
    float lo = 1e9f, hi = -1e9f;
    for (const auto& line : strokes)
        for (Point p : line) {
            lo = std::min(lo, p.x);
            hi = std::max(hi, p.x);
        }
    return {lo, hi - lo};
}

}  // namespace

std::vector<Segment> layoutText(std::string_view text, float x, float y, const TextLayout& layout)
{
    const float unit = layout.size / gridHeight;
    std::vector<Segment> out;
    float pen = 0;
    for (char c : text) {
        auto strokes = strokesOf(c);
        // Named apart rather than bound as a pair: lambdas capture no structured bindings
        // before clang 16.
        const std::pair<float, float> extent = extentOf(strokes);
        const float left = extent.first, width = extent.second;
        for (const auto& line : strokes) {
            auto place = [&](Point p) {
                float px = x + (pen + p.x - left) * unit + (gridHeight - p.y) * unit * layout.slant;
                return Point{px, y + p.y * unit};
            };
            if (line.size() == 1) {
                Point a = place(line[0]);
                out.push_back({a.x, a.y, a.x, a.y});
            }
            for (size_t i = 1; i < line.size(); ++i) {
                Point a = place(line[i - 1]), b = place(line[i]);
                out.push_back({a.x, a.y, b.x, b.y});
            }
        }
        pen += width + layout.spacing;
    }
    return out;
}

float textWidth(std::string_view text, const TextLayout& layout)
{
    float pen = 0;
    for (char c : text)
        pen += extentOf(strokesOf(c)).second + layout.spacing;
    return std::max(0.0f, pen - layout.spacing) * layout.size / gridHeight + layout.size * layout.slant;
}

void drawTubeText(Canvas& canvas, std::string_view text, float cx, float y, const TextLayout& layout,
                  const TubeStyle& style)
{
    float left = cx - textWidth(text, layout) * 0.5f;
    drawTubes(canvas, layoutText(text, left, y, layout), style, y - style.radius, y + layout.size + style.radius);
}

void drawBlockText(Canvas& canvas, std::string_view text, int cx, int y, int cell, const Palette& palette, Rgb shadow)
{
    constexpr int columns = 5, rows = 7;
    constexpr float onDistance = 0.5f;  // a block is set when a stroke passes this close to its grid point
    int total = 0;
    for (char c : text)
        total += strokesOf(c).empty() ? 3 : columns + 1;
    total -= 1;
    int pen = cx - total * cell / 2;
    const int bevel = std::max(1, cell / 5);
    for (char c : text) {
        auto strokes = strokesOf(c);
        if (strokes.empty()) {
            pen += 3 * cell;
            continue;
        }
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < columns; ++i) {
                float best = 1e9f;
                for (const auto& line : strokes)
                    for (size_t k = 0; k < line.size(); ++k) {
                        Point a = line[k], b = line[k + 1 < line.size() ? k + 1 : k];
                        float dx, dy;
                        best = std::min(best, segmentDistance({a.x, a.y, b.x, b.y}, float(i), float(j), dx, dy));
                    }
                if (best > onDistance)
                    continue;
                int bx = pen + i * cell, by = y + j * cell;
                for (int v = 0; v < cell + 2; ++v)  // drop shadow first
                    for (int u = 0; u < cell + 2; ++u)
                        canvas.paint(bx + u + cell / 3, by + v + cell / 3, shadow, 0.8f);
                for (int v = 0; v < cell; ++v)
                    for (int u = 0; u < cell; ++u) {
                        Rgb base = palette.at((float(j * cell + v) + 0.5f) / float(rows * cell));
                        float shade = 1.0f;
                        if (u < bevel || v < bevel)
                            shade = 1.45f;
                        if (u >= cell - bevel || v >= cell - bevel)
                            shade = u < bevel || v < bevel ? 1.0f : 0.55f;
                        canvas.paint(bx + u, by + v, base * shade);
                    }
            }
        pen += (columns + 1) * cell;
    }
}
