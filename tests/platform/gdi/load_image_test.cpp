// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// LoadImageA from files and the program's resources, what GetObjectA says of it, the object count.
#include "windows.h"

#include "gdi_soft.h"
#include "soft/faults.h"
#include "win32_resources.h"

#include "bitmap_files.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::vector<uint8_t> solidBitmap(int width, int height, uint32_t rgb)
{
    return gdi_test::buildBitmap({width, height}, std::vector<uint32_t>(size_t(width) * size_t(height), rgb));
}

HBITMAP loadFile(const std::string& path, int width = 0, int height = 0)
{
    return (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, width, height,
                               LR_CREATEDIBSECTION | LR_LOADFROMFILE);
}

HBITMAP loadResource(LPCSTR name)
{
    return (HBITMAP)LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
}

// The colour of one pixel of a bitmap, read through a memory device context.
COLORREF pixelOf(HBITMAP bitmap, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return c;
}

TEST(LoadImage, FileBecomesABitmapThatGetObjectDescribes)
{
    int before = soft::gdi::liveObjectCount();
    HBITMAP bitmap = loadFile(gdi_test::writeFile("load_image_file.bmp", solidBitmap(37, 21, 0x102030)));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(soft::gdi::liveObjectCount(), before + 1);
    EXPECT_EQ(GetObjectType(bitmap), DWORD(OBJ_BITMAP));
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP), &bm), int(sizeof(BITMAP)));
    EXPECT_EQ((std::array<long, 5>{bm.bmWidth, bm.bmHeight, bm.bmPlanes, bm.bmBitsPixel, bm.bmWidthBytes}),
              (std::array<long, 5>{37, 21, 1, 32, 37 * 4}));
    ASSERT_TRUE(bm.bmBits);
    EXPECT_EQ(static_cast<const uint32_t*>(bm.bmBits)[0], 0x102030u);
    // The platform's 32-bit BITMAP is 24 bytes long; such a buffer gets the sizes.
    BITMAP small{};
    EXPECT_EQ(GetObjectA(bitmap, 24, &small), 24);
    EXPECT_EQ(small.bmHeight, 21);
    EXPECT_EQ((std::array{GetObjectA(bitmap, 0, nullptr), GetObjectA(bitmap, 8, &small)}),
              (std::array{int(sizeof(BITMAP)), 0}));
    EXPECT_EQ(pixelOf(bitmap, 36, 20), RGB(0x10, 0x20, 0x30));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(soft::gdi::liveObjectCount(), before);
    EXPECT_FALSE(DeleteObject(bitmap));  // already gone

    HBITMAP stretched =
        loadFile(gdi_test::writeFile("load_image_two.bmp", gdi_test::buildBitmap({2, 1}, {0xFF0000, 0x0000FF})), 6, 3);
    ASSERT_TRUE(stretched);  // an asked size stretches the bitmap
    GetObjectA(stretched, sizeof bm, &bm);
    EXPECT_EQ((std::array<long, 2>{bm.bmWidth, bm.bmHeight}), (std::array<long, 2>{6, 3}));
    EXPECT_EQ(std::pair(pixelOf(stretched, 2, 2), pixelOf(stretched, 3, 0)), std::pair(RGB(255, 0, 0), RGB(0, 0, 255)));
    DeleteObject(stretched);
}

TEST(LoadImage, ResourceOfTheProgramBeatsAFileOfTheSameName)
{
    // The resource is registered under the file's own path name.
    const std::string path = gdi_test::writeFile("load_image_both.bmp", solidBitmap(4, 4, 0x0000FF));
    soft::win32::registerBitmapResource(path, solidBitmap(4, 4, 0xFF0000));
    HBITMAP fromResource = loadResource(path.c_str()), fromFile = loadFile(path);
    ASSERT_TRUE(fromResource && fromFile);
    EXPECT_EQ(std::pair(pixelOf(fromResource, 1, 1), pixelOf(fromFile, 1, 1)),
              std::pair(RGB(255, 0, 0), RGB(0, 0, 255)));
    // Without a resource of that name there is no bitmap; numbered ones are found under "#number".
    soft::win32::unregisterBitmapResource(path);
    EXPECT_FALSE(loadResource(path.c_str()));
    soft::win32::registerBitmapResource("#7", solidBitmap(2, 2, 0x00FF00));
    HBITMAP numbered = loadResource(MAKEINTRESOURCEA(7));
    ASSERT_TRUE(numbered);
    EXPECT_EQ(pixelOf(numbered, 0, 0), RGB(0, 255, 0));
    soft::win32::unregisterBitmapResource("#7");
    for (HBITMAP b : {fromResource, fromFile, numbered})
        DeleteObject(b);
}

