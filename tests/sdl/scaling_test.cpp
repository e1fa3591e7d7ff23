#include "scaling.h"

#include <gtest/gtest.h>

using host::SdlHostOptions;
using host::sdl::frameRectangle;
using host::sdl::outputToFrame;
using host::sdl::Rect;
using Scale = SdlHostOptions::Scale;

TEST(Scaling, AspectKeepsTheShapeWithBarsOnTheLongSide)
{
    EXPECT_EQ(frameRectangle(Scale::aspect, 1920, 1080, 640, 480), (Rect{240, 0, 1440, 1080}));
    EXPECT_EQ(frameRectangle(Scale::aspect, 640, 960, 640, 480), (Rect{0, 240, 640, 480}));
    EXPECT_EQ(frameRectangle(Scale::aspect, 1024, 768, 640, 480), (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(frameRectangle(Scale::aspect, 641, 480, 640, 480), (Rect{0, 0, 640, 480}));
}

TEST(Scaling, IntegerUsesWholeMultiplesAndShrinksWhenOneDoesNotFit)
{
    EXPECT_EQ(frameRectangle(Scale::integer, 1920, 1080, 640, 480), (Rect{320, 60, 1280, 960}));
    EXPECT_EQ(frameRectangle(Scale::integer, 1280, 1024, 640, 480), (Rect{0, 32, 1280, 960}));
    EXPECT_EQ(frameRectangle(Scale::integer, 1279, 1024, 640, 480), (Rect{319, 272, 640, 480}));
    EXPECT_EQ(frameRectangle(Scale::integer, 320, 480, 640, 480), (Rect{0, 120, 320, 240}));
}

TEST(Scaling, StretchFillsTheOutputAndEmptySizesGiveNothing)
{
    EXPECT_EQ(frameRectangle(Scale::stretch, 1920, 1080, 640, 480), (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(frameRectangle(Scale::aspect, 0, 1080, 640, 480), Rect{});
    EXPECT_EQ(frameRectangle(Scale::integer, 800, 600, 0, 480), Rect{});
}

TEST(Scaling, OutputPointsMapBackToFramePixelsAndBarsToNothing)
{
    Rect shown = frameRectangle(Scale::aspect, 1920, 1080, 640, 480);
    int x = -1, y = -1;
    ASSERT_TRUE(outputToFrame(shown, 640, 480, 240, 0, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(outputToFrame(shown, 640, 480, 240 + 1439, 1079, x, y));
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    ASSERT_TRUE(outputToFrame(shown, 640, 480, 960, 540, x, y));
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    EXPECT_FALSE(outputToFrame(shown, 640, 480, 239, 500, x, y));
    EXPECT_FALSE(outputToFrame(shown, 640, 480, 1680, 500, x, y));
    EXPECT_FALSE(outputToFrame(Rect{}, 640, 480, 0, 0, x, y));
}
