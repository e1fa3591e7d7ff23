// The scenes when their mesh files are missing or hold no mesh, and no picture loaded:
// each draws what it has, its clear, flashes and fades.
#include "display/pictures.h"
#include "scenes/box_scene.h"
#include "scenes/house_scene.h"
#include "scenes/light_scene.h"

#include "scene_display.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

// A 3D Studio file whose editor chunk is empty: no mesh, no light, no camera.
void writeEmptySceneFile(const char* name)
{
    const unsigned char bytes[] = {0x4D, 0x4D, 12, 0, 0, 0, 0x3D, 0x3D, 6, 0, 0, 0};
    std::FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes, 1, sizeof bytes, file);
    std::fclose(file);
}

std::string emptyFolder(const char* name)
{
    const std::filesystem::path dir = std::filesystem::path(MORNAKLE_BINARY_DIR) / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

bool isGrey(soft::Rgb8 c, int level, int slack)
{
    return std::abs(c.r - level) <= slack && std::abs(c.g - level) <= slack && std::abs(c.b - level) <= slack;
}

class MissingData : public ::testing::TestWithParam<bool> {};

TEST_P(MissingData, ScenesDrawTheirClearsAndFlashes)
{
    SceneDisplay display;
    ASSERT_TRUE(display.ready());
    {
        WorkingFolder folder(emptyFolder(GetParam() ? "scenes_empty_files" : "scenes_no_files"));
        if (GetParam())
            for (const char* name : {"hus.3ds", "box.3ds", "light.3ds"})
                writeEmptySceneFile(name);
        loadPictures(display.context());  // none there
        loadHouseScene(display.context());
        loadBoxScene(display.context());
        loadLightScene(display.context());
    }
    EXPECT_EQ(houseSourceScene.meshCount, 0u);
    EXPECT_EQ(houseScene.meshCount, 0u);
    EXPECT_EQ(boxScene.lightCount, 0u);
    EXPECT_EQ(lightScene.meshCount, 0u);
    soft::SurfaceMemory& back = display.back();

    drawHouseScene(0.0f, display.context());
    EXPECT_EQ(back.at(320, 240), 0);
    drawHouseScene(5.0f, display.context());  // the flash over the cleared screen
    for (auto [x, y] : {std::pair{0, 0}, {320, 240}, {639, 479}})
        EXPECT_TRUE(isGrey(rgbAt(back, x, y), 127, 9)) << x << "," << y;
    drawHouseScene(250.0f, display.context());  // flash 0.58 under black 0.75
    EXPECT_TRUE(isGrey(rgbAt(back, 320, 400), int(0.25 * 0.5833 * 255), 8));

    display.seedBack();
    drawBoxScene(20.0f, display.context());  // no picture: only the window is cleared
    EXPECT_EQ(back.at(10, 10), SceneDisplay::seedValue(10, 10));
    EXPECT_EQ(back.at(500, 150), 0);

    drawLightScene(3.0f, display.context());
    EXPECT_GE(simulationClock, 3.0f);
    EXPECT_NE(back.at(10, 10), SceneDisplay::seedValue(10, 10));

    releaseHouseScene(display.context());
    releaseBoxScene(display.context());
    releaseLightScene(display.context());
    EXPECT_EQ(houseSourceScene.meshCount, 0u);
}

INSTANTIATE_TEST_SUITE_P(Scenes, MissingData, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "EmptyFiles" : "NoFiles"; });

}  // namespace
