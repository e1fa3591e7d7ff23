// Readers that are not ours agree with the files: assimp on the meshes, ImageMagick
// on the pictures. Skipped where the tools are not installed.
#include "gen_test_support.h"

#include "engine/scene.h"
#include "engine/scene_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

namespace {

bool haveTool(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

long field(const std::string& text, const std::string& label)
{
    std::smatch m;
    return std::regex_search(text, m, std::regex(label + R"(:\s+(\d+))")) ? std::stol(m[1]) : -1;
}

TEST(ExternalReaders, AssimpCountsTheSameMeshesFacesLightsAndCamera)
{
    if (!haveTool("assimp"))
        GTEST_SKIP() << "assimp (assimp-utils) is not installed";
    for (const char* name : {"hus.3ds", "box.3ds", "light.3ds"}) {
        Scene scene{};
        ASSERT_EQ(loadScene(dataPath(name).c_str(), &scene), 0);
        long faces = 0;
        for (uint32_t m = 0; m < scene.meshCount; ++m)
            faces += scene.meshes[m].faceCount;
        const std::string info = run("assimp info '" + dataPath(name) + "' 2>&1");
        EXPECT_EQ(field(info, "Meshes"), long(scene.meshCount)) << name << "\n" << info;
        EXPECT_EQ(field(info, "Faces"), faces) << name;
        EXPECT_EQ(field(info, "Lights"), long(scene.lightCount)) << name;
        EXPECT_EQ(field(info, "Cameras"), 1) << name;
        releaseScene(&scene);
    }
}

TEST(ExternalReaders, ImageMagickSeesTenUncompressed640By480Bitmaps)
{
    if (!haveTool("identify"))
        GTEST_SKIP() << "identify (imagemagick) is not installed";
    for (const char* name : {"loop.bmp", "woody.bmp", "bonde.bmp", "lame.bmp", "back2.bmp", "circles.bmp", "lines.bmp",
                             "mannen.bmp", "nurturei.bmp", "rightnow.bmp"})
        EXPECT_EQ(run("identify -format '%m %w %h %z %C' '" + dataPath(name) + "' 2>&1"), "BMP3 640 480 8 None")
            << name;
}

}  // namespace
