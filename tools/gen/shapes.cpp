// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "shapes.h"

#include "exact_math.h"

#include <algorithm>
#include <cmath>

namespace {

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

}  // namespace

float segmentDistance(const Segment& s, float px, float py, float& dx, float& dy)
{
    float vx = s.x1 - s.x0, vy = s.y1 - s.y0;
    float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? clamp01(((px - s.x0) * vx + (py - s.y0) * vy) / len2) : 0.0f;
    dx = px - (s.x0 + t * vx);
    dy = py - (s.y0 + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

void drawTubes(Canvas& canvas, const std::vector<Segment>& segments, const TubeStyle& style, float boxTop,
               float boxBottom)
{
    if (segments.empty())
        return;
    const float reach = style.radius + style.outline + style.glowWidth * 3.0f + 2.0f;
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    for (const Segment& s : segments) {
        left = std::min({left, s.x0, s.x1});
        right = std::max({right, s.x0, s.x1});
        top = std::min({top, s.y0, s.y1});
        bottom = std::max({bottom, s.y0, s.y1});
    }
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f;  // light from the upper left, in front
    const float hx = lx, hy = ly, hz = lz + 1.0f;     // half-way vector toward the viewer
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);

    for (int y = int(top - reach); y <= int(bottom + reach); ++y)
        for (int x = int(left - reach); x <= int(right + reach); ++x) {
            if (!canvas.inside(x, y))
                continue;
            float px = float(x) + 0.5f, py = float(y) + 0.5f;
            float best = 1e9f, bdx = 0, bdy = 0;
            for (const Segment& s : segments) {
                float dx, dy;
                float d = segmentDistance(s, px, py, dx, dy);
                if (d < best) {
                    best = d;
                    bdx = dx;
                    bdy = dy;
                }
            }
            const float r = style.radius;
            if (style.glowWidth > 0 && best > r) {
                float g = clamp01(exact::exp(-(best - r - style.outline) / style.glowWidth));
                if (style.additiveGlow)
                    canvas.addLight(x, y, style.glow * g);
                else if (best > r + style.outline * 0.5f)
                    canvas.paint(x, y, style.glow, g * 0.85f);
            }
            float rim = clamp01(r + style.outline + 0.5f - best);
            if (rim > 0)
                canvas.paint(x, y, style.outlineColour, rim);
            float body = clamp01(r + 0.5f - best);
            if (body <= 0)
                continue;
            // The tube's surface normal at this pixel.
            float d = std::min(best, r * 0.999f);
            float nz = std::sqrt(r * r - d * d) / r;
            float nx = best > 0 ? bdx / best * (d / r) : 0.0f, ny = best > 0 ? bdy / best * (d / r) : 0.0f;
            float t = (py - boxTop) / std::max(1.0f, boxBottom - boxTop) + ny * style.bend;
            Rgb c = style.body.at(t);
            float diffuse = 0.55f + 0.45f * std::max(0.0f, nx * lx + ny * ly + nz * lz);
            float shine = exact::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hl), 24.0f) * style.specular;
            canvas.paint(x, y, c * diffuse + Rgb{shine, shine, shine}, body);
        }
}

