// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// mornakle-inspect FILE.bmp: what LoadImageA makes of a Windows bitmap, through the
// same reader.
#include "inspect.h"

#include "gdi/bitmap_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool readWholeFile(const char* path, std::vector<uint8_t>& bytes, std::string& why)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        why = std::strerror(errno);
        return false;
    }
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    bool failed = std::ferror(f);
    std::fclose(f);
    if (failed)
        why = "cannot read the file";
    return !failed;
}

}  // namespace

int inspectBitmap(const char* path)
{
    std::vector<uint8_t> bytes;
    std::string why;
    if (!readWholeFile(path, bytes, why)) {
        std::fprintf(stderr, "mornakle-inspect: %s: %s\n", path, why.c_str());
        return 1;
    }
    std::optional<soft::gdi::DecodedBitmap> bitmap = soft::gdi::readBitmapFile(bytes.data(), bytes.size(), &why);
    if (!bitmap) {
        std::fprintf(stderr, "mornakle-inspect: %s: %s\n", path, why.c_str());
        return 1;
    }
    std::printf("{\"width\": %d, \"height\": %d, \"bitsPerPixel\": %d, \"compression\": \"%s\", "
                "\"headerKind\": \"%s\", \"topDown\": %s, \"paletteSize\": %d}\n",
                bitmap->width, bitmap->height, bitmap->bitsPerPixel, soft::gdi::compressionName(bitmap->compression),
                soft::gdi::headerKindName(bitmap->headerKind), bitmap->topDown ? "true" : "false", bitmap->paletteSize);
    return 0;
}
