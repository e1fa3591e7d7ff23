// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What the effects leave in the back buffer.
#include "display/pictures.h"
#include "effects/binary_rain.h"
#include "effects/circle_interference.h"
#include "effects/greetings_scroller.h"
#include "effects/texture_warp.h"
#include "effects/warp_tables.h"
#include "effects/wave_field.h"

#include "ddraw_soft.h"
#include "effect_screen.h"
#include "gdi_soft.h"
#include "soft/faults.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Every pixel outside the window still holds the seed pattern.
void expectOnlyWindowChanged(soft::SurfaceMemory& back, Window window)
{
    for (int y = 0; y < back.height; ++y)
        for (int x = 0; x < back.width; ++x)
            ASSERT_TRUE(window.holds(x, y) || back.at(x, y) == EffectScreen::seedValue(x, y)) << x << "," << y;
}

// Pixels in the window whose value is (or, with `among` false, is not) one of `colours`.
int countPixels(soft::SurfaceMemory& back, Window window, std::initializer_list<uint16_t> colours, bool among = true)
{
    return countIn(back, window, [&](uint16_t p) {
        return (std::find(colours.begin(), colours.end(), p) != colours.end()) == among;
    });
}

int litPixels(soft::SurfaceMemory& back, Window window) { return countPixels(back, window, {0}, false); }

constexpr Window fullScreen = {0, 0, 640, 480};
constexpr uint16_t green565 = 0x07E0;
constexpr uint16_t paleBlue565 = (207 >> 3) << 11 | (207 >> 2) << 5 | (255 >> 3);
constexpr uint16_t paleYellow565 = (255 >> 3) << 11 | (255 >> 2) << 5 | (207 >> 3);

constexpr Window circleWindow = {300, 140, 540, 340};

// Pale blue and pale yellow rings on black, in the window only; where the sets coincide (t 0) yellow
// covers blue. Without a device context the window is left black.
TEST(CircleInterference, DrawsTwoColoursOfRingsOnlyInsideItsWindow)
{
    EffectScreen screen;
    auto count = [&](uint16_t colour) { return countPixels(screen.back(), circleWindow, {colour}); };
    for (float t : {0.0f, 10.0f, 100.0f, 133.3f}) {
        SCOPED_TRACE(t);
        screen.seedBack();
        drawCircleInterference(t, screen.context());
        expectOnlyWindowChanged(screen.back(), circleWindow);
        EXPECT_EQ(count(0) + count(paleBlue565) + count(paleYellow565), 240 * 200);
        EXPECT_TRUE(count(0) > 0 && count(paleYellow565) > 5000);
        EXPECT_TRUE(t == 0 ? count(paleBlue565) == 0 && screen.back().at(420, 240) == 0  // the empty first ring
                           : count(paleBlue565) > 2000);
    }
    screen.seedBack();
    soft::injectFault("IDirectDrawSurface::GetDC", DDERR_SURFACEBUSY);
    drawCircleInterference(10, screen.context());
    soft::clearFaults();
    EXPECT_EQ(litPixels(screen.back(), circleWindow), 0);
    expectOnlyWindowChanged(screen.back(), circleWindow);
}

TEST(GdiEffects, LeaveNoObjectBehind)
{
    EffectScreen screen;
    const int alive = soft::gdi::liveObjectCount();
    for (int frame = 0; frame < 300; ++frame) {
        drawCircleInterference(frame * 0.45f, screen.context());
        drawGreetingsScroller(frame * 0.9f, screen.context());
        drawBinaryRain(0, screen.context());
    }
    EXPECT_EQ(soft::gdi::liveObjectCount(), alive);
}

// Black at both ends of the span; between, green text only on the row from y 240.
TEST(GreetingsScroller, ShowsOneGreenLineInTheMiddle)
{
    EffectScreen screen;
    screen.seedBack();
    for (float t : {0.0f, 100.0f, 266.666f}) {
        drawGreetingsScroller(t, screen.context());
        soft::SurfaceMemory& back = screen.back();
        EXPECT_TRUE(t == 100 ? countPixels(back, fullScreen, {green565}) > 200 : litPixels(back, fullScreen) == 0) << t;
        EXPECT_EQ(countPixels(back, fullScreen, {0, green565}, false), 0) << t;
        EXPECT_EQ(litPixels(back, {0, 0, 640, 240}) + litPixels(back, {0, 240 + 20, 640, 480}), 0) << t;
    }
}

