// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The three scenes drawn through the real DirectDraw and Direct3D stand-ins on the
// headless host: with the shipped data, and with their files missing or empty.
#include "display/display_setup.h"
#include "display/pictures.h"
#include "engine/renderer.h"
#include "scenes/box_animation.h"
#include "scenes/box_scene.h"
#include "scenes/house_animation.h"
#include "scenes/house_scene.h"
#include "scenes/light_scene.h"

#include "d3d_soft.h"
#include "ddraw_soft.h"
#include "effect_screen.h"
#include "soft/faults.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <numeric>
#include <tuple>

namespace fs = std::filesystem;

namespace {

using SceneDisplay = EffectScreen;  // the display as start-up leaves it, with a scene open
void releaseScenes(DisplayContext* c) { releaseHouseScene(c), releaseBoxScene(c), releaseLightScene(c); }

constexpr Window boxWindow = {376, 82, 625, 275}, band = {0, 320, 640, 480}, screen = {0, 0, 640, 480};

soft::Rgb8 rgbAt(const soft::SurfaceMemory& m, int x, int y) { return soft::unpackColour(m.format, m.at(x, y)); }
bool isGrey(soft::Rgb8 c, int level, int slack)
{
    return std::abs(c.r - level) <= slack && std::abs(c.g - level) <= slack && std::abs(c.b - level) <= slack;
}
constexpr int black = 0, blackSlack = 8;  // up to the one step of the 16-bit format that dithering may add
int countGrey(const soft::SurfaceMemory& m, Window w, int level, int slack)
{
    return countIn(m, w, [&](uint16_t p) { return isGrey(soft::unpackColour(m.format, p), level, slack); });
}
int countLit(const soft::SurfaceMemory& m, Window w)
{
    return (w.right - w.left) * (w.bottom - w.top) - countGrey(m, w, black, blackSlack);
}

// Every unkeyed picture pixel shows on the back buffer; counts the keyed ones, and those still seeded.
struct Keyed {
    int pixels = 0, seeded = 0;
};
Keyed pictureOver(const soft::SurfaceMemory& back, const soft::SurfaceMemory& picture, Window w)
{
    Keyed keyed;
    for (int y = w.top; y < w.bottom; ++y)
        for (int x = w.left; x < w.right; ++x)
            if (picture.at(x, y) == transparentColour)
                ++keyed.pixels, keyed.seeded += back.at(x, y) == SceneDisplay::seedValue(x, y);
            else if (back.at(x, y) != picture.at(x, y))
                return ADD_FAILURE() << "picture pixel " << x << "," << y << " not shown", keyed;
    return keyed;
}

// Without pictures or meshes (no files, or empty editor chunks) each scene still clears, flashes and fades.
class MissingData : public ::testing::TestWithParam<bool> { };

TEST_P(MissingData, ScenesDrawTheirClearsAndFlashes)
{
    SceneDisplay display;
    ASSERT_TRUE(display.ready());
    DisplayContext* context = display.context();
    houseSourceScene = houseScene = boxScene = lightScene = Scene{};  // as the show starts, whatever ran before
    {
        const fs::path dir = fs::path(MORNAKLE_BINARY_DIR) / (GetParam() ? "scenes_empty_files" : "scenes_no_files");
        fs::remove_all(dir);
        fs::create_directories(dir);
        const fs::path previous = fs::current_path();
        fs::current_path(dir);
        const unsigned char emptyEditor[] = {0x4D, 0x4D, 12, 0, 0, 0, 0x3D, 0x3D, 6, 0, 0, 0};
        for (const char* name : {"hus.3ds", "box.3ds", "light.3ds"})
            if (std::FILE* file = GetParam() ? std::fopen(name, "wb") : nullptr)
                std::fwrite(emptyEditor, 1, sizeof emptyEditor, file), std::fclose(file);
        loadPictures(context);
        loadHouseScene(context);
        loadBoxScene(context);
        loadLightScene(context);
        fs::current_path(previous);
    }
    EXPECT_EQ(houseSourceScene.meshCount + houseScene.meshCount + boxScene.lightCount + lightScene.meshCount, 0u);
    soft::SurfaceMemory& back = display.back();

    drawHouseScene(0.0f, context);
    EXPECT_EQ(back.at(320, 240), 0);
    drawHouseScene(5.0f, context);  // the flash over the cleared screen
    for (auto [x, y] : {std::pair{0, 0}, {320, 240}, {639, 479}})
        EXPECT_TRUE(isGrey(rgbAt(back, x, y), 127, 9)) << x << "," << y;
    drawHouseScene(250.0f, context);  // flash 0.58 under black 0.75
    EXPECT_TRUE(isGrey(rgbAt(back, 320, 400), int(0.25 * 0.5833 * 255), 8));

    display.seedBack();
    drawBoxScene(20.0f, context);  // no picture: only the window is cleared
    EXPECT_EQ(std::pair(back.at(10, 10), back.at(500, 150)), std::pair(SceneDisplay::seedValue(10, 10), uint16_t(0)));

    drawLightScene(3.0f, context);
    EXPECT_GE(simulationClock, 3.0f);
    EXPECT_NE(back.at(10, 10), SceneDisplay::seedValue(10, 10));
    releaseScenes(context);
}

INSTANTIATE_TEST_SUITE_P(Scenes, MissingData, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "EmptyFiles" : "NoFiles"; });