void addNeonLine(Canvas& canvas, Segment s, Rgb colour, float core, float halo)
{
    const float reach = core + halo * 4.0f;
    int x0 = int(std::min(s.x0, s.x1) - reach), x1 = int(std::max(s.x0, s.x1) + reach);
    int y0 = int(std::min(s.y0, s.y1) - reach), y1 = int(std::max(s.y0, s.y1) + reach);
    for (int y = std::max(0, y0); y <= std::min(canvas.height() - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(canvas.width() - 1, x1); ++x) {
            float dx, dy;
            float d = segmentDistance(s, float(x) + 0.5f, float(y) + 0.5f, dx, dy);
            float inner = clamp01(core + 0.5f - d);
            float glow = exact::exp(-std::max(0.0f, d - core) / halo) * 0.6f;
            canvas.addLight(x, y, colour * glow + Rgb{1, 1, 1} * (inner * 0.6f) + colour * inner);
        }
}

void paintDisc(Canvas& canvas, float cx, float cy, float radius, Rgb colour, float opacity)
{
    for (int y = int(cy - radius - 2); y <= int(cy + radius + 2); ++y)
        for (int x = int(cx - radius - 2); x <= int(cx + radius + 2); ++x) {
            float d = exact::hypot(float(x) + 0.5f - cx, float(y) + 0.5f - cy);
            canvas.paint(x, y, colour, clamp01(radius + 0.5f - d) * opacity);
        }
}

void paintRing(Canvas& canvas, float cx, float cy, float radius, float halfWidth, Rgb colour, float opacity)
{
    float outer = radius + halfWidth + 2;
    for (int y = int(cy - outer); y <= int(cy + outer); ++y)
        for (int x = int(cx - outer); x <= int(cx + outer); ++x) {
            float d = std::fabs(exact::hypot(float(x) + 0.5f - cx, float(y) + 0.5f - cy) - radius);
            canvas.paint(x, y, colour, clamp01(halfWidth + 0.5f - d) * opacity);
        }
}

void bevelFrame(Canvas& canvas, Rect w, int width, Rgb metal)
{
    for (int y = w.top - width; y < w.bottom + width; ++y)
        for (int x = w.left - width; x < w.right + width; ++x) {
            if (x >= w.left && x < w.right && y >= w.top && y < w.bottom)
                continue;
            // Distance into the frame from the outside edge, and which side it is on.
            int fromLeft = x - (w.left - width), fromRight = (w.right + width - 1) - x;
            int fromTop = y - (w.top - width), fromBottom = (w.bottom + width - 1) - y;
            int inLeft = w.left - 1 - x, inRight = x - w.right, inTop = w.top - 1 - y, inBottom = y - w.bottom;
            int inner = std::max({inLeft, inRight, inTop, inBottom});  // distance from the opening
            int outer = std::min({fromLeft, fromRight, fromTop, fromBottom});
            float shade;
            // The outer half slopes up toward the opening, the inner half down into it.
            bool outerHalf = outer < width / 2;
            int side = outer == fromTop ? 0 : outer == fromLeft ? 1 : outer == fromBottom ? 2 : 3;
            if (!outerHalf)
                side = inner == inTop ? 0 : inner == inLeft ? 1 : inner == inBottom ? 2 : 3;
            const float lit[4] = {1.35f, 1.1f, 0.45f, 0.65f};  // top, left, bottom, right
            shade = outerHalf ? lit[side] : lit[(side + 2) % 4] * 0.9f;
            if (outer == 0 || inner == 0)
                shade = 0.15f;  // dark seams at both edges
            float ridge = 1.0f - std::fabs(float(outer) - float(width) * 0.5f) / float(width);
            canvas.paint(x, y, metal * (shade * (0.75f + 0.35f * ridge)));
        }
}

void addStarfield(Canvas& canvas, Rect area, int count, Prng& prng, Rgb tint)
{
    for (int i = 0; i < count; ++i) {
        float x = prng.range(float(area.left), float(area.right));
        float y = prng.range(float(area.top), float(area.bottom));
        float bright = exact::pow(prng.unit(), 3.0f);
        Rgb c = mix(tint, Rgb{1, 1, 1}, prng.unit() * 0.5f) * (0.25f + 0.9f * bright);
        canvas.addLight(int(x), int(y), c);
        if (bright > 0.35f) {
            float arm = 2.0f + bright * 10.0f;
            for (int k = 1; k <= int(arm); ++k) {
                float f = (1.0f - float(k) / (arm + 1)) * 0.7f;
                f *= f;
                canvas.addLight(int(x) + k, int(y), c * f);
                canvas.addLight(int(x) - k, int(y), c * f);
                canvas.addLight(int(x), int(y) + k, c * f);
                canvas.addLight(int(x), int(y) - k, c * f);
            }
        }
    }
}

void scanlines(Canvas& canvas, Rect area, float darkness)
{
    for (int y = area.top; y < area.bottom; y += 2)
        for (int x = area.left; x < area.right; ++x) {
            if (!canvas.inside(x, y) || canvas.coverage(x, y) <= 0)
                continue;
            Rgb c = canvas.colour(x, y);
            float a = canvas.coverage(x, y);
            canvas.erase(x, y);
            canvas.paint(x, y, c * (1.0f - darkness), a);
        }
}
