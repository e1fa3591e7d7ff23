// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The engine through the real DirectDraw and Direct3D stand-ins: a square in the file's x-z plane, wound
// counter-clockwise from the camera at (0, -100, 0), a red light beside it. The loader's axis exchange,
// reversed triangles and normals must agree with the view and the cull to show it lit, and hide its back.
#include "chunk_builder.h"
#include "ddraw_soft.h"
#include "engine/renderer.h"
#include "headless_display.h"

#include <gtest/gtest.h>

TEST(RealDevice, ALoadedSquareFacingTheCameraIsDrawnLitAndCulledFromBehind)
{
    HeadlessDisplay display;
    ASSERT_TRUE(display.ready());
    const soft::SurfaceMemory& back = *soft::ddraw::surfaceMemoryOf(display.context.backSurface);
    auto render = [&](Scene& scene) {
        D3DRECT whole{0, 0, 640, 480};
        display.context.viewport->Clear(1, &whole, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
        renderScene(&scene, display.context.device);
    };
    auto count = [&](int y0, int y1, uint16_t value) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 640; ++x)
                n += back.at(x, y) == value;
        return n;
    };
    LoadedScene square(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("Square").begin(0x4100);
        b.vertices({{-20, 0, -20}, {20, 0, -20}, {20, 0, 20}, {-20, 0, 20}}).faces({{0, 1, 2}, {0, 2, 3}});
        b.begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).end().end().end();  // else it collapses
        b.begin(0x4000).text("Lamp").begin(0x4600).floats({0, -90, 0}).begin(0x0010).floats({1, 0, 0}).end();
        b.begin(0x465A).f32(1000).end().begin(0x465B).f32(1).end().end().end();
        b.begin(0x4000).text("Camera").begin(0x4700).floats({0, -100, 0, 0, 0, 0, 0, 50}).end().end();
    }));
    render(square.scene);
    soft::Rgb8 centre = soft::unpackColour(back.format, back.at(320, 240));
    EXPECT_GT(centre.r, 200);
    EXPECT_EQ(centre.g + centre.b, 0);
    EXPECT_EQ(back.at(2, 2) | back.at(637, 477), 0x0000);  // the background outside the square
    // 40 units wide at 100 units; a 48-degree view spans 2 * 100 * tan(24) = 89 there: 40 / 89 of 640.
    EXPECT_NEAR(640 - count(240, 241, 0), 640 * 40 / 89.04, 6);

    square->meshes[0].lightingMode = 1;  // drawn white whichever way it faces, unless culled
    render(square.scene);
    EXPECT_GT(count(0, 480, 0xFFFF), 0);
    square->camera.position[2] = 100.0f;  // stored z is the file's y: move behind the square
    render(square.scene);
    EXPECT_EQ(count(0, 480, 0), 640 * 480);
}