class Scenes : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        display = new SceneDisplay;
        ASSERT_TRUE(display->ready());
        display->loadFromDataFolder(
            [](DisplayContext* c) { loadPictures(c), loadHouseScene(c), loadBoxScene(c), loadLightScene(c); });
    }
    static void TearDownTestSuite()
    {
        releaseScenes(context());
        releasePictures();  // the next load overwrites every entry
        delete display;
    }
    void SetUp() override { ASSERT_TRUE(display && display->ready()); }

    static DisplayContext* context() { return display->context(); }
    static soft::SurfaceMemory& back() { return display->back(); }
    static soft::SurfaceMemory& picture(int index) { return *soft::ddraw::surfaceMemoryOf(pictureTable[index]); }

    static SceneDisplay* display;
};
SceneDisplay* Scenes::display = nullptr;

// The box scene draws into the narrow viewport the timeline sets before it.
struct BoxViewport {
    DisplayContext* context;
    explicit BoxViewport(DisplayContext* c) : context(c) { setBoxViewport(context); }
    ~BoxViewport() { setFullScreenViewport(context); }
};

// Only mesh 0 swells, from the source scene (which keeps no faces or lights), and the camera orbits.
TEST_F(Scenes, HouseSwellsMeshZeroAndOrbitsTheCamera)
{
    ASSERT_GT(houseSourceScene.meshCount, 0u);
    EXPECT_EQ(houseSourceScene.meshes[0].faceCount + houseSourceScene.lightCount, 0u);
    EXPECT_GT(houseScene.meshes[0].faceCount, 0u);
    const float t = 40.0f;
    drawHouseScene(t, context());
    const Vector3 w = wanderingDirection(t);
    const Mesh& source = houseSourceScene.meshes[0];
    const Mesh& drawn = houseScene.meshes[0];
    ASSERT_EQ(source.vertexCount, drawn.vertexCount);
    for (uint32_t i = 0; i < source.vertexCount; ++i) {
        const MeshVertex& p = source.vertices[i];
        const float s = swellFactor(w, {p.nx, p.ny, p.nz});
        ASSERT_TRUE(drawn.vertices[i].x == s * p.x && drawn.vertices[i].y == s * p.y && drawn.vertices[i].z == s * p.z)
            << i;
    }
    for (uint32_t m = 1; m < houseScene.meshCount; ++m)
        for (uint32_t i = 0; i < houseScene.meshes[m].vertexCount; ++i)
            ASSERT_EQ(houseScene.meshes[m].vertices[i].x, houseSourceScene.meshes[m].vertices[i].x);

    SceneCamera expected = houseScene.camera;
    orbitHouseCamera(t, houseSourceScene.camera, &expected);
    const float* drawnCamera = houseScene.camera.position;
    EXPECT_EQ((std::array{drawnCamera[0], drawnCamera[1], drawnCamera[2]}),
              (std::array{expected.position[0], houseSourceScene.camera.position[1], expected.position[2]}));
}