TEST(LoadImage, NothingToLoadGivesNull)
{
    int before = soft::gdi::liveObjectCount();
    EXPECT_FALSE(loadFile("no_such_file.bmp"));
    std::vector<uint8_t> broken = solidBitmap(4, 4, 0);
    broken.resize(broken.size() - 3);
    EXPECT_FALSE(loadFile(gdi_test::writeFile("load_image_broken.bmp", broken)));
    const std::string good = gdi_test::writeFile("load_image_good.bmp", solidBitmap(4, 4, 0));
    EXPECT_FALSE(LoadImageA(nullptr, good.c_str(), IMAGE_ICON, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    // Without LR_LOADFROMFILE and without a module there is nothing to look in.
    EXPECT_FALSE(LoadImageA(nullptr, good.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    EXPECT_EQ(soft::gdi::liveObjectCount(), before);
}

TEST(ObjectCounting, EveryObjectAndContextCountsUntilDeleted)
{
    int before = soft::gdi::liveObjectCount();
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_DASH, 6, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    EXPECT_EQ(soft::gdi::liveObjectCount(), before + 4);
    // Stock objects are not counted and deleting them does nothing.
    for (int stock : {ANSI_FIXED_FONT, OEM_FIXED_FONT, NULL_BRUSH, DEFAULT_GUI_FONT, BLACK_PEN, WHITE_BRUSH}) {
        ASSERT_TRUE(GetStockObject(stock));
        EXPECT_TRUE(DeleteObject(GetStockObject(stock)));
    }
    EXPECT_EQ(soft::gdi::liveObjectCount(), before + 4);
    // A pen selected into a context cannot be deleted until it is selected out.
    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(dc, oldPen), pen);
    for (HGDIOBJ object : std::initializer_list<HGDIOBJ>{pen, brush, region})
        EXPECT_TRUE(DeleteObject(object));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(soft::gdi::liveObjectCount(), before);
    soft::SurfaceMemory surface(8, 8, soft::PixelFormat::rgb565);
    HDC surfaceDc = soft::gdi::createSurfaceDC(&surface);
    EXPECT_EQ(soft::gdi::liveObjectCount(), before + 1);
    soft::gdi::releaseSurfaceDC(surfaceDc);
    EXPECT_EQ(soft::gdi::liveObjectCount(), before);
}

TEST(ObjectCounting, ABitmapGoesIntoOneMemoryContextAtATime)
{
    HBITMAP bitmap = loadFile(gdi_test::writeFile("load_image_select.bmp", solidBitmap(3, 3, 0xFFFFFF)));
    ASSERT_TRUE(bitmap);
    HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(SelectObject(first, bitmap));
    EXPECT_FALSE(SelectObject(second, bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    soft::SurfaceMemory surface(4, 4, soft::PixelFormat::rgb565);
    HDC surfaceDc = soft::gdi::createSurfaceDC(&surface);
    EXPECT_FALSE(SelectObject(surfaceDc, bitmap));  // a surface context takes no bitmap
    soft::gdi::releaseSurfaceDC(surfaceDc);
    // Deleting the context lets the bitmap go, as the picture loader does it.
    DeleteDC(first);
    DeleteDC(second);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(ObjectCounting, InjectedFaultsFailCreationOnce)
{
    int before = soft::gdi::liveObjectCount();
    for (const char* call : {"CreateCompatibleDC", "LoadImageA", "CreatePen", "CreateSolidBrush", "CreateRectRgn"})
        soft::injectFault(call, 1);
    const std::string path = gdi_test::writeFile("load_image_fault.bmp", solidBitmap(2, 2, 0));
    EXPECT_FALSE(CreateCompatibleDC(nullptr) || loadFile(path) || CreatePen(PS_SOLID, 1, 0) || CreateSolidBrush(0));
    EXPECT_FALSE(CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(soft::gdi::liveObjectCount(), before);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = loadFile(path);
    EXPECT_TRUE(dc && bitmap);
    DeleteDC(dc);
    DeleteObject(bitmap);
    soft::clearFaults();
}

}  // namespace
