// The three scenes drawn with the shipped data through the real DirectDraw and
// Direct3D stand-ins: what reaches the back buffer, and what each leaves in its Scene.
#include "display/display_setup.h"
#include "display/pictures.h"
#include "scenes/box_animation.h"
#include "scenes/box_scene.h"
#include "scenes/house_animation.h"
#include "scenes/house_scene.h"
#include "scenes/light_scene.h"

#include "ddraw_soft.h"
#include "scene_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

struct Window {
    int left, top, right, bottom;  // right and bottom exclusive
    bool holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

constexpr Window boxWindow = {376, 82, 625, 275};
constexpr Window band = {0, 320, 640, 480};
constexpr Window aboveBand = {0, 0, 640, 320};

int countPixels(const soft::SurfaceMemory& memory, Window window, const std::function<bool(soft::Rgb8)>& test)
{
    int n = 0;
    for (int y = window.top; y < window.bottom; ++y)
        for (int x = window.left; x < window.right; ++x)
            n += test(rgbAt(memory, x, y));
    return n;
}

// Black up to the one step of the 16-bit format that dithering may add.
bool isBlack(soft::Rgb8 c) { return c.r <= 8 && c.g <= 8 && c.b <= 8; }
bool isGrey(soft::Rgb8 c, int level, int slack)
{
    return std::abs(c.r - level) <= slack && std::abs(c.g - level) <= slack && std::abs(c.b - level) <= slack;
}

class Scenes : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        display = new SceneDisplay;
        ASSERT_TRUE(display->ready());
        WorkingFolder data(MORNAKLE_DATA_DIR);
        loadPictures(display->context());
        loadHouseScene(display->context());
        loadBoxScene(display->context());
        loadLightScene(display->context());
    }
    static void TearDownTestSuite()
    {
        releaseLightScene(display->context());
        releaseBoxScene(display->context());
        releaseHouseScene(display->context());
        releasePictures();
        for (IDirectDrawSurface*& picture : PictureTable)
            picture = nullptr;
        delete display;
    }
    void SetUp() override { ASSERT_TRUE(display && display->ready()); }

    static DisplayContext* context() { return display->context(); }
    static soft::SurfaceMemory& back() { return display->back(); }
    static soft::SurfaceMemory& picture(int index) { return *surfaceMemoryOf(PictureTable[index]); }

    static SceneDisplay* display;
};
SceneDisplay* Scenes::display = nullptr;

// The box scene draws into the narrow viewport the timeline sets before it.
struct BoxViewport {
    DisplayContext* context;
    explicit BoxViewport(DisplayContext* c) : context(c) { setBoxViewport(context); }
    ~BoxViewport() { setFullScreenViewport(context); }
};

TEST_F(Scenes, HouseSourceKeepsOnlyWhatFeedsTheAnimation)
{
    ASSERT_GT(houseSourceScene.meshCount, 0u);
    ASSERT_GT(houseScene.meshCount, 0u);
    EXPECT_EQ(houseSourceScene.meshes[0].faceCount, 0u);
    EXPECT_EQ(houseSourceScene.lightCount, 0u);
    EXPECT_GT(houseScene.meshes[0].faceCount, 0u);
    EXPECT_GT(houseScene.lightCount, 0u);
    EXPECT_EQ(houseSourceScene.meshes[0].vertexCount, houseScene.meshes[0].vertexCount);
}

TEST_F(Scenes, HouseSwellsMeshZeroAndOrbitsTheCamera)
{
    const float t = 40.0f;
    drawHouseScene(t, context());
    const Vector3 w = wanderingDirection(t);
    const Mesh& source = houseSourceScene.meshes[0];
    const Mesh& drawn = houseScene.meshes[0];
    float smallest = 2.0f, largest = 0.0f;
    for (uint32_t i = 0; i < source.vertexCount; ++i) {
        const MeshVertex& p = source.vertices[i];
        const float s = swellFactor(w, {p.nx, p.ny, p.nz});
        smallest = std::min(smallest, s), largest = std::max(largest, s);
        ASSERT_EQ(drawn.vertices[i].x, s * p.x) << i;
        ASSERT_EQ(drawn.vertices[i].y, s * p.y) << i;
        ASSERT_EQ(drawn.vertices[i].z, s * p.z) << i;
    }
    EXPECT_GE(smallest, 1.0f);
    EXPECT_LE(largest, 1.5f);
    EXPECT_GT(largest - smallest, 0.2f);  // the house's normals face many ways
    for (uint32_t m = 1; m < houseScene.meshCount; ++m)
        for (uint32_t i = 0; i < houseScene.meshes[m].vertexCount; ++i)
            ASSERT_EQ(houseScene.meshes[m].vertices[i].x, houseSourceScene.meshes[m].vertices[i].x);

    SceneCamera expected = houseScene.camera;
    orbitHouseCamera(t, houseSourceScene.camera, &expected);
    EXPECT_EQ(houseScene.camera.position[0], expected.position[0]);
    EXPECT_EQ(houseScene.camera.position[2], expected.position[2]);
    EXPECT_EQ(houseScene.camera.position[1], houseSourceScene.camera.position[1]);
    EXPECT_EQ(houseScene.camera.target[1], houseSourceScene.camera.target[1]);
}