// Drawn alone, the orbiting, swelling house and the box scene's cube are never clipped all along their
// spans; the boxes round the cube may brush the window's edge.
TEST_F(Scenes, TheHouseAndTheBoxesStayInView)
{
    const soft::d3d::Direct3DCounters& counters = soft::d3d::direct3DCounters();
    const uint32_t houseMeshes = houseScene.meshCount, boxMeshes = boxScene.meshCount;
    houseScene.meshCount = 1;
    for (float t = 0.0f; t < 266.0f; t += 7.3f) {
        soft::d3d::resetDirect3DCounters();
        drawHouseScene(t, context());
        EXPECT_GT(counters.trianglesDrawn, 500u) << t;
        EXPECT_EQ(counters.trianglesClipped, 0u) << "house at " << t;
    }
    houseScene.meshCount = houseMeshes;
    BoxViewport viewport(context());
    for (float t = 0.0f; t < 140.0f; t += 3.1f)
        for (uint32_t meshes : {1u, boxMeshes}) {
            boxScene.meshCount = meshes;
            soft::d3d::resetDirect3DCounters();
            drawBoxScene(t, context());
            EXPECT_GT(counters.trianglesDrawn, 10u) << t;
            EXPECT_LE(counters.trianglesClipped, meshes == 1 ? 0 : counters.trianglesDrawn / 5)
                << meshes << " at " << t;
        }
}

