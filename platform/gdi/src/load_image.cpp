// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// LoadImageA for bitmaps: from the program's own bitmap resources or from a file,
// always into a 32-bit DIB section.
#include "objects.h"

#include "gdi/bitmap_file.h"
#include "soft/faults.h"
#include "win32_resources.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint loadImageAFault("LoadImageA");

}  // namespace

using namespace soft::gdi;

namespace {

// A file that large is no bitmap we would load; it is refused unread.
constexpr long maxFileBytes = 256L << 20;

bool readFile(const char* path, std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    ok = size >= 0 && size <= maxFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(size_t(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    }
    std::fclose(f);
    return ok;
}

// A numeric resource name (MAKEINTRESOURCE) is the same resource as "#number".
std::string resourceName(LPCSTR name)
{
    if (!IS_INTRESOURCE(name))
        return name;
    char numbered[8];
    std::snprintf(numbered, sizeof numbered, "#%u", unsigned(reinterpret_cast<UINT_PTR>(name)));
    return numbered;
}

// The decoded picture as a bitmap object, stretched by nearest neighbour when a size
// is asked for.
Bitmap* makeBitmap(const DecodedBitmap& picture, int width, int height)
{
    int w = width > 0 ? width : picture.width;
    int h = height > 0 ? height : picture.height;
    Bitmap* bitmap = new Bitmap(w, h);
    for (int y = 0; y < h; ++y) {
        int sy = int(int64_t(y) * picture.height / h);
        for (int x = 0; x < w; ++x) {
            int sx = int(int64_t(x) * picture.width / w);
            bitmap->pixels[size_t(y) * size_t(w) + size_t(x)] =
                picture.pixels[size_t(sy) * size_t(picture.width) + size_t(sx)];
        }
    }
    return bitmap;
}

}  // namespace

// With or without LR_CREATEDIBSECTION the result is the same 32-bit bitmap, which
// converts exactly to any surface; LR_MONOCHROME and LR_DEFAULTSIZE are not needed by
// any caller and are ignored.
HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags)
{
    if (type != IMAGE_BITMAP || !name || width < 0 || height < 0 || loadImageAFault.take())
        return nullptr;
    std::vector<uint8_t> fileBytes;
    const std::vector<uint8_t>* bytes = nullptr;
    if (flags & LR_LOADFROMFILE) {
        if (IS_INTRESOURCE(name) || !readFile(name, fileBytes))
            return nullptr;
        bytes = &fileBytes;
    } else {
        // Only the program's own resources exist; a null instance would mean the
        // system's predefined bitmaps, which this GDI does not have.
        if (!instance)
            return nullptr;
        bytes = soft::win32::findBitmapResource(resourceName(name));
        if (!bytes)
            return nullptr;
    }
    std::optional<DecodedBitmap> picture = readBitmapFile(bytes->data(), bytes->size(), nullptr);
    if (!picture)
        return nullptr;
    if (uint64_t(width ? width : picture->width) * uint64_t(height ? height : picture->height) > maxBitmapPixels)
        return nullptr;
    return registerObject(makeBitmap(*picture, width, height));
}
