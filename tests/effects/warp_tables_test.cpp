#include "effects/warp_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

uint16_t entry(int r, int k) { return WarpOffsetTable[r * warpBlockColumns + k]; }
constexpr uint16_t vu(int v, int u) { return uint16_t(v << 8 | u); }

TEST(WarpSineTable, TruncatesFiftySinesTowardZero)
{
    buildWarpSineTable();
    const std::pair<int, int> values[] = {{0, 0},     {3, 0},     {4, 1},    {256, 50},
                                          {768, -50}, {824, -47}, {1021, 0}, {1023, 0}};
    for (auto [i, value] : values)
        EXPECT_EQ(WarpSineTable[i], value) << i;
    EXPECT_EQ(std::count(WarpSineTable, WarpSineTable + warpSineCount, 50), 1);
    EXPECT_EQ(std::count(WarpSineTable, WarpSineTable + warpSineCount, -50), 1);
}

TEST(WarpOffsetTable, EntriesAndTexelsAtTheFirstTwoSteps)
{
    buildWarpSineTable();
    struct Case {
        int step, r, k;
        uint16_t entry, texel;
    } cases[] = {
        {0, 0, 0, vu(47, 0), 12032},  // s(-200) is entry 824, -47
        {0, 0, 1, vu(46, 1), 11777},
        {0, 239, 319, vu(184, 9), 47113},
        {3, 0, 0, vu(50, 254), vu(66, 4)},  // 1 <= t < 2: adding 3846 carries from u into v
    };
    for (const Case& c : cases) {
        buildWarpOffsetTable(c.step);
        EXPECT_EQ(entry(c.r, c.k), c.entry) << c.step << " " << c.r << "," << c.k;
        EXPECT_EQ(warpTexelIndex(entry(c.r, c.k), c.step), c.texel) << c.step << " " << c.r << "," << c.k;
    }
}

TEST(TexelTable, ConvertsToBothPixelFormats)
{
    struct Case {
        uint8_t r, g, b;
        uint16_t in565, in555;
    } cases[] = {
        {255, 255, 255, 0xFFDF, 0x7FFF},
        {255, 0, 0, 0xF800, 0x7C00},
        {0, 255, 0, 0x07C0, 0x03E0},
        {0, 0, 255, 0x001F, 0x001F},
        {7, 7, 7, 0, 0},  // only the top five bits count
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convertTexel(c.r, c.g, c.b, false), c.in565) << int(c.r) << "," << int(c.g) << "," << int(c.b);
        EXPECT_EQ(convertTexel(c.r, c.g, c.b, true), c.in555) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    }
}

TEST(TexelTable, FastRowGatherMatchesThePlainOne)
{
    for (int n = 0; n < texelCount; ++n)
        TexelTable[n] = uint16_t(n * 40503u);
    uint16_t entries[warpBlockColumns];
    for (int k = 0; k < warpBlockColumns; ++k)
        entries[k] = uint16_t(k * 2654435761u >> 7);
    entries[0] = 0;
    entries[1] = entries[319] = 0xFFFF;  // the very last texel
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
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

// Texels come in file order; those a missing or short file does not supply are black.
TEST(TexelTable, ReadsTexelsInFileOrderAndTheRestAreBlack)
{
    std::vector<uint8_t> bytes;
    for (int n = 0; n < texelCount; ++n)
        bytes.insert(bytes.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(n * 7)});
    loadTexelTable(writeTexture("warp_full.raw", bytes).c_str(), false);
    for (int n : {0, 1, 255, 256, 4097, 65535})
        EXPECT_EQ(TexelTable[n], convertTexel(uint8_t(n), uint8_t(n >> 8), uint8_t(n * 7), false)) << n;

    struct Case {
        const char* path;
        int texels;  // what the file supplies, white
    } cases[] = {{"no/such/screen1tex.raw", 0}, {"warp_short.raw", 1000}};
    for (const Case& c : cases) {
        std::fill(std::begin(TexelTable), std::end(TexelTable), uint16_t(0xABCD));
        const std::string path = c.texels ? writeTexture(c.path, std::vector<uint8_t>(3 * c.texels, 255)) : c.path;
        loadTexelTable(path.c_str(), true);
        for (int n = 0; n < texelCount; ++n)
            ASSERT_EQ(TexelTable[n], n < c.texels ? 0x7FFF : 0) << c.path << " " << n;
    }
}

}  // namespace
