// The engine through the real DirectDraw and Direct3D stand-ins, pixel by pixel.
#include "chunk_builder.h"
#include "ddraw_soft.h"
#include "display/display_setup.h"
#include "effects/fades.h"
#include "engine/renderer.h"
#include "engine/scene_loader.h"
#include "host/headless_host.h"

#include <gtest/gtest.h>

namespace {

class RealDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::install(hostObject.get());
        setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupWindow);
        ASSERT_EQ(setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupDirectDraw | setupDirect3D), 0);
        back = surfaceMemoryOf(context.backSurface);
        ASSERT_NE(back, nullptr);
        context.device->BeginScene();
    }
    void TearDown() override
    {
        if (context.device)
            context.device->EndScene();
        tearDownDisplay(&context);
        host::install(nullptr);
    }
    void fill(uint16_t value)
    {
        for (int y = 0; y < back->height; ++y)
            for (int x = 0; x < back->width; ++x)
                back->at(x, y) = value;
    }
    int countOf(uint16_t value) const
    {
        int n = 0;
        for (int y = 0; y < back->height; ++y)
            for (int x = 0; x < back->width; ++x)
                n += back->at(x, y) == value;
        return n;
    }
    void clear()
    {
        D3DRECT whole{0, 0, 640, 480};
        context.viewport->Clear(1, &whole, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
    }

    std::unique_ptr<host::HeadlessHost> hostObject = host::makeHeadlessHost({});
    DisplayContext context{};
    soft::SurfaceMemory* back = nullptr;
};

constexpr int allPixels = 640 * 480;
constexpr uint16_t white565 = 0xFFFF;
constexpr uint16_t midGrey565 = 0x8410;

TEST_F(RealDevice, FullFadesCoverTheWholeScreen)
{
    fill(midGrey565);
    drawWhiteFade(1.0f, &context);
    EXPECT_EQ(countOf(white565), allPixels);
    drawBlackFade(1.0f, &context);
    EXPECT_EQ(countOf(0x0000), allPixels);
}

TEST_F(RealDevice, FadesOfLevelZeroLeaveTheFrameAsItWas)
{
    for (int y = 0; y < back->height; ++y)
        for (int x = 0; x < back->width; ++x)
            back->at(x, y) = uint16_t(x * 37 + y * 1013);
    drawWhiteFade(0.0f, &context);
    drawBlackFade(0.0f, &context);
    int changed = 0;
    for (int y = 0; y < back->height; ++y)
        for (int x = 0; x < back->width; ++x)
            changed += back->at(x, y) != uint16_t(x * 37 + y * 1013);
    EXPECT_EQ(changed, 0);
}

TEST_F(RealDevice, HalfABlackFadeHalvesTheScreen)
{
    fill(white565);
    drawBlackFade(0.5f, &context);  // alpha 127
    for (int y : {0, 239, 479})
        for (int x : {0, 320, 639}) {
            soft::Rgb8 c = soft::unpackColour(back->format, back->at(x, y));
            EXPECT_NEAR(c.r, 128, 12) << x << "," << y;
            EXPECT_NEAR(c.g, 128, 12) << x << "," << y;
        }
}

// A square in the file's x-z plane, wound counter-clockwise as seen from the camera
// at file (0, -100, 0), with an omni light beside the camera: the loader's axis
// exchange, its reversed triangles and its normals must agree with the renderer's
// left-handed view and the device's counter-clockwise cull for the square to show lit.
std::vector<uint8_t> litSquareFile()
{
    ChunkBuilder b;
    b.begin(0x4D4D).version().begin(0x3D3D).version(0x3D3E);
    b.begin(0x4000).text("Square").begin(0x4100);
    b.vertices({{-20, 0, -20}, {20, 0, -20}, {20, 0, 20}, {-20, 0, 20}}).faces({{0, 1, 2}, {0, 2, 3}});
    b.begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).end();  // a mesh without one collapses
    b.end().end();
    b.begin(0x4000).text("Lamp").begin(0x4600).floats({0, -90, 0});
    b.begin(0x0010).floats({1, 0, 0}).end().begin(0x465A).f32(1000).end().begin(0x465B).f32(1).end();
    b.end().end();
    b.begin(0x4000).text("Camera").begin(0x4700).floats({0, -100, 0, 0, 0, 0, 0, 50}).end().end();
    b.end().end();
    return b.bytes();
}

TEST_F(RealDevice, ALoadedSquareFacingTheCameraIsDrawnLitInTheMiddle)
{
    std::vector<uint8_t> image = litSquareFile();
    Scene scene{};
    loadSceneFromMemory(image.data(), image.size(), &scene);
    clear();
    renderScene(&scene, context.device);
    soft::Rgb8 centre = soft::unpackColour(back->format, back->at(320, 240));
    EXPECT_GT(centre.r, 200);
    EXPECT_EQ(centre.g, 0);
    EXPECT_EQ(centre.b, 0);
    EXPECT_EQ(back->at(2, 2), 0x0000);      // the background outside the square
    EXPECT_EQ(back->at(637, 477), 0x0000);
    // The square spans 40 of the 100 units to it; with a 48-degree view about 90 %
    // of the screen's width is 2 * 100 * tan(24) = 89 units, so it is 40 / 89 of 640.
    int lit = 0;
    for (int x = 0; x < 640; ++x)
        lit += back->at(x, 240) != 0;
    EXPECT_NEAR(lit, 640 * 40 / 89.04, 6);
    releaseScene(&scene);
}

TEST_F(RealDevice, TheSameSquareSeenFromBehindIsCulled)
{
    std::vector<uint8_t> image = litSquareFile();
    Scene scene{};
    loadSceneFromMemory(image.data(), image.size(), &scene);
    scene.meshes[0].lightingMode = 1;  // drawn white whichever way it faces, unless culled
    clear();
    renderScene(&scene, context.device);
    EXPECT_GT(countOf(white565), 0);
    scene.camera.position[2] = 100.0f;  // stored z is the file's y: move behind the square
    clear();
    renderScene(&scene, context.device);
    EXPECT_EQ(countOf(0x0000), allPixels);
    releaseScene(&scene);
}

}  // namespace
