// The engine through the real DirectDraw and Direct3D stand-ins, pixel by pixel.
#include "chunk_builder.h"
#include "ddraw_soft.h"
#include "display/display_setup.h"
#include "engine/renderer.h"
#include "host/headless_host.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int allPixels = 640 * 480;
constexpr uint16_t white565 = 0xFFFF;

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
    int count(const std::function<bool(int, int, uint16_t)>& test) const
    {
        int n = 0;
        for (int y = 0; y < back->height; ++y)
            for (int x = 0; x < back->width; ++x)
                n += test(x, y, back->at(x, y));
        return n;
    }
    int countOf(uint16_t value) const
    {
        return count([&](int, int, uint16_t p) { return p == value; });
    }
    void render(Scene& scene)
    {
        D3DRECT whole{0, 0, 640, 480};
        context.viewport->Clear(1, &whole, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
        renderScene(&scene, context.device);
    }

    std::unique_ptr<host::HeadlessHost> hostObject = host::makeHeadlessHost({});
    DisplayContext context{};
    soft::SurfaceMemory* back = nullptr;
};

// A square in the file's x-z plane, wound counter-clockwise as seen from the camera
// at file (0, -100, 0), with a red omni light beside the camera: the loader's axis
// exchange, its reversed triangles and its normals must agree with the renderer's
// left-handed view and the device's counter-clockwise cull for the square to show lit.
struct LitSquare : LoadedScene {
    LitSquare()
        : LoadedScene(sceneFile([](ChunkBuilder& b) {
              b.begin(0x4000).text("Square").begin(0x4100);
              b.vertices({{-20, 0, -20}, {20, 0, -20}, {20, 0, 20}, {-20, 0, 20}}).faces({{0, 1, 2}, {0, 2, 3}});
              b.begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).end().end().end();  // else it collapses
              b.begin(0x4000).text("Lamp").begin(0x4600).floats({0, -90, 0}).begin(0x0010).floats({1, 0, 0}).end();
              b.begin(0x465A).f32(1000).end().begin(0x465B).f32(1).end().end().end();
              b.begin(0x4000).text("Camera").begin(0x4700).floats({0, -100, 0, 0, 0, 0, 0, 50}).end().end();
          }))
    { }
};

TEST_F(RealDevice, ALoadedSquareFacingTheCameraIsDrawnLitInTheMiddle)
{
    LitSquare square;
    render(square.scene);
    soft::Rgb8 centre = soft::unpackColour(back->format, back->at(320, 240));
    EXPECT_GT(centre.r, 200);
    EXPECT_EQ(centre.g, 0);
    EXPECT_EQ(centre.b, 0);
    EXPECT_EQ(back->at(2, 2), 0x0000);  // the background outside the square
    EXPECT_EQ(back->at(637, 477), 0x0000);
    // The square spans 40 of the 100 units to it; with a 48-degree view the screen's
    // width there is 2 * 100 * tan(24) = 89 units, so it is 40 / 89 of 640.
    EXPECT_NEAR(count([](int, int y, uint16_t p) { return y == 240 && p != 0; }), 640 * 40 / 89.04, 6);
}

TEST_F(RealDevice, TheSameSquareSeenFromBehindIsCulled)
{
    LitSquare square;
    square->meshes[0].lightingMode = 1;  // drawn white whichever way it faces, unless culled
    render(square.scene);
    EXPECT_GT(countOf(white565), 0);
    square->camera.position[2] = 100.0f;  // stored z is the file's y: move behind the square
    render(square.scene);
    EXPECT_EQ(countOf(0x0000), allPixels);
}

}  // namespace
