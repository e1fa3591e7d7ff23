// The generator's own encoders on small inputs where every byte can be checked.
#include "bmp_writer.h"
#include "canvas.h"
#include "chunk_writer.h"

#include <gtest/gtest.h>

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

TEST(ChunkWriter, LengthsCountHeaderDataAndEverySubChunk)
{
    ChunkWriter out;
    out.begin(0x4D4D);
    out.begin(0x0002);
    out.u32(3);
    out.end();
    out.begin(0x4000);
    out.text("Box");
    out.begin(0x4110);
    out.u16(0);
    out.end();
    out.end();
    out.end();
    ASSERT_TRUE(out.balanced());
    const auto& b = out.bytes();
    // main 6 + version 10 + object (6 + "Box\0" 4 + vertex list 8) = 34
    ASSERT_EQ(b.size(), 34u);
    EXPECT_EQ(b[0] | b[1] << 8, 0x4D4D);
    EXPECT_EQ(le32(b, 2), 34u);
    EXPECT_EQ(le32(b, 6 + 2), 10u);
    EXPECT_EQ(le32(b, 16 + 2), 18u);
    EXPECT_EQ(le32(b, 16 + 10 + 2), 8u);
    EXPECT_THROW(out.end(), std::logic_error);
}

TEST(BmpWriter, RowsGoBottomUpInBlueGreenRedPaddedToFourBytes)
{
    Image24 image;
    image.width = 3;
    image.height = 2;
    image.rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9,  // top row
                 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const std::vector<uint8_t> b = encodeBmp(image);
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 10), 54u);
    EXPECT_EQ(le32(b, 34), 24u);  // pixel bytes
    const std::vector<uint8_t> rows(b.begin() + 54, b.end());
    const std::vector<uint8_t> expected = {12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0,
                                           3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0};
    EXPECT_EQ(rows, expected);
    image.rgb.pop_back();
    EXPECT_THROW(encodeBmp(image), std::invalid_argument);
}

TEST(FinishImage, UncoveredPixelsBecomeTheKeyAndCoveredOnesNeverDo)
{
    Canvas canvas(8, 8);
    canvas.fill({0, 0, 4, 8}, {0, 0, 1});          // painted pure blue: must stay opaque
    canvas.fill({4, 0, 8, 4}, {0.5f, 0.25f, 1});   // an ordinary colour
    // (4..7, 4..7) is left uncovered.
    const Image24 image = finishImage(canvas);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint8_t* p = &image.rgb[size_t(y * 8 + x) * 3];
            const bool key = p[0] == 0 && p[1] == 0 && p[2] == 255;
            EXPECT_EQ(key, x >= 4 && y >= 4) << x << "," << y;
            if (!key) {
                EXPECT_FALSE(becomesColourKey(p[0], p[1], p[2])) << x << "," << y;
            }
        }
    // Full intensity stays full, and a level survives keeping the top five bits.
    const uint8_t* ordinary = &image.rgb[size_t(0 * 8 + 4) * 3];
    EXPECT_EQ(ordinary[2], 255);
    EXPECT_NEAR(ordinary[0] >> 3, 16, 1);
}

TEST(FinishImage, HalfCoverageBecomesAnEvenScreenDoor)
{
    Canvas half(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            half.paint(x, y, {1, 1, 1}, 0.5f);
    const Image24 image = finishImage(half);
    int opaque = 0;
    for (size_t i = 0; i < image.rgb.size(); i += 3)
        opaque += !(image.rgb[i] == 0 && image.rgb[i + 1] == 0 && image.rgb[i + 2] == 255);
    EXPECT_EQ(opaque, 128);
}

}  // namespace
