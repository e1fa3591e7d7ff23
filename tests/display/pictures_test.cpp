// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "display/pictures.h"

#include "bmp_writer.h"
#include "ddraw_soft.h"
#include "effect_screen.h"

#include <gtest/gtest.h>

namespace {

// A picture whose colour depends on the position, with some pure blue pixels.
Image24 patternImage(int width, int height)
{
    Image24 image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool blue = (x + y) % 17 == 0;
            image.rgb.insert(image.rgb.end(), {uint8_t(blue ? 0 : x * 255 / width),
                                               uint8_t(blue ? 0 : y * 255 / height), uint8_t(blue ? 255 : x ^ y)});
        }
    return image;
}

uint16_t packed(soft::PixelFormat format, const Image24& image, int x, int y)
{
    const uint8_t* p = &image.rgb[(size_t(y) * image.width + x) * 3];
    return soft::packColour(format, p[0], p[1], p[2]);
}

class Pictures : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (IDirectDrawSurface*& slot : pictureTable) {
            if (slot)
                slot->Release();
            slot = nullptr;
        }
    }
    EffectScreen screen;
};

TEST_F(Pictures, KeyedCopyLeavesOnlyPureBlueOut)
{
    // Pure blue is transparent; one step off in blue or green is an ordinary colour.
    pictureTable[7] = screen.makePicture(640, 480, std::vector<uint16_t>(640 * 480, 0x001F));
    const uint16_t opaque[] = {0x001E, 0x003F, 0x0000, 0xF81F};
    for (int i = 0; i < 4; ++i)
        soft::ddraw::surfaceMemoryOf(pictureTable[7])->at(10 + i, 10) = opaque[i];
    screen.seedBack();
    copyPictureKeyed(7, screen.context());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(screen.back().at(10 + i, 10), opaque[i]);
    for (auto [x, y] : {std::pair{9, 10}, {639, 479}})
        EXPECT_EQ(screen.back().at(x, y), EffectScreen::seedValue(x, y));
}

TEST_F(Pictures, RectangleCopyTouchesOnlyItsRectangle)
{
    std::vector<uint16_t> pixels(640 * 480, 0x07E0);
    pixels[200 * 640 + 100] = 0x001F;
    pictureTable[0] = screen.makePicture(640, 480, pixels);
    screen.seedBack();
    RECT area = {100, 200, 150, 260};
    copyPictureRectKeyed(0, &area, &area, screen.context());
    for (int y = 0; y < 480; y += 3)
        for (int x = 0; x < 640; x += 3) {
            const bool inside = x >= 100 && x < 150 && y >= 200 && y < 260 && !(x == 100 && y == 200);
            ASSERT_EQ(screen.back().at(x, y), inside ? 0x07E0 : EffectScreen::seedValue(x, y)) << x << "," << y;
        }
}

TEST_F(Pictures, SmallPictureStretchesOverTheWholeScreen)
{
    const Image24 image = patternImage(320, 240);
    pictureTable[2] = loadPicture(writeTestFile("stretch.bmp", encodeBmp(image)).c_str(), screen.context());
    ASSERT_NE(pictureTable[2], nullptr);
    soft::SurfaceMemory& picture = *soft::ddraw::surfaceMemoryOf(pictureTable[2]);
    ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(320, 240));
    for (int y = 0; y < 240; y += 7)
        for (int x = 0; x < 320; x += 5)
            ASSERT_EQ(picture.at(x, y), packed(soft::PixelFormat::rgb565, image, x, y));
    screen.seedBack();
    copyPicture(2, screen.context());
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(screen.back().at(x, y), picture.at(x / 2, y / 2)) << x << "," << y;
}

TEST_F(Pictures, MissingPicturesStayEmptyAndCopiesFromThemDrawNothing)
{
    EXPECT_EQ(loadPicture((std::string(MORNAKLE_BINARY_DIR) + "/no-such-picture.bmp").c_str(), screen.context()),
              nullptr);
    screen.seedBack();
    EXPECT_NE(copyPicture(4, screen.context()), DD_OK);
    EXPECT_NE(copyPictureKeyed(4, screen.context()), DD_OK);
    EXPECT_EQ(screen.back().at(320, 240), EffectScreen::seedValue(320, 240));
    EXPECT_EQ(copyBitmapToSurface(nullptr, nullptr, 0, 0, 0, 0), E_FAIL);
}

TEST_F(Pictures, ReleaseGivesBackEveryLoadedSurfaceOnceAndSkipsEmptySlots)
{
    for (int slot : {1, 6}) {
        pictureTable[slot] = screen.makePicture(4, 4, std::vector<uint16_t>(16, 1));
        pictureTable[slot]->AddRef();  // our own reference shows what the table's release left
    }
    releasePictures();
    for (int slot : {1, 6}) {
        EXPECT_EQ(pictureTable[slot]->Release(), 0u);
        pictureTable[slot] = nullptr;
    }
}

TEST_F(Pictures, ShownPictureEndsUpOnBothBuffers)
{
    pictureTable[5] = screen.makePicture(640, 480, std::vector<uint16_t>(640 * 480, 0x1234));
    const int presentedBefore = screen.headless().framesPresented();
    showPictureOnBothBuffers(5, screen.context());
    EXPECT_EQ(screen.headless().framesPresented(), presentedBefore + 1);
    EXPECT_EQ(std::pair(screen.front().at(17, 300), screen.back().at(600, 5)),
              (std::pair<uint16_t, uint16_t>(0x1234, 0x1234)));
}

}  // namespace
