#include "display/pictures.h"

#include "ddraw_soft.h"
#include "effect_screen.h"
#include "win32_resources.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A picture of `width` x `height` whose colour depends on the position, with some
// pure blue (transparent) pixels, as a bitmap file's bytes.
std::vector<uint8_t> patternRgb(int width, int height)
{
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = rgb.data() + (size_t(y) * width + x) * 3;
            if ((x + y) % 17 == 0) {
                p[0] = 0, p[1] = 0, p[2] = 255;
            } else {
                p[0] = uint8_t(x * 255 / width), p[1] = uint8_t(y * 255 / height), p[2] = uint8_t(x ^ y);
            }
        }
    }
    return rgb;
}

std::vector<uint8_t> solidRgb(int width, int height, uint8_t r, uint8_t g, uint8_t b)
{
    std::vector<uint8_t> rgb;
    for (int i = 0; i < width * height; ++i)
        rgb.insert(rgb.end(), {r, g, b});
    return rgb;
}

class Pictures : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (IDirectDrawSurface*& slot : PictureTable) {
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
    PictureTable[7] = screen.makePicture(640, 480, std::vector<uint16_t>(640 * 480, 0x001F));
    soft::SurfaceMemory& picture = *surfaceMemoryOf(PictureTable[7]);
    picture.at(10, 10) = 0x001E;
    picture.at(11, 10) = 0x003F;
    picture.at(12, 10) = 0x0000;
    picture.at(13, 10) = 0xF81F;
    screen.seedBack();

    copyPictureKeyed(7, screen.context());
    soft::SurfaceMemory& back = screen.back();
    EXPECT_EQ(back.at(10, 10), 0x001E);
    EXPECT_EQ(back.at(11, 10), 0x003F);
    EXPECT_EQ(back.at(12, 10), 0x0000);
    EXPECT_EQ(back.at(13, 10), 0xF81F);
    EXPECT_EQ(back.at(9, 10), EffectScreen::seedValue(9, 10));
    EXPECT_EQ(back.at(639, 479), EffectScreen::seedValue(639, 479));
}

