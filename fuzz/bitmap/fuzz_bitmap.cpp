// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the bitmap reader: it must refuse or decode, never read
// outside the input, and a decoded bitmap must be exactly as large as it says.
#include "gdi/bitmap_file.h"

#include <cstdlib>
#include <vector>

// A smaller pixel limit than the real one keeps each input fast; the limit itself is
// what is checked, not its size.
constexpr uint64_t fuzzMaxPixels = uint64_t(1) << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly `size` bytes, so that any read past the end is caught.
    std::vector<uint8_t> input(data, data + size);
    std::string why;
    std::optional<soft::gdi::DecodedBitmap> bitmap =
        soft::gdi::readBitmapFile(input.data(), input.size(), &why, fuzzMaxPixels);
    if (!bitmap) {
        if (why.empty())
            std::abort();
        return 0;
    }
    if (bitmap->width <= 0 || bitmap->height <= 0 ||
        bitmap->pixels.size() != size_t(bitmap->width) * size_t(bitmap->height) ||
        uint64_t(bitmap->width) * uint64_t(bitmap->height) > fuzzMaxPixels)
        std::abort();
    uint32_t mix = 0;
    for (uint32_t p : bitmap->pixels)
        mix ^= p;
    if (mix >> 24)  // decoded pixels have no bits above the red channel
        std::abort();
    return 0;
}
