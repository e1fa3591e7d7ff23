#include "effects/warp_tables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

uint16_t entry(int r, int k) { return WarpOffsetTable[r * warpBlockColumns + k]; }
uint16_t vu(int v, int u) { return uint16_t(v << 8 | u); }

TEST(WarpSineTable, TruncatesFiftySinesTowardZero)
{
    buildWarpSineTable();
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(WarpSineTable[i], 0) << i;
    EXPECT_EQ(WarpSineTable[4], 1);
    EXPECT_EQ(WarpSineTable[824], -47);
    for (int i = 1021; i < warpSineCount; ++i)
        EXPECT_EQ(WarpSineTable[i], 0) << i;
    int fifties = 0, minusFifties = 0;
    for (int i = 0; i < warpSineCount; ++i) {
        fifties += WarpSineTable[i] == 50;
        minusFifties += WarpSineTable[i] == -50;
    }
    EXPECT_EQ(fifties, 1);
    EXPECT_EQ(minusFifties, 1);
    EXPECT_EQ(WarpSineTable[256], 50);
    EXPECT_EQ(WarpSineTable[768], -50);
}

TEST(WarpOffsetTable, EntriesAtTheFirstStep)
{
    buildWarpSineTable();
    buildWarpOffsetTable(0);
    EXPECT_EQ(entry(0, 0), vu(47, 0));
    EXPECT_EQ(entry(0, 0), 12032);
    EXPECT_EQ(entry(0, 1), 11777);
    EXPECT_EQ(entry(239, 319), 47113);
    EXPECT_EQ(warpTexelIndex(entry(0, 0), 0), 12032);
}

TEST(WarpOffsetTable, ScrollCarriesFromUIntoV)
{
    buildWarpSineTable();
    buildWarpOffsetTable(3);  // 1 <= t < 2
    EXPECT_EQ(entry(0, 0), vu(50, 254));
    EXPECT_EQ(warpTexelIndex(entry(0, 0), 3), vu(66, 4));
    EXPECT_EQ(warpTexelIndex(entry(0, 0), 3), 16900);
}

// The table against the formula written out with plain modular arithmetic.
TEST(WarpOffsetTable, MatchesTheFormulaForNegativeAndLargeSteps)
{
    buildWarpSineTable();
    auto s = [](int n) { return WarpSineTable[n & (warpSineCount - 1)]; };
    for (int step : {-9, 0, 3, 797, 1500}) {
        buildWarpOffsetTable(step);
        for (int r = 0; r < warpBlockRows; r += 7) {
            for (int k = 0; k < warpBlockColumns; k += 3) {
                const int u = (k + s(2 * k - 2 * step) + s(4 * r - 2 * step)) & 255;
                const int v = (r + s(2 * k + 4 * step) - s(2 * k - 2 * step - 200)) & 255;
                ASSERT_EQ(entry(r, k), vu(v, u)) << "step " << step << " r " << r << " k " << k;
            }
        }
    }
}

TEST(TexelTable, ConvertsToBothPixelFormats)
{
    EXPECT_EQ(convertTexel(255, 255, 255, false), 0xFFDF);
    EXPECT_EQ(convertTexel(255, 255, 255, true), 0x7FFF);
    EXPECT_EQ(convertTexel(255, 0, 0, false), 0xF800);
    EXPECT_EQ(convertTexel(255, 0, 0, true), 0x7C00);
    EXPECT_EQ(convertTexel(0, 255, 0, false), 0x07C0);
    EXPECT_EQ(convertTexel(0, 255, 0, true), 0x03E0);
    EXPECT_EQ(convertTexel(0, 0, 255, false), 0x001F);
    EXPECT_EQ(convertTexel(0, 0, 255, true), 0x001F);
    EXPECT_EQ(convertTexel(7, 7, 7, false), 0);  // only the top five bits count
}

TEST(TexelTable, FastRowGatherMatchesThePlainOne)
{
    for (int n = 0; n < texelCount; ++n)
        TexelTable[n] = uint16_t(n * 40503u);
    uint16_t entries[warpBlockColumns];
    for (int k = 0; k < warpBlockColumns; ++k)
        entries[k] = uint16_t(k * 2654435761u >> 7);
    entries[0] = 0;
    entries[1] = 0xFFFF;  // the very last texel
    entries[319] = 0xFFFF;
    for (int step : {0, 3, -6, 1200}) {
        uint32_t fast[warpBlockColumns], plain[warpBlockColumns];
        gatherWarpRow(entries, step, fast);
        gatherWarpRowPlain(entries, step, plain);
        for (int k = 0; k < warpBlockColumns; ++k) {
            ASSERT_EQ(fast[k], plain[k]) << "step " << step << " k " << k;
            const uint32_t texel = TexelTable[uint16_t(entries[k] + 1282 * step)];
            ASSERT_EQ(plain[k], texel | texel << 16);
        }
    }
}

std::string writeTexture(const char* name, const std::vector<uint8_t>& bytes)
{
    const std::string path = std::string(MORNAKLE_BINARY_DIR) + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

TEST(TexelTable, ReadsTexelsInFileOrder)
{
    std::vector<uint8_t> bytes(textureFileBytes);
    for (int n = 0; n < texelCount; ++n) {
        bytes[3 * n] = uint8_t(n);
        bytes[3 * n + 1] = uint8_t(n >> 8);
        bytes[3 * n + 2] = uint8_t(n * 7);
    }
    loadTexelTable(writeTexture("warp_full.raw", bytes).c_str(), false);
    for (int n : {0, 1, 255, 256, 4097, 65535})
        EXPECT_EQ(TexelTable[n], convertTexel(uint8_t(n), uint8_t(n >> 8), uint8_t(n * 7), false)) << n;
}

TEST(TexelTable, TexelsTheFileDoesNotSupplyAreBlack)
{
    std::fill(std::begin(TexelTable), std::end(TexelTable), uint16_t(0xABCD));
    loadTexelTable("no/such/screen1tex.raw", false);
    for (uint16_t texel : TexelTable)
        ASSERT_EQ(texel, 0);

    const std::vector<uint8_t> white(3 * 1000, 255);
    std::fill(std::begin(TexelTable), std::end(TexelTable), uint16_t(0xABCD));
    loadTexelTable(writeTexture("warp_short.raw", white).c_str(), true);
    EXPECT_EQ(TexelTable[0], 0x7FFF);
    EXPECT_EQ(TexelTable[999], 0x7FFF);
    for (int n = 1000; n < texelCount; ++n)
        ASSERT_EQ(TexelTable[n], 0) << n;
}

} // namespace