// Every face the cameras see faces them: drawn again without culling, each pose changes only a few pixels
// where faces meet at one depth or a thin board shows its back (a mesh inside out changes thousands).
TEST_F(Scenes, CullingHidesNothingTheCamerasShouldSee)
{
    auto frame = [&](Scene& scene, D3DCULL cull) {
        D3DRECT whole{0, 0, 640, 480};
        context()->viewport->Clear(1, &whole, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
        context()->device->SetRenderState(D3DRENDERSTATE_CULLMODE, cull);
        renderScene(&scene, context()->device);
        return std::vector<uint16_t>(back().row(0), back().row(0) + back().pitch / 2 * back().height);
    };
    const std::tuple<void (*)(float, DisplayContext*), Scene*, float> poses[] = {
        {drawHouseScene, &houseScene, 10},  {drawHouseScene, &houseScene, 60},  {drawHouseScene, &houseScene, 110},
        {drawHouseScene, &houseScene, 160}, {drawHouseScene, &houseScene, 210}, {drawLightScene, &lightScene, 30},
        {drawLightScene, &lightScene, 80},  {drawBoxScene, &boxScene, 20},      {drawBoxScene, &boxScene, 57},
        {drawBoxScene, &boxScene, 100}};
    for (auto [draw, scene, t] : poses) {
        BoxViewport viewport(context());
        if (draw != drawBoxScene)
            setFullScreenViewport(context());
        draw(t, context());
        const std::vector<uint16_t> culled = frame(*scene, D3DCULL_CCW), all = frame(*scene, D3DCULL_NONE);
        EXPECT_LE(
            std::inner_product(culled.begin(), culled.end(), all.begin(), 0, std::plus<>(), std::not_equal_to<>()), 400)
            << t;
    }
    context()->device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
}

// Each frame the house sends its seven render states again, every one of them even when the device refuses
// one: set to other valid values beforehand (the house still draws with them), all but the refused state come
// back as the house wants them.
TEST_F(Scenes, HouseSendsEveryRenderStateWhateverTheDeviceRefuses)
{
    struct Sent {
        D3DRENDERSTATETYPE state;
        DWORD wanted, other;
    };
    const Sent states[] = {{D3DRENDERSTATE_DITHERENABLE, TRUE, FALSE},
                           {D3DRENDERSTATE_ZENABLE, TRUE, FALSE},
                           {D3DRENDERSTATE_ZWRITEENABLE, TRUE, FALSE},
                           {D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL, D3DCMP_ALWAYS},
                           {D3DRENDERSTATE_ALPHABLENDENABLE, TRUE, FALSE},
                           {D3DRENDERSTATE_SRCBLEND, D3DBLEND_BOTHSRCALPHA, D3DBLEND_ONE},
                           {D3DRENDERSTATE_CULLMODE, D3DCULL_CCW, D3DCULL_NONE}};
    IDirect3DDevice2* device = context()->device;
    for (int refused = 0; refused < 7; ++refused) {
        for (const Sent& sent : states)
            device->SetRenderState(sent.state, sent.other);
        soft::injectFault("IDirect3DDevice2::SetRenderState", DDERR_GENERIC, refused);
        drawHouseScene(30.0f, context());
        soft::clearFaults();
        for (int i = 0; i < 7; ++i) {
            DWORD value = 0;
            device->GetRenderState(states[i].state, &value);
            EXPECT_EQ(value, i == refused ? states[i].other : states[i].wanted)
                << "state " << i << ", refused " << refused;
        }
    }
    ASSERT_EQ(setFixedRenderStates(device), D3D_OK);
}

TEST_F(Scenes, HouseBandLaysItsPictureOverTheSceneThenFadesItAllToBlack)
{
    display->seedBack();
    drawHouseScene(90.0f, context());                                          // picture 1, between flashes
    EXPECT_GT(pictureOver(back(), picture(1), band).pixels, 0);                // the scene shows around the sign
    EXPECT_GT(countGrey(back(), {0, 0, 640, 320}, black, blackSlack), 10000);  // the cleared sky
    EXPECT_GT(countLit(back(), {0, 0, 640, 320}), 50000);                      // and the lit house
    for (int x = 0; x < 640; x += 7)
        ASSERT_NE(back().at(x, 0), SceneDisplay::seedValue(x, 0)) << x;
    drawHouseScene(240.0f, context());  // beat 7's flash, 0.33, under black 0.6 on the sky
    EXPECT_TRUE(isGrey(rgbAt(back(), 320, 2), int(0.4 * 0.3333 * 255), 8));
    drawHouseScene(266.6f, context());  // faded out
    EXPECT_EQ(countLit(back(), screen), 0);
}

// The flash lights only the box window (the device clips the quad), between flashes the boxes lie in the
// cleared window, the picture shows around it; the camera and two lights take their poses.
TEST_F(Scenes, BoxDrawsAndFlashesInItsWindowOverItsPicture)
{
    BoxViewport viewport(context());
    const SceneLight light0 = boxScene.lights[0], light1 = boxScene.lights[1];
    for (float t : {20.0f, 10.0f, 13.333333f}) {
        display->seedBack();
        drawBoxScene(t, context());
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (!boxWindow.holds(x, y)) {
                    ASSERT_EQ(back().at(x, y), picture(6).at(x, y)) << t << " at " << x << "," << y;
                }
        if (t == 20.0f) {  // between flashes
            EXPECT_GT(countGrey(back(), boxWindow, black, blackSlack), 20000);
            EXPECT_GT(countLit(back(), boxWindow), 1000);
        }
        if (t == 10.0f) {
            const BoxPose pose = boxPose(t);
            const float lights[2][3] = {{pose.light0X, light0.position[1], pose.light0Z},
                                        {pose.light1X, pose.light1Y, light1.position[2]}};
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_EQ(boxScene.camera.position[axis], pose.camera[axis]);
                EXPECT_EQ(boxScene.lights[0].position[axis], lights[0][axis]) << axis;
                EXPECT_EQ(boxScene.lights[1].position[axis], lights[1][axis]) << axis;
            }
        }
    }
    EXPECT_GT(countGrey(back(), boxWindow, 127, 9), 20000);
    EXPECT_TRUE(isGrey(rgbAt(back(), boxWindow.right - 3, boxWindow.bottom - 3), 127, 9));
}

TEST_F(Scenes, LightSceneLiesUnderItsOverlayAndFollowsParticleTen)
{
    resetParticles();
    simulationClock = 0.0f;
    display->seedBack();
    drawLightScene(20.0f, context());
    EXPECT_NEAR(simulationClock, 20.0f, 0.8f);
    const Keyed keyed = pictureOver(back(), picture(8), screen);
    EXPECT_GT(keyed.pixels, 640 * 480 / 2);
    EXPECT_LT(keyed.seeded, 8);  // cleared, apart from a drawn colour that happens to match the seed

    EXPECT_EQ(lightScene.meshes[0].fillMode, 2u);
    const SceneCamera& camera = lightScene.camera;
    float moved[3];
    movingLightPosition(20.0f, moved);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(camera.position[axis], axis == 2 ? -30.0f : 0.0f);
        EXPECT_EQ(camera.target[axis], 0.25f * (&particles[10].x)[axis]);
        EXPECT_EQ(lightScene.lights[1].position[axis], moved[axis]);
    }
}

}  // namespace
