// LoadImageA from files and from the program's bitmap resources, what GetObjectA says
// of the result, and the counting of every object made.
#include "windows.h"

#include "gdi_soft.h"
#include "soft/faults.h"
#include "win32_resources.h"

#include "bitmap_builder.h"
#include "surface_png.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::vector<uint8_t> solidBitmap(int width, int height, uint32_t rgb)
{
    gdi_test::BitmapSpec spec;
    spec.width = width;
    spec.height = height;
    return gdi_test::buildBitmap(spec, std::vector<uint32_t>(size_t(width) * size_t(height), rgb));
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

constexpr UINT kFromFile = LR_CREATEDIBSECTION | LR_LOADFROMFILE;

HBITMAP loadFile(const std::string& path, int width = 0, int height = 0)
{
    return (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, width, height, kFromFile);
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
    int before = gdiLiveObjectCount();
    writeFile(gdi_test::outputPath("load_image_file.bmp"), solidBitmap(37, 21, 0x102030));
    HBITMAP bitmap = loadFile(gdi_test::outputPath("load_image_file.bmp"));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(gdiLiveObjectCount(), before + 1);
    EXPECT_EQ(GetObjectType(bitmap), DWORD(OBJ_BITMAP));

    BITMAP bm{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP), &bm), int(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 37);
    EXPECT_EQ(bm.bmHeight, 21);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidthBytes, 37 * 4);
    ASSERT_TRUE(bm.bmBits);
    EXPECT_EQ(static_cast<const uint32_t*>(bm.bmBits)[0], 0x102030u);
    // The platform's 32-bit BITMAP is 24 bytes long; such a buffer gets the sizes.
    BITMAP small{};
    EXPECT_EQ(GetObjectA(bitmap, 24, &small), 24);
    EXPECT_EQ(small.bmWidth, 37);
    EXPECT_EQ(small.bmHeight, 21);
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), int(sizeof(BITMAP)));
    EXPECT_EQ(GetObjectA(bitmap, 8, &small), 0);

    EXPECT_EQ(pixelOf(bitmap, 36, 20), RGB(0x10, 0x20, 0x30));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(gdiLiveObjectCount(), before);
    EXPECT_FALSE(DeleteObject(bitmap));  // already gone
}

