// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The painting surface of the generator: float colour with a coverage value per
// pixel, finished into a 24-bit image whose uncovered pixels are the colour key.
#pragma once

#include "bmp_writer.h"

#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

struct Rgb {
    float r = 0, g = 0, b = 0;
};
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Rgb mix(Rgb a, Rgb b, float t) { return a * (1 - t) + b * t; }
inline Rgb hex(unsigned v)
{
    return {float((v >> 16) & 255) / 255.0f, float((v >> 8) & 255) / 255.0f, float(v & 255) / 255.0f};
}

// Colour stops along 0..1, blended linearly.
class Palette {
public:
    Palette(std::initializer_list<std::pair<float, Rgb>> stops) : stops_(stops) { }
    Rgb at(float t) const;

private:
    std::vector<std::pair<float, Rgb>> stops_;
};

struct Rect {
    int left, top, right, bottom;  // right and bottom exclusive
};

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb colour(int x, int y) const { return colour_[index(x, y)]; }
    float coverage(int x, int y) const { return coverage_[index(x, y)]; }

    // Lays colour c over the pixel with opacity a (0..1).
    void paint(int x, int y, Rgb c, float a = 1.0f);
    // Adds light to what is there, keeping its coverage (glows on opaque art).
    void addLight(int x, int y, Rgb c);
    // Makes the pixel transparent again.
    void erase(int x, int y);

    void fill(Rect r, Rgb c);
    void verticalGradient(Rect r, const Palette& palette);

private:
    size_t index(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }
    int width_, height_;
    std::vector<Rgb> colour_;
    std::vector<float> coverage_;
};

// Quantises to the display's five bits per channel with a 4 x 4 ordered dither, so
// gradients stay smooth in 16-bit colour, and turns coverage into the pure-blue key
// by the same dither (soft edges become a screen-door fade). No covered pixel ever
// lands on the key, in 5-6-5 or 5-5-5.
Image24 finishImage(const Canvas& canvas);

// True when the 24-bit colour becomes the 16-bit key 0x001F in either pixel format.
bool becomesColourKey(uint8_t r, uint8_t g, uint8_t b);