TEST_F(Scenes, HouseBandLaysItsPictureOverTheScene)
{
    display->seedBack();
    drawHouseScene(90.0f, context());  // picture 1, between flashes
    const soft::SurfaceMemory& woody = picture(1);
    int keyed = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x) {
            const uint16_t p = woody.at(x, y);
            if (p == transparentColour) {
                ++keyed;
            } else {
                ASSERT_EQ(back().at(x, y), p) << x << "," << y;
            }
        }
    EXPECT_GT(keyed, 0);  // the scene shows through around the sign
    // Above the band: the cleared sky and the lit house, nothing of the seed.
    EXPECT_GT(countPixels(back(), aboveBand, isBlack), 10000);
    EXPECT_GT(countPixels(back(), aboveBand, [](soft::Rgb8 c) { return !isBlack(c); }), 50000);
    for (int x = 0; x < 640; x += 7)
        ASSERT_NE(back().at(x, 0), SceneDisplay::seedValue(x, 0)) << x;
    EXPECT_TRUE(isBlack(rgbAt(back(), 320, 2)));
}

TEST_F(Scenes, HouseFlashesAndFadeReachTheSky)
{
    drawHouseScene(5.0f, context());  // level 0.5 on the black sky
    EXPECT_TRUE(isGrey(rgbAt(back(), 320, 2), 127, 9));
    drawHouseScene(10.0f, context());  // between the two flashes of the beat
    EXPECT_TRUE(isBlack(rgbAt(back(), 320, 2)));
    drawHouseScene(240.0f, context());  // flash 0.33 under black 0.6
    EXPECT_TRUE(isGrey(rgbAt(back(), 320, 2), int(0.4 * 0.3333 * 255), 8));
    drawHouseScene(266.6f, context());
    EXPECT_EQ(countPixels(back(), {0, 0, 640, 480}, [](soft::Rgb8 c) { return !isBlack(c); }), 0);
}

TEST_F(Scenes, HouseWithoutASourceMeshLeavesTheDrawnMeshAlone)
{
    drawHouseScene(40.0f, context());
    const float before = houseScene.meshes[0].vertices[0].x;
    const uint32_t meshes = houseSourceScene.meshCount;
    houseSourceScene.meshCount = 0;
    drawHouseScene(80.0f, context());
    houseSourceScene.meshCount = meshes;
    EXPECT_EQ(houseScene.meshes[0].vertices[0].x, before);
}

TEST_F(Scenes, BoxDrawsInItsWindowOverItsPicture)
{
    BoxViewport viewport(context());
    display->seedBack();
    drawBoxScene(20.0f, context());  // between flashes
    const soft::SurfaceMemory& lines = picture(6);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (!boxWindow.holds(x, y)) {
                ASSERT_EQ(back().at(x, y), lines.at(x, y)) << x << "," << y;
            }
    const int black = countPixels(back(), boxWindow, isBlack);
    const int lit = countPixels(back(), boxWindow, [](soft::Rgb8 c) { return !isBlack(c); });
    EXPECT_GT(black, 20000);  // the cleared window around the boxes
    EXPECT_GT(lit, 1000);     // the boxes
}