TEST(LoadImage, AskedSizeStretchesTheBitmap)
{
    gdi_test::BitmapSpec spec;
    spec.width = 2;
    spec.height = 1;
    writeFile(gdi_test::outputPath("load_image_two.bmp"), gdi_test::buildBitmap(spec, {0xFF0000, 0x0000FF}));
    HBITMAP bitmap = loadFile(gdi_test::outputPath("load_image_two.bmp"), 6, 3);
    ASSERT_TRUE(bitmap);
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 6);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(pixelOf(bitmap, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(pixelOf(bitmap, 3, 0), RGB(0, 0, 255));
    DeleteObject(bitmap);
}

TEST(LoadImage, ResourceOfTheProgramBeatsAFileOfTheSameName)
{
    // The resource is registered under the file's own path name.
    const std::string name = gdi_test::outputPath("load_image_both.bmp");
    const std::string& path = name;
    writeFile(path, solidBitmap(4, 4, 0x0000FF));
    win32::registerBitmapResource(name, solidBitmap(4, 4, 0xFF0000));
    HINSTANCE self = GetModuleHandleA(nullptr);
    ASSERT_TRUE(self);

    HBITMAP fromResource = (HBITMAP)LoadImageA(self, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_TRUE(fromResource);
    EXPECT_EQ(pixelOf(fromResource, 1, 1), RGB(255, 0, 0));
    HBITMAP fromFile = loadFile(path);
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(pixelOf(fromFile, 1, 1), RGB(0, 0, 255));

    // Without a resource of that name, the module has no bitmap; numbered resources
    // are found under "#number".
    win32::unregisterBitmapResource(name);
    EXPECT_FALSE(LoadImageA(self, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    win32::registerBitmapResource("#7", solidBitmap(2, 2, 0x00FF00));
    HBITMAP numbered = (HBITMAP)LoadImageA(self, MAKEINTRESOURCEA(7), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_TRUE(numbered);
    EXPECT_EQ(pixelOf(numbered, 0, 0), RGB(0, 255, 0));
    win32::unregisterBitmapResource("#7");
    DeleteObject(fromResource);
    DeleteObject(fromFile);
    DeleteObject(numbered);
}

TEST(LoadImage, NothingToLoadGivesNull)
{
    int before = gdiLiveObjectCount();
    EXPECT_FALSE(loadFile("no_such_file.bmp"));
    std::vector<uint8_t> broken = solidBitmap(4, 4, 0);
    broken.resize(broken.size() - 3);
    writeFile(gdi_test::outputPath("load_image_broken.bmp"), broken);
    EXPECT_FALSE(loadFile(gdi_test::outputPath("load_image_broken.bmp")));
    const std::string good = gdi_test::outputPath("load_image_good.bmp");
    writeFile(good, solidBitmap(4, 4, 0));
    EXPECT_FALSE(LoadImageA(nullptr, good.c_str(), IMAGE_ICON, 0, 0, kFromFile));
    // Without LR_LOADFROMFILE and without a module there is nothing to look in.
    EXPECT_FALSE(LoadImageA(nullptr, good.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    EXPECT_EQ(gdiLiveObjectCount(), before);
}

TEST(ObjectCounting, EveryObjectAndContextCountsUntilDeleted)
{
    int before = gdiLiveObjectCount();
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_DASH, 6, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    EXPECT_EQ(gdiLiveObjectCount(), before + 4);

    // Stock objects are not counted and deleting them does nothing.
    HGDIOBJ stock[] = {GetStockObject(ANSI_FIXED_FONT), GetStockObject(OEM_FIXED_FONT), GetStockObject(NULL_BRUSH),
                       GetStockObject(DEFAULT_GUI_FONT), GetStockObject(BLACK_PEN), GetStockObject(WHITE_BRUSH)};
    for (HGDIOBJ s : stock) {
        ASSERT_TRUE(s);
        EXPECT_TRUE(DeleteObject(s));
    }
    EXPECT_EQ(GetStockObject(ANSI_FIXED_FONT), stock[0]);
    EXPECT_EQ(gdiLiveObjectCount(), before + 4);

    // A pen selected into a context cannot be deleted until it is selected out.
    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(dc, oldPen), pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(region));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(gdiLiveObjectCount(), before);

    soft::SurfaceMemory surface(8, 8, soft::PixelFormat::rgb565);
    HDC surfaceDc = gdiCreateSurfaceDC(&surface);
    EXPECT_EQ(gdiLiveObjectCount(), before + 1);
    gdiReleaseSurfaceDC(surfaceDc);
    EXPECT_EQ(gdiLiveObjectCount(), before);
}

TEST(ObjectCounting, ABitmapGoesIntoOneMemoryContextAtATime)
{
    writeFile(gdi_test::outputPath("load_image_select.bmp"), solidBitmap(3, 3, 0xFFFFFF));
    HBITMAP bitmap = loadFile(gdi_test::outputPath("load_image_select.bmp"));
    ASSERT_TRUE(bitmap);
    HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(first, bitmap);
    ASSERT_TRUE(original);
    EXPECT_FALSE(SelectObject(second, bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    soft::SurfaceMemory surface(4, 4, soft::PixelFormat::rgb565);
    HDC surfaceDc = gdiCreateSurfaceDC(&surface);
    EXPECT_FALSE(SelectObject(surfaceDc, bitmap));  // a surface context takes no bitmap
    gdiReleaseSurfaceDC(surfaceDc);
    // Deleting the context lets the bitmap go, as the picture loader does it.
    DeleteDC(first);
    DeleteDC(second);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(ObjectCounting, InjectedFaultsFailCreationOnce)
{
    int before = gdiLiveObjectCount();
    const char* calls[] = {"CreateCompatibleDC", "LoadImageA", "CreatePen", "CreateSolidBrush", "CreateRectRgn"};
    for (const char* call : calls)
        soft::injectFault(call, 1);
    writeFile(gdi_test::outputPath("load_image_fault.bmp"), solidBitmap(2, 2, 0));
    EXPECT_FALSE(CreateCompatibleDC(nullptr));
    EXPECT_FALSE(loadFile(gdi_test::outputPath("load_image_fault.bmp")));
    EXPECT_FALSE(CreatePen(PS_SOLID, 1, 0));
    EXPECT_FALSE(CreateSolidBrush(0));
    EXPECT_FALSE(CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(gdiLiveObjectCount(), before);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = loadFile(gdi_test::outputPath("load_image_fault.bmp"));
    EXPECT_TRUE(dc && bitmap);
    DeleteDC(dc);
    DeleteObject(bitmap);
    soft::clearFaults();
}

} // namespace
