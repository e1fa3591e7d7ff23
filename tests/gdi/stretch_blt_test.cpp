// StretchBlt from a DIB section onto DirectDraw surfaces: colour conversion in both
// 16-bit formats, padded pitches, nearest-neighbour stretching and the clip.
#include "windows.h"

#include "gdi_soft.h"
#include "soft/pixels.h"

#include "bitmap_builder.h"
#include "surface_png.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr UINT kFromFile = LR_CREATEDIBSECTION | LR_LOADFROMFILE;

// A 24-bit bitmap loaded through a file, as the picture loader gets it.
HBITMAP loadPicture(int width, int height, const std::vector<uint32_t>& rgb)
{
    gdi_test::BitmapSpec spec;
    spec.width = width;
    spec.height = height;
    std::vector<uint8_t> bytes = gdi_test::buildBitmap(spec, rgb);
    std::string path = gdi_test::outputPath("stretch_picture.bmp");
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, kFromFile);
}

// Copies the whole bitmap over the whole surface the way the picture loader does.
void copyOnto(soft::SurfaceMemory& surface, HBITMAP bitmap, int srcW, int srcH, int dstW = 0, int dstH = 0,
              HRGN clip = nullptr)
{
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, bitmap);
    HDC dc = gdiCreateSurfaceDC(&surface);
    if (clip)
        SelectClipRgn(dc, clip);
    EXPECT_TRUE(StretchBlt(dc, 0, 0, dstW ? dstW : surface.width, dstH ? dstH : surface.height, memory, 0, 0, srcW,
                           srcH, SRCCOPY));
    gdiReleaseSurfaceDC(dc);
    DeleteDC(memory);
}

TEST(StretchBlt, ColoursKeepTheirTopBitsInBothFormats)
{
    const std::vector<uint32_t> colours = {0x0000FF, 0xFFFFFF, 0x000000, 0x878685, 0x0000F8, 0x0000F7, 0x00FC00};
    HBITMAP picture = loadPicture(int(colours.size()), 1, colours);
    ASSERT_TRUE(picture);
    for (soft::PixelFormat format : {soft::PixelFormat::rgb565, soft::PixelFormat::rgb555}) {
        soft::SurfaceMemory surface(int(colours.size()), 1, format);
        copyOnto(surface, picture, int(colours.size()), 1);
        for (size_t i = 0; i < colours.size(); ++i) {
            uint32_t c = colours[i];
            uint8_t r = uint8_t(c >> 16), g = uint8_t(c >> 8), b = uint8_t(c);
            uint16_t expected = format == soft::PixelFormat::rgb565 ? uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3))
                                                                     : uint16_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
            EXPECT_EQ(surface.at(int(i), 0), expected) << i;
        }
        // Pure blue is the pictures' colour key in either format; one step less is not.
        EXPECT_EQ(surface.at(0, 0), 0x001F);
        EXPECT_EQ(surface.at(5, 0), 0x001E);
    }
    DeleteObject(picture);
}

TEST(StretchBlt, PaddedPitchLeavesThePaddingAlone)
{
    HBITMAP picture = loadPicture(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF00FF});
    ASSERT_TRUE(picture);
    soft::SurfaceMemory surface(3, 2, soft::PixelFormat::rgb565, 10);
    std::fill(surface.bytes.begin(), surface.bytes.end(), uint8_t(0xAB));
    copyOnto(surface, picture, 3, 2);
    EXPECT_EQ(surface.at(0, 0), 0xF800);
    EXPECT_EQ(surface.at(2, 0), 0x001F);
    EXPECT_EQ(surface.at(0, 1), 0xFFFF);
    EXPECT_EQ(surface.at(2, 1), 0xF81F);
    for (int y = 0; y < 2; ++y)
        for (int b = 6; b < surface.pitch; ++b)
            EXPECT_EQ(surface.bytes[size_t(y * surface.pitch + b)], 0xAB) << y << "," << b;
    DeleteObject(picture);
}

TEST(StretchBlt, NearestNeighbourDoublesAndHalves)
{
    // A 4 x 2 picture of distinct colours stretched over 8 x 4: every source pixel
    // becomes a 2 x 2 block.
    std::vector<uint32_t> rgb;
    for (int i = 0; i < 8; ++i)
        rgb.push_back(uint32_t(i * 32) << 16 | uint32_t(255 - i * 32));
    HBITMAP picture = loadPicture(4, 2, rgb);
    ASSERT_TRUE(picture);
    soft::SurfaceMemory big(8, 4, soft::PixelFormat::rgb565);
    copyOnto(big, picture, 4, 2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            uint32_t c = rgb[size_t((y / 2) * 4 + x / 2)];
            EXPECT_EQ(big.at(x, y), soft::packColour(big.format, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)));
        }
    // Shrinking samples the source at the destination pixels' centres: of 4 x 2 onto
    // 2 x 1, the pixels (1, 1) and (3, 1).
    soft::SurfaceMemory small(2, 1, soft::PixelFormat::rgb565);
    copyOnto(small, picture, 4, 2);
    EXPECT_EQ(small.at(0, 0), big.at(2, 2));
    EXPECT_EQ(small.at(1, 0), big.at(6, 2));
    DeleteObject(picture);
}

TEST(StretchBlt, ClipRegionAndSurfaceEdgesBoundTheCopy)
{
    HBITMAP picture = loadPicture(2, 2, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF});
    ASSERT_TRUE(picture);
    soft::SurfaceMemory surface(10, 10, soft::PixelFormat::rgb555);
    HRGN clip = CreateRectRgn(2, 3, 6, 8);
    copyOnto(surface, picture, 2, 2, 0, 0, clip);
    DeleteObject(clip);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(surface.at(x, y), (x >= 2 && x < 6 && y >= 3 && y < 8) ? 0x7FFF : 0) << x << "," << y;

    // A destination far larger than the surface writes only the surface.
    soft::SurfaceMemory tiny(3, 3, soft::PixelFormat::rgb565, 2);
    copyOnto(tiny, picture, 2, 2, 5000, 5000);
    EXPECT_EQ(tiny.at(2, 2), 0xFFFF);
    DeleteObject(picture);
}

TEST(StretchBlt, NegativeWidthMirrors)
{
    HBITMAP picture = loadPicture(3, 1, {0xFF0000, 0x00FF00, 0x0000FF});
    ASSERT_TRUE(picture);
    soft::SurfaceMemory surface(3, 1, soft::PixelFormat::rgb565);
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, picture);
    HDC dc = gdiCreateSurfaceDC(&surface);
    EXPECT_TRUE(StretchBlt(dc, 3, 0, -3, 1, memory, 0, 0, 3, 1, SRCCOPY));
    EXPECT_FALSE(StretchBlt(dc, 0, 0, 3, 1, memory, 0, 0, 3, 1, 0x00EE0086));  // only SRCCOPY
    gdiReleaseSurfaceDC(dc);
    DeleteDC(memory);
    DeleteObject(picture);
    EXPECT_EQ(surface.at(0, 0), 0x001F);
    EXPECT_EQ(surface.at(1, 0), 0x07E0);
    EXPECT_EQ(surface.at(2, 0), 0xF800);
}

} // namespace
