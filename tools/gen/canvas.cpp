// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int bayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr int levelStep = 8;  // 8-bit values per 5-bit level
const uint8_t keyRgb[3] = {0, 0, 255};

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

uint8_t quantise(float value, float threshold)
{
    float scaled = clamp01(value) * 255.0f / float(levelStep) + threshold;
    constexpr int topLevel = 255 / levelStep;
    int level = std::clamp(int(std::floor(scaled)), 0, topLevel);
    // Inside the level, so that keeping the top bits gives the level back; the top
    // level is full intensity.
    return uint8_t(level == topLevel ? 255 : level * levelStep + 3);
}

}  // namespace

Rgb Palette::at(float t) const
{
    if (stops_.empty())
        return {};
    if (t <= stops_.front().first)
        return stops_.front().second;
    for (size_t i = 1; i < stops_.size(); ++i)
        if (t <= stops_[i].first) {
            float span = stops_[i].first - stops_[i - 1].first;
            float f = span > 0 ? (t - stops_[i - 1].first) / span : 1.0f;
            return mix(stops_[i - 1].second, stops_[i].second, f);
        }
    return stops_.back().second;
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), colour_(size_t(width) * size_t(height)), coverage_(colour_.size(), 0.0f)
{ }

void Canvas::paint(int x, int y, Rgb c, float a)
{
    if (!inside(x, y) || a <= 0)
        return;
    a = std::min(a, 1.0f);
    size_t i = index(x, y);
    colour_[i] = mix(colour_[i], c, coverage_[i] > 0 ? a : 1.0f);
    coverage_[i] = a + coverage_[i] * (1 - a);
}

void Canvas::addLight(int x, int y, Rgb c)
{
    if (inside(x, y))
        colour_[index(x, y)] = colour_[index(x, y)] + c;
}

void Canvas::erase(int x, int y)
{
    if (inside(x, y)) {
        colour_[index(x, y)] = {};
        coverage_[index(x, y)] = 0;
    }
}

void Canvas::fill(Rect r, Rgb c)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            paint(x, y, c);
}

void Canvas::verticalGradient(Rect r, const Palette& palette)
{
    for (int y = r.top; y < r.bottom; ++y) {
        Rgb c = palette.at((float(y - r.top) + 0.5f) / float(r.bottom - r.top));
        for (int x = r.left; x < r.right; ++x)
            paint(x, y, c);
    }
}

bool becomesColourKey(uint8_t r, uint8_t g, uint8_t b) { return (r >> 3) == 0 && (g >> 3) == 0 && (b >> 3) == 31; }

Image24 finishImage(const Canvas& canvas)
{
    Image24 image;
    image.width = canvas.width();
    image.height = canvas.height();
    image.rgb.resize(size_t(image.width) * size_t(image.height) * 3);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            uint8_t* out = &image.rgb[(size_t(y) * size_t(image.width) + size_t(x)) * 3];
            float threshold = (float(bayer4[y & 3][x & 3]) + 0.5f) / 16.0f;
            if (canvas.coverage(x, y) < threshold) {
                std::copy(keyRgb, keyRgb + 3, out);
                continue;
            }
            Rgb c = canvas.colour(x, y);
            out[0] = quantise(c.r, threshold);
            out[1] = quantise(c.g, threshold);
            out[2] = quantise(c.b, threshold);
            if (becomesColourKey(out[0], out[1], out[2]))
                out[2] = uint8_t(out[2] - levelStep);  // one level less blue keeps it opaque
        }
    return image;
}