// The title: transparent but for a red bar in the strip between the first two columns.
constexpr Window titleBar = {66, 0, 78, 480};

class BinaryRain : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<uint16_t> title(640 * 480, 0x001F);
        for (int y = titleBar.top; y < titleBar.bottom; ++y)
            std::fill_n(&title[y * 640 + titleBar.left], titleBar.right - titleBar.left, 0xF800);
        pictureTable[7] = screen.makePicture(640, 480, title);
        reference = screen.makePicture(640, 480, std::vector<uint16_t>(640 * 480, 0));
    }
    void TearDown() override
    {
        pictureTable[7]->Release();
        pictureTable[7] = nullptr;
        reference->Release();
    }

    // What one line of digits looks like at (x, y), green on black in the fixed font.
    soft::SurfaceMemory& referenceText(const char* line, int x, int y)
    {
        HDC dc;
        reference->GetDC(&dc);
        SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
        SetBkColor(dc, 0);
        SetTextColor(dc, 0x00FF00);
        TextOutA(dc, x, y, line, 8);
        reference->ReleaseDC(dc);
        return *soft::ddraw::surfaceMemoryOf(reference);
    }

    EffectScreen screen;
    IDirectDrawSurface* reference = nullptr;
};

TEST_F(BinaryRain, StartsBlackOnBothBuffersThenDrawsGreenDigitsUnderTheTitle)
{
    screen.seedBack();
    std::fill(screen.front().bytes.begin(), screen.front().bytes.end(), uint8_t(0x5A));
    const int presented = screen.headless().framesPresented();
    initBinaryRain(screen.context());
    EXPECT_EQ(screen.headless().framesPresented(), presented + 1);
    EXPECT_EQ(litPixels(screen.back(), fullScreen) + litPixels(screen.front(), fullScreen), 0);

    const RainGrid generated = rainGrid;
    drawBinaryRain(0, screen.context());
    soft::SurfaceMemory& back = screen.back();
    EXPECT_EQ(countPixels(back, titleBar, {0xF800}, false), 0);
    EXPECT_GT(countPixels(back, fullScreen, {green565}), 10000);
    EXPECT_EQ(countPixels(back, fullScreen, {0, green565, 0xF800}, false), 0);
    // Around the title, the strip between column 0 (eight 8-pixel glyphs) and column 1 at x 81 stays black.
    EXPECT_EQ(litPixels(back, {64, 0, 66, 480}) + litPixels(back, {78, 0, 81, 480}), 0);

    // The grid moved up one row before it was drawn: screen row 0 shows the line made for row 1, the
    // bottom row the line made for row 0. Each cell is compared over the 12 rows the next row leaves.
    struct Cell {
        int screenRow, column, generatedRow;
    };
    for (Cell cell : {Cell{0, 0, 1}, Cell{0, 3, 1}, Cell{1, 7, 2}, Cell{39, 0, 0}, Cell{39, 5, 0}}) {
        const int x = 81 * cell.column, y = 12 * cell.screenRow;
        soft::SurfaceMemory& expected = referenceText(rainLine(generated, cell.generatedRow, cell.column), x, y);
        for (int py = y; py < y + 12; ++py)
            for (int px = x; px < x + 64; ++px)
                ASSERT_EQ(back.at(px, py), expected.at(px, py)) << "cell " << cell.screenRow << "," << cell.column;
    }
}