TEST_F(Pictures, RectangleCopyTouchesOnlyItsRectangle)
{
    std::vector<uint16_t> pixels(640 * 480, 0x07E0);
    pixels[200 * 640 + 100] = 0x001F;
    PictureTable[0] = screen.makePicture(640, 480, pixels);
    screen.seedBack();
    RECT area = {100, 200, 150, 260};
    copyPictureRectKeyed(0, &area, &area, screen.context());
    soft::SurfaceMemory& back = screen.back();
    for (int y = 0; y < 480; y += 3) {
        for (int x = 0; x < 640; x += 3) {
            const bool inside = x >= 100 && x < 150 && y >= 200 && y < 260;
            const uint16_t expected =
                inside && !(x == 100 && y == 200) ? 0x07E0 : EffectScreen::seedValue(x, y);
            ASSERT_EQ(back.at(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(Pictures, SmallPictureStretchesOverTheWholeScreen)
{
    const std::vector<uint8_t> rgb = patternRgb(320, 240);
    writeFile(testPath("stretch.bmp"), encodeBitmapFile(320, 240, rgb));
    PictureTable[2] = loadPicture(testPath("stretch.bmp").c_str(), screen.context());
    ASSERT_NE(PictureTable[2], nullptr);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    PictureTable[2]->GetSurfaceDesc(&desc);
    EXPECT_EQ(desc.dwWidth, 320u);
    EXPECT_EQ(desc.dwHeight, 240u);

    soft::SurfaceMemory& picture = *surfaceMemoryOf(PictureTable[2]);
    for (int y = 0; y < 240; y += 7) {
        for (int x = 0; x < 320; x += 5) {
            const uint8_t* p = rgb.data() + (size_t(y) * 320 + x) * 3;
            ASSERT_EQ(picture.at(x, y), soft::packColour(soft::PixelFormat::rgb565, p[0], p[1], p[2]));
        }
    }

    screen.seedBack();
    copyPicture(2, screen.context());
    soft::SurfaceMemory& back = screen.back();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(back.at(x, y), picture.at(x / 2, y / 2)) << x << "," << y;
    screen.saveBack("picture_stretched.png");
}

TEST(PictureFormats, PaddedPitchAnd555GiveTheSamePicture)
{
    const std::vector<uint8_t> rgb = patternRgb(64, 48);
    writeFile(testPath("formats.bmp"), encodeBitmapFile(64, 48, rgb));
    std::vector<soft::Rgb8> seen[2];
    const soft::PixelFormat formats[2] = {soft::PixelFormat::rgb565, soft::PixelFormat::rgb555};
    for (int i = 0; i < 2; ++i) {
        EffectScreen screen(formats[i], i == 0 ? 0 : 36);
        IDirectDrawSurface* surface = loadPicture(testPath("formats.bmp").c_str(), screen.context());
        ASSERT_NE(surface, nullptr);
        soft::SurfaceMemory& memory = *surfaceMemoryOf(surface);
        EXPECT_EQ(memory.format, formats[i]);
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) {
                const uint8_t* p = rgb.data() + (size_t(y) * 64 + x) * 3;
                ASSERT_EQ(memory.at(x, y), soft::packColour(formats[i], p[0], p[1], p[2]));
                // Compared at five bits a channel, what both formats keep.
                const soft::Rgb8 c = soft::unpackColour(formats[i], memory.at(x, y));
                seen[i].push_back({uint8_t(c.r >> 3), uint8_t(c.g >> 3), uint8_t(c.b >> 3)});
            }
        }
        surface->Release();
    }
    for (size_t n = 0; n < seen[0].size(); ++n) {
        ASSERT_EQ(seen[0][n].r, seen[1][n].r);
        ASSERT_EQ(seen[0][n].g, seen[1][n].g);
        ASSERT_EQ(seen[0][n].b, seen[1][n].b);
    }
}

TEST_F(Pictures, ResourceWinsOverTheFileOfTheSameName)
{
    const std::string name = testPath("both.bmp");
    writeFile(name, encodeBitmapFile(8, 8, solidRgb(8, 8, 255, 0, 0)));
    win32::registerBitmapResource(name, encodeBitmapFile(8, 8, solidRgb(8, 8, 0, 255, 0)));
    IDirectDrawSurface* fromResource = loadPicture(name.c_str(), screen.context());
    win32::unregisterBitmapResource(name);
    IDirectDrawSurface* fromFile = loadPicture(name.c_str(), screen.context());
    ASSERT_NE(fromResource, nullptr);
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(surfaceMemoryOf(fromResource)->at(3, 3), 0x07E0);
    EXPECT_EQ(surfaceMemoryOf(fromFile)->at(3, 3), 0xF800);
    fromResource->Release();
    fromFile->Release();
}

TEST_F(Pictures, MissingPicturesStayEmptyAndCopiesFromThemDrawNothing)
{
    EXPECT_EQ(loadPicture(testPath("no-such-picture.bmp").c_str(), screen.context()), nullptr);
    screen.seedBack();
    EXPECT_NE(copyPicture(4, screen.context()), DD_OK);
    EXPECT_NE(copyPictureKeyed(4, screen.context()), DD_OK);
    EXPECT_EQ(screen.back().at(320, 240), EffectScreen::seedValue(320, 240));
    EXPECT_EQ(copyBitmapToSurface(nullptr, nullptr, 0, 0, 0, 0), E_FAIL);
}

TEST_F(Pictures, ReleaseGivesBackEveryLoadedSurfaceOnce)
{
    PictureTable[1] = screen.makePicture(4, 4, std::vector<uint16_t>(16, 1));
    PictureTable[6] = screen.makePicture(4, 4, std::vector<uint16_t>(16, 2));
    // Our own reference shows what the table's release left.
    PictureTable[1]->AddRef();
    PictureTable[6]->AddRef();
    releasePictures();
    EXPECT_EQ(PictureTable[1]->Release(), 0u);
    EXPECT_EQ(PictureTable[6]->Release(), 0u);
    PictureTable[1] = PictureTable[6] = nullptr;
}

TEST_F(Pictures, ShownPictureEndsUpOnBothBuffers)
{
    PictureTable[5] = screen.makePicture(640, 480, std::vector<uint16_t>(640 * 480, 0x1234));
    const int presentedBefore = screen.headless().framesPresented();
    showPictureOnBothBuffers(5, screen.context());
    EXPECT_EQ(screen.headless().framesPresented(), presentedBefore + 1);
    EXPECT_EQ(screen.front().at(17, 300), 0x1234);
    EXPECT_EQ(screen.back().at(600, 5), 0x1234);
}

} // namespace
