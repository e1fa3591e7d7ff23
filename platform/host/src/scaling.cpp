// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/scaling.h"

#include <algorithm>
#include <cstdint>

namespace host {
namespace {

Rect centred(int outputWidth, int outputHeight, int width, int height)
{
    return Rect{(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

Rect keepingShape(int outputWidth, int outputHeight, int frameWidth, int frameHeight)
{
    // Compare outputWidth / outputHeight with frameWidth / frameHeight without rounding.
    int64_t wide = int64_t(outputWidth) * frameHeight;
    int64_t tall = int64_t(outputHeight) * frameWidth;
    if (wide >= tall) {  // bars left and right
        int width = int(tall / frameHeight);
        return centred(outputWidth, outputHeight, width, outputHeight);
    }
    int height = int(wide / frameWidth);
    return centred(outputWidth, outputHeight, outputWidth, height);
}

}  // namespace

Rect frameRectangle(Scale scale, int outputWidth, int outputHeight, int frameWidth, int frameHeight)
{
    if (outputWidth <= 0 || outputHeight <= 0 || frameWidth <= 0 || frameHeight <= 0)
        return Rect{};
    switch (scale) {
    case Scale::stretch:
        return Rect{0, 0, outputWidth, outputHeight};
    case Scale::integer: {
        int factor = std::min(outputWidth / frameWidth, outputHeight / frameHeight);
        if (factor >= 1)
            return centred(outputWidth, outputHeight, frameWidth * factor, frameHeight * factor);
        return keepingShape(outputWidth, outputHeight, frameWidth, frameHeight);
    }
    case Scale::aspect:
        break;
    }
    return keepingShape(outputWidth, outputHeight, frameWidth, frameHeight);
}

bool outputToFrame(const Rect& shown, int frameWidth, int frameHeight, int x, int y, int& frameX, int& frameY)
{
    if (shown.width <= 0 || shown.height <= 0)
        return false;
    if (x < shown.x || y < shown.y || x >= shown.x + shown.width || y >= shown.y + shown.height)
        return false;
    frameX = int(int64_t(x - shown.x) * frameWidth / shown.width);
    frameY = int(int64_t(y - shown.y) * frameHeight / shown.height);
    return true;
}

}  // namespace host
