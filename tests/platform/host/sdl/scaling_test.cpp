// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/scaling.h"

#include <gtest/gtest.h>

using host::frameRectangle;
using host::outputToFrame;
using host::Rect;
using host::Scale;

// Aspect bars the long side; integer uses whole multiples (shrinking when none fits); stretch fills.
TEST(Scaling, FrameRectangleForEachModeAndOutput)
{
    const struct {
        Scale scale;
        int outputWidth, outputHeight, frameWidth;
        Rect expected;
    } cases[] = {
        {Scale::aspect, 1920, 1080, 640, {240, 0, 1440, 1080}},
        {Scale::aspect, 640, 960, 640, {0, 240, 640, 480}},
        {Scale::aspect, 1024, 768, 640, {0, 0, 1024, 768}},
        {Scale::aspect, 641, 480, 640, {0, 0, 640, 480}},
        {Scale::integer, 1920, 1080, 640, {320, 60, 1280, 960}},
        {Scale::integer, 1280, 1024, 640, {0, 32, 1280, 960}},
        {Scale::integer, 1279, 1024, 640, {319, 272, 640, 480}},
        {Scale::integer, 320, 480, 640, {0, 120, 320, 240}},
        {Scale::stretch, 1920, 1080, 640, {0, 0, 1920, 1080}},
        {Scale::aspect, 0, 1080, 640, {}},
        {Scale::integer, 800, 600, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frameRectangle(c.scale, c.outputWidth, c.outputHeight, c.frameWidth, 480), c.expected)
            << int(c.scale) << " " << c.outputWidth << "x" << c.outputHeight << " frame width " << c.frameWidth;
}

TEST(Scaling, OutputPointsMapBackToFramePixelsAndBarsToNothing)
{
    const Rect shown = frameRectangle(Scale::aspect, 1920, 1080, 640, 480);
    const struct {
        int outX, outY;
        bool inside;
        int x, y;
    } cases[] = {
        {240, 0, true, 0, 0},    {240 + 1439, 1079, true, 639, 479}, {960, 540, true, 320, 240},
        {239, 500, false, 0, 0}, {1680, 500, false, 0, 0},
    };
    for (const auto& c : cases) {
        int x = -1, y = -1;
        ASSERT_EQ(outputToFrame(shown, 640, 480, c.outX, c.outY, x, y), c.inside) << c.outX << "," << c.outY;
        if (c.inside) {
            EXPECT_TRUE(x == c.x && y == c.y) << c.outX << "," << c.outY << " gave " << x << "," << y;
        }
    }
    int x, y;
    EXPECT_FALSE(outputToFrame(Rect{}, 640, 480, 0, 0, x, y));
}