TEST_F(Scenes, BoxMovesItsCameraAndTwoLights)
{
    BoxViewport viewport(context());
    const SceneLight light0 = boxScene.lights[0];
    const SceneLight light1 = boxScene.lights[1];
    drawBoxScene(10.0f, context());
    const BoxPose pose = boxPose(10.0f);
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_EQ(boxScene.camera.position[axis], pose.camera[axis]);
    EXPECT_EQ(boxScene.lights[0].position[0], pose.light0X);
    EXPECT_EQ(boxScene.lights[0].position[1], light0.position[1]);
    EXPECT_EQ(boxScene.lights[0].position[2], pose.light0Z);
    EXPECT_EQ(boxScene.lights[1].position[0], pose.light1X);
    EXPECT_EQ(boxScene.lights[1].position[1], pose.light1Y);
    EXPECT_EQ(boxScene.lights[1].position[2], light1.position[2]);
}

// The device clips the screen quad to the narrow viewport: the flash lights the box
// window only.
TEST_F(Scenes, BoxFlashLightsItsWindow)
{
    BoxViewport viewport(context());
    drawBoxScene(13.333333f, context());  // level 0.5
    EXPECT_TRUE(isGrey(rgbAt(back(), boxWindow.left + 2, boxWindow.top + 2), 127, 9));
    EXPECT_TRUE(isGrey(rgbAt(back(), boxWindow.right - 3, boxWindow.bottom - 3), 127, 9));
    EXPECT_GT(countPixels(back(), boxWindow, [](soft::Rgb8 c) { return isGrey(c, 127, 9); }), 20000);
    const soft::SurfaceMemory& lines = picture(6);
    for (auto [x, y] : {std::pair{10, 10}, {200, 400}, {boxWindow.right, boxWindow.top}})
        EXPECT_EQ(back().at(x, y), lines.at(x, y)) << x << "," << y;
}

TEST_F(Scenes, BoxWithOneLightMovesOnlyThatOne)
{
    BoxViewport viewport(context());
    const SceneLight second = boxScene.lights[1];
    const uint32_t lights = boxScene.lightCount;
    boxScene.lightCount = 1;
    drawBoxScene(50.0f, context());
    boxScene.lightCount = lights;
    EXPECT_EQ(boxScene.lights[0].position[0], boxPose(50.0f).light0X);
    EXPECT_EQ(boxScene.lights[1].position[0], second.position[0]);
    EXPECT_EQ(boxScene.lights[1].position[1], second.position[1]);
}

TEST_F(Scenes, LightSceneLiesUnderItsOverlayAndFollowsParticleTen)
{
    resetParticles();
    simulationClock = 0.0f;
    display->seedBack();
    drawLightScene(20.0f, context());
    EXPECT_NEAR(simulationClock, 20.0f, 0.8f);
    const soft::SurfaceMemory& overlay = picture(8);
    int keyed = 0, untouched = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const uint16_t p = overlay.at(x, y);
            if (p == transparentColour) {
                ++keyed;
                untouched += back().at(x, y) == SceneDisplay::seedValue(x, y);
            } else {
                ASSERT_EQ(back().at(x, y), p) << x << "," << y;
            }
        }
    EXPECT_LT(untouched, 8);  // cleared, apart from a drawn colour that happens to match the seed
    EXPECT_GT(keyed, 640 * 480 / 2);

    EXPECT_EQ(lightScene.meshes[0].fillMode, 2u);
    const SceneCamera& camera = lightScene.camera;
    EXPECT_EQ(camera.position[0], 0.0f);
    EXPECT_EQ(camera.position[1], 0.0f);
    EXPECT_EQ(camera.position[2], -30.0f);
    EXPECT_EQ(camera.target[0], 0.25f * particles[10].x);
    EXPECT_EQ(camera.target[1], 0.25f * particles[10].y);
    EXPECT_EQ(camera.target[2], 0.25f * particles[10].z);
    float moved[3];
    movingLightPosition(20.0f, moved);
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_EQ(lightScene.lights[1].position[axis], moved[axis]);
}

TEST_F(Scenes, LightSceneWritesOnlyTheLightsAndMeshItHas)
{
    const SceneLight second = lightScene.lights[1];
    const uint32_t lights = lightScene.lightCount;
    const uint32_t meshes = lightScene.meshCount;
    lightScene.lightCount = 1;
    lightScene.meshCount = 0;
    lightScene.meshes[0].fillMode = 3;
    drawLightScene(simulationClock + 5.0f, context());
    lightScene.lightCount = lights;
    lightScene.meshCount = meshes;
    EXPECT_EQ(lightScene.meshes[0].fillMode, 3u);
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_EQ(lightScene.lights[1].position[axis], second.position[axis]);
}

}  // namespace