TEST_F(BinaryRain, FailedContextKeepsTheGridAndStillLaysTheTitle)
{
    initBinaryRain(screen.context());
    const RainGrid before = rainGrid;
    screen.seedBack();
    soft::injectFault("IDirectDrawSurface::GetDC", DDERR_SURFACEBUSY);
    drawBinaryRain(0, screen.context());
    soft::clearFaults();
    EXPECT_EQ(std::string(before.text, sizeof before.text), std::string(rainGrid.text, sizeof rainGrid.text));
    EXPECT_EQ(std::pair(screen.back().at(70, 3), screen.back().at(100, 300)),
              std::pair(uint16_t(0xF800), EffectScreen::seedValue(100, 300)));
    // The next frame that gets its context scrolls again.
    drawBinaryRain(0, screen.context());
    EXPECT_EQ(std::string(rainLine(rainGrid, 0, 2), 8), std::string(rainLine(before, 1, 2), 8));
}

// A texture whose every texel differs from its neighbours.
void loadTestTexture(bool is555)
{
    std::vector<uint8_t> bytes;
    for (int n = 0; n < texelCount; ++n)
        bytes.insert(bytes.end(), {uint8_t(n * 8), uint8_t((n >> 8) * 4 + 3), uint8_t(n * 3)});
    buildWarpSineTable();
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    loadTexelTable(writeTestFile("warp" + name + ".raw", bytes).c_str(), is555);  // ctest runs tests side by side
}

TEST(TextureWarp, EveryBlockShowsItsTexelOnFourPixels)
{
    EffectScreen screen;
    loadTestTexture(false);
    for (float t : {0.5f, 1.0f, 77.9f}) {
        screen.seedBack();
        drawTextureWarp(t, screen.context());
        const int step = 3 * int(t);
        soft::SurfaceMemory& back = screen.back();
        for (int r = 0; r < 240; ++r)
            for (int k = 0; k < 320; ++k)
                for (int corner = 0; corner < 4; ++corner)
                    ASSERT_EQ(back.at(2 * k + corner % 2, 2 * r + corner / 2),
                              texelTable[warpTexelIndex(warpOffsetTable[r * 320 + k], step)])
                        << k << "," << r;
    }
    // At 1 <= t < 2 the top-left block reads texel v 66, u 4.
    drawTextureWarp(1.5f, screen.context());
    EXPECT_EQ(screen.back().at(1, 1), texelTable[66 * 256 + 4]);
}

TEST(TextureWarp, PaddedPitchAnd555GiveTheSamePicture)
{
    std::vector<uint16_t> plain;
    {
        EffectScreen screen;
        loadTestTexture(false);
        drawTextureWarp(42.0f, screen.context());
        for (int y = 0; y < 480; ++y)
            plain.insert(plain.end(), screen.back().row(y), screen.back().row(y) + 640);
    }
    EffectScreen padded(soft::PixelFormat::rgb555, 64);
    loadTestTexture(true);
    soft::SurfaceMemory& back = padded.back();
    std::fill(back.bytes.begin(), back.bytes.end(), uint8_t(0xA5));
    drawTextureWarp(42.0f, padded.context());
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(fiveBitColour(soft::PixelFormat::rgb565, plain[y * 640 + x]),
                      fiveBitColour(soft::PixelFormat::rgb555, back.at(x, y)))
                << x << "," << y;
        // The padding past the row's 1,280 bytes is never written.
        for (int i = 1280; i < back.pitch; ++i)
            ASSERT_EQ(back.bytes[size_t(y) * back.pitch + i], 0xA5) << y;
    }
}

TEST(WaveField, WritesItsWindowFromTheFieldAndNothingElseUnlessItCannotLock)
{
    EffectScreen screen(soft::PixelFormat::rgb565, 22);
    screen.seedBack();
    drawWaveField(0, screen.context());
    soft::SurfaceMemory& back = screen.back();
    expectOnlyWindowChanged(back, {365, 88, 618, 301});
    for (int i = 0; i < 213; ++i)
        for (int j = 0; j < 253; ++j)
            ASSERT_EQ(back.at(365 + j, 88 + i), waveField[213 * i + j]) << i << "," << j;
    EXPECT_EQ(back.at(365, 88), 15);  // the field of time 0
    screen.seedBack();
    soft::injectFault("IDirectDrawSurface::Lock", DDERR_SURFACEBUSY);
    drawWaveField(3, screen.context());
    soft::clearFaults();
    expectOnlyWindowChanged(back, {0, 0, 0, 0});  // a failed lock leaves the window as it was
}

}  // namespace
