// StretchBlt from a DIB section onto DirectDraw surfaces: colour conversion in both
// 16-bit formats, padded pitches, nearest-neighbour stretching and the clip.
#include "windows.h"

#include "gdi_soft.h"
#include "soft/pixels.h"

#include "bitmap_files.h"

#include <gtest/gtest.h>

namespace {

// A 24-bit bitmap loaded through a file, as the picture loader gets it; deleted with the test.
struct Picture {
    HBITMAP bitmap;
    Picture(int width, int height, const std::vector<uint32_t>& rgb)
        : bitmap((HBITMAP)LoadImageA(
              nullptr, gdi_test::writeFile("stretch_picture.bmp", gdi_test::buildBitmap({width, height}, rgb)).c_str(),
              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE))
    {
        EXPECT_TRUE(bitmap);
    }
    ~Picture() { DeleteObject(bitmap); }

    // The copy at (x, y) of size w x h (the whole surface when 0) from the source's
    // top-left srcW x srcH pixels; returns what StretchBlt returned.
    BOOL copyOnto(soft::SurfaceMemory& surface, int srcW, int srcH, int w = 0, int h = 0, HRGN clip = nullptr,
                  int x = 0, DWORD rop = SRCCOPY)
    {
        HDC memory = CreateCompatibleDC(nullptr);
        SelectObject(memory, bitmap);
        HDC dc = gdiCreateSurfaceDC(&surface);
        SelectClipRgn(dc, clip);
        BOOL done = StretchBlt(dc, x, 0, w ? w : surface.width, h ? h : surface.height, memory, 0, 0, srcW, srcH, rop);
        gdiReleaseSurfaceDC(dc);
        DeleteDC(memory);
        return done;
    }
};

TEST(StretchBlt, ColoursKeepTheirTopBitsInBothFormats)
{
    const std::vector<uint32_t> colours = {0x0000FF, 0xFFFFFF, 0x000000, 0x878685, 0x0000F8, 0x0000F7, 0x00FC00};
    Picture picture(int(colours.size()), 1, colours);
    for (soft::PixelFormat format : {soft::PixelFormat::rgb565, soft::PixelFormat::rgb555}) {
        soft::SurfaceMemory surface(int(colours.size()), 1, format);
        EXPECT_TRUE(picture.copyOnto(surface, int(colours.size()), 1));
        for (size_t i = 0; i < colours.size(); ++i) {
            uint32_t r = colours[i] >> 16, g = colours[i] >> 8 & 0xFF, b = colours[i] & 0xFF;
            EXPECT_EQ(surface.at(int(i), 0), format == soft::PixelFormat::rgb565
                                                 ? (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)
                                                 : (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))
                << i;
        }
        // Pure blue is the pictures' colour key in either format; one step less is not.
        EXPECT_EQ(surface.at(0, 0), 0x001F);
        EXPECT_EQ(surface.at(5, 0), 0x001E);
    }
}

TEST(StretchBlt, NearestNeighbourDoublesHalvesAndMirrors)
{
    // A 4 x 2 picture of distinct colours stretched over 8 x 4: every source pixel
    // becomes a 2 x 2 block.
    std::vector<uint32_t> rgb;
    for (uint32_t i = 0; i < 8; ++i)
        rgb.push_back(i * 32 << 16 | (255 - i * 32));
    Picture picture(4, 2, rgb);
    soft::SurfaceMemory big(8, 4, soft::PixelFormat::rgb565);
    picture.copyOnto(big, 4, 2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            uint32_t c = rgb[size_t((y / 2) * 4 + x / 2)];
            EXPECT_EQ(big.at(x, y), soft::packColour(big.format, uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)));
        }
    // Shrinking samples the source at the destination pixels' centres: of 4 x 2 onto
    // 2 x 1, the pixels (1, 1) and (3, 1).
    soft::SurfaceMemory small(2, 1, soft::PixelFormat::rgb565);
    picture.copyOnto(small, 4, 2);
    EXPECT_EQ(small.at(0, 0), big.at(2, 2));
    EXPECT_EQ(small.at(1, 0), big.at(6, 2));
    // A negative width mirrors; only SRCCOPY is done.
    soft::SurfaceMemory mirrored(4, 1, soft::PixelFormat::rgb565);
    EXPECT_TRUE(picture.copyOnto(mirrored, 4, 1, -4, 1, nullptr, 4));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(mirrored.at(x, 0), big.at(2 * (3 - x), 0)) << x;
    EXPECT_FALSE(picture.copyOnto(mirrored, 4, 1, 0, 0, nullptr, 0, 0x00EE0086));
}

TEST(StretchBlt, ClipRegionAndSurfaceEdgesBoundTheCopy)
{
    Picture picture(2, 2, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF});
    soft::SurfaceMemory surface(10, 10, soft::PixelFormat::rgb555);
    HRGN clip = CreateRectRgn(2, 3, 6, 8);
    picture.copyOnto(surface, 2, 2, 0, 0, clip);
    DeleteObject(clip);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(surface.at(x, y), (x >= 2 && x < 6 && y >= 3 && y < 8) ? 0x7FFF : 0) << x << "," << y;
    // A destination far larger than the surface writes only the surface.
    soft::SurfaceMemory tiny(3, 3, soft::PixelFormat::rgb565, 2);
    picture.copyOnto(tiny, 2, 2, 5000, 5000);
    EXPECT_EQ(tiny.at(2, 2), 0xFFFF);
}

}  // namespace
